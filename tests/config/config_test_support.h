#pragma once

#include "config/config_reader.h"
#include "config/kdx_cfg.h"
#include "config/message.h"

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kdx::test {

struct ReadResult {
    KDXCfg cfg;
    std::vector<Message> messages;
};

// A fresh model, as at start-up, with the bytes read into it.
inline ReadResult ReadFresh(std::string_view bytes)
{
    ReadResult result;
    result.messages = ReadConfiguration(result.cfg, bytes);
    return result;
}

inline std::string JoinCrLf(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// The lines of writer output. Text after the last CR LF becomes one more line, so
// that a missing line end shows up as a difference.
inline std::vector<std::string> SplitCrLf(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string_view::npos; start = end + 2)
        lines.emplace_back(text.substr(start, end - start));
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

// True when the text is a sequence of lines each ending in CR LF, with no lone CR or LF.
inline bool IsCrLfThroughout(std::string_view text)
{
    for (const std::string &line : SplitCrLf(text))
        if (line.find_first_of("\r\n") != std::string::npos)
            return false;
    return text.empty() || text.ends_with("\r\n");
}

// Every field of the model in readable form, so that two models compare as texts
// and a difference shows where it lies.
inline std::string DescribeModel(const KDXCfg &cfg)
{
    auto line = [](const std::optional<int> &foundAtLine) {
        return foundAtLine ? std::to_string(*foundAtLine) : std::string("none");
    };
    std::string text;
    for (int index = 1; index <= SettingCount; ++index) {
        const SettingRow &row = cfg.SettingTable[index];
        text += std::to_string(index) + " " + row.Key + " value=[" + row.Value + "] default=[" + row.DefaultValue +
                "] line=" + line(row.FoundAtLine) + "\n";
    }
    for (int slot = 1; slot <= CustomCommandSlotCount; ++slot)
        text += "slot " + std::to_string(slot) + " [" + cfg.CustomCommands[slot].Text +
                "] line=" + line(cfg.CustomCommands[slot].FoundAtLine) + "\n";
    for (const std::string &configLine : cfg.ConfigLines)
        text += "| " + configLine + "\n";
    text += "tail [" + cfg.UnreadTail + "]\n";
    text += cfg.ControlsReady ? "ready\n" : "not ready\n";
    text += cfg.Encoding == TextEncoding::Utf8 ? "utf-8\n" : "latin-1\n";
    return text;
}

} // namespace kdx::test

namespace kdx {

// Lets GoogleTest print messages in failures.
inline std::ostream &operator<<(std::ostream &out, const Message &message)
{
    return out << "{" << message.title << " | " << message.text << " | "
               << (message.icon == MessageIcon::Exclamation ? "exclamation" : "no icon") << "}";
}

} // namespace kdx
