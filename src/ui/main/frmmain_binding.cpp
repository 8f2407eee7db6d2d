// Filling the controls from the configuration and storing every edit back.
#include "frmmain.h"

#include "caption_button.h"
#include "config/number_text.h"
#include "ui/common/text_codec.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace kdx {
namespace {

double numberIn(const QLineEdit *box)
{
    return NumberFromText(box->text().toStdString());
}

QString textFromNumber(double number)
{
    return QString::fromStdString(NumberToText(number));
}

constexpr int numberBoxOrder[] = {4, 5, 6, 14, 15};
constexpr int timerBoxOrder[] = {18, 19, 20};

} // namespace

QString frmMain::textFromFileBytes(const std::string &bytes) const
{
    return textFromBytes(bytes, cfg_.Encoding);
}

std::string frmMain::fileBytesFromText(const QString &text) const
{
    return bytesFromText(text, cfg_.Encoding);
}

void frmMain::setValue(int index, const std::string &value)
{
    cfg_.SettingTable[index].Value = value;
}

void frmMain::ShowSettings()
{
    cfg_.ControlsReady = false;
    for (int index = 1; index <= SettingCount; ++index) {
        // "on" or "off" in a setting without a check box is no state to show.
        const auto box = chkCVAR.find(index);
        if (box == chkCVAR.end())
            continue;
        if (cfg_.SettingTable[index].Value == "on")
            box->second->setChecked(true);
        if (cfg_.SettingTable[index].Value == "off")
            box->second->setChecked(false);
    }
    cfg_.ControlsReady = true;

    txtCVAR.at(setting::WaypointFolder)->setText(textFromFileBytes(cfg_.SettingTable[setting::WaypointFolder].Value));

    fillingBotCounts_ = true;
    for (int index : numberBoxOrder)
        numCVAR.at(index)->setText(textFromFileBytes(cfg_.SettingTable[index].Value));
    fillingBotCounts_ = false;
    // A pair from the file with min_bots above max_bots: min_bots gives way.
    if (numberIn(numCVAR.at(setting::MinBots)) > numberIn(numCVAR.at(setting::MaxBots)))
        numCVAR.at(setting::MinBots)->setText(numCVAR.at(setting::MaxBots)->text());

    for (int index : timerBoxOrder)
        timCVAR.at(index)->setText(textFromFileBytes(cfg_.SettingTable[index].Value));

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
    QScrollBar *bar = scrlSkill.at(index);
    const double rounded = roundHalfToEven(NumberFromText(cfg_.SettingTable[index].Value));
    const double shown = std::clamp(rounded, double(bar->minimum()), double(bar->maximum()));
    bar->setValue(static_cast<int>(shown));
    // A value the bar cannot show is stored as what it shows, even where the bar
    // did not move and so raised nothing.
    if (shown != rounded)
        scrlSkill_Change(index);
}

void frmMain::showRadioOption()
{
    const double option = roundHalfToEven(NumberFromText(cfg_.SettingTable[setting::Radio].Value));
    // Any other number leaves the selection, and the file's text, as they are.
    if (option >= 0 && option < static_cast<double>(radRadio.size()))
        radRadio.at(static_cast<int>(option))->setChecked(true);
}

void frmMain::ShowCustomCommands()
{
    for (int slot = 1; slot <= CustomCommandSlotCount; ++slot) {
        const std::string &command = cfg_.CustomCommands[slot].Text;
        cmdCustom.at(slot)->setCaption(command.empty() ? QStringLiteral("<Click to add new>") : textFromFileBytes(command));
    }
}

void frmMain::chkCVAR_Click(int index)
{
    if (index == setting::UltraSkill) {
        scrlSkill_Change(setting::MinBotSkill);
        scrlSkill_Change(setting::MaxBotSkill);
    }
    setValue(index, chkCVAR.at(index)->isChecked() ? "on" : "off");
}

void frmMain::numCVAR_Change(int index)
{
    // Every step reads the box afresh: an earlier step's assignment may already
    // have run this handler again, nested, and changed the text.
    QLineEdit *box = numCVAR.at(index);
    if (numberIn(box) < 0)
        box->setText(QStringLiteral("0"));
    box->setText(textFromNumber(numberIn(box)));
    setValue(index, NumberToText(numberIn(box)));
    if (std::floor(numberIn(box)) < numberIn(box))
        box->setText(textFromNumber(std::floor(numberIn(box))));

    if (fillingBotCounts_)
        return;
    QLineEdit *minBots = numCVAR.at(setting::MinBots);
    QLineEdit *maxBots = numCVAR.at(setting::MaxBots);
    if (index == setting::MaxBots && numberIn(minBots) > numberIn(maxBots))
        maxBots->setText(minBots->text());
    if (index == setting::MinBots && numberIn(minBots) > numberIn(maxBots))
        minBots->setText(maxBots->text());
}

void frmMain::timCVAR_Change(int index)
{
    QLineEdit *box = timCVAR.at(index);
    if (box->text().isEmpty() || box->text() == QLatin1String("0."))
        return; // left alone while the user is still typing
    if (numberIn(box) < 0.1)
        box->setText(QStringLiteral("0.1"));
    if (numberIn(box) > 0.9)
        box->setText(QStringLiteral("1.0"));
    setValue(index, fileBytesFromText(box->text()));
}

void frmMain::updateSkillLabel(int index)
{
    const int ultraSkill = chkCVAR.at(setting::UltraSkill)->isChecked() ? 100 : 0;
    lblSkill.at(index)->setText(QLatin1Char(' ') + QString::number(scrlSkill.at(index)->value() + ultraSkill));
}

void frmMain::scrlSkill_Change(int index)
{
    if (!cfg_.ControlsReady)
        return;
    updateSkillLabel(index);
    setValue(index, NumberToText(scrlSkill.at(index)->value()));
}

void frmMain::radRadio_Click(int index)
{
    setValue(setting::Radio, std::to_string(index));
}

void frmMain::txtCVAR_Change(int)
{
    setValue(setting::WaypointFolder, fileBytesFromText(txtCVAR.at(setting::WaypointFolder)->text()));
}

} // namespace kdx
