#pragma once

#include "kdx_cfg.h"
#include "message.h"

#include <string_view>
#include <vector>

namespace kdx {

// Reads the bytes of a configuration file into the model, as "ReLoad File" does.
//
// The bytes are read in the code page that cfg.CodePages gives them (UTF-8 for
// valid UTF-8 beyond ASCII; see FileCodePages); the model holds the text as
// UTF-8 and remembers the code page in Encoding for the save.
//
// A line ends at a carriage return, a carriage return and line feed, or a line
// feed alone; the last line may lack an end. Each line is stored in ConfigLines
// without the spaces at its ends. A line that begins with the key of a setting
// gives that setting its value (the rest after the key and one more character,
// however many bytes that character takes)
// and its line number; the last occurrence wins. A line that is no setting, no
// comment ("#") and not empty fills the next free custom-command slot.
//
// Before reading, every slot text is emptied and every line number of settings
// and slots is reset, so that the model holds only numbers of this file. The
// values of settings that the file does not hold are left as they are. At most
// 256 lines are read; the rest of a longer file is kept in UnreadTail.
// An empty input gives no lines.
//
// Returns, in the order they arise, the messages to show: one "Too many custom
// commands" per command line beyond the eighth, and "Error while loading" when
// the file has more than 256 lines, naming the settings that the lines after
// the 256th set again.
std::vector<Message> readConfiguration(KDXCfg &cfg, std::string_view bytes);

// The index of the setting that a trimmed line sets, as the reader decides it
// (the line begins with the setting's key), or 0 when it sets none.
int settingIndexOfLine(std::string_view line);

// What the reader takes a trimmed line for.
enum class LineKind {
    Blank,
    Comment, // begins with "#"
    Setting, // begins with a setting's key
    Command, // anything else: a custom command, stored while a slot is free
};
LineKind lineKind(std::string_view line);

// The text without the blanks at its ends, as the reader stores a line.
std::string_view trimBlanks(std::string_view text);

} // namespace kdx
