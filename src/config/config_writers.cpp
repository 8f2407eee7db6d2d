#include "config_writers.h"

#include "text_encoding.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

namespace kdx {
namespace {

class LineWriter {
public:
    void line(std::string_view text)
    {
        out_ += text;
        out_ += "\r\n";
    }
    void setting(const SettingRow &row)
    {
        out_ += row.Key;
        out_ += ' ';
        out_ += row.Value;
        out_ += "\r\n";
    }
    // Bytes passed through unchanged; a last line without an end gets one, so that
    // nothing written after it joins it.
    void raw(std::string_view bytes)
    {
        out_ += bytes;
        if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r')
            out_ += "\r\n";
    }
    void reserve(std::size_t size) { out_.reserve(size); }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

constexpr std::string_view CleanOutputTitle = "#### VEVaduDori 1.0 for E[VRK]bot IIId ####";

constexpr std::array<std::string_view, 4> AllSettingsHeader = {
    CleanOutputTitle,
    "# This KDX.cfg file is generated out of all the CVARs",
    "# All comments and blank lines are removed, CVARs are in Standard order",
    "#",
};

constexpr std::array<std::string_view, 5> LeaveOutDefaultsHeader = {
    CleanOutputTitle,
    "# This KDX.cfg file is generated out of all the CVARs, ",
    "# except those which are default value.",
    "# All comments and blank lines are removed, CVARs are in Standard order",
    "#",
};

// The settings or slots that a line of the file holds, as (line index, item) in
// line order; on one line they keep their own order.
template <typename Item, typename Items>
std::vector<std::pair<std::size_t, const Item *>> boundToLines(const Items &items, std::size_t lineCount)
{
    std::vector<std::pair<std::size_t, const Item *>> bound;
    for (const Item &item : items) {
        if (item.FoundAtLine && *item.FoundAtLine >= 1 && static_cast<std::size_t>(*item.FoundAtLine) <= lineCount)
            bound.emplace_back(static_cast<std::size_t>(*item.FoundAtLine - 1), &item);
    }
    std::stable_sort(bound.begin(), bound.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    return bound;
}

// UTF-8 output needs no second copy; a save can be as large as the file it keeps.
std::string inFileEncoding(std::string text, const CodePage &encoding)
{
    if (encoding.isUtf8())
        return text;
    return encoding.encode(text);
}

} // namespace

std::string annotatedSave(const KDXCfg &cfg)
{
    const auto lineCount = static_cast<std::size_t>(cfg.ConfigLineCount());
    LineWriter out;
    out.reserve(lineCount * 24 + cfg.UnreadTail.size() + 1024);

    // What replaces a line: its settings or, failing those, its custom commands.
    const auto settings = boundToLines<SettingRow>(cfg.SettingTable, lineCount);
    const auto commands = boundToLines<CustomCommand>(cfg.CustomCommands, lineCount);
    auto setting = settings.begin();
    auto command = commands.begin();
    for (std::size_t line = 0; line < lineCount; ++line) {
        const bool holdsSetting = setting != settings.end() && setting->first == line;
        const bool holdsCommand = command != commands.end() && command->first == line;
        for (; setting != settings.end() && setting->first == line; ++setting)
            out.setting(*setting->second);
        for (; command != commands.end() && command->first == line; ++command) {
            if (!holdsSetting)
                out.line(command->second->Text);
        }
        if (!holdsSetting && !holdsCommand)
            out.line(cfg.ConfigLines[line]);
    }
    out.raw(cfg.UnreadTail);

    for (const SettingRow &row : cfg.SettingTable) {
        if (!row.FoundAtLine && row.Value != row.DefaultValue) {
            out.line("");
            out.setting(row);
        }
    }
    for (const CustomCommand &slot : cfg.CustomCommands) {
        if (!slot.FoundAtLine && !slot.Text.empty()) {
            out.line("");
            out.line(slot.Text);
        }
    }
    return inFileEncoding(out.take(), cfg.Encoding);
}

std::string cleanOutput(const KDXCfg &cfg, CleanOutputKind kind)
{
    const bool leaveOutDefaults = kind == CleanOutputKind::LeaveOutDefaults;
    LineWriter out;
    if (leaveOutDefaults) {
        for (std::string_view header : LeaveOutDefaultsHeader)
            out.line(header);
    } else {
        for (std::string_view header : AllSettingsHeader)
            out.line(header);
    }
    for (const SettingRow &row : cfg.SettingTable)
        if (!leaveOutDefaults || row.Value != row.DefaultValue)
            out.setting(row);

    bool headingWritten = false;
    for (const CustomCommand &slot : cfg.CustomCommands) {
        if (slot.Text.empty())
            continue;
        if (!headingWritten) {
            out.line("# These are custom server commands:");
            out.line("#");
            headingWritten = true;
        }
        out.line(slot.Text);
    }
    return inFileEncoding(out.take(), cfg.Encoding);
}

std::optional<UnencodableCharacter> findUnencodable(const KDXCfg &cfg)
{
    for (int index = 1; index <= SettingCount; ++index) {
        if (const auto character = cfg.Encoding.firstUnencodable(cfg.SettingTable[index].Value))
            return UnencodableCharacter{index, 0, *character};
    }
    for (int slot = 1; slot <= CustomCommandSlotCount; ++slot) {
        if (const auto character = cfg.Encoding.firstUnencodable(cfg.CustomCommands[slot].Text))
            return UnencodableCharacter{0, slot, *character};
    }
    return std::nullopt;
}

std::string unencodableReason(const KDXCfg &cfg, const UnencodableCharacter &found)
{
    const std::string holder = found.setting ? "the setting \"" + cfg.SettingTable[found.setting].Key + "\""
                                             : "the custom command \"" + cfg.CustomCommands[found.slot].Text + "\"";
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(found.character));
    return holder + " holds the character \"" + utf8FromCharacter(found.character) + "\" (" + code
           + "), which the file's encoding, " + cfg.Encoding.name() + ", cannot hold";
}

} // namespace kdx
