// The control panel under seeded random files and random changes of a user:
// after each change, a copy of the states that takes over every control at
// first and then only the reported ones (as the window's widgets do) equals
// the panel's, and the controls
// hold what the window's handlers promise once all nested runs have ended.
#include "config/config_reader.h"
#include "config/control_panel.h"
#include "config/number_text.h"
#include "config/value_rules.h"
#include "support/random_edits.h"

#include <gtest/gtest.h>

namespace kdx {
namespace {

using test::between;
using test::oneOf;

// What the window's handlers promise of every control after a user's change.
void expectTidy(const ControlPanel &panel, const KDXCfg &cfg, const std::string &where)
{
    const ControlStates &states = panel.states();
    for (const auto &[index, text] : states.numCVAR) {
        EXPECT_EQ(wholeNumberShown(text), text) << where << ": numCVAR_" << index;
        EXPECT_EQ(cfg.SettingTable[index].Value, text) << where << ": numCVAR_" << index;
    }
    for (const auto &[index, text] : states.timCVAR)
        EXPECT_TRUE(text.empty() || text == "0." || secondsHeld(text) == text) << where << ": timCVAR_" << index << " " << text;
    for (const auto &[index, position] : states.scrlSkill)
        EXPECT_EQ(states.lblSkill.at(index), ' ' + std::to_string(position + (states.chkCVAR.at(setting::UltraSkill) ? 100 : 0)))
            << where << ": lblSkill_" << index;
    for (const auto &[index, ticked] : states.chkCVAR)
        EXPECT_TRUE(!checkBoxShown(cfg.SettingTable[index].Value) || checkBoxShown(cfg.SettingTable[index].Value) == ticked)
            << where << ": chkCVAR_" << index;
    for (const auto &[index, text] : states.txtCVAR)
        EXPECT_FALSE(holdsLineBreak(text)) << where << ": txtCVAR_" << index;
}

TEST(ControlPanel, ReportedChangesAndHandlersKeepEveryControlTidy)
{
    for (unsigned seed = 1; seed <= 500; ++seed) {
        std::mt19937 random(seed);
        KDXCfg cfg;
        readConfiguration(cfg, test::someFile(random));
        ControlPanel panel(cfg);
        ControlStates shown; // what the widgets show: nothing until the window shows every control
        const auto showReported = [&](const ChangedControls &changed) {
            for (const auto &[array, index] : changed) {
                const ControlStates &now = panel.states();
                switch (array) {
                case Control::chkCVAR:
                    shown.chkCVAR[index] = now.chkCVAR.at(index);
                    break;
                case Control::txtCVAR:
                    shown.txtCVAR[index] = now.txtCVAR.at(index);
                    break;
                case Control::numCVAR:
                    shown.numCVAR[index] = now.numCVAR.at(index);
                    break;
                case Control::timCVAR:
                    shown.timCVAR[index] = now.timCVAR.at(index);
                    break;
                case Control::scrlSkill:
                    shown.scrlSkill[index] = now.scrlSkill.at(index);
                    break;
                case Control::lblSkill:
                    shown.lblSkill[index] = now.lblSkill.at(index);
                    break;
                case Control::radRadio:
                    shown.radRadio = now.radRadio;
                    break;
                case Control::cmdCustom:
                    shown.cmdCustom[index] = now.cmdCustom[index];
                    break;
                }
            }
        };
        showReported(everyControl());
        showReported(panel.ShowSettings());
        ASSERT_EQ(shown, panel.states()) << "seed " << seed << ", the first fill";

        std::string done;
        for (int step = 0; step < 20; ++step) {
            const int index = between(random, 1, SettingCount);
            const std::string typed = test::typedText(random);
            switch (SettingDefinitions[std::size_t(index - 1)].kind) {
            case SettingKind::OnOff:
                shown.chkCVAR[index] = !shown.chkCVAR[index];
                showReported(panel.chkCVAR_Click(index, shown.chkCVAR[index]));
                break;
            case SettingKind::Text:
                showReported(panel.txtCVAR_Change(index, shown.txtCVAR[index] = typed));
                break;
            case SettingKind::WholeNumber:
                showReported(panel.numCVAR_Change(index, shown.numCVAR[index] = typed));
                break;
            case SettingKind::Seconds:
                showReported(panel.timCVAR_Change(index, shown.timCVAR[index] = typed));
                break;
            case SettingKind::Skill:
                showReported(panel.scrlSkill_Change(index, shown.scrlSkill[index] = between(random, LowestSkill, HighestSkill)));
                break;
            case SettingKind::Option:
                showReported(panel.radRadio_Click(shown.radRadio = between(random, 0, RadioOptionCount - 1)));
                break;
            }
            done.append(" ").append(std::to_string(index)).append("=[").append(typed).append("]");
            const std::string where = "seed " + std::to_string(seed) + ", after" + done;
            ASSERT_EQ(shown, panel.states()) << where;
            expectTidy(panel, cfg, where);
            EXPECT_LE(NumberFromText(panel.states().numCVAR.at(setting::MinBots)),
                      NumberFromText(panel.states().numCVAR.at(setting::MaxBots)))
                << where;
        }
    }
}

} // namespace
} // namespace kdx
