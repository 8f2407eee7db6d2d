#pragma once

#include <span>
#include <string_view>

namespace kdx {

// What kind of control a row of the layout builds.
enum class ControlType {
    Button,       // a command button
    CustomButton, // a custom-command button, drawn on the entry-field colour
    CheckBox,
    TextBox,      // txtCVAR: free text
    NumberBox,    // numCVAR: whole numbers
    TimerBox,     // timCVAR: seconds
    ScrollBar,    // scrlSkill: 1..100
    SkillDisplay, // lblSkill: the effective skill
    OptionButton, // radRadio: one exclusive group
    Caption,      // a plain label
    Heading,      // an underlined group heading
    HelpMark,     // lblHelp: a "?" that shows a help text
    Shape,        // a decorative rectangle
};

enum class CaptionAlignment { Left, Centre, Right };

// One control of the main window, positioned in twips from the top-left corner
// of the client area. A control that shows a state (a setting, a skill, a custom
// command) has no caption here: its start state is the control panel's
// (controlStartStates). Array members carry their index; single controls have
// NoIndex. Controls that never take the focus may still hold a tab index.
struct ControlLayout {
    static constexpr int NoIndex = -1;
    static constexpr int NoTab = -1;

    std::string_view name;
    int index;
    ControlType type;
    std::string_view caption;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    std::string_view toolTip = {};
    CaptionAlignment alignment = CaptionAlignment::Left;
};

// A separator line from (x1, y1) to (x2, y2), in twips.
struct LineLayout {
    std::string_view name;
    int x1;
    int y1;
    int x2;
    int y2;
};

// A setting field and the captions beside it that name it, in reading order:
// the name a screen reader announces for the field.
struct FieldLabels {
    std::string_view field;
    std::string_view first;
    std::string_view second = {};
};

inline constexpr int MainClientWidthTwips = 8544;
inline constexpr int MainClientHeightTwips = 6528;

std::span<const ControlLayout> mainWindowControls();
std::span<const LineLayout> mainWindowLines();
std::span<const FieldLabels> mainWindowFieldLabels();

} // namespace kdx
