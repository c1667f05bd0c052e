#include "platform/qt/qtfiles.h"

#include "files/programfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fh {
namespace {

namespace fs = std::filesystem;

class QtTextFilesTest : public testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("fernhollow-qtfiles-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const std::string& name) const { return (dir / name).string(); }
    std::size_t entries() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator())); }
    static std::string contents(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path dir;
    QtTextFiles files;
};

TEST_F(QtTextFilesTest, EveryByteRoundTripsOverALongerOldFile)
{
    std::ofstream(path("all.fhp"), std::ios::binary) << std::string(300, 'x');
    std::string every;
    for (int b = 0; b < 256; ++b)
        every += static_cast<char>(b);
    EXPECT_EQ(files.write(path("all.fhp"), every), std::nullopt);
    const auto read = files.read(path("all.fhp"), programFileLimit, true);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.bytes, every);
}

// The write in a child whose files may not grow past `limit` bytes, as on a full disk:
// a write past it fails (EFBIG) rather than ending the child. The reason comes back
// through a pipe, empty when the write succeeded.
std::string writeWithSizeLimit(const std::string& path, const std::string& bytes, rlim_t limit)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const rlimit size{limit, limit};
        ::signal(SIGXFSZ, SIG_IGN);
        const auto error = ::setrlimit(RLIMIT_FSIZE, &size) == 0 ? QtTextFiles().write(path, bytes) : "no limit";
        const std::string reason = error.value_or("");
        const bool told = ::write(channel[1], reason.data(), reason.size()) == static_cast<ssize_t>(reason.size());
        ::_exit(told ? 0 : 1);
    }
    ::close(channel[1]);
    std::string reason;
    char chunk[256];
    for (ssize_t n; (n = ::read(channel[0], chunk, sizeof chunk)) > 0;)
        reason.append(chunk, static_cast<std::size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? reason : "the child failed";
}

// Fault mended: a write that stayed in the buffer failed only in the commit's flush,
// and the commit then put an empty file in the old one's place.
TEST_F(QtTextFilesTest, AWriteThatFailsPartWayKeepsTheOldFileAndLeavesNothingNew)
{
    // No old bytes: a new file.
    const struct { const char* name; const char* old; std::size_t size; rlim_t limit; } cases[] = {
        {"new file", nullptr, 10, 5},
        {"10 bytes over an old file", "T,06:00:00,70,80\r\n", 10, 5},
        {"20 KB over an old file", "T,06:00:00,70,80\r\n", 20000, 10000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir);
        fs::create_directories(dir);
        if (c.old)
            std::ofstream(path("p.fhp"), std::ios::binary) << c.old;
        EXPECT_EQ(writeWithSizeLimit(path("p.fhp"), std::string(c.size, 'x'), c.limit), "File too large");
        if (c.old) {
            EXPECT_EQ(contents(path("p.fhp")), c.old);
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), c.old ? 1 : 0)
            << "no new or scratch file is left";
    }
}

TEST_F(QtTextFilesTest, FailuresNameTheReason)
{
    EXPECT_EQ(files.read(path("missing.fhp"), programFileLimit, true).error, "No such file or directory");
    EXPECT_EQ(files.read(dir.string(), programFileLimit, true).error, "Is a directory");
    std::ofstream(path("huge.fhp"));
    fs::resize_file(path("huge.fhp"), programFileLimit + 1);
    EXPECT_EQ(files.read(path("huge.fhp"), programFileLimit, true).error, "larger than 16 MiB, not a program file");
    EXPECT_EQ(files.write(path("no/such/p.fhp"), "==\r\n==\r\n"), "No such file or directory");
    EXPECT_FALSE(fs::exists(path("no")));
}

TEST_F(QtTextFilesTest, OnlyRegularFilesAreWrittenAndWindowsReadNothingElse)
{
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0644), 0);
    fs::create_symlink(path("fifo"), path("to-fifo"));
    fs::create_symlink("/dev/null", path("to-null"));
    for (const char* name : {"fifo", "to-fifo", "to-null"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(files.write(path(name), "==\r\n==\r\n"), path(name) + " is not a regular file");
        EXPECT_FALSE(fs::is_regular_file(path(name))) << "never replaced by a regular file";
        EXPECT_EQ(files.read(path(name), programFileLimit, true).error, path(name) + " is not a regular file");
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    // A link to a regular file is followed, and stays a link.
    std::ofstream(path("real.fhp"), std::ios::binary) << "old";
    fs::create_symlink(path("real.fhp"), path("link.fhp"));
    EXPECT_EQ(files.write(path("link.fhp"), "new"), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(path("link.fhp")));
    EXPECT_EQ(contents(path("real.fhp")), "new");
}

TEST_F(QtTextFilesTest, ASaveKeepsThePermissionsAndRefusesAReadOnlyFile)
{
    const auto make = [&](const char* name, fs::perms perms) {
        std::ofstream(path(name), std::ios::binary) << "old";
        fs::permissions(path(name), perms);
    };
    make("group.fhp", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(files.write(path("group.fhp"), "new"), std::nullopt);
    EXPECT_EQ(fs::status(path("group.fhp")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // Refused even for root, who could write it.
    make("locked.fhp", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(files.write(path("locked.fhp"), "new"), path("locked.fhp") + " is read-only");
    EXPECT_EQ(contents(path("locked.fhp")), "old");

    if (::geteuid() != 0)
        return;
    make("theirs.fhp", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(::chown(path("theirs.fhp").c_str(), 65534, 65534), 0);
    EXPECT_EQ(files.write(path("theirs.fhp"), "new"), std::nullopt);
    struct stat st {};
    ASSERT_EQ(::stat(path("theirs.fhp").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
}

struct stat statOf(const std::string& path)
{
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st;
}

// The value of an extended attribute, or "(none)".
std::string attribute(const std::string& path, const char* name)
{
    std::string value(4096, '\0');
    const ssize_t size = ::getxattr(path.c_str(), name, value.data(), value.size());
    if (size < 0)
        return "(none)";
    value.resize(static_cast<std::size_t>(size));
    return value;
}

// An ACL as the kernel keeps it in system.posix_acl_access: version 2, then per entry
// its tag, permissions and user or group id, little-endian.
struct AclEntry {
    std::uint16_t tag, perm;
    std::uint32_t id = 0xFFFFFFFF;
};
std::string aclAttribute(std::initializer_list<AclEntry> entries)
{
    std::string blob;
    const auto put = [&](std::uint32_t value, int bytes) {
        for (int k = 0; k < bytes; ++k)
            blob += static_cast<char>(value >> (8 * k) & 0xFF);
    };
    put(2, 4);
    for (const AclEntry& e : entries) {
        put(e.tag, 2);
        put(e.perm, 2);
        put(e.id, 4);
    }
    return blob;
}
enum : std::uint16_t { userObj = 1, user = 2, groupObj = 4, mask = 0x10, other = 0x20 };

// rw- for the owner and for user 65534, r-- for the group, mask rw-: the mode's group
// bits show the mask (rw), not the group's own r--.
const std::string sharedAcl =
    aclAttribute({{userObj, 6}, {user, 6, 65534}, {groupObj, 4}, {mask, 6}, {other, 0}});

// Fault mended: a save renamed a new file over the old one, which broke a hard link,
// dropped the ACL (its mask then stood in the group bits) and every extended attribute.
TEST_F(QtTextFilesTest, ASaveKeepsLinksAclAndAttributes)
{
    const struct { const char* why; bool linked; std::string old, bytes; } cases[] = {
        {"one name: a new file given all", false, "T,06:00:00,70,80\r\n==\r\n==\r\n", "==\r\n==\r\n"},
        {"a hard link, longer bytes", true, "==\r\n==\r\n", std::string(70000, 'x')},
        {"a hard link, shorter bytes", true, std::string(300, 'o'), "==\r\n==\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        fs::remove_all(dir);
        fs::create_directories(dir);
        const std::string file = path("p.fhp"), other = path("other.fhp");
        std::ofstream(file, std::ios::binary) << c.old;
        ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
        if (c.linked)
            fs::create_hard_link(file, other);
        if (::setxattr(file.c_str(), "system.posix_acl_access", sharedAcl.data(), sharedAcl.size(), 0) != 0)
            GTEST_SKIP() << "the temp folder's file system takes no ACL: " << std::strerror(errno);
        if (::setxattr(file.c_str(), "user.fernhollow", "kept", 4, 0) != 0)
            GTEST_SKIP() << "the temp folder's file system takes no user.* attributes: " << std::strerror(errno);
        const struct stat before = statOf(file);
        const std::string acl = attribute(file, "system.posix_acl_access");
        ASSERT_EQ(before.st_mode & 07777, 0660u) << "the mask in the group bits";

        EXPECT_EQ(files.write(file, c.bytes), std::nullopt);
        EXPECT_TRUE(contents(file) == c.bytes);
        const struct stat after = statOf(file);
        EXPECT_EQ(after.st_mode & 07777, 0660u);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(attribute(file, "system.posix_acl_access"), acl) << "the group keeps r--, the user 65534 rw-";
        EXPECT_EQ(attribute(file, "user.fernhollow"), "kept");
        if (c.linked) {
            EXPECT_EQ(after.st_ino, before.st_ino);
            EXPECT_EQ(after.st_nlink, 2u);
            EXPECT_TRUE(contents(other) == c.bytes) << "the other name sees the new bytes";
        }
        EXPECT_EQ(entries(), c.linked ? 2u : 1u) << "no copy or new file is left";
    }
}

// A new file takes its folder's default ACL; the one it replaces had none, and keeps none.
TEST_F(QtTextFilesTest, ASaveTakesNoAclTheOldFileLacked)
{
    std::ofstream(path("p.fhp"), std::ios::binary) << "old";
    ASSERT_EQ(::chmod(path("p.fhp").c_str(), 0644), 0);
    if (::setxattr(dir.c_str(), "system.posix_acl_default", sharedAcl.data(), sharedAcl.size(), 0) != 0)
        GTEST_SKIP() << "the temp folder's file system takes no ACL: " << std::strerror(errno);
    EXPECT_EQ(files.write(path("p.fhp"), "new"), std::nullopt);
    EXPECT_EQ(attribute(path("p.fhp"), "system.posix_acl_access"), "(none)");
    EXPECT_EQ(statOf(path("p.fhp")).st_mode & 07777, 0644u);
}

// A write in place that fails part-way puts the old bytes back; one whose copy of the
// old bytes cannot be made is refused before the file is touched.
TEST_F(QtTextFilesTest, AWriteInPlaceThatFailsKeepsTheOldBytes)
{
    const struct { const char* why; std::size_t old, size; rlim_t limit; } cases[] = {
        {"the new bytes pass the limit: restored", 100, 20000, 10000},
        {"the copy passes the limit: refused", 12000, 10, 10000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        fs::remove_all(dir);
        fs::create_directories(dir);
        const std::string old(c.old, 'o');
        std::ofstream(path("p.fhp"), std::ios::binary) << old;
        fs::create_hard_link(path("p.fhp"), path("other.fhp"));
        EXPECT_EQ(writeWithSizeLimit(path("p.fhp"), std::string(c.size, 'x'), c.limit), "File too large");
        EXPECT_EQ(contents(path("p.fhp")), old);
        EXPECT_EQ(statOf(path("p.fhp")).st_nlink, 2u);
        EXPECT_EQ(entries(), 2u) << "the copy is gone";
    }
}

// Another owner the process may not give cannot be tried without two users: the choice
// is tried alone.
TEST(SaveWay, RenameOnlyWhenTheNewFileLosesNothing)
{
    const struct { Replacement r; SaveWay way; } cases[] = {
        {{1, true, true}, SaveWay::Rename},
        {{2, true, true}, SaveWay::InPlace},
        {{1, false, true}, SaveWay::InPlace},
        {{1, true, false}, SaveWay::InPlace},
        {{3, false, false}, SaveWay::InPlace},
    };
    for (const auto& c : cases)
        EXPECT_EQ(saveWay(c.r), c.way) << c.r.links << " links, owner " << c.r.ownerGiven << ", attributes "
                                       << c.r.attributesGiven;
}

} // namespace
} // namespace fh
