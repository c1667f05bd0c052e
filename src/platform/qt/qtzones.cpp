#include "platform/qt/qtzones.h"

#include <QDateTime>

namespace fh {

std::optional<int> QtZones::offsetAt(const std::string& name, std::int64_t utcSeconds) const
{
    const QByteArray id = QByteArray::fromStdString(name);
    if (last.id() != id) {
        if (!QTimeZone::isTimeZoneIdAvailable(id))
            return std::nullopt;
        last = QTimeZone(id);
    }
    if (!last.isValid())
        return std::nullopt;
    return last.offsetFromUtc(QDateTime::fromSecsSinceEpoch(utcSeconds, QTimeZone::utc()));
}

std::string QtZones::systemZone() const { return QTimeZone::systemTimeZoneId().toStdString(); }

} // namespace fh
