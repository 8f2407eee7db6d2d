#pragma once

#include "config_session.h"

#include "config/requested_edit.h"

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kdx::cli {

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

// One line on err for each setting that the edit changed otherwise than as
// given ("minbotskill: 80.5 on line 3 stored as 80 (ultraskill on: ...)"),
// then one for each value given and stored differently ("pause: 1e2 stored
// as 100").
void noteChanges(const EditedFile &edited, std::ostream &err);

// The reader's messages as JSON: a list of {title, text}.
nlohmann::json messagesAsJson(const std::vector<Message> &messages);

// Reports a write on out in the given form; the reader's messages go into
// the JSON object. Without a form, only the slot that command add filled.
void report(const ReportForm &form, const Replacement &replacement, const EditedFile &edited,
            const std::vector<Message> &messages, std::ostream &out);

} // namespace kdx::cli
