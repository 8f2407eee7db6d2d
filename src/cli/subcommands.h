#pragma once

#include "config/code_page.h"
#include "edit_report.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace kdx::cli {

// What every subcommand is given besides its own arguments.
struct Context {
    std::filesystem::path file; // KDX.cfg
    FileCodePages codePages;    // the system's, or those --code-page chose
    bool create = false;        // a missing file is made by set and command
    ReportForm form;            // what goes to out
    std::ostream &out;
    std::ostream &err;
};

// The subcommands; each returns kdxcfg's exit status.
int show(const Context &context);
int get(const Context &context, const std::string &key);
// commands, when given, replace the eight slots as a whole.
int set(const Context &context, const std::vector<std::string> &assignments,
        const std::optional<std::vector<std::string>> &commands);
int commandAdd(const Context &context, const std::string &text);
int commandSet(const Context &context, int slot, const std::string &text);
int commandRemove(const Context &context, int slot);
int clean(const Context &context, bool leaveOutDefaults, const std::string &outName);
int check(const Context &context);

} // namespace kdx::cli
