#pragma once

// Runs the fernhollow executable as a child process and collects what it wrote.

#include <string>
#include <vector>

namespace fh::test {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

Outcome runFernhollow(const std::vector<std::string>& args, const std::string& input = {});

// A fresh scratch folder for one test.
std::string scratchDir();
void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);

} // namespace fh::test
