#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kdx::test {

struct ProgramRun {
    int status = -1; // the exit status; -1 when the program could not be started or did not exit
    std::string out;
    std::string err;
};

// Runs a program with UTF-8 arguments in a folder and waits for it; its standard
// output and error are caught in two files beside the folder and read back. No shell
// takes part, so arguments reach the program exactly as given.
ProgramRun runProgram(const std::filesystem::path &program, const std::vector<std::string> &arguments,
                      const std::filesystem::path &folder);

} // namespace kdx::test
