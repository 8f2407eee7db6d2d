#pragma once

#include "config_session.h"

#include <nlohmann/json_fwd.hpp>

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kdx::cli {

// A value that set stored differently from how it was given ("1e2" as "100").
struct StoredValue {
    std::string key, given, stored;
};

// How a run reports on standard output.
struct ReportForm {
    bool dryRun = false; // an edit: the unified diff of what would change
    bool json = false;   // one JSON object, whatever the subcommand
};

// Writes the document as kdxcfg's JSON answer: indented, and with U+FFFD for
// bytes that are not UTF-8, which JSON text cannot hold.
void writeJson(const nlohmann::json &document, std::ostream &out);

// Under --json, a failure's answer: its messages (what went to standard error)
// and the exit status.
void reportFailure(std::string_view messages, int status, std::ostream &out);

// The unified diff of a replacement, headed "a/PATH" and "b/PATH" as git
// heads them, or "/dev/null" for a file that was not there.
std::string diffOf(const Replacement &replacement);

// Reports a write on out in the given form; the slot is what command add
// filled. Without a form, only the slot is printed.
void report(const ReportForm &form, const Replacement &replacement, const std::vector<StoredValue> &stored,
            std::optional<int> slot, std::ostream &out);

} // namespace kdx::cli
