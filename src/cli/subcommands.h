#pragma once

#include "config/code_page.h"

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace kdx::cli {

// What every subcommand is given besides its own arguments.
struct Context {
    std::filesystem::path file; // KDX.cfg
    FileCodePages codePages;    // the system's, or those --code-page chose
    bool create = false;        // a missing file is made by set and command
    std::ostream &out;
    std::ostream &err;
};

// The subcommands; each returns kdxcfg's exit status.
int show(const Context &context, bool json);
int get(const Context &context, const std::string &key);
int set(const Context &context, const std::vector<std::string> &assignments);
int commandAdd(const Context &context, const std::string &text);
int commandSet(const Context &context, int slot, const std::string &text);
int commandRemove(const Context &context, int slot);
int clean(const Context &context, bool leaveOutDefaults, const std::string &outName);
int check(const Context &context);

} // namespace kdx::cli
