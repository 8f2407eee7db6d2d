// The window's widgets against a control panel of their own: seeded random
// files and random sequences of a user's changes (texts typed or pasted, boxes
// ticked, bars moved, options selected, custom commands edited, the file
// reloaded) go to the window and to a bare control panel alike; after each,
// every widget shows the panel's state and both configurations hold the same
// values. A failure names the seed and the changes.
#include "config/config_reader.h"
#include "config/control_panel.h"
#include "main_window_harness.h"
#include "support/panel_controls.h"
#include "support/random_edits.h"

using namespace Qt::StringLiterals;

namespace {

using kdx::Control;
using kdx::test::between;
using kdx::test::oneOf;

QString nameOf(const kdx::ControlId &control)
{
    static const std::map<Control, QString> arrays{{Control::chkCVAR, u"chkCVAR"_s},     {Control::txtCVAR, u"txtCVAR"_s},
                                                   {Control::numCVAR, u"numCVAR"_s},     {Control::timCVAR, u"timCVAR"_s},
                                                   {Control::scrlSkill, u"scrlSkill"_s}, {Control::lblSkill, u"lblSkill"_s},
                                                   {Control::radRadio, u"radRadio"_s},   {Control::cmdCustom, u"cmdCustom"_s}};
    return arrays.at(control.array) + u'_' + QString::number(control.index);
}

} // namespace

class WindowShowsPanelTest : public QObject {
    Q_OBJECT
private slots:
    void widgetsShowThePanelsStates()
    {
        const bool oneSeed = qEnvironmentVariableIsSet("KDX_SEED");
        const unsigned firstSeed = oneSeed ? unsigned(qEnvironmentVariableIntValue("KDX_SEED")) : 20261207;
        const kdx::ChangedControls every = kdx::everyControl();
        for (unsigned seed = firstSeed; seed < firstSeed + (oneSeed ? 1 : KDX_RANDOM_CASES); ++seed) {
            std::mt19937 random(seed);
            const std::string file = kdx::test::someFile(random);
            kdx::test::MainWindowHarness window(QByteArray::fromStdString(file));
            kdx::KDXCfg cfg;
            kdx::ControlPanel panel(cfg);
            kdx::readConfiguration(cfg, file);
            panel.ShowSettings();

            QString done;
            for (int step = 0; step < 30; ++step) {
                const auto &[array, index] = *std::next(every.begin(), between(random, 0, int(every.size()) - 1));
                const QString name = nameOf({array, index});
                switch (array) {
                case Control::chkCVAR:
                    window.click(name);
                    panel.chkCVAR_Click(index, !panel.states().chkCVAR.at(index));
                    done += u" " + name;
                    break;
                case Control::radRadio:
                    window.set(name, u"[x]"_s);
                    panel.radRadio_Click(index);
                    done += u" " + name;
                    break;
                case Control::txtCVAR:
                case Control::numCVAR:
                case Control::timCVAR:
                case Control::scrlSkill: {
                    const std::string typed = array == Control::scrlSkill
                                                  ? std::to_string(between(random, kdx::LowestSkill, kdx::HighestSkill))
                                                  : kdx::test::typedText(random);
                    window.set(name, QString::fromStdString(typed));
                    kdx::test::change(panel, name.toStdString(), typed);
                    done += u" " + name + u"=[" + QString::fromStdString(typed) + u"]";
                    break;
                }
                case Control::cmdCustom: {
                    const std::string command = oneOf<std::string>(random, {"", "say hi", "mp_timelimit 20"});
                    window.platform.inputAnswers = {QString::fromStdString(command)};
                    window.click(name);
                    cfg.CustomCommands[index].Text = command;
                    panel.ShowCustomCommands();
                    done += u" " + name + u"=[" + QString::fromStdString(command) + u"]";
                    break;
                }
                case Control::lblSkill: // not for the user: reloads instead
                    window.window->cmdLoad_Click();
                    kdx::readConfiguration(cfg, file);
                    panel.ShowSettings();
                    done += u" reload"_s;
                    continue;
                }

                for (const kdx::ControlId &control : every) {
                    const QString where = u"seed %1, after%2"_s.arg(seed).arg(done);
                    const QString shown = window.state(nameOf(control)),
                                  held =
                                      QString::fromStdString(kdx::test::stateOf(panel.states(), nameOf(control).toStdString()));
                    QVERIFY2(shown == held,
                             qPrintable(where + u": "_s + nameOf(control) + u" shows "_s + shown + u", the panel "_s + held));
                }
                for (int setting = 1; setting <= kdx::SettingCount; ++setting)
                    QCOMPARE(window.value(setting), QString::fromStdString(cfg.SettingTable[setting].Value));
            }
        }
    }
};

QTEST_MAIN(WindowShowsPanelTest)
#include "window_shows_panel_test.moc"
