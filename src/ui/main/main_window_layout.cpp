#include "main_window_layout.h"

#include <array>

namespace kdx {
namespace {

using enum ControlType;
constexpr int None = ControlLayout::NoIndex;
constexpr int NoTab = ControlLayout::NoTab;
constexpr CaptionAlignment Centre = CaptionAlignment::Centre;
constexpr CaptionAlignment Right = CaptionAlignment::Right;

// Help marks and custom-command buttons share their size.
constexpr int Mark = 252;
constexpr int CustomWidth = 2892;
constexpr int CustomHeight = 252;

constexpr std::array controls = std::to_array<ControlLayout>({
    // Command column
    {"cmdLoad", None, Button, "ReLoad File", 120, 120, 1572, 372, 0, "Undo all changes"},
    {"cmdSave", None, Button, "Save File", 120, 600, 1572, 372, 3, "Changes to settings will take effect"},
    {"cmdCleanOut", None, Button, "Output \"Clean\" File", 120, 1200, 1572, 372, 1,
     "Save file without any comments (compressed)"},
    {"cmdClnOut2", None, Button, "Output \"Clean\" File (leave out Defaults)", 120, 1680, 1572, 612, 2,
     "Save file without any comments and default values (highly compressed)"},
    {"Shape1", None, Shape, "", 120, 2400, 1572, 492, NoTab},
    {"Label16", None, Heading, "Language settings", 120, 3000, 1572, 372, 87, {}, Centre},
    {"cmdTitlesLang", None, Button, "Console / Menus", 120, 3360, 1572, 492, 86},
    {"cmdChatLang", None, Button, "Bot-Chat", 120, 3960, 1572, 492, 85},
    {"Shape2", None, Shape, "", 120, 4560, 1572, 612, NoTab},
    {"Command2", None, Button, "Save and Exit", 120, 5280, 1572, 492, 59},
    {"Command1", None, Button, "Exit w/o Save (Esc) ", 120, 5880, 1572, 492, 58},

    // On/off column
    {"lblHelp", 2, HelpMark, "?", 2040, 300, Mark, Mark, 60},
    {"chkCVAR", 2, CheckBox, "E[VRK] Clantags", 2400, 240, 1572, 372, 4},
    {"lblHelp", 3, HelpMark, "?", 2040, 660, Mark, Mark, 61},
    {"chkCVAR", 3, CheckBox, "Show Bot's skill", 2400, 600, 1692, 372, 5},
    {"lblHelp", 7, HelpMark, "?", 2040, 1260, Mark, Mark, 62},
    {"chkCVAR", 7, CheckBox, "Allow Bot-Chat", 2400, 1200, 1452, 372, 11},
    {"lblHelp", 23, HelpMark, "?", 2040, 1620, Mark, Mark, 63},
    {"chkCVAR", 23, CheckBox, "Allow Spraylogos", 2400, 1560, 1572, 372, 15},
    {"lblHelp", 22, HelpMark, "?", 2040, 1980, Mark, Mark, 64},
    {"chkCVAR", 22, CheckBox, "Vote Team-Killers", 2400, 1920, 1692, 372, 9},
    {"lblHelp", 9, HelpMark, "?", 2040, 2580, Mark, Mark, 65},
    {"chkCVAR", 9, CheckBox, "Knife-Mode", 2400, 2520, 1332, 372, 13},
    {"lblHelp", 21, HelpMark, "?", 2040, 3180, Mark, Mark, 66},
    {"chkCVAR", 21, CheckBox, "HL-Speech Welcome-Msg", 2400, 3120, 1692, 372, 8},
    {"lblHelp", 24, HelpMark, "?", 2040, 3660, Mark, Mark, 67},
    {"chkCVAR", 24, CheckBox, "Invulnerable Hostages", 2400, 3600, 1332, 372, 14},
    {"lblHelp", 25, HelpMark, "?", 2040, 4020, Mark, Mark, 68},
    {"chkCVAR", 25, CheckBox, "Show Path-Errors", 2400, 3960, 1572, 372, 10},
    {"Label1", None, Heading, "Waypoint-Folder", 2400, 4440, 1572, 252, 19},
    {"lblHelp", 1, HelpMark, "?", 2040, 4680, Mark, Mark, 69},
    {"txtCVAR", 1, TextBox, "", 2520, 4680, 1572, 288, 18},
    {"Label15", None, Heading, "Custom commands", 2400, 5160, 1572, 252, 56},
    {"lblHelp", 0, HelpMark, "?", 2040, 5520, Mark, Mark, 70},

    // Bots and skill column
    {"lblHelp", 4, HelpMark, "?", 4440, 360, Mark, Mark, 71},
    {"Label2", None, Caption, "Wait (sec.)", 4800, 420, 852, 252, 23},
    {"numCVAR", 4, NumberBox, "", 5640, 360, 492, 288, 20},
    {"Label5", None, Caption, "Bots (min)", 4800, 900, 1692, 252, 28},
    {"numCVAR", 5, NumberBox, "", 5640, 840, 492, 288, 26},
    {"lblHelp", 5, HelpMark, "?", 4440, 1080, Mark, Mark, 72},
    {"Label6", None, Caption, "Bots (max)", 4800, 1260, 1692, 252, 29},
    {"numCVAR", 6, NumberBox, "", 5640, 1200, 492, 288, 27},
    {"lblHelp", 26, HelpMark, "?", 4440, 1560, Mark, Mark, 73},
    {"chkCVAR", 26, CheckBox, "Auto-Fill Server", 4800, 1500, 1572, 372, 12},
    {"Label7", None, Heading, "Bot-Skill", 4680, 2040, 1212, 252, 31},
    {"Label8", None, Caption, "(min)", 4800, 2280, 372, 252, 33, {}, Right},
    {"scrlSkill", 10, ScrollBar, "", 5280, 2280, 1092, 252, 30},
    {"lblSkill", 10, SkillDisplay, "", 6480, 2280, 492, 252, 35, {}, Centre},
    {"lblHelp", 10, HelpMark, "?", 4440, 2460, Mark, Mark, 74},
    {"Label9", None, Caption, "(max)", 4680, 2640, 492, 252, 34, {}, Right},
    {"scrlSkill", 11, ScrollBar, "", 5280, 2640, 1092, 252, 32},
    {"lblSkill", 11, SkillDisplay, "", 6480, 2640, 492, 252, 36, {}, Centre},
    {"lblHelp", 13, HelpMark, "?", 4440, 2940, Mark, Mark, 75},
    {"chkCVAR", 13, CheckBox, "Ultra-Skill-Mode", 4800, 2880, 1452, 372, 17},
    {"lblHelp", 12, HelpMark, "?", 4440, 3240, Mark, Mark, 76},
    {"chkCVAR", 12, CheckBox, "Inhuman Turns", 4800, 3240, 1452, 252, 16},
    {"lblHelp", 16, HelpMark, "?", 4440, 3600, Mark, Mark, 77},
    {"chkCVAR", 16, CheckBox, "Collect Experience", 4800, 3600, 1692, 252, 6},
    {"lblHelp", 17, HelpMark, "?", 4440, 3960, Mark, Mark, 78},
    {"chkCVAR", 17, CheckBox, "Shoot through walls", 4800, 3960, 1692, 252, 7},
    {"lblHelp", 14, HelpMark, "?", 4440, 4440, Mark, Mark, 79},
    {"Label3", None, Caption, "Max. Bots follow user", 4800, 4500, 1692, 252, 24},
    {"numCVAR", 14, NumberBox, "", 6480, 4440, 492, 288, 21},
    {"lblHelp", 15, HelpMark, "?", 4440, 4800, Mark, Mark, 80},
    {"Label4", None, Caption, "Max. Weapon-Pickup", 4800, 4860, 1692, 252, 25},
    {"numCVAR", 15, NumberBox, "", 6480, 4800, 492, 288, 22},

    // Timers and radio column
    {"Label11", None, Heading, "Timers (sec)", 6960, 360, 1092, 252, 42},
    {"lblHelp", 18, HelpMark, "?", 6720, 720, Mark, Mark, 81},
    {"Label14", None, Caption, "Sounds", 7080, 800, 852, 252, 48},
    {"timCVAR", 18, TimerBox, "", 7920, 720, 492, 288, 45},
    {"lblHelp", 19, HelpMark, "?", 6720, 1080, Mark, Mark, 82},
    {"Label13", None, Caption, "Pickups", 7080, 1140, 1452, 252, 47},
    {"timCVAR", 19, TimerBox, "", 7920, 1080, 492, 288, 44},
    {"lblHelp", 20, HelpMark, "?", 6720, 1440, Mark, Mark, 83},
    {"Label12", None, Caption, "Grenades", 7080, 1500, 1452, 252, 46},
    {"timCVAR", 20, TimerBox, "", 7920, 1440, 492, 288, 43},
    {"Label10", None, Heading, "Radio-Usage", 6960, 3000, 1332, 252, 41},
    {"radRadio", 0, OptionButton, "Full", 7080, 3240, 972, 252, 37},
    {"lblHelp", 8, HelpMark, "?", 6720, 3360, Mark, Mark, 84},
    {"radRadio", 1, OptionButton, "Reduced", 7080, 3480, 972, 252, 38},
    {"radRadio", 2, OptionButton, "Restricted", 7080, 3720, 1092, 252, 39},
    {"radRadio", 3, OptionButton, "Mute", 7080, 3960, 972, 252, 40},

    // Custom-command buttons.
    {"cmdCustom", 1, CustomButton, "", 2520, 5400, CustomWidth, CustomHeight, 50},
    {"cmdCustom", 2, CustomButton, "", 2520, 5640, CustomWidth, CustomHeight, 51},
    {"cmdCustom", 3, CustomButton, "", 2520, 5880, CustomWidth, CustomHeight, 52},
    {"cmdCustom", 4, CustomButton, "", 2520, 6120, CustomWidth, CustomHeight, 53},
    {"cmdCustom", 5, CustomButton, "", 5400, 5400, CustomWidth, CustomHeight, 54},
    {"cmdCustom", 6, CustomButton, "", 5400, 5640, CustomWidth, CustomHeight, 55},
    {"cmdCustom", 7, CustomButton, "", 5400, 5880, CustomWidth, CustomHeight, 57},
    {"cmdCustom", 8, CustomButton, "", 5400, 6120, CustomWidth, CustomHeight, 49},
});

constexpr std::array lines = std::to_array<LineLayout>({
    {"Line1", 1800, 120, 1800, 6480},
    {"Line2", 1680, 1080, 120, 1080},
    {"Line3", 2040, 1080, 4200, 1080},
    {"Line4", 2040, 2400, 4200, 2400},
    {"Line5", 2040, 3000, 4200, 3000},
    {"Line6", 4440, 720, 6240, 720},
    {"Line7", 4440, 1920, 8400, 1920},
    {"Line8", 4320, 240, 4320, 5040},
    {"Line9", 6480, 720, 6480, 1800},
    {"Line10", 4440, 4320, 8400, 4320},
    {"Line11", 6600, 3000, 6600, 4200},
});

constexpr std::array fieldLabels = std::to_array<FieldLabels>({
    {"txtCVAR_1", "Label1"},
    {"numCVAR_4", "Label2"},
    {"numCVAR_5", "Label5"},
    {"numCVAR_6", "Label6"},
    {"numCVAR_14", "Label3"},
    {"numCVAR_15", "Label4"},
    {"scrlSkill_10", "Label7", "Label8"},
    {"scrlSkill_11", "Label7", "Label9"},
    {"timCVAR_18", "Label14"},
    {"timCVAR_19", "Label13"},
    {"timCVAR_20", "Label12"},
});

} // namespace

std::span<const ControlLayout> mainWindowControls()
{
    return controls;
}

std::span<const LineLayout> mainWindowLines()
{
    return lines;
}

std::span<const FieldLabels> mainWindowFieldLabels()
{
    return fieldLabels;
}

} // namespace kdx
