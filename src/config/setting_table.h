#pragma once

#include "one_based_array.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kdx {

inline constexpr int SettingCount = 26;

// How a setting is shown and edited in the main window.
enum class SettingKind {
    Text,        // the waypoint folder, free text
    OnOff,       // "on" / "off", a check box
    WholeNumber, // a number box
    Option,      // the radio usage, four option buttons
    Skill,       // a skill scroll bar, 1..100
    Seconds,     // a timer box, 0.1..1.0
};

struct SettingDefinition {
    std::string_view key;
    std::string_view defaultValue;
    SettingKind kind;
};

// The 26 known settings in index order, which is also the order of the clean outputs.
// Element 0 holds setting 1.
extern const std::array<SettingDefinition, SettingCount> SettingDefinitions;

// The index of the setting called `key`, 0 for none; keys count case.
int settingIndex(std::string_view key);

// The key of the setting at `index`, 1 to SettingCount.
std::string_view settingKey(int index);

// The indices of the settings of one kind, ascending.
std::vector<int> settingsOfKind(SettingKind kind);

// Setting indices that other parts of the program name directly.
namespace setting {
inline constexpr int WaypointFolder = 1;
inline constexpr int MinBots = 5;
inline constexpr int MaxBots = 6;
inline constexpr int Radio = 8;
inline constexpr int MinBotSkill = 10;
inline constexpr int MaxBotSkill = 11;
inline constexpr int UltraSkill = 13;
} // namespace setting

struct SettingRow {
    std::string Key;
    std::string Value;
    std::string DefaultValue;
    std::optional<int> FoundAtLine; // 1-based line of ConfigLines, none when not read from the file
};

// The 26 settings, indexed 1 to 26. A new table holds every key with its default
// as the current value and no line numbers.
class SettingTable : public OneBasedArray<SettingRow, SettingCount> {
public:
    SettingTable();

    bool holdsDefault(int index) const { return (*this)[index].Value == (*this)[index].DefaultValue; }
};

} // namespace kdx
