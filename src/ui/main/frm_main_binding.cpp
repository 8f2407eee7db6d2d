// The controls' handlers as adapters: a widget's new state goes to the control
// panel, which runs the handlers and stores into the configuration; the widgets
// whose state it changed then show it, their signals blocked.
#include "frm_main.h"

#include "caption_button.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <memory>
#include <vector>

namespace kdx {

QString frmMain::textFromUtf8(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

std::string frmMain::utf8FromText(const QString &text)
{
    return text.toStdString();
}

void frmMain::showControls(const ChangedControls &controls)
{
    const ControlStates &states = panel_.states();
    const auto showText = [](QLineEdit *box, const std::string &text) {
        const QSignalBlocker blocker(box);
        // Left alone where it holds the text already, so that the cursor stays where the user types.
        if (const QString shown = textFromUtf8(text); box->text() != shown)
            box->setText(shown);
    };
    for (const auto &[array, index] : controls) {
        switch (array) {
        case Control::chkCVAR: {
            const QSignalBlocker blocker(chkCVAR.at(index));
            chkCVAR.at(index)->setChecked(states.chkCVAR.at(index));
            break;
        }
        case Control::txtCVAR:
            showText(txtCVAR.at(index), states.txtCVAR.at(index));
            break;
        case Control::numCVAR:
            showText(numCVAR.at(index), states.numCVAR.at(index));
            break;
        case Control::timCVAR:
            showText(timCVAR.at(index), states.timCVAR.at(index));
            break;
        case Control::scrlSkill: {
            const QSignalBlocker blocker(scrlSkill.at(index));
            scrlSkill.at(index)->setValue(states.scrlSkill.at(index));
            break;
        }
        case Control::lblSkill:
            lblSkill.at(index)->setText(textFromUtf8(states.lblSkill.at(index)));
            break;
        case Control::radRadio: {
            // Selecting one option clears the others, which signal too.
            std::vector<std::unique_ptr<QSignalBlocker>> blockers;
            for (const auto &[option, button] : radRadio)
                blockers.push_back(std::make_unique<QSignalBlocker>(button));
            radRadio.at(index)->setChecked(index == states.radRadio);
            break;
        }
        case Control::cmdCustom:
            cmdCustom.at(index)->setCaption(textFromUtf8(states.cmdCustom[index]));
            break;
        }
    }
}

void frmMain::ShowSettings()
{
    showControls(panel_.ShowSettings());
}

void frmMain::ShowCustomCommands()
{
    showControls(panel_.ShowCustomCommands());
}

void frmMain::chkCVAR_Click(int index)
{
    showControls(panel_.chkCVAR_Click(index, chkCVAR.at(index)->isChecked()));
}

void frmMain::numCVAR_Change(int index)
{
    showControls(panel_.numCVAR_Change(index, utf8FromText(numCVAR.at(index)->text())));
}

void frmMain::timCVAR_Change(int index)
{
    showControls(panel_.timCVAR_Change(index, utf8FromText(timCVAR.at(index)->text())));
}

void frmMain::scrlSkill_Change(int index)
{
    showControls(panel_.scrlSkill_Change(index, scrlSkill.at(index)->value()));
}

void frmMain::radRadio_Click(int index)
{
    showControls(panel_.radRadio_Click(index));
}

void frmMain::txtCVAR_Change(int index)
{
    showControls(panel_.txtCVAR_Change(index, utf8FromText(txtCVAR.at(index)->text())));
}

} // namespace kdx
