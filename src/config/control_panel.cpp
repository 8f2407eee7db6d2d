#include "control_panel.h"

#include "number_text.h"
#include "value_rules.h"

#include <algorithm>
#include <stdexcept>

namespace kdx {
namespace {

constexpr std::string_view FreeSlotCaption = "<Click to add new>";
// The skill labels count "ultraskill" in as this much more.
constexpr int UltraSkillBonus = 100;

SettingKind kindOf(int index)
{
    return SettingDefinitions.at(static_cast<std::size_t>(index - 1)).kind;
}

template <typename State>
void addDifferences(ChangedControls &changed, Control array, const std::map<int, State> &before,
                    const std::map<int, State> &after)
{
    for (const auto &[index, state] : after)
        if (before.at(index) != state)
            changed.insert({array, index});
}

ChangedControls differences(const ControlStates &before, const ControlStates &after)
{
    ChangedControls changed;
    addDifferences(changed, Control::chkCVAR, before.chkCVAR, after.chkCVAR);
    addDifferences(changed, Control::txtCVAR, before.txtCVAR, after.txtCVAR);
    addDifferences(changed, Control::numCVAR, before.numCVAR, after.numCVAR);
    addDifferences(changed, Control::timCVAR, before.timCVAR, after.timCVAR);
    addDifferences(changed, Control::scrlSkill, before.scrlSkill, after.scrlSkill);
    addDifferences(changed, Control::lblSkill, before.lblSkill, after.lblSkill);
    if (before.radRadio != after.radRadio) {
        changed.insert({Control::radRadio, before.radRadio});
        changed.insert({Control::radRadio, after.radRadio});
    }
    for (int slot = 1; slot <= CustomCommandSlotCount; ++slot)
        if (before.cmdCustom[slot] != after.cmdCustom[slot])
            changed.insert({Control::cmdCustom, slot});
    return changed;
}

ControlStates startStates()
{
    ControlStates states;
    for (const int index : settingsOfKind(SettingKind::OnOff))
        states.chkCVAR[index] = false;
    states.txtCVAR = {{1, "wptKDX"}};
    states.numCVAR = {{4, "3"}, {5, "0"}, {6, "16"}, {14, "3"}, {15, "2"}};
    states.timCVAR = {{18, "0.6"}, {19, "0.4"}, {20, "0.1"}};
    states.scrlSkill = {{10, 80}, {11, 100}};
    states.lblSkill = {{10, "80"}, {11, "100"}};
    states.radRadio = 0; // "Full"
    // Placeholders until the first fill shows the slots.
    for (int slot = 1; slot <= CustomCommandSlotCount; ++slot)
        states.cmdCustom[slot] = slot == 6 ? "<Add New>" : "Command1";
    return states;
}

} // namespace

const ControlStates &controlStartStates()
{
    static const ControlStates states = startStates();
    return states;
}

ChangedControls everyControl()
{
    const ControlStates &start = controlStartStates();
    ChangedControls every;
    const auto add = [&every](Control array, const auto &members) {
        for (const auto &[index, state] : members)
            every.insert({array, index});
    };
    add(Control::chkCVAR, start.chkCVAR);
    add(Control::txtCVAR, start.txtCVAR);
    add(Control::numCVAR, start.numCVAR);
    add(Control::timCVAR, start.timCVAR);
    add(Control::scrlSkill, start.scrlSkill);
    add(Control::lblSkill, start.lblSkill);
    for (int option = 0; option < RadioOptionCount; ++option)
        every.insert({Control::radRadio, option});
    for (int slot = 1; slot <= CustomCommandSlotCount; ++slot)
        every.insert({Control::cmdCustom, slot});
    return every;
}

ControlPanel::ControlPanel(KDXCfg &cfg) : cfg_(cfg), states_(controlStartStates()) {}

template <typename Change>
ChangedControls ControlPanel::changing(Change change)
{
    const ControlStates before = states_;
    change();
    return differences(before, states_);
}

template <typename State, typename Handler>
ChangedControls ControlPanel::userChange(State &state, State changed, Handler handler)
{
    // The widget shows the new state already; the window system raises the
    // handler only when it differs.
    if (state == changed)
        return {};
    state = std::move(changed);
    return changing(handler);
}

ChangedControls ControlPanel::chkCVAR_Click(int index, bool ticked)
{
    return userChange(states_.chkCVAR.at(index), ticked, [&] { checkBoxClicked(index); });
}

ChangedControls ControlPanel::txtCVAR_Change(int index, std::string_view text)
{
    return userChange(states_.txtCVAR.at(index), std::string(text), [&] { textBoxChanged(); });
}

ChangedControls ControlPanel::numCVAR_Change(int index, std::string_view text)
{
    return userChange(states_.numCVAR.at(index), std::string(text), [&] { numberBoxChanged(index); });
}

ChangedControls ControlPanel::timCVAR_Change(int index, std::string_view text)
{
    return userChange(states_.timCVAR.at(index), std::string(text), [&] { timerBoxChanged(index); });
}

ChangedControls ControlPanel::scrlSkill_Change(int index, int position)
{
    return userChange(states_.scrlSkill.at(index), std::clamp(position, LowestSkill, HighestSkill),
                      [&] { skillBarChanged(index); });
}

ChangedControls ControlPanel::radRadio_Click(int option)
{
    if (option < 0 || option >= RadioOptionCount)
        return {};
    return userChange(states_.radRadio, option, [&] { optionClicked(option); });
}

ChangedControls ControlPanel::ShowSettings()
{
    return changing([&] {
        SettingTable &table = cfg_.SettingTable;
        ControlsReady = false;
        for (int index = 1; index <= SettingCount; ++index) {
            // "on" or "off" in a setting without a check box is no state to show.
            if (!states_.chkCVAR.contains(index))
                continue;
            if (const std::optional<bool> ticked = checkBoxShown(table[index].Value))
                tick(index, *ticked);
        }
        ControlsReady = true;

        assignText(Control::txtCVAR, setting::WaypointFolder, table[setting::WaypointFolder].Value);

        fillingBotCounts_ = true;
        for (const int index : settingsOfKind(SettingKind::WholeNumber))
            assignText(Control::numCVAR, index, table[index].Value);
        fillingBotCounts_ = false;
        // A pair from the file with min_bots above max_bots: min_bots gives way.
        const std::string &minBots = states_.numCVAR.at(setting::MinBots);
        assignText(Control::numCVAR, setting::MinBots,
                   botCountGivenWay(setting::MinBots, minBots, states_.numCVAR.at(setting::MaxBots)));

        for (const int index : settingsOfKind(SettingKind::Seconds))
            assignText(Control::timCVAR, index, table[index].Value);

        showSkill(setting::MinBotSkill);
        showSkill(setting::MaxBotSkill);
        showRadioOption();
        showCustomCommands();

        // The labels show "ultraskill" counted in even where the fill left a bar alone.
        updateSkillLabel(setting::MinBotSkill);
        updateSkillLabel(setting::MaxBotSkill);
    });
}

ChangedControls ControlPanel::ShowCustomCommands()
{
    return changing([&] { showCustomCommands(); });
}

bool ControlPanel::enter(int index, std::string_view value)
{
    if (holdsLineBreak(value))
        return false;
    const std::string &stored = cfg_.SettingTable[index].Value;
    switch (kindOf(index)) {
    case SettingKind::Text:
        txtCVAR_Change(index, value);
        return true;
    case SettingKind::WholeNumber:
    case SettingKind::Seconds:
        if (!isNumberText(value))
            return false;
        if (kindOf(index) == SettingKind::WholeNumber)
            numCVAR_Change(index, value);
        else
            timCVAR_Change(index, value);
        return true;
    case SettingKind::OnOff: {
        const std::optional<bool> ticked = checkBoxShown(value);
        if (!ticked)
            return false;
        if (states_.chkCVAR.at(index) == *ticked && stored != value)
            chkCVAR_Click(index, !*ticked);
        chkCVAR_Click(index, *ticked);
        return true;
    }
    case SettingKind::Skill: {
        const std::optional<int> skill = plainWholeNumber(value, LowestSkill, HighestSkill);
        if (!skill)
            return false;
        if (states_.scrlSkill.at(index) == *skill && stored != skillBarValue(*skill))
            scrlSkill_Change(index, *skill == HighestSkill ? *skill - 1 : *skill + 1);
        scrlSkill_Change(index, *skill);
        return true;
    }
    case SettingKind::Option: {
        const std::optional<int> option = plainWholeNumber(value, 0, RadioOptionCount - 1);
        if (!option)
            return false;
        if (states_.radRadio == *option && stored != radioOptionValue(*option))
            radRadio_Click((*option + 1) % RadioOptionCount);
        radRadio_Click(*option);
        return true;
    }
    }
    return false;
}

// Assignments in code: each runs the control's handler, nested, when it changes
// the state.

void ControlPanel::tick(int index, bool ticked)
{
    bool &state = states_.chkCVAR.at(index);
    if (state == ticked)
        return;
    state = ticked;
    checkBoxClicked(index);
}

void ControlPanel::assignText(Control array, int index, std::string text)
{
    std::string &state = textOf(array, index);
    if (state == text)
        return;
    state = std::move(text);
    switch (array) {
    case Control::txtCVAR:
        textBoxChanged();
        break;
    case Control::numCVAR:
        numberBoxChanged(index);
        break;
    case Control::timCVAR:
        timerBoxChanged(index);
        break;
    default:
        break;
    }
}

void ControlPanel::moveBar(int index, int position)
{
    int &state = states_.scrlSkill.at(index);
    if (state == position)
        return;
    state = position;
    skillBarChanged(index);
}

void ControlPanel::selectOption(int option)
{
    if (states_.radRadio == option)
        return;
    states_.radRadio = option;
    optionClicked(option);
}

// The handlers.

void ControlPanel::checkBoxClicked(int index)
{
    if (index == setting::UltraSkill) {
        skillBarChanged(setting::MinBotSkill);
        skillBarChanged(setting::MaxBotSkill);
    }
    setValue(index, checkBoxValue(states_.chkCVAR.at(index)));
}

// Pasted or dropped lines become one line: the correction is assigned to the
// box, which runs its handler again, nested, so the caller is done.
bool ControlPanel::keptOnOneLine(Control array, int index)
{
    const std::string &typed = textOf(array, index);
    if (!holdsLineBreak(typed))
        return false;
    assignText(array, index, singleLine(typed));
    return true;
}

void ControlPanel::textBoxChanged()
{
    if (keptOnOneLine(Control::txtCVAR, setting::WaypointFolder))
        return;
    setValue(setting::WaypointFolder, states_.txtCVAR.at(setting::WaypointFolder));
}

void ControlPanel::numberBoxChanged(int index)
{
    // A correction is assigned to the box, which runs this handler again, nested;
    // that run finds the text tidy and stores it, so this one is done.
    if (keptOnOneLine(Control::numCVAR, index))
        return;
    const std::string typed = states_.numCVAR.at(index);
    const std::string shown = wholeNumberShown(typed);
    if (shown != typed) {
        assignText(Control::numCVAR, index, shown);
        return;
    }
    setValue(index, shown);

    if (fillingBotCounts_ || (index != setting::MinBots && index != setting::MaxBots))
        return;
    assignText(Control::numCVAR, index,
               botCountGivenWay(index, states_.numCVAR.at(setting::MinBots), states_.numCVAR.at(setting::MaxBots)));
}

void ControlPanel::timerBoxChanged(int index)
{
    if (keptOnOneLine(Control::timCVAR, index))
        return;
    const std::string typed = states_.timCVAR.at(index);
    const std::optional<std::string> held = secondsHeld(typed);
    if (!held)
        return; // left alone while the user is still typing
    if (*held != typed) {
        assignText(Control::timCVAR, index, *held); // stored by the nested run
        return;
    }
    setValue(index, typed);
}

void ControlPanel::skillBarChanged(int index)
{
    if (!ControlsReady)
        return;
    updateSkillLabel(index);
    setValue(index, skillBarValue(states_.scrlSkill.at(index)));
}

void ControlPanel::optionClicked(int option)
{
    setValue(setting::Radio, radioOptionValue(option));
}

// The fill's rules for the controls without a text.

void ControlPanel::showSkill(int index)
{
    const std::string value = cfg_.SettingTable[index].Value;
    moveBar(index, skillShown(value));
    // A value the bar cannot show is stored as what it shows, even where the bar
    // did not move and so raised nothing.
    if (skillOutsideBar(value))
        skillBarChanged(index);
}

void ControlPanel::showRadioOption()
{
    // Any other number leaves the selection, and the file's text, as they are.
    if (const auto option = radioOptionShown(cfg_.SettingTable[setting::Radio].Value))
        selectOption(*option);
}

void ControlPanel::showCustomCommands()
{
    for (int slot = 1; slot <= CustomCommandSlotCount; ++slot) {
        const std::string &command = cfg_.CustomCommands[slot].Text;
        states_.cmdCustom[slot] = command.empty() ? std::string(FreeSlotCaption) : command;
    }
}

void ControlPanel::updateSkillLabel(int index)
{
    const int ultraSkill = states_.chkCVAR.at(setting::UltraSkill) ? UltraSkillBonus : 0;
    states_.lblSkill.at(index) = ' ' + std::to_string(states_.scrlSkill.at(index) + ultraSkill);
}

void ControlPanel::setValue(int index, std::string value)
{
    cfg_.SettingTable[index].Value = std::move(value);
}

std::string &ControlPanel::textOf(Control array, int index)
{
    switch (array) {
    case Control::txtCVAR:
        return states_.txtCVAR.at(index);
    case Control::numCVAR:
        return states_.numCVAR.at(index);
    case Control::timCVAR:
        return states_.timCVAR.at(index);
    default:
        break;
    }
    throw std::logic_error("no text box in this control array");
}

} // namespace kdx
