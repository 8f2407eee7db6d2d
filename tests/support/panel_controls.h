#pragma once
// The control panel's controls by the names the window gives its widgets ("chkCVAR_13").
#include "config/control_panel.h"

#include <string>

namespace kdx::test {

// A control's state: [x] or [ ] for a check box or an option, a bar's position, else its text.
inline std::string stateOf(const ControlStates &states, const std::string &name)
{
    const std::string array = name.substr(0, name.find('_'));
    const int index = std::stoi(name.substr(name.find('_') + 1));
    const auto tick = [](bool ticked) { return std::string(ticked ? "[x]" : "[ ]"); };
    if (array == "chkCVAR")
        return tick(states.chkCVAR.at(index));
    if (array == "radRadio")
        return tick(states.radRadio == index);
    if (array == "scrlSkill")
        return std::to_string(states.scrlSkill.at(index));
    if (array == "lblSkill")
        return states.lblSkill.at(index);
    if (array == "cmdCustom")
        return states.cmdCustom[index];
    return (array == "txtCVAR" ? states.txtCVAR : array == "numCVAR" ? states.numCVAR : states.timCVAR).at(index);
}

// A user's change of the named control to the state.
inline void change(ControlPanel &panel, const std::string &name, const std::string &state)
{
    const std::string array = name.substr(0, name.find('_'));
    const int index = std::stoi(name.substr(name.find('_') + 1));
    if (array == "chkCVAR")
        panel.chkCVAR_Click(index, state == "[x]");
    else if (array == "radRadio")
        panel.radRadio_Click(index);
    else if (array == "scrlSkill")
        panel.scrlSkill_Change(index, std::stoi(state));
    else if (array == "txtCVAR")
        panel.txtCVAR_Change(index, state);
    else if (array == "numCVAR")
        panel.numCVAR_Change(index, state);
    else
        panel.timCVAR_Change(index, state);
}

} // namespace kdx::test
