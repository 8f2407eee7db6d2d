#pragma once
// Seeded random configuration files and kdxcfg's edits of them: repeated keys,
// files past 256 lines, up to twelve command lines, odd separators and line
// ends, three code pages; set (with and without --command), command add, set
// and remove, and clean, with values and commands tidy, untidy or refused.
#include "config/code_page.h"
#include "config/kdx_cfg.h"
#include "config/requested_edit.h"
#include "config/value_rules.h"

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace kdx::test {

template <typename T>
T oneOf(std::mt19937 &random, std::initializer_list<T> choices)
{
    return choices.begin()[std::uniform_int_distribution<std::size_t>(0, choices.size() - 1)(random)];
}

inline int between(std::mt19937 &random, int lowest, int highest)
{
    return std::uniform_int_distribution(lowest, highest)(random);
}

inline SettingKind kindOf(int index)
{
    return SettingDefinitions[std::size_t(index - 1)].kind;
}

inline std::string keyOf(int index)
{
    return std::string(SettingDefinitions[std::size_t(index - 1)].key);
}

// Values as a file may hold them, tidy or not.
inline std::string fileValue(std::mt19937 &random, int index)
{
    using S = std::string;
    switch (kindOf(index)) {
    case SettingKind::Text:
        return oneOf<S>(random, {"wptKDX", "my maps", "maps\\", "", " lead", "Жук"});
    case SettingKind::OnOff:
        return oneOf<S>(random, {"on", "off", "On", "", "1"});
    case SettingKind::WholeNumber:
        return oneOf<S>(random, {"0", "3", "20", "24", "3.7", "12abc", "-4", "x", "1e2", "", " 5"});
    case SettingKind::Seconds:
        return oneOf<S>(random, {"0.6", "0.05", "5", "0.", "", "0.5s", "1.00", "x"});
    case SettingKind::Skill:
        return oneOf<S>(random, {"80", "80.5", "100.0", "60", "150", "0", "x", "81.5"});
    case SettingKind::Option:
        return oneOf<S>(random, {"0", "1", "3", "1.5", "9", "0.4", "x"});
    }
    return {};
}

// Values that kdxcfg takes, so the setting's control too.
inline std::string enteredValue(std::mt19937 &random, int index)
{
    using S = std::string;
    switch (kindOf(index)) {
    case SettingKind::Text:
        return oneOf<S>(random, {"wptKDX", "my maps", "x=y", "", "Жук", "#c", "maps\\"});
    case SettingKind::OnOff:
        return oneOf<S>(random, {"on", "off"});
    case SettingKind::WholeNumber:
        return between(random, 0, 1)
                   ? std::to_string(between(random, 0, 30))
                   : oneOf<S>(random, {"3.7", "-4", "1e2", " 4", "&H1F", "0.5", "0.9999999999999999", "12345678901234567"});
    case SettingKind::Seconds:
        return oneOf<S>(random, {"0.05", "0.1", "0.5", "0.9", "0.95", "5", "0.", "0", "1.00"});
    case SettingKind::Skill:
        return between(random, 0, 4) ? std::to_string(between(random, 1, 100)) : "050";
    case SettingKind::Option:
        return std::to_string(between(random, 0, RadioOptionCount - 1));
    }
    return {};
}

// Texts a user may type or paste into a box, tidy or not.
inline std::string typedText(std::mt19937 &random)
{
    return oneOf<std::string>(random, {"", "0", "7", "3.7", "-4", "12abc", "1e2", "0.", "0.05", "0.95", "20", "x", "a\r\nb",
                                       "5\n\n6", "Жук", " 9", "99999999999999999"});
}

inline std::string printable(std::string_view bytes)
{
    std::string text;
    for (char c : bytes)
        text += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    return text;
}

// Values as files hold them and as admins give them, tidy or not, some refused.
inline std::string someValue(std::mt19937 &random, int index)
{
    return between(random, 0, 1) ? fileValue(random, index) : enteredValue(random, index);
}

// Commands as admins write them: plain, with blanks, beyond ASCII, and those
// that would not read back as commands.
inline std::string someCommand(std::mt19937 &random)
{
    using S = std::string;
    return oneOf<S>(random, {"say a", "say b", "mp_roundtime 3.5", "  sv_gravity 800 ", "say Жук", "say caf\xc3\xa9", "", "   ",
                             "max_bots 99", "pauseX", "# weekend rules", "say\nhi"});
}

struct Case {
    std::string file;
    FileCodePages codePages;
    RequestedEdit edit;
    std::string description;
};

inline FileCodePages someCodePages(std::mt19937 &random, std::string &description)
{
    const std::string name = oneOf<std::string>(random, {"", "1251", "1252"});
    description += "code page " + (name.empty() ? std::string("of the system") : name) + "\n";
    return name.empty() ? systemCodePages() : std::get<FileCodePages>(codePagesNamed(name));
}

inline std::string someFile(std::mt19937 &random)
{
    std::string file;
    const bool long_ = between(random, 0, 7) == 0;
    const int lines = long_ ? between(random, 240, 275) : between(random, 0, 24);
    int commands = 0;
    for (int line = 1; line <= lines; ++line) {
        const int index = between(random, 1, SettingCount);
        const int kind = long_ && line < 230 ? 9 : between(random, 0, 9);
        if (kind <= 3 && commands < 12) {
            ++commands;
            file += oneOf<std::string>(random, {"say hi", " mp_timelimit 20 ", "say \xe9t\xe9", "say Жук"});
        } else if (kind == 4) {
            file += oneOf<std::string>(random, {"", "   "});
        } else if (kind <= 6) {
            file += keyOf(index) + oneOf<std::string>(random, {" ", "=", "\t", "  "}) + someValue(random, index);
        } else {
            file += oneOf<std::string>(random, {"# remark", "#", "# caf\xe9"});
        }
        if (line < lines || between(random, 0, 3))
            file += oneOf<std::string>(random, {"\r\n", "\r\n", "\n", "\r"});
    }
    return file;
}

inline RequestedEdit someEdit(std::mt19937 &random)
{
    RequestedEdit edit;
    switch (between(random, 0, 9)) {
    case 0:
        edit.commands = CommandAdded{someCommand(random)};
        break;
    case 1:
        edit.commands = CommandSlotSet{between(random, 0, 9), someCommand(random)};
        break;
    case 2:
        edit.commands = CommandSlotSet{between(random, 1, 8), ""};
        break;
    case 3:
        edit.cleanOutput = oneOf(random, {CleanOutputKind::AllSettings, CleanOutputKind::LeaveOutDefaults});
        break;
    default:
        for (int count = between(random, 0, 3); count > 0; --count) {
            // ultraskill and the bot counts more often than their share, as their rules move others.
            const int index = between(random, 0, 2) ? between(random, 1, SettingCount) : oneOf(random, {5, 6, 13});
            edit.settings.push_back(
                {index, index == setting::UltraSkill ? oneOf<std::string>(random, {"on", "off"}) : someValue(random, index)});
        }
        if (edit.settings.empty() || between(random, 0, 2) == 0) {
            std::vector<std::string> texts;
            for (int count = between(random, 0, 10); count > 0; --count)
                texts.push_back(someCommand(random));
            edit.commands = CommandSlotsReplaced{texts};
        }
    }
    return edit;
}

inline std::string describe(const RequestedEdit &edit)
{
    std::string text = "edit:";
    const auto add = [&text](std::string_view what, std::string_view value) {
        text.append(" ").append(what).append("[").append(printable(value)).append("]");
    };
    for (const SettingEntry &entry : edit.settings)
        add(keyOf(entry.index) + "=", entry.value);
    if (const auto *replaced = std::get_if<CommandSlotsReplaced>(&edit.commands))
        for (const std::string &command : replaced->texts)
            add("--command ", command);
    if (const auto *added = std::get_if<CommandAdded>(&edit.commands))
        add("command add ", added->text);
    if (const auto *set = std::get_if<CommandSlotSet>(&edit.commands))
        add("command set " + std::to_string(set->slot) + " ", set->text);
    if (edit.cleanOutput)
        text += *edit.cleanOutput == CleanOutputKind::AllSettings ? " clean" : " clean --leave-out-defaults";
    return text;
}

inline Case someCase(unsigned seed)
{
    std::mt19937 random(seed);
    std::string description;
    FileCodePages codePages = someCodePages(random, description);
    std::string file = someFile(random);
    RequestedEdit edit = someEdit(random);
    description += "file: " + printable(file) + "\n" + describe(edit);
    return {std::move(file), std::move(codePages), std::move(edit), std::move(description)};
}

} // namespace kdx::test
