#pragma once

#include "config/setting_table.h"

#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace kdx::test {

// The index of the setting called `key`; 0 where there is none.
inline int settingIndex(std::string_view key)
{
    for (int index = 1; index <= SettingCount; ++index)
        if (SettingDefinitions[static_cast<std::size_t>(index - 1)].key == key)
            return index;
    return 0;
}

// A row of value_entries.txt, whose head describes the format.
struct ValueEntryCase {
    std::string source;                                     // the row as written, for failure messages
    std::vector<std::pair<std::string, std::string>> edits; // key, value
    std::string key;
    std::optional<std::string> stored; // none: kdxcfg refuses the last edit
};

inline std::vector<ValueEntryCase> valueEntryCases()
{
    std::ifstream in(KDX_CLI_TEST_DATA "/value_entries.txt", std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read value_entries.txt");
    const auto unescaped = [](std::string text) {
        for (std::size_t at; (at = text.find("\\n")) != std::string::npos;)
            text.replace(at, 2, 1, '\n');
        return text;
    };
    std::vector<ValueEntryCase> cases;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.starts_with('#'))
            continue;
        ValueEntryCase entry{line, {}, {}, {}};
        const std::size_t bar = line.find('|');
        const std::size_t secondBar = line.find('|', bar + 1);
        std::string edits = line.substr(0, bar);
        edits += " ; ";
        for (std::size_t start = 0, end; (end = edits.find(" ; ", start)) != std::string::npos; start = end + 3) {
            const std::string edit = edits.substr(start, end - start);
            entry.edits.emplace_back(edit.substr(0, edit.find('=')), unescaped(edit.substr(edit.find('=') + 1)));
        }
        entry.key = line.substr(bar + 1, secondBar - bar - 1);
        if (const std::string stored = line.substr(secondBar + 1); stored != "refused")
            entry.stored = stored;
        cases.push_back(std::move(entry));
    }
    return cases;
}

} // namespace kdx::test
