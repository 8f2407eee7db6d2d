#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kdx::cli {

// kdxcfg's exit statuses.
enum ExitStatus {
    ExitSuccess = 0,
    ExitFindings = 1, // check found something to report
    ExitFailure = 2,  // bad arguments, a value or run refused, a file unreadable or unwritable: nothing was written
};

// Runs kdxcfg on its arguments (UTF-8, without the program's name): results go
// to out, messages to err. Returns the exit status.
int runKdxcfg(std::vector<std::string> arguments, std::ostream &out, std::ostream &err);

} // namespace kdx::cli
