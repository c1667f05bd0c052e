#include "platform/qt/qtsettings.h"

#include <QSettings>
#include <QStringList>

namespace fh {

std::vector<std::string> QtSettings::strings(const std::string& key) const
{
    std::vector<std::string> values;
    for (const QString& value : store.value(QString::fromStdString(key)).toStringList())
        values.push_back(value.toStdString());
    return values;
}

void QtSettings::setStrings(const std::string& key, const std::vector<std::string>& values)
{
    QStringList stored;
    for (const std::string& value : values)
        stored.append(QString::fromStdString(value));
    store.setValue(QString::fromStdString(key), stored);
}

} // namespace fh
