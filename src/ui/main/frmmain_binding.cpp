// Filling the controls from the configuration and storing every edit back.
#include "frmmain.h"

#include "caption_button.h"
#include "config/value_rules.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

namespace kdx {

QString frmMain::textFromUtf8(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

std::string frmMain::utf8FromText(const QString &text)
{
    return text.toStdString();
}

void frmMain::setValue(int index, const std::string &value)
{
    cfg_.SettingTable[index].Value = value;
}

void frmMain::ShowSettings()
{
    ControlsReady = false;
    for (int index = 1; index <= SettingCount; ++index) {
        // "on" or "off" in a setting without a check box is no state to show.
        const auto box = chkCVAR.find(index);
        if (box == chkCVAR.end())
            continue;
        if (const std::optional<bool> ticked = checkBoxShown(cfg_.SettingTable[index].Value))
            box->second->setChecked(*ticked);
    }
    ControlsReady = true;

    txtCVAR.at(setting::WaypointFolder)->setText(textFromUtf8(cfg_.SettingTable[setting::WaypointFolder].Value));

    fillingBotCounts_ = true;
    for (int index : settingsOfKind(SettingKind::WholeNumber))
        numCVAR.at(index)->setText(textFromUtf8(cfg_.SettingTable[index].Value));
    fillingBotCounts_ = false;
    // A pair from the file with min_bots above max_bots: min_bots gives way.
    QLineEdit *minBots = numCVAR.at(setting::MinBots);
    const std::string minText = utf8FromText(minBots->text());
    const std::string lowered = botCountGivenWay(setting::MinBots, minText, utf8FromText(numCVAR.at(setting::MaxBots)->text()));
    if (lowered != minText)
        minBots->setText(textFromUtf8(lowered));

    for (int index : settingsOfKind(SettingKind::Seconds))
        timCVAR.at(index)->setText(textFromUtf8(cfg_.SettingTable[index].Value));

    showSkill(setting::MinBotSkill);
    showSkill(setting::MaxBotSkill);
    showRadioOption();
    ShowCustomCommands();

    // The labels show "ultraskill" counted in even where the fill left a bar alone.
    updateSkillLabel(setting::MinBotSkill);
    updateSkillLabel(setting::MaxBotSkill);
}

void frmMain::showSkill(int index)
{
    const std::string &value = cfg_.SettingTable[index].Value;
    scrlSkill.at(index)->setValue(skillShown(value));
    // A value the bar cannot show is stored as what it shows, even where the bar
    // did not move and so raised nothing.
    if (skillOutsideBar(value))
        scrlSkill_Change(index);
}

void frmMain::showRadioOption()
{
    // Any other number leaves the selection, and the file's text, as they are.
    if (const auto option = radioOptionShown(cfg_.SettingTable[setting::Radio].Value))
        radRadio.at(*option)->setChecked(true);
}

void frmMain::ShowCustomCommands()
{
    for (int slot = 1; slot <= CustomCommandSlotCount; ++slot) {
        const std::string &command = cfg_.CustomCommands[slot].Text;
        cmdCustom.at(slot)->setCaption(command.empty() ? QStringLiteral("<Click to add new>") : textFromUtf8(command));
    }
}

void frmMain::chkCVAR_Click(int index)
{
    if (index == setting::UltraSkill) {
        scrlSkill_Change(setting::MinBotSkill);
        scrlSkill_Change(setting::MaxBotSkill);
    }
    setValue(index, checkBoxValue(chkCVAR.at(index)->isChecked()));
}

// Pasted or dropped lines become one line: the correction is assigned to the
// box, which runs its handler again, nested, so the caller is done.
bool frmMain::keptOnOneLine(QLineEdit *box)
{
    const std::string typed = utf8FromText(box->text());
    if (!holdsLineBreak(typed))
        return false;
    box->setText(textFromUtf8(singleLine(typed)));
    return true;
}

void frmMain::numCVAR_Change(int index)
{
    // A correction is assigned to the box, which runs this handler again, nested;
    // that run finds the text tidy and stores it, so this one is done.
    QLineEdit *box = numCVAR.at(index);
    if (keptOnOneLine(box))
        return;
    const std::string typed = utf8FromText(box->text());
    const std::string shown = wholeNumberShown(typed);
    if (shown != typed) {
        box->setText(textFromUtf8(shown));
        return;
    }
    setValue(index, shown);

    if (fillingBotCounts_ || (index != setting::MinBots && index != setting::MaxBots))
        return;
    const std::string givenWay = botCountGivenWay(index, utf8FromText(numCVAR.at(setting::MinBots)->text()),
                                                  utf8FromText(numCVAR.at(setting::MaxBots)->text()));
    if (givenWay != shown)
        box->setText(textFromUtf8(givenWay));
}

void frmMain::timCVAR_Change(int index)
{
    QLineEdit *box = timCVAR.at(index);
    if (keptOnOneLine(box))
        return;
    const std::string typed = utf8FromText(box->text());
    const std::optional<std::string> held = secondsHeld(typed);
    if (!held)
        return; // left alone while the user is still typing
    if (*held != typed) {
        box->setText(textFromUtf8(*held)); // stored by the nested run
        return;
    }
    setValue(index, typed);
}

void frmMain::updateSkillLabel(int index)
{
    const int ultraSkill = chkCVAR.at(setting::UltraSkill)->isChecked() ? 100 : 0;
    lblSkill.at(index)->setText(QLatin1Char(' ') + QString::number(scrlSkill.at(index)->value() + ultraSkill));
}

void frmMain::scrlSkill_Change(int index)
{
    if (!ControlsReady)
        return;
    updateSkillLabel(index);
    setValue(index, skillBarValue(scrlSkill.at(index)->value()));
}

void frmMain::radRadio_Click(int index)
{
    setValue(setting::Radio, radioOptionValue(index));
}

void frmMain::txtCVAR_Change(int)
{
    if (keptOnOneLine(txtCVAR.at(setting::WaypointFolder)))
        return;
    setValue(setting::WaypointFolder, utf8FromText(txtCVAR.at(setting::WaypointFolder)->text()));
}

} // namespace kdx
