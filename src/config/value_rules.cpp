#include "value_rules.h"

#include "number_text.h"

#include <algorithm>
#include <cmath>

namespace kdx {
namespace {

constexpr std::string_view TickedValue = "on";
constexpr std::string_view ClearedValue = "off";

SettingKind kindOf(int index)
{
    return SettingDefinitions.at(static_cast<std::size_t>(index - 1)).kind;
}

// A whole number within the range written as plain digits, as a fixed-range
// control takes it from kdxcfg ("050" is 50; "5.0", "5x" and "+5" are refused).
std::optional<int> plainWholeNumber(std::string_view text, int lowest, int highest)
{
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int number = std::stoi(std::string(text));
    if (number < lowest || number > highest)
        return std::nullopt;
    return number;
}

double roundedNumber(std::string_view text)
{
    return roundHalfToEven(NumberFromText(text));
}

} // namespace

bool holdsLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string singleLine(std::string_view text)
{
    std::string line;
    line.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t lineBreak = text.find_first_of("\r\n", at);
        line.append(text.substr(at, lineBreak - at));
        if (lineBreak == std::string_view::npos)
            break;
        line += ' ';
        at = text.find_first_not_of("\r\n", lineBreak);
    }
    return line;
}

std::optional<bool> checkBoxShown(std::string_view value)
{
    if (value == TickedValue)
        return true;
    if (value == ClearedValue)
        return false;
    return std::nullopt;
}

std::string checkBoxValue(bool ticked)
{
    return std::string(ticked ? TickedValue : ClearedValue);
}

std::string wholeNumberShown(std::string_view text)
{
    const double number = std::max(NumberFromText(text), 0.0);
    // The box shows the number's text first and cuts the fraction of what that
    // text reads back as, so 0.9999999999999999 (15 digits: "1") becomes 1.
    const double shown = NumberFromText(NumberToText(number));
    return NumberToText(std::floor(shown));
}

std::string botCountGivenWay(int index, std::string_view minBots, std::string_view maxBots)
{
    const bool minAboveMax = NumberFromText(minBots) > NumberFromText(maxBots);
    if (index == setting::MinBots)
        return std::string(minAboveMax ? maxBots : minBots);
    if (index == setting::MaxBots)
        return std::string(minAboveMax ? minBots : maxBots);
    return {};
}

std::optional<std::string> secondsHeld(std::string_view text)
{
    if (text.empty() || text == "0.")
        return std::nullopt;
    const double seconds = NumberFromText(text);
    if (seconds < 0.1)
        return "0.1";
    if (seconds > 0.9)
        return "1.0";
    return std::string(text);
}

int skillShown(std::string_view text)
{
    return static_cast<int>(std::clamp(roundedNumber(text), double(LowestSkill), double(HighestSkill)));
}

bool skillOutsideBar(std::string_view text)
{
    return roundedNumber(text) != skillShown(text);
}

std::string skillBarValue(int shown)
{
    return NumberToText(shown);
}

std::optional<int> radioOptionShown(std::string_view text)
{
    const double option = roundedNumber(text);
    if (option < 0 || option >= RadioOptionCount)
        return std::nullopt;
    return static_cast<int>(option);
}

std::string radioOptionValue(int option)
{
    return std::to_string(option);
}

std::vector<ValueChange> tidyAsFirstShown(SettingTable &table)
{
    std::vector<std::string> shown;
    for (const SettingRow &row : table)
        shown.push_back(row.Value);
    const auto value = [&shown](int index) -> std::string & { return shown[static_cast<std::size_t>(index - 1)]; };

    for (int index = 1; index <= SettingCount; ++index) {
        std::string &text = value(index);
        // Every control starts at the setting's default, and only a change of its
        // state raises its handler.
        const std::string &start = table[index].DefaultValue;
        switch (kindOf(index)) {
        case SettingKind::WholeNumber:
            text = wholeNumberShown(text);
            break;
        case SettingKind::Seconds:
            text = secondsHeld(text).value_or(text);
            break;
        case SettingKind::Skill:
            if (skillShown(text) != skillShown(start) || skillOutsideBar(text))
                text = skillBarValue(skillShown(text));
            break;
        case SettingKind::Option:
            if (const auto option = radioOptionShown(text); option && option != radioOptionShown(start))
                text = radioOptionValue(*option);
            break;
        case SettingKind::Text:
        case SettingKind::OnOff:
            break;
        }
    }
    // The boxes were filled without comparing the pair; then min_bots gives way.
    value(setting::MinBots) = botCountGivenWay(setting::MinBots, value(setting::MinBots), value(setting::MaxBots));

    std::vector<ValueChange> changes;
    for (int index = 1; index <= SettingCount; ++index) {
        if (value(index) != table[index].Value) {
            changes.push_back({index, table[index].Value, value(index)});
            table[index].Value = value(index);
        }
    }
    return changes;
}

bool controlCanShow(int index, std::string_view value)
{
    switch (kindOf(index)) {
    case SettingKind::OnOff:
        return checkBoxShown(value).has_value();
    case SettingKind::Skill:
        return !skillOutsideBar(value);
    case SettingKind::Option:
        return radioOptionShown(value).has_value();
    case SettingKind::Text:
    case SettingKind::WholeNumber:
    case SettingKind::Seconds:
        break;
    }
    return true;
}

std::string_view acceptedEntry(int index)
{
    switch (kindOf(index)) {
    case SettingKind::Text:
        return "any text on one line";
    case SettingKind::OnOff:
        return "on or off";
    case SettingKind::WholeNumber:
        return "a whole number of 0 or more";
    case SettingKind::Option:
        return "0 (Full), 1 (Reduced), 2 (Restricted) or 3 (Mute)";
    case SettingKind::Skill:
        return "a whole number from 1 to 100";
    case SettingKind::Seconds:
        return "seconds from 0.1 to 1.0";
    }
    return {};
}

bool enterValue(SettingTable &table, int index, std::string_view value)
{
    if (holdsLineBreak(value))
        return false;
    std::string &stored = table[index].Value;
    switch (kindOf(index)) {
    case SettingKind::Text:
        stored = value;
        return true;
    case SettingKind::OnOff:
        if (!checkBoxShown(value))
            return false;
        if (stored == value)
            return true;
        stored = value;
        // The box's click runs the skill bars' handler, which stores what each bar shows.
        if (index == setting::UltraSkill)
            for (const int skill : {setting::MinBotSkill, setting::MaxBotSkill})
                table[skill].Value = skillBarValue(skillShown(table[skill].Value));
        return true;
    case SettingKind::WholeNumber: {
        if (!isNumberText(value))
            return false;
        stored = wholeNumberShown(value);
        const auto &minBots = table[setting::MinBots].Value;
        const auto &maxBots = table[setting::MaxBots].Value;
        if (index == setting::MinBots || index == setting::MaxBots)
            stored = botCountGivenWay(index, minBots, maxBots);
        return true;
    }
    case SettingKind::Seconds:
        if (!isNumberText(value))
            return false;
        stored = secondsHeld(value).value_or(stored);
        return true;
    case SettingKind::Skill:
        if (const auto skill = plainWholeNumber(value, LowestSkill, HighestSkill)) {
            stored = skillBarValue(*skill);
            return true;
        }
        return false;
    case SettingKind::Option:
        if (const auto option = plainWholeNumber(value, 0, RadioOptionCount - 1)) {
            stored = radioOptionValue(*option);
            return true;
        }
        return false;
    }
    return false;
}

} // namespace kdx
