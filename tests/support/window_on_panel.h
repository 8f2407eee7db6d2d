#pragma once
// The main window's part of a kdxcfg edit without the window: the control panel
// as a user works it, the command buttons as a user fills them, then the button
// that writes.
#include "support/random_edits.h"

#include "config/config_reader.h"
#include "config/config_writers.h"
#include "config/control_panel.h"
#include "config/requested_edit.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace kdx::test {

class WindowOnPanel {
public:
    // The window after it has read the file.
    WindowOnPanel(std::string_view file, const FileCodePages &codePages) : cfg_(codePages), panel_(cfg_)
    {
        readConfiguration(cfg_, file);
        panel_.ShowSettings();
    }

    // The bytes the window writes: KDX.cfg saved, or the clean output asked
    // for. None where it cannot write them or has nothing to do.
    std::optional<std::string> perform(const RequestedEdit &edit)
    {
        for (const SettingEntry &entry : edit.settings)
            change(entry.index, entry.value);
        if (!editCommands(edit.commands) || findUnencodable(cfg_))
            return std::nullopt;
        return edit.cleanOutput ? cleanOutput(cfg_, *edit.cleanOutput) : annotatedSave(cfg_);
    }

private:
    // The user types a command as kdxcfg stores it: without the blanks around it.
    bool editCommands(const std::variant<std::monostate, CommandSlotsReplaced, CommandAdded, CommandSlotSet> &commands)
    {
        auto &slots = cfg_.CustomCommands;
        if (const auto *replaced = std::get_if<CommandSlotsReplaced>(&commands)) {
            int slot = 1;
            for (const std::string &text : replaced->texts)
                if (!trimBlanks(text).empty())
                    slots[slot++].Text = trimBlanks(text);
            for (; slot <= CustomCommandSlotCount; ++slot)
                slots[slot].Text.clear();
        } else if (const auto *added = std::get_if<CommandAdded>(&commands)) {
            const std::string text(trimBlanks(added->text));
            if (std::none_of(slots.begin(), slots.end(), [&](const CustomCommand &held) { return held.Text == text; })) {
                const auto free =
                    std::find_if(slots.begin(), slots.end(), [](const CustomCommand &held) { return held.Text.empty(); });
                if (free == slots.end())
                    return false; // all slots in use
                free->Text = text;
            }
        } else if (const auto *set = std::get_if<CommandSlotSet>(&commands)) {
            slots[set->slot].Text = trimBlanks(set->text);
        }
        panel_.ShowCustomCommands();
        return true;
    }

    // Makes the control show the value in a way that runs its handler: a box
    // takes the text; a check box, a bar or an option already showing the value
    // while the setting holds another text is changed and changed back.
    void change(int index, const std::string &value)
    {
        const ControlStates &shown = panel_.states();
        const bool stored = cfg_.SettingTable[index].Value == value;
        switch (kindOf(index)) {
        case SettingKind::OnOff: {
            const bool ticked = value == "on";
            if (shown.chkCVAR.at(index) == ticked && !stored)
                panel_.chkCVAR_Click(index, !ticked);
            panel_.chkCVAR_Click(index, ticked);
            return;
        }
        case SettingKind::Skill: {
            const int position = std::stoi(value);
            if (shown.scrlSkill.at(index) == position && !stored)
                panel_.scrlSkill_Change(index, position == HighestSkill ? position - 1 : position + 1);
            panel_.scrlSkill_Change(index, position);
            return;
        }
        case SettingKind::Option: {
            const int option = std::stoi(value);
            if (shown.radRadio == option && !stored)
                panel_.radRadio_Click(option == 0 ? 1 : 0);
            panel_.radRadio_Click(option);
            return;
        }
        case SettingKind::Text:
            panel_.txtCVAR_Change(index, value);
            return;
        case SettingKind::WholeNumber:
            panel_.numCVAR_Change(index, value);
            return;
        case SettingKind::Seconds:
            panel_.timCVAR_Change(index, value);
            return;
        }
    }

    KDXCfg cfg_;
    ControlPanel panel_;
};

} // namespace kdx::test
