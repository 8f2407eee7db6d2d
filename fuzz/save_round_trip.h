#pragma once

#include "config/config_reader.h"
#include "config/config_writers.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kdx {

// A text of `cfg` by its bytes in the file: an output may lose the file's only
// bytes that were not UTF-8 (a separator); read back as UTF-8, the same bytes
// then decode differently.
inline std::string bytesInFile(const KDXCfg &cfg, const std::string &text)
{
    return cfg.Encoding.encode(text);
}

// The first promise that the annotated save of `cfg` breaks, or empty. The save
// gives the same bytes each time; every line that no setting or command replaces
// stays as it was, and the unread tail follows line 256 as it was. Read back,
// it gives the same values and commands and the same save, and, where `messages`
// (those of the read that made `cfg`) are given, the same messages.
inline std::string brokenBySave(const KDXCfg &cfg, const std::vector<Message> *messages)
{
    const std::string save = annotatedSave(cfg);
    if (annotatedSave(cfg) != save)
        return "a second save differs";
    std::size_t start = 0; // of the current line in the save
    for (int number = 1; number <= cfg.ConfigLineCount(); ++number) {
        const std::size_t end = save.find("\r\n", start);
        if (end == std::string::npos)
            return "the save ends before line " + std::to_string(number);
        const auto replaces = [number](const auto &item) { return item.FoundAtLine == number; };
        if (std::none_of(cfg.SettingTable.begin(), cfg.SettingTable.end(), replaces)
            && std::none_of(cfg.CustomCommands.begin(), cfg.CustomCommands.end(), replaces)
            && save.compare(start, end - start, bytesInFile(cfg, cfg.ConfigLines[std::size_t(number - 1)])) != 0)
            return "line " + std::to_string(number) + " changed";
        start = end + 2;
    }
    if (const std::string tail = bytesInFile(cfg, cfg.UnreadTail); save.compare(start, tail.size(), tail) != 0)
        return "the unread tail does not follow the lines";

    KDXCfg reread(cfg.CodePages);
    const std::vector<Message> rereadMessages = readConfiguration(reread, save);
    if (annotatedSave(reread) != save)
        return "the save of the save differs";
    if (!reread.UnreadTail.empty())
        return {}; // lines added at the end pushed the save past the 256 lines a read takes in
    if (messages && (reread.Encoding == cfg.Encoding ? rereadMessages != *messages : rereadMessages.size() != messages->size()))
        return "read back, the save gives other messages";
    for (int index = 1; index <= SettingCount; ++index)
        if (bytesInFile(reread, reread.SettingTable[index].Value) != bytesInFile(cfg, cfg.SettingTable[index].Value))
            return "read back, setting " + std::to_string(index) + " differs";
    for (int slot = 1; slot <= CustomCommandSlotCount; ++slot)
        if (bytesInFile(reread, reread.CustomCommands[slot].Text) != bytesInFile(cfg, cfg.CustomCommands[slot].Text))
            return "read back, slot " + std::to_string(slot) + " differs";
    return {};
}

} // namespace kdx
