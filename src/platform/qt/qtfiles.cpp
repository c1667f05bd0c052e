#include "platform/qt/qtfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace fh {

namespace {
constexpr const char* shortWrite = "not all of the file could be written";

QString fileName(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}
} // namespace

TextFiles::Read QtTextFiles::read(const std::string& path, std::size_t limit)
{
    // QFile opens a folder without complaint and then reads nothing.
    if (QFileInfo(fileName(path)).isDir())
        return {false, {}, "Is a directory"};
    QFile file(fileName(path));
    if (!file.open(QIODevice::ReadOnly))
        return {false, {}, file.errorString().toStdString()};
    if (file.size() > static_cast<qint64>(limit))
        return {false, {}, tooLarge(limit)};
    const QByteArray bytes = file.read(static_cast<qint64>(limit) + 1);
    if (bytes.size() > static_cast<qsizetype>(limit))
        return {false, {}, tooLarge(limit)};
    if (file.error() != QFileDevice::NoError)
        return {false, {}, file.errorString().toStdString()};
    return {true, bytes.toStdString(), {}};
}

std::optional<std::string> QtTextFiles::write(const std::string& path, const std::string& bytes)
{
    QSaveFile file(fileName(path));
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString().toStdString();
    // A short write can come with no error set, and commit() would then replace the
    // old file with the truncated one: anything short of all bytes abandons the save.
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString() : QString();
        file.cancelWriting();
        return reason.isEmpty() ? std::string(shortWrite) : reason.toStdString();
    }
    if (!file.commit())
        return file.errorString().toStdString();
    return std::nullopt;
}

} // namespace fh
