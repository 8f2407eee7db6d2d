#pragma once

#include "kdx_cfg.h"

#include <string>

namespace kdx {

// The file written back in place ("Save File"): every line as read, except that a
// line on which a setting was found holds "key value" and a line on which a custom
// command was found holds the slot's current text (empty when deleted). Lines after
// line 256 of a longer file follow unchanged. Then, each behind an empty line, the
// settings the file did not hold whose value differs from the default, in index
// order, and the custom commands added in the window, in slot order. Every line
// ends in CR LF. The model is not changed.
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

} // namespace kdx
