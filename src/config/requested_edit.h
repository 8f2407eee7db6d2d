#pragma once

#include "code_page.h"
#include "config_writers.h"
#include "message.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kdx {

// kdxcfg's edits of a configuration file, decided on its bytes alone: what a
// run of set, command or clean asks, and either the bytes it writes or why it
// writes nothing. The contract that makes such runs safe to repeat lives here:
// the bytes written read back, by the same reader, as the settings and
// commands written, so that the same edit of its own result writes the same
// bytes again. An edit that cannot reach that point is refused. All texts are
// UTF-8.

// A setting entered as if typed into its control (enterValue).
struct SettingEntry {
    int index = 0;
    std::string value;
};

// The eight slots as a whole: the commands fill slot 1 on, the others are
// freed. Empty commands are skipped, never left as a free slot between two.
struct CommandSlotsReplaced {
    std::vector<std::string> texts;
};
// A command put into the first free slot, unless a slot holds it already.
struct CommandAdded {
    std::string text;
};
// A slot given a command, or freed by the empty one.
struct CommandSlotSet {
    int slot = 0;
    std::string text;
};

struct RequestedEdit {
    std::vector<SettingEntry> settings = {}; // entered in this order, before the commands
    std::variant<std::monostate, CommandSlotsReplaced, CommandAdded, CommandSlotSet> commands = {};
    // The bytes are a clean output of the edited model; without it, the file
    // saved in place.
    std::optional<CleanOutputKind> cleanOutput = {};
};

// A value given and stored differently from how it was given ("1e2" as "100").
struct StoredValue {
    std::string key, given, stored;
};

enum class ChangeReason {
    Given, // the value given (StoredValue tells when it was stored differently)
    Rule,  // moved by the rule of another entry: ultraskill's skill bars, min_bots giving way
    Tidy,  // what the window stores when it first shows the file's value
};

// A setting whose stored value differs from the one the file holds (its
// default where the file does not hold it).
struct SettingChange {
    int index = 0;
    std::optional<int> line; // where the file holds it
    std::string before, after;
    ChangeReason reason = ChangeReason::Given;
    std::string cause; // why, in words, for a change not given
};

struct EditedFile {
    std::string bytes; // in encoding
    CodePage encoding;
    std::vector<SettingChange> changes;         // in index order
    std::vector<StoredValue> storedDifferently; // in the order given
    std::optional<int> slot;                    // the slot that command add filled or found holding the command
};

// Why nothing may be written, and what to do, in words for the user.
struct EditRefusal {
    std::string reason;
};

struct EditOutcome {
    std::vector<Message> messages; // the reader's, about the file as read
    std::variant<EditedFile, EditRefusal> result;
};

// Reads the bytes in the code pages given, stores what the window stores when
// it first shows them, applies the edit and gives the bytes to write. Refused:
// a value or command that a control or slot cannot take; a command that would
// read back as a setting, a comment or nothing; freeing a slot, or replacing
// the slots as a whole, where the file holds more command lines than the
// slots; a setting or command that would be added after line 256; a character
// that the file's encoding cannot hold; and, as the net under all of these,
// bytes on which the same edit would not give the same bytes again.
EditOutcome applyRequestedEdit(std::string_view bytes, const FileCodePages &codePages, const RequestedEdit &edit);

} // namespace kdx
