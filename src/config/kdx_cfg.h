#pragma once

#include "code_page.h"
#include "one_based_array.h"
#include "setting_table.h"

#include <optional>
#include <string>
#include <vector>

namespace kdx {

inline constexpr int MaxConfigLines = 256;
inline constexpr int CustomCommandSlotCount = 8;

struct CustomCommand {
    std::string Text;               // the whole command line; empty marks a free slot
    std::optional<int> FoundAtLine; // the line it came from, none for a command added in the window
};

using CustomCommandSlots = OneBasedArray<CustomCommand, CustomCommandSlotCount>;

// The program-wide state: the configuration as read and edited. Its texts are
// UTF-8; Encoding is how the file that was read holds them.
struct KDXCfg {
    KDXCfg() : KDXCfg(systemCodePages()) {}
    explicit KDXCfg(FileCodePages codePages) : CodePages(std::move(codePages)), Encoding(CodePages.newOrAscii) {}

    kdx::SettingTable SettingTable;

    // The trimmed lines of the file as last read, at most MaxConfigLines;
    // ConfigLines[0] is line 1.
    std::vector<std::string> ConfigLines;
    // Everything after line 256 of a longer file, as it was. It is never
    // read as settings, only carried through by the annotated save.
    std::string UnreadTail;

    CustomCommandSlots CustomCommands;

    // The code pages of this run (the system's, or those --code-page chose), and
    // the one of the file last read; a file not yet read is a new one.
    FileCodePages CodePages;
    CodePage Encoding;

    int ConfigLineCount() const { return static_cast<int>(ConfigLines.size()); }
};

} // namespace kdx
