#pragma once

#include "kdx_cfg.h"

#include <optional>
#include <string>

namespace kdx {

// The file written back in place ("Save File"): every line as read, except that a
// line on which a setting was found holds "key value" and a line on which a custom
// command was found holds the slot's current text (empty when deleted). Lines after
// line 256 of a longer file follow unchanged. Then, each behind an empty line, the
// settings the file did not hold whose value differs from the default, in index
// order, and the custom commands added in the window, in slot order. Every line
// ends in CR LF. The model is not changed.
//
// Both writers give bytes in the encoding of the file that was read; check
// findUnencodable first (see CodePage::encode).
std::string annotatedSave(const KDXCfg &cfg);

enum class CleanOutputKind {
    AllSettings,      // "Output "Clean" File"
    LeaveOutDefaults, // "Output "Clean" File (leave out Defaults)"
};

// A new file from the model alone: the header of the kind, the settings in index
// order as "key value" (without those at their default, for LeaveOutDefaults),
// then, if any slot holds a command, a heading and every filled slot in order.
// Every line ends in CR LF. The model is not changed.
std::string cleanOutput(const KDXCfg &cfg, CleanOutputKind kind);

// A character that the file's encoding cannot hold, typed into a setting or a
// custom command.
struct UnencodableCharacter {
    int setting = 0; // the setting's index, or 0 for a custom command
    int slot = 0;    // the custom command's slot, or 0 for a setting
    char32_t character = 0;
};

// The first such character, settings in index order before commands in slot
// order; none when every text can be written. The lines read from the file can
// always be written back.
std::optional<UnencodableCharacter> findUnencodable(const KDXCfg &cfg);

// Why such a model cannot be written, in words for the user: the setting or
// command, the character and the encoding.
std::string unencodableReason(const KDXCfg &cfg, const UnencodableCharacter &found);

} // namespace kdx
