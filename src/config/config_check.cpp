#include "config_check.h"

#include "config_reader.h"
#include "control_panel.h"
#include "message.h"
#include "text_encoding.h"
#include "value_rules.h"

#include <algorithm>
#include <map>

namespace kdx {
namespace {

std::string settingText(const SettingRow &row)
{
    return quoted(row.Key + " " + row.Value);
}

} // namespace

std::vector<Finding> checkConfiguration(std::string_view bytes, const FileCodePages &codePages)
{
    KDXCfg cfg(codePages);
    readConfiguration(cfg, bytes);
    std::vector<Finding> findings;

    std::map<int, std::vector<int>> linesOfSetting;
    int commandCount = 0;
    for (int lineNumber = 1; lineNumber <= cfg.ConfigLineCount(); ++lineNumber) {
        const std::string &line = cfg.ConfigLines[static_cast<std::size_t>(lineNumber - 1)];
        if (const int index = settingIndexOfLine(line)) {
            linesOfSetting[index].push_back(lineNumber);
            const std::string &key = cfg.SettingTable[index].Key;
            if (line.size() > key.size() && line[key.size()] != ' ') {
                const std::size_t separator = firstUtf8Character(std::string_view(line).substr(key.size())).length;
                const std::string value = line.substr(key.size() + separator);
                findings.push_back({lineNumber, quoted(line) + " is read as the setting " + key + " with the value "
                                                    + quoted(value) + ": the character after a key is skipped, whatever it is"});
            }
        } else if (lineKind(line) == LineKind::Command && ++commandCount > CustomCommandSlotCount) {
            findings.push_back({lineNumber, quoted(line) + " is a custom command beyond the eighth; the window cannot show it"});
        }
    }

    for (const auto &[index, lines] : linesOfSetting) {
        for (std::size_t i = 0; i + 1 < lines.size(); ++i)
            findings.push_back({lines[i], cfg.SettingTable[index].Key + " is set again on line " + std::to_string(lines.back())
                                              + ", which wins"});
    }

    KDXCfg shown = cfg;
    ControlPanel(shown).ShowSettings();
    for (int index = 1; index <= SettingCount; ++index) {
        const SettingRow &row = cfg.SettingTable[index];
        if (!row.FoundAtLine)
            continue;
        if (const std::string &stored = shown.SettingTable[index].Value; stored != row.Value)
            findings.push_back({*row.FoundAtLine, settingText(row) + ": the window changes the value to " + quoted(stored)
                                                      + " when it loads the file"});
        else if (!controlCanShow(index, row.Value))
            findings.push_back({*row.FoundAtLine, settingText(row) + ": no control can show this value; " + row.Key + " takes "
                                                      + std::string(acceptedEntry(index))});
    }

    if (!cfg.UnreadTail.empty())
        findings.push_back({MaxConfigLines + 1, "the file has more than 256 lines; lines after the 256th are not "
                                                "read as settings or custom commands"});

    std::stable_sort(findings.begin(), findings.end(), [](const Finding &a, const Finding &b) { return a.line < b.line; });
    return findings;
}

} // namespace kdx
