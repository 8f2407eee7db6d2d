#pragma once
// Seeded random configuration files and runs of kdxcfg that edit every kind of
// control, the custom commands and the clean outputs, for the tests that hold
// the two front ends to the same bytes.
#include "config/kdx_cfg.h"
#include "config/value_rules.h"

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace kdx::test {

using Run = std::vector<std::string>; // kdxcfg's arguments after --file

struct Case {
    std::string file;
    std::vector<Run> runs;
    std::string codePage = {}; // --code-page; the system's code pages where empty
};

inline const Case fixedCases[] = {
    // The box's click has both skill bars store the numbers they show.
    {"minbotskill 80.5\r\nmaxbotskill 100.0\r\nultraskill off\r\n", {{"set", "ultraskill=on"}}},
    {"pause 3.7\r\nminbotskill 150\r\nradio 1.5\r\ntimer_sound 5\r\nmin_bots 30\r\nmax_bots 24.5\r\nclantags On\r\n"
     "radio 9\r\nmaxbotskill 80.5\r\nsay hi\r\n",
     {{"set", "botchat=off", "timer_pickup=0.05", "max_bots=20"}}},
    // Text beyond ASCII, typed into the window and given to kdxcfg as arguments.
    {"",
     {{"set", "wptfolder=Жук maps", "radio=3", "minbotskill=60", "ultraskill=on", "pause=7.9"},
      {"command", "set", "1", "say 日本"}}},
    {"max_bots 4\r\n# c\r\nmax_bots 5\nsay 1\rsay 2\r\n",
     {{"set", "max_bots=7", "min_bots=9"}, {"command", "set", "1", "say one"}, {"command", "remove", "2"}}},
    // A Windows-1251 file, with a byte that the code page leaves unassigned.
    {"wptfolder \xef\xf3\xf2\xfc\r\nsay \xc6\r\n# \x98\r\n",
     {{"set", "wptfolder=карты", "pause=4"}, {"command", "set", "2", "say ё"}, {"command", "set", "1", "say Привет"}},
     "1251"},
};

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

inline Case randomCase(std::mt19937 &random)
{
    using S = std::string;
    Case drawn;
    // One file in four is read in Windows-1251, where Cyrillic text is held.
    if (between(random, 0, 3) == 0)
        drawn.codePage = "1251";
    for (int line = 0, lines = between(random, 0, 24); line < lines; ++line) {
        const int index = between(random, 1, SettingCount);
        switch (between(random, 0, 9)) {
        case 0: // a byte that is no UTF-8 makes it a Windows-1252 file
            drawn.file += oneOf<S>(random, {"# remark", "# caf\xe9", "# \xef\xf3\xf2\xfc"});
            break;
        case 1:
            break; // blank
        case 2:
        case 3:
            drawn.file += oneOf<S>(random, {"say hi", "mp_roundtime 3.5", "say Жук", "  sv_gravity 800  "});
            break;
        case 4:
            drawn.file +=
                oneOf<S>(random, {" ", "", "\t"}) + keyOf(index) + oneOf<S>(random, {"=", "\t", "  "}) + fileValue(random, index);
            break;
        default:
            drawn.file += keyOf(index) + ' ' + fileValue(random, index);
        }
        if (line + 1 < lines || between(random, 0, 4))
            drawn.file += oneOf<S>(random, {"\r\n", "\r\n", "\n", "\r"});
    }
    for (int runs = between(random, 1, 3); runs > 0; --runs) {
        const S slot = std::to_string(between(random, 1, CustomCommandSlotCount));
        const S command = oneOf<S>(random, {"say new", "mp_timelimit 20", "say hi", ""});
        switch (between(random, 0, 9)) {
        case 0:
            drawn.runs.push_back({"command", "set", slot, command});
            break;
        case 1:
            drawn.runs.push_back({"command", "add", command.empty() ? "say more" : command});
            break;
        case 2:
            drawn.runs.push_back({"command", "remove", slot});
            break;
        case 3:
            drawn.runs.push_back(between(random, 0, 1) ? Run{"clean"} : Run{"clean", "--leave-out-defaults"});
            drawn.runs.back().push_back(oneOf<S>(random, {"clean.cfg", "KDX.cfg"}));
            break;
        default:
            drawn.runs.push_back({"set"});
            for (int count = between(random, 1, 4); count > 0; --count) {
                // The skill bars and "ultraskill" more often than their share, as they meet.
                const int index = between(random, 0, 9) < 3 ? oneOf(random, {10, 11, 13}) : between(random, 1, SettingCount);
                drawn.runs.back().push_back(keyOf(index) + '=' + enteredValue(random, index));
            }
        }
    }
    return drawn;
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

} // namespace kdx::test
