#include "setting_table.h"

namespace kdx {

const std::array<SettingDefinition, SettingCount> SettingDefinitions = {{
    {"wptfolder", "wptKDX", SettingKind::Text},
    {"clantags", "on", SettingKind::OnOff},
    {"skilltags", "on", SettingKind::OnOff},
    {"pause", "3", SettingKind::WholeNumber},
    {"min_bots", "0", SettingKind::WholeNumber},
    {"max_bots", "16", SettingKind::WholeNumber},
    {"botchat", "on", SettingKind::OnOff},
    {"radio", "0", SettingKind::Option},
    {"jasonmode", "off", SettingKind::OnOff},
    {"minbotskill", "80", SettingKind::Skill},
    {"maxbotskill", "100", SettingKind::Skill},
    {"inhumanturns", "off", SettingKind::OnOff},
    {"ultraskill", "off", SettingKind::OnOff},
    {"botsfollowuser", "3", SettingKind::WholeNumber},
    {"maxweaponpickup", "2", SettingKind::WholeNumber},
    {"collectexperience", "on", SettingKind::OnOff},
    {"shootthruwalls", "on", SettingKind::OnOff},
    {"timer_sound", "0.6", SettingKind::Seconds},
    {"timer_pickup", "0.4", SettingKind::Seconds},
    {"timer_grenade", "0.1", SettingKind::Seconds},
    {"usespeech", "off", SettingKind::OnOff},
    {"botvotekick", "on", SettingKind::OnOff},
    {"botspray", "off", SettingKind::OnOff},
    {"hostagefix", "on", SettingKind::OnOff},
    {"patherrmsg", "off", SettingKind::OnOff},
    {"autofill", "on", SettingKind::OnOff},
}};

int settingIndex(std::string_view key)
{
    for (int index = 1; index <= SettingCount; ++index)
        if (SettingDefinitions[static_cast<std::size_t>(index - 1)].key == key)
            return index;
    return 0;
}

std::string_view settingKey(int index)
{
    return SettingDefinitions[static_cast<std::size_t>(index - 1)].key;
}

std::vector<int> settingsOfKind(SettingKind kind)
{
    std::vector<int> indices;
    for (int index = 1; index <= SettingCount; ++index)
        if (SettingDefinitions[static_cast<std::size_t>(index - 1)].kind == kind)
            indices.push_back(index);
    return indices;
}

SettingTable::SettingTable()
{
    for (int index = 1; index <= SettingCount; ++index) {
        const SettingDefinition &definition = SettingDefinitions[static_cast<std::size_t>(index - 1)];
        SettingRow &row = (*this)[index];
        row.Key = definition.key;
        row.DefaultValue = definition.defaultValue;
        row.Value = row.DefaultValue;
    }
}

} // namespace kdx
