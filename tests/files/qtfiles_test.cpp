#include "platform/qt/qtfiles.h"

#include "files/programfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
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

TEST_F(QtTextFilesTest, EveryByteRoundTrips)
{
    std::string every;
    for (int b = 0; b < 256; ++b)
        every += static_cast<char>(b);
    EXPECT_EQ(files.write(path("all.fhp"), every), std::nullopt);
    const auto read = files.read(path("all.fhp"), programFileLimit);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.bytes, every);
}

TEST_F(QtTextFilesTest, SaveReplacesTheOldFile)
{
    std::ofstream(path("p.fhp"), std::ios::binary) << "a longer old program\r\n";
    EXPECT_EQ(files.write(path("p.fhp"), "==\r\n==\r\n"), std::nullopt);
    EXPECT_EQ(contents(path("p.fhp")), "==\r\n==\r\n");
}

TEST_F(QtTextFilesTest, ReadFailuresNameTheReason)
{
    EXPECT_EQ(files.read(path("missing.fhp"), programFileLimit).error, "No such file or directory");
    const auto folder = files.read(dir.string(), programFileLimit);
    EXPECT_FALSE(folder.ok);
    EXPECT_EQ(folder.error, "Is a directory");
    std::ofstream(path("huge.fhp"));
    fs::resize_file(path("huge.fhp"), programFileLimit + 1);
    EXPECT_EQ(files.read(path("huge.fhp"), programFileLimit).error, "larger than 16 MiB, not a program file");
}

TEST_F(QtTextFilesTest, SaveIntoAMissingFolderFails)
{
    EXPECT_EQ(files.write(path("no/such/p.fhp"), "==\r\n==\r\n"), "No such file or directory");
    EXPECT_FALSE(fs::exists(path("no")));
}

TEST_F(QtTextFilesTest, FailedSaveOverAFolderLeavesItAsItWas)
{
    fs::create_directories(path("p.fhp"));
    std::ofstream(path("p.fhp/kept"), std::ios::binary) << "kept";
    EXPECT_EQ(files.write(path("p.fhp"), "==\r\n==\r\n"), "Filename refers to a directory");
    EXPECT_EQ(contents(path("p.fhp/kept")), "kept");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

} // namespace
} // namespace fh
