#pragma once

#include "kdx_cfg.h"

#include <compare>
#include <map>
#include <set>
#include <string>
#include <string_view>

namespace kdx {

// The main window's control arrays that show the configuration.
enum class Control { chkCVAR, txtCVAR, numCVAR, timCVAR, scrlSkill, lblSkill, radRadio, cmdCustom };

struct ControlId {
    Control array;
    int index;

    auto operator<=>(const ControlId &) const = default;
};

// The controls whose state a change or a fill left different, in array and index order.
using ChangedControls = std::set<ControlId>;

// What each control shows: a check box's tick, a box's text, a bar's position,
// a skill label's caption, the selected option, a custom-command button's caption.
// Texts are UTF-8.
struct ControlStates {
    std::map<int, bool> chkCVAR;
    std::map<int, std::string> txtCVAR;
    std::map<int, std::string> numCVAR;
    std::map<int, std::string> timCVAR;
    std::map<int, int> scrlSkill;
    std::map<int, std::string> lblSkill;
    int radRadio = 0;
    OneBasedArray<std::string, CustomCommandSlotCount> cmdCustom;

    bool operator==(const ControlStates &) const = default;
};

// The states the window's controls hold when it opens, before the first fill.
const ControlStates &controlStartStates();

// Every control of the states: the option buttons 0 to 3, the custom-command
// buttons 1 to 8, and each member of the other arrays.
ChangedControls everyControl();

// The main window's controls without the window: their states, and the handlers
// that run when a state changes, storing into the configuration's SettingTable.
// As on the window system the handlers were written for, assigning a control's
// state in code runs its handler at once, nested, and only when the state
// changes; the fill and every handler rely on that. So the window shows what
// this model holds, and a value given whole (kdxcfg's) is entered as the
// window's controls take it.
class ControlPanel {
public:
    // The controls in their start states, over the configuration they show.
    explicit ControlPanel(KDXCfg &cfg);

    const ControlStates &states() const { return states_; }

    // A user's change: the control's new state, which its widget shows already,
    // then its handler with every handler that its corrections raise. The result
    // names every control whose state the handlers left different from what its
    // widget shows.
    ChangedControls chkCVAR_Click(int index, bool ticked);
    ChangedControls txtCVAR_Change(int index, std::string_view text);
    ChangedControls numCVAR_Change(int index, std::string_view text);
    ChangedControls timCVAR_Change(int index, std::string_view text);
    ChangedControls scrlSkill_Change(int index, int position);
    ChangedControls radRadio_Click(int option);

    // Puts every setting into its control and the custom commands on their
    // buttons, after a read.
    ChangedControls ShowSettings();
    // The custom commands on their buttons, after the editor changed a slot.
    ChangedControls ShowCustomCommands();

    // Makes a setting's control show a value entered whole, as a user pastes a
    // text into a box, ticks or clears a box, or moves a bar or an option to it
    // (and away and back where it shows it already but the setting holds another
    // text). A check box takes only "on" or "off", a skill bar only a whole
    // number 1..100 in plain digits, the radio only 0..3, a number or timer box
    // only a text that is one number as a whole (the box itself would read "1O"
    // as 1, but in a script that is a typo); no control takes a line break.
    // False, and nothing changed, for a value the control does not take.
    bool enter(int index, std::string_view value);

private:
    void tick(int index, bool ticked);
    void assignText(Control array, int index, std::string text);
    void moveBar(int index, int position);
    void selectOption(int option);

    void checkBoxClicked(int index);
    void textBoxChanged();
    void numberBoxChanged(int index);
    void timerBoxChanged(int index);
    void skillBarChanged(int index);
    void optionClicked(int option);
    bool keptOnOneLine(Control array, int index);

    void showSkill(int index);
    void showRadioOption();
    void showCustomCommands();
    void updateSkillLabel(int index);
    void setValue(int index, std::string value);

    std::string &textOf(Control array, int index);
    // Runs a change and names the controls it left different.
    template <typename Change>
    ChangedControls changing(Change change);
    template <typename State, typename Handler>
    ChangedControls userChange(State &state, State changed, Handler handler);

    KDXCfg &cfg_;
    ControlStates states_;
    // False while a fill sets the check boxes; only the skill bars' handler heeds it.
    bool ControlsReady = false;
    // While a fill shows a min_bots/max_bots pair from the file, neither box is
    // compared with the other's previous contents.
    bool fillingBotCounts_ = false;
};

} // namespace kdx
