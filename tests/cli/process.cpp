#include "process.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace fh::test {

namespace {
std::string quote(const std::string& arg)
{
    std::string out = "'";
    for (char c : arg)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}
} // namespace

std::string scratchDir()
{
    static int counter = 0;
    const auto dir = std::filesystem::temp_directory_path() /
                     ("fernhollow-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Outcome runFernhollow(const std::vector<std::string>& args, const std::string& input)
{
    const std::string dir = scratchDir();
    writeFile(dir + "/in", input);
    std::string command = quote(FERNHOLLOW_EXE);
    for (const auto& a : args)
        command += " " + quote(a);
    command += " <" + quote(dir + "/in") + " >" + quote(dir + "/out") + " 2>" + quote(dir + "/err");
    const int raw = std::system(command.c_str());
    Outcome o;
    o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    o.out = readFile(dir + "/out");
    o.err = readFile(dir + "/err");
    std::filesystem::remove_all(dir);
    return o;
}

} // namespace fh::test
