#include "platform/qt/qtfiles.h"

#include "files/programfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
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

} // namespace
} // namespace fh
