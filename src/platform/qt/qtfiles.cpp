#include "platform/qt/qtfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace fh {

namespace {
// Every byte written to `fd` and synced to the disk, or the reason why not.
std::optional<std::string> writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? std::strerror(errno) : "not all of the file could be written";
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::fsync(fd) != 0)
        return std::strerror(errno);
    return std::nullopt;
}

QString fileName(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// The file a save would replace, links followed, as the save replaces their target.
std::optional<struct stat> existing(const std::string& path)
{
    struct stat found {};
    if (::stat(path.c_str(), &found) != 0)
        return std::nullopt;
    return found;
}
} // namespace

TextFiles::Read QtTextFiles::read(const std::string& path, std::size_t limit, bool regularOnly)
{
    const QFileInfo info(fileName(path));
    // QFile opens a folder without complaint and then reads nothing.
    if (info.isDir())
        return {false, {}, "Is a directory"};
    if (regularOnly && info.exists() && !info.isFile())
        return {false, {}, notRegular(path)};
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
    // A device or a pipe would be replaced by a regular file. Root may write
    // anywhere, but a file without write permission is still not to be replaced.
    const auto old = existing(path);
    if (old && !S_ISREG(old->st_mode))
        return notRegular(path);
    if (old && ((old->st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0))
        return readOnly(path);
    QSaveFile file(fileName(path));
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString().toStdString();
    // The new file takes the old one's place: give it the old one's permissions and,
    // where the system allows, its owner and group (or at least its group).
    if (old) {
        ::fchmod(file.handle(), old->st_mode & 07777);
        [[maybe_unused]] const bool owned = ::fchown(file.handle(), old->st_uid, old->st_gid) == 0 ||
                                            ::fchown(file.handle(), static_cast<uid_t>(-1), old->st_gid) == 0;
    }
    // Qt's buffered write can come short with no error set, and a failed flush inside
    // commit() still renames the file over the old one: the bytes go straight to the
    // file and onto the disk, and anything short of all of them abandons the save.
    if (const auto error = writeAll(file.handle(), bytes)) {
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString().toStdString();
    return std::nullopt;
}

bool QtTextFiles::sameFile(const std::string& a, const std::string& b)
{
    const auto first = existing(a);
    const auto second = existing(b);
    return first && second && first->st_dev == second->st_dev && first->st_ino == second->st_ino;
}

bool QtTextFiles::exists(const std::string& path)
{
    return QFileInfo::exists(fileName(path));
}

} // namespace fh
