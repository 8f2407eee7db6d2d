// Filling the controls from the file and storing every edit back.
#include "main_window_harness.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using kdx::test::MainWindowHarness;
using namespace Qt::StringLiterals;

namespace {

// The state of a control as one comparable text.
QString stateOf(const QWidget *control)
{
    if (const auto *box = qobject_cast<const QCheckBox *>(control))
        return box->isChecked() ? u"ticked"_s : u"cleared"_s;
    if (const auto *option = qobject_cast<const QRadioButton *>(control))
        return option->isChecked() ? u"selected"_s : u"not selected"_s;
    if (const auto *bar = qobject_cast<const QScrollBar *>(control))
        return QString::number(bar->value());
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    return qobject_cast<const QLineEdit *>(control)->text();
}

} // namespace

class FrmMainBindingTest : public QObject {
    Q_OBJECT
private slots:
    void assignmentsRaiseTheirHandlerOnlyOnChange();
    void aHandlerMayReassignItsOwnBox();
    void aDraggedThumbCountsOnceWhenReleased();
    void fillFromTheFile_data();
    void fillFromTheFile();
    void numberBoxEdits_data();
    void numberBoxEdits();
    void typingIntoANumberBox();
    void botCountsGiveWay();
    void timerBoxEdits_data();
    void timerBoxEdits();
    void skillBarsAndUltraSkill();
    void optionButtonsAndCheckBoxesStoreTheirState();
    void waypointFolderIsStoredAsTyped();
    void reloadDiscardsEditsOfTheFileOnly();
};

void FrmMainBindingTest::assignmentsRaiseTheirHandlerOnlyOnChange()
{
    QWidget parent;
    QLineEdit box(u"3"_s, &parent);
    QCheckBox check(&parent);
    QScrollBar bar(Qt::Horizontal, &parent);
    bar.setRange(1, 100);
    bar.setValue(80);
    QRadioButton first(&parent), second(&parent);
    first.setChecked(true);

    QSignalSpy text(&box, &QLineEdit::textChanged);
    QSignalSpy toggled(&check, &QCheckBox::toggled);
    QSignalSpy value(&bar, &QScrollBar::valueChanged);
    QSignalSpy selected(&second, &QRadioButton::toggled);

    box.setText(u"3"_s);
    check.setChecked(false);
    bar.setValue(80);
    first.setChecked(true);
    QCOMPARE(text.size() + toggled.size() + value.size() + selected.size(), 0);

    box.setText(u"4"_s);
    check.setChecked(true);
    bar.setValue(150); // clamped to the end of the range
    second.setChecked(true);
    QCOMPARE(text.size(), 1);
    QCOMPARE(toggled.size(), 1);
    QCOMPARE(value.size(), 1);
    QCOMPARE(bar.value(), 100);
    QCOMPARE(selected.size(), 1);
    QVERIFY(!first.isChecked());
}

void FrmMainBindingTest::aHandlerMayReassignItsOwnBox()
{
    // The handler runs nested inside the assignment, before it returns, and the
    // nesting ends because an unchanged assignment raises nothing.
    QLineEdit box;
    QStringList seen;
    QObject::connect(&box, &QLineEdit::textChanged, &box, [&](const QString &text) {
        seen.append(text);
        if (text.size() > 1)
            box.setText(text.left(text.size() - 1));
        seen.append(u"end "_s + box.text());
    });
    box.setText(u"abc"_s);
    QCOMPARE(seen, (QStringList{u"abc"_s, u"ab"_s, u"a"_s, u"end a"_s, u"end a"_s, u"end a"_s}));
    QCOMPARE(box.text(), u"a"_s);
}

void FrmMainBindingTest::aDraggedThumbCountsOnceWhenReleased()
{
    MainWindowHarness harness;
    auto *bar = harness.control<QScrollBar>(u"scrlSkill_10"_s);
    bar->setSliderDown(true);
    for (int position : {70, 60, 50})
        bar->setSliderPosition(position);
    QCOMPARE(harness.value(10), "80");
    bar->setSliderDown(false);
    QCOMPARE(harness.value(10), "50");
    QCOMPARE(harness.control<QLabel>(u"lblSkill_10"_s)->text(), u" 50"_s);
}

void FrmMainBindingTest::fillFromTheFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("value");

    auto row = [](const char *name, const char *file, const char *control, const char *state, int index,
                  const char *value) {
        QTest::newRow(name) << QByteArray(file) << QString::fromLatin1(control) << QString::fromLatin1(state)
                            << index << QString::fromLatin1(value);
    };
    row("on ticks", "clantags on", "chkCVAR_2", "ticked", 2, "on");
    row("off clears", "clantags off", "chkCVAR_2", "cleared", 2, "off");
    row("On is no state", "clantags On", "chkCVAR_2", "cleared", 2, "On");
    row("whole number kept", "pause 4", "numCVAR_4", "4", 4, "4");
    row("fraction cut off", "pause 3.7", "numCVAR_4", "3", 4, "3");
    row("letters after digits", "pause 12abc", "numCVAR_4", "12", 4, "12");
    row("negative", "pause -4", "numCVAR_4", "0", 4, "0");
    row("two blanks", "pause  3", "numCVAR_4", "3", 4, "3");
    row("unchanged text kept", "max_bots 16", "numCVAR_6", "16", 6, "16");
    row("timer above range", "timer_sound 5", "timCVAR_18", "1.0", 18, "1.0");
    row("timer below range", "timer_sound 0.05", "timCVAR_18", "0.1", 18, "0.1");
    row("timer keeps letters", "timer_pickup 0.5s", "timCVAR_19", "0.5s", 19, "0.5s");
    row("skill rounds half to even", "minbotskill 81.5", "scrlSkill_10", "82", 10, "82");
    row("skill unchanged bar keeps text", "minbotskill 80.5", "scrlSkill_10", "80", 10, "80.5");
    row("skill above the bar", "maxbotskill 150", "scrlSkill_11", "100", 11, "100");
    row("skill below the bar", "minbotskill -3", "scrlSkill_10", "1", 10, "1");
    row("skill not a number", "minbotskill high", "scrlSkill_10", "1", 10, "1");
    row("skill label", "minbotskill 60", "lblSkill_10", " 60", 10, "60");
    row("radio rounds", "radio 1.5", "radRadio_2", "selected", 8, "2");
    row("radio unchanged keeps text", "radio 0", "radRadio_0", "selected", 8, "0");
    row("radio out of range", "radio 7", "radRadio_0", "selected", 8, "7");
    row("on in a setting without a box", "radio on", "radRadio_0", "selected", 8, "on");
    row("folder", "wptfolder my maps\\", "txtCVAR_1", "my maps\\", 1, "my maps\\");
    row("bot pair from the file", "min_bots 20\r\nmax_bots 24", "numCVAR_5", "20", 5, "20");
    row("bot pair partner", "min_bots 20\r\nmax_bots 24", "numCVAR_6", "24", 6, "24");
    row("min above max lowered", "min_bots 30\r\nmax_bots 24", "numCVAR_5", "24", 5, "24");
    row("max kept when min lowered", "min_bots 30\r\nmax_bots 24", "numCVAR_6", "24", 6, "24");
    row("ultraskill counted in labels", "ultraskill on\r\nmaxbotskill 90", "lblSkill_11", " 190", 11, "90");
    row("ultraskill label of unmoved bar", "ultraskill on", "lblSkill_10", " 180", 10, "80");
}

void FrmMainBindingTest::fillFromTheFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, control);
    QFETCH(QString, state);
    QFETCH(int, index);
    QFETCH(QString, value);

    MainWindowHarness harness(file + "\r\n");
    QCOMPARE(stateOf(harness.control<QWidget>(control)), state);
    QCOMPARE(QString::fromStdString(harness.value(index)), value);
    QVERIFY(harness.cfg.ControlsReady);
}

void FrmMainBindingTest::numberBoxEdits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("emptied") << QString() << u"0"_s;
    QTest::newRow("minus alone") << u"-"_s << u"0"_s;
    QTest::newRow("fraction") << u"7.9"_s << u"7"_s;
    QTest::newRow("half") << u"0.5"_s << u"0"_s;
    QTest::newRow("letters") << u"12abc"_s << u"12"_s;
    QTest::newRow("exponent") << u"1e2"_s << u"100"_s;
    QTest::newRow("hexadecimal") << u"&H1F"_s << u"31"_s;
    QTest::newRow("blank inside") << u"1 2"_s << u"12"_s;
    QTest::newRow("huge") << u"1e20"_s << u"1E+20"_s;
    QTest::newRow("negative fraction") << u"-0.5"_s << u"0"_s;
}

void FrmMainBindingTest::numberBoxEdits()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    MainWindowHarness harness;
    auto *box = harness.control<QLineEdit>(u"numCVAR_14"_s);
    box->setText(text);
    QCOMPARE(box->text(), shown);
    QCOMPARE(QString::fromStdString(harness.value(14)), shown);
}

void FrmMainBindingTest::typingIntoANumberBox()
{
    MainWindowHarness harness;
    auto *box = harness.control<QLineEdit>(u"numCVAR_4"_s);
    box->selectAll();
    QTest::keyClicks(box, u"12abc"_s);
    QCOMPARE(box->text(), u"12"_s);
    QCOMPARE(harness.value(4), "12");
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), u"0"_s);
    QCOMPARE(harness.value(4), "0");
}

void FrmMainBindingTest::botCountsGiveWay()
{
    MainWindowHarness harness;
    auto *minBots = harness.control<QLineEdit>(u"numCVAR_5"_s);
    auto *maxBots = harness.control<QLineEdit>(u"numCVAR_6"_s);

    minBots->setText(u"20"_s); // above max_bots 16: min_bots gives way
    QCOMPARE(minBots->text(), u"16"_s);
    QCOMPARE(harness.value(5), "16");

    minBots->setText(u"5"_s);
    maxBots->setText(u"3"_s); // below min_bots 5: max_bots gives way
    QCOMPARE(maxBots->text(), u"5"_s);
    QCOMPARE(harness.value(6), "5");
    QCOMPARE(harness.value(5), "5");
}

void FrmMainBindingTest::timerBoxEdits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("stored");
    QTest::newRow("emptied") << QString() << QString() << u"0.6"_s;
    QTest::newRow("zero point") << u"0."_s << u"0."_s << u"0.6"_s;
    QTest::newRow("zero") << u"0"_s << u"0.1"_s << u"0.1"_s;
    QTest::newRow("upper end") << u"0.9"_s << u"0.9"_s << u"0.9"_s;
    QTest::newRow("just above") << u"0.95"_s << u"1.0"_s << u"1.0"_s;
    QTest::newRow("one") << u"1"_s << u"1.0"_s << u"1.0"_s;
    QTest::newRow("far above") << u"7"_s << u"1.0"_s << u"1.0"_s;
    QTest::newRow("letters kept") << u"0.5abc"_s << u"0.5abc"_s << u"0.5abc"_s;
    QTest::newRow("not a number") << u"abc"_s << u"0.1"_s << u"0.1"_s;
}

void FrmMainBindingTest::timerBoxEdits()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(QString, stored);
    MainWindowHarness harness;
    auto *box = harness.control<QLineEdit>(u"timCVAR_18"_s);
    box->setText(text);
    QCOMPARE(box->text(), shown);
    QCOMPARE(QString::fromStdString(harness.value(18)), stored);
}

void FrmMainBindingTest::skillBarsAndUltraSkill()
{
    MainWindowHarness harness;
    auto *minSkill = harness.control<QScrollBar>(u"scrlSkill_10"_s);
    auto *ultraSkill = harness.control<QCheckBox>(u"chkCVAR_13"_s);

    minSkill->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(minSkill->value(), 79);
    QTest::keyClick(minSkill, Qt::Key_Right);
    QTest::keyClick(minSkill, Qt::Key_Right);
    QCOMPARE(minSkill->value(), 81);
    QTest::keyClick(minSkill, Qt::Key_Left);
    QCOMPARE(minSkill->value(), 80);
    minSkill->setValue(60);
    QCOMPARE(harness.control<QLabel>(u"lblSkill_10"_s)->text(), u" 60"_s);
    QCOMPARE(harness.value(10), "60");

    ultraSkill->setChecked(true);
    QCOMPARE(harness.control<QLabel>(u"lblSkill_10"_s)->text(), u" 160"_s);
    QCOMPARE(harness.control<QLabel>(u"lblSkill_11"_s)->text(), u" 200"_s);
    QCOMPARE(harness.value(10), "60");
    QCOMPARE(harness.value(11), "100");
    QCOMPARE(harness.value(13), "on");
}

void FrmMainBindingTest::optionButtonsAndCheckBoxesStoreTheirState()
{
    MainWindowHarness harness(kdx::test::crlfLines({"jasonmode maybe"}));
    harness.control<QRadioButton>(u"radRadio_3"_s)->setChecked(true);
    QCOMPARE(harness.value(8), "3");
    harness.control<QRadioButton>(u"radRadio_0"_s)->setChecked(true);
    QCOMPARE(harness.value(8), "0");

    auto *knifeMode = harness.control<QCheckBox>(u"chkCVAR_9"_s);
    QCOMPARE(harness.value(9), "maybe");
    knifeMode->click();
    QCOMPARE(harness.value(9), "on");
    knifeMode->click();
    QCOMPARE(harness.value(9), "off");
}

void FrmMainBindingTest::waypointFolderIsStoredAsTyped()
{
    MainWindowHarness harness;
    auto *folder = harness.control<QLineEdit>(u"txtCVAR_1"_s);
    folder->clear();
    QTest::keyClicks(folder, u" my wpt\\ "_s);
    QCOMPARE(harness.value(1), " my wpt\\ ");
}

void FrmMainBindingTest::reloadDiscardsEditsOfTheFileOnly()
{
    MainWindowHarness harness(kdx::test::crlfLines({"pause 5", "mp_roundtime 3.5"}));
    harness.control<QLineEdit>(u"numCVAR_4"_s)->setText(u"9"_s);
    harness.control<QLineEdit>(u"numCVAR_15"_s)->setText(u"7"_s);
    harness.control<QCheckBox>(u"chkCVAR_9"_s)->setChecked(true);

    harness.window->cmdLoad_Click();

    QCOMPARE(harness.control<QLineEdit>(u"numCVAR_4"_s)->text(), u"5"_s);
    QCOMPARE(harness.value(4), "5");
    // Settings the file does not hold keep their edited values.
    QCOMPARE(harness.value(15), "7");
    QCOMPARE(harness.value(9), "on");
    QCOMPARE(harness.control<QPushButton>(u"cmdCustom_1"_s)->text(), u"mp_roundtime 3.5"_s);
    QVERIFY(harness.platform.messages.isEmpty());
}

QTEST_MAIN(FrmMainBindingTest)
#include "frmmain_binding_test.moc"
