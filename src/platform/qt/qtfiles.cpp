#include "platform/qt/qtfiles.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fh {

namespace {

using Failure = std::optional<std::string>;

std::string reason(int error) { return std::strerror(error); }

// A descriptor that is closed once. Whatever was written through it is closed with
// close() and checked, as close() can report a write the disk refused late (EIO, or
// EDQUOT on NFS); the destructor closes only on a path that already failed.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    bool open() const { return fd_ >= 0; }
    void take(int fd)
    {
        close();
        fd_ = fd;
    }
    // The errno of a close that failed, or 0.
    int close()
    {
        const int fd = std::exchange(fd_, -1);
        return fd >= 0 && ::close(fd) != 0 ? errno : 0;
    }

private:
    int fd_;
};

// Every byte written to `fd` from `offset` on.
Failure writeAt(int fd, std::string_view bytes, off_t offset)
{
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? reason(errno) : "not all of the file could be written";
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return std::nullopt;
}

// All of `from` over the start of `to`; `copied` counts the bytes.
Failure copyAll(int from, int to, off_t& copied)
{
    std::array<char, 65536> chunk;
    copied = 0;
    for (;;) {
        const ssize_t got = ::pread(from, chunk.data(), chunk.size(), copied);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return reason(errno);
        if (got == 0)
            return std::nullopt;
        if (auto failure = writeAt(to, {chunk.data(), static_cast<std::size_t>(got)}, copied))
            return failure;
        copied += got;
    }
}

// On the disk, and closed.
Failure syncAndClose(Descriptor& file)
{
    if (::fsync(file.get()) != 0)
        return reason(errno);
    if (const int error = file.close())
        return reason(error);
    return std::nullopt;
}

// The folder's entry for `path` on the disk: a rename or a new name is durable only then.
Failure syncFolder(const std::string& path)
{
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    Descriptor entries(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!entries.open())
        return reason(errno);
    if (::fsync(entries.get()) != 0)
        return reason(errno);
    if (const int error = entries.close())
        return reason(error);
    return std::nullopt;
}

// A file made beside `target` and named after it, open for reading and writing.
struct Scratch {
    Descriptor file;
    std::string name;
    // Gone again; on a path that already failed, or once it is no longer needed.
    void discard()
    {
        file.close();
        ::unlink(name.c_str());
    }
};

Failure createBeside(const std::string& target, std::string_view suffix, mode_t mode, Scratch& made)
{
    static constexpr std::string_view letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = target + '.';
        for (int k = 0; k < 6; ++k)
            name += letters[pick(random)];
        name.append(suffix);
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            made.file.take(fd);
            made.name = std::move(name);
            return std::nullopt;
        }
        if (errno != EEXIST)
            return reason(errno);
    }
    return reason(EEXIST);
}

// The names `list` gives (listxattr or flistxattr, bound to a file); none when they
// cannot be read. A file system without extended attributes has none to keep.
template <class List>
std::optional<std::vector<std::string>> attributeNames(List list)
{
    // The list may grow between asking its size and reading it.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t size = list(nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP ? std::optional(std::vector<std::string>{}) : std::nullopt;
        std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
        const ssize_t got = list(buffer.data(), buffer.size() - 1);
        if (got < 0 && errno == ERANGE)
            continue;
        if (got < 0)
            return std::nullopt;
        std::vector<std::string> names;
        const auto end = buffer.begin() + got;
        for (auto at = buffer.begin(); at < end;) {
            const auto stop = std::find(at, end, '\0');
            names.emplace_back(at, stop);
            at = stop == end ? end : stop + 1;
        }
        return names;
    }
    return std::nullopt;
}

std::optional<std::string> attributeValue(const std::string& path, const std::string& name)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t size = ::getxattr(path.c_str(), name.c_str(), nullptr, 0);
        if (size < 0)
            return std::nullopt;
        std::string value(static_cast<std::size_t>(size), '\0');
        const ssize_t got = ::getxattr(path.c_str(), name.c_str(), value.data(), value.size());
        if (got < 0 && errno == ERANGE)
            continue;
        if (got < 0)
            return std::nullopt;
        value.resize(static_cast<std::size_t>(got));
        return value;
    }
    return std::nullopt;
}

// Gives the new file `fresh` the mode and the extended attributes of the file at
// `old`, the ACL (system.posix_acl_access) among them, and takes from it those the
// old one lacks (an ACL it took from its folder's default). False when one cannot be
// given or taken.
bool giveAttributes(const std::string& old, int fresh, mode_t mode)
{
    const auto theirs = attributeNames([&](char* list, std::size_t size) { return ::listxattr(old.c_str(), list, size); });
    const auto ours = attributeNames([&](char* list, std::size_t size) { return ::flistxattr(fresh, list, size); });
    if (!theirs || !ours)
        return false;
    for (const std::string& name : *ours)
        if (std::find(theirs->begin(), theirs->end(), name) == theirs->end() && ::fremovexattr(fresh, name.c_str()) != 0)
            return false;
    // The mode before the ACL: the ACL then sets the group bits to its mask, as they were.
    if (::fchmod(fresh, mode & 07777) != 0)
        return false;
    for (const std::string& name : *theirs) {
        const auto value = attributeValue(old, name);
        if (!value || ::fsetxattr(fresh, name.c_str(), value->data(), value->size(), 0) != 0)
            return false;
    }
    return true;
}

// Writes over the old file itself, which keeps its inode, so its links, owner and
// attributes. Its old bytes are first copied beside it, on the disk; a failure puts
// them back, or names the copy that holds them.
Failure writeInPlace(const std::string& target, std::string_view bytes)
{
    Descriptor file(::open(target.c_str(), O_RDWR | O_CLOEXEC));
    if (!file.open())
        return reason(errno);
    Scratch copy;
    if (auto failure = createBeside(target, ".old", 0600, copy))
        return failure;
    off_t size = 0;
    Failure failure = copyAll(file.get(), copy.file.get(), size);
    if (!failure)
        failure = syncAndClose(copy.file);
    if (!failure)
        failure = syncFolder(target);
    if (failure) {
        copy.discard();
        return failure;
    }

    failure = writeAt(file.get(), bytes, 0);
    if (!failure && ::ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0)
        failure = reason(errno);
    if (!failure)
        failure = syncAndClose(file);
    if (!failure) {
        if (::unlink(copy.name.c_str()) != 0)
            return "the file was saved, but the copy of its old bytes, " + copy.name +
                   ", could not be removed: " + reason(errno);
        return std::nullopt;
    }

    // The old bytes back, from the copy.
    if (!file.open())
        file.take(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    copy.file.take(::open(copy.name.c_str(), O_RDONLY | O_CLOEXEC));
    off_t restored = 0;
    const bool back = file.open() && copy.file.open() && !copyAll(copy.file.get(), file.get(), restored) &&
                      restored == size && ::ftruncate(file.get(), size) == 0 && !syncAndClose(file);
    if (!back)
        return *failure + "; the old bytes are kept in " + copy.name;
    copy.discard();
    return failure;
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

SaveWay saveWay(const Replacement& replacement)
{
    return replacement.links <= 1 && replacement.ownerGiven && replacement.attributesGiven ? SaveWay::Rename
                                                                                            : SaveWay::InPlace;
}

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
    // A link's target is saved, and the link stays.
    std::string target = path;
    if (old) {
        char* real = ::realpath(path.c_str(), nullptr);
        if (!real)
            return reason(errno);
        target = real;
        std::free(real);
    }
    Replacement keeping{old ? old->st_nlink : 1};
    if (saveWay(keeping) == SaveWay::InPlace)
        return writeInPlace(target, bytes);
    Scratch fresh;
    if (auto failure = createBeside(target, {}, 0666, fresh))
        return failure;
    if (old) {
        keeping.ownerGiven = ::fchown(fresh.file.get(), old->st_uid, old->st_gid) == 0;
        keeping.attributesGiven = keeping.ownerGiven && giveAttributes(target, fresh.file.get(), old->st_mode);
    }
    if (saveWay(keeping) == SaveWay::InPlace) {
        fresh.discard();
        return writeInPlace(target, bytes);
    }
    Failure failure = writeAt(fresh.file.get(), bytes, 0);
    if (!failure)
        failure = syncAndClose(fresh.file);
    if (!failure && ::rename(fresh.name.c_str(), target.c_str()) != 0)
        failure = reason(errno);
    if (failure) {
        fresh.discard();
        return failure;
    }
    if (auto unsynced = syncFolder(target))
        return "the file was saved, but its folder could not be synced: " + *unsynced;
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
