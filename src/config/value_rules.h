#pragma once

#include "setting_table.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kdx {

// The rules by which the main window's controls tidy what is typed into them or
// shown in them, and what each control stores. Both front ends go through these:
// the window's handlers one assignment at a time, kdxcfg for a whole entry. All
// texts are UTF-8.

// True when the text holds a carriage return or a line feed, which would end a
// line of the file.
bool holdsLineBreak(std::string_view text);

// A single-line field's text: every run of carriage returns and line feeds
// becomes one blank, as single-line fields take pasted lines.
std::string singleLine(std::string_view text);

// Check box: ticked for "on", cleared for "off"; std::nullopt for any other
// text, which leaves the box as it is.
std::optional<bool> checkBoxShown(std::string_view value);
// What a check box stores: "on" when ticked, else "off".
std::string checkBoxValue(bool ticked);

// Number box: the text it shows for a text, a whole number of 0 or more as
// NumberToText writes it. A text without a number counts as 0; a fraction is cut
// off, not rounded.
std::string wholeNumberShown(std::string_view text);

// min_bots and max_bots: the text that the edited box (setting::MinBots or
// setting::MaxBots) shows once the pair has given way. A min_bots above max_bots
// is lowered to max_bots, a max_bots below min_bots raised to min_bots; any other
// index keeps its own text. Both texts are whole numbers as the boxes show them.
std::string botCountGivenWay(int index, std::string_view minBots, std::string_view maxBots);

// Timer box: the text it holds, kept within 0.1 and "1.0": below 0.1 it becomes
// "0.1", above 0.9 "1.0", anything else stays as it stands (letters after the
// number too). std::nullopt for the empty text and "0.", which the box leaves
// alone while the user is still typing: the setting keeps its value.
std::optional<std::string> secondsHeld(std::string_view text);

inline constexpr int LowestSkill = 1;
inline constexpr int HighestSkill = 100;

// Skill bar: the value it shows for a text, its number rounded half to even and
// held within LowestSkill and HighestSkill.
int skillShown(std::string_view text);
// True when the rounded number lies outside the bar's range, so that the bar
// shows another number than the text holds.
bool skillOutsideBar(std::string_view text);
// What a skill bar stores: the number it shows, as plain digits.
std::string skillBarValue(int shown);

inline constexpr int RadioOptionCount = 4;

// Radio-Usage: the option (0 to 3) that a value selects, its number rounded half
// to even; std::nullopt when that is no option.
std::optional<int> radioOptionShown(std::string_view text);
// What the option buttons store: the selected option's digit.
std::string radioOptionValue(int option);

struct ValueChange {
    int index = 0;
    std::string before;
    std::string after;
};

// What the window stores when it first shows the values of a freshly read file:
// number boxes hold whole numbers, and a min_bots above max_bots is lowered;
// timers are held within 0.1 and "1.0"; a skill bar that moves from its start or
// cannot show the number stores what it shows; a radio value selecting another
// option than "Full" stores the option's digit. Check boxes and the waypoint
// folder store what they were given. Applies every change to the table and
// returns them in index order.
std::vector<ValueChange> tidyAsFirstShown(SettingTable &table);

// True when the setting's control can show the value as it stands: "on" or
// "off" for a check box, a number within the bar for a skill, a number rounding
// to 0..3 for the radio; every value for the others.
bool controlCanShow(int index, std::string_view value);

// What the control of a setting accepts, in words for a message ("on or off").
std::string_view acceptedEntry(int index);

// Enters a value given to kdxcfg into a setting as if the user had entered it in
// its control: a text box takes any text, a number or timer box a number and
// tidies it as its handler does (for min_bots and max_bots the entered one gives
// way to the other); a check box takes only "on" or "off", a skill bar only a
// whole number 1..100, the radio only 0..3. A check box that already holds the
// value is left alone; any other entry clicks it, and a click of "ultraskill"
// also has both skill bars store the numbers they show. False, and nothing
// changed, for a value the control cannot take: a line break, text in a number
// or timer box that is not one number as a whole (the window's box would read
// "1O" as 1, but in a script it is a typo), anything out of a fixed range.
bool enterValue(SettingTable &table, int index, std::string_view value);

} // namespace kdx
