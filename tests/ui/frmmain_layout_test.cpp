// What the window holds: controls, captions, places, keyboard.
#include "main_window_harness.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

using kdx::test::MainWindowHarness;
using namespace Qt::StringLiterals;

namespace {

QRect pixels(int left, int top, int width, int height)
{
    return {left / 12, top / 12, width / 12, height / 12};
}

// Members present in each control array, by the objectName prefix.
QList<int> indicesOf(const QWidget *window, const QString &arrayName)
{
    QList<int> indices;
    for (const QWidget *child : window->findChildren<QWidget *>()) {
        const QString name = child->objectName();
        if (name.startsWith(arrayName + QLatin1Char('_')))
            indices.append(name.mid(arrayName.size() + 1).toInt());
    }
    std::sort(indices.begin(), indices.end());
    return indices;
}

} // namespace

class FrmMainLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void window();
    void controlArraysHoldExactlyTheirIndices_data();
    void controlArraysHoldExactlyTheirIndices();
    void controls_data();
    void controls();
    void styles();
    void tabOrderFollowsTheTabIndex();
    void escapeExitsWithoutSaving();
    void enterPressesOnlyAFocusedButton();
};

void FrmMainLayoutTest::window()
{
    MainWindowHarness harness;
    QCOMPARE(harness.window->size(), QSize(712, 544));
    QCOMPARE(harness.window->minimumSize(), harness.window->maximumSize());
    QCOMPARE(harness.window->windowTitle(), QStringLiteral("KDXConfig 1.0      << E[VRK]bot III d >>"));
    QVERIFY(!(harness.window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(harness.window->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!harness.window->windowIcon().isNull());
    QCOMPARE(harness.window->windowIcon().availableSizes().value(0), QSize(32, 32));
}

void FrmMainLayoutTest::controlArraysHoldExactlyTheirIndices_data()
{
    QTest::addColumn<QString>("array");
    QTest::addColumn<QList<int>>("indices");
    QTest::newRow("chkCVAR") << u"chkCVAR"_s << QList<int>{2, 3, 7, 9, 12, 13, 16, 17, 21, 22, 23, 24, 25, 26};
    QTest::newRow("txtCVAR") << u"txtCVAR"_s << QList<int>{1};
    QTest::newRow("numCVAR") << u"numCVAR"_s << QList<int>{4, 5, 6, 14, 15};
    QTest::newRow("timCVAR") << u"timCVAR"_s << QList<int>{18, 19, 20};
    QTest::newRow("scrlSkill") << u"scrlSkill"_s << QList<int>{10, 11};
    QTest::newRow("lblSkill") << u"lblSkill"_s << QList<int>{10, 11};
    QTest::newRow("radRadio") << u"radRadio"_s << QList<int>{0, 1, 2, 3};
    QTest::newRow("lblHelp") << u"lblHelp"_s
                             << QList<int>{0, 1, 2, 3, 4, 5, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
                                           23, 24, 25, 26};
    QTest::newRow("cmdCustom") << u"cmdCustom"_s << QList<int>{1, 2, 3, 4, 5, 6, 7, 8};
}

void FrmMainLayoutTest::controlArraysHoldExactlyTheirIndices()
{
    QFETCH(QString, array);
    QFETCH(QList<int>, indices);
    MainWindowHarness harness;
    QCOMPARE(indicesOf(harness.window.get(), array), indices);
}

void FrmMainLayoutTest::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QRect>("geometry");

    auto row = [](const char *name, const char *className, const QString &caption, const QString &toolTip,
                  QRect geometry) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(className) << caption << toolTip
                            << geometry;
    };
    const QString none;
    row("cmdLoad", "kdx::CaptionButton", u"ReLoad File"_s, u"Undo all changes"_s, pixels(120, 120, 1572, 372));
    row("cmdSave", "kdx::CaptionButton", u"Save File"_s, u"Changes to settings will take effect"_s,
        pixels(120, 600, 1572, 372));
    row("cmdCleanOut", "kdx::CaptionButton", u"Output \"Clean\" File"_qs,
        u"Save file without any comments (compressed)"_s, pixels(120, 1200, 1572, 372));
    row("cmdClnOut2", "kdx::CaptionButton", u"Output \"Clean\" File (leave out Defaults)"_qs,
        u"Save file without any comments and default values (highly compressed)"_s, pixels(120, 1680, 1572, 612));
    row("cmdTitlesLang", "kdx::CaptionButton", u"Console / Menus"_s, none, pixels(120, 3360, 1572, 492));
    row("cmdChatLang", "kdx::CaptionButton", u"Bot-Chat"_s, none, pixels(120, 3960, 1572, 492));
    row("Command2", "kdx::CaptionButton", u"Save and Exit"_s, none, pixels(120, 5280, 1572, 492));
    row("Command1", "kdx::CaptionButton", u"Exit w/o Save (Esc) "_s, none, pixels(120, 5880, 1572, 492));
    row("Label16", "QLabel", u"Language settings"_s, none, pixels(120, 3000, 1572, 372));
    row("chkCVAR_2", "kdx::CaptionCheckBox", u"E[VRK] Clantags"_s, none, pixels(2400, 240, 1572, 372));
    row("chkCVAR_21", "kdx::CaptionCheckBox", u"HL-Speech Welcome-Msg"_s, none, pixels(2400, 3120, 1692, 372));
    row("chkCVAR_12", "kdx::CaptionCheckBox", u"Inhuman Turns"_s, none, pixels(4800, 3240, 1452, 252));
    row("chkCVAR_26", "kdx::CaptionCheckBox", u"Auto-Fill Server"_s, none, pixels(4800, 1500, 1572, 372));
    row("lblHelp_0", "kdx::HelpMark", u"?"_s, none, pixels(2040, 5520, 252, 252));
    row("lblHelp_5", "kdx::HelpMark", u"?"_s, none, pixels(4440, 1080, 252, 252));
    row("lblHelp_8", "kdx::HelpMark", u"?"_s, none, pixels(6720, 3360, 252, 252));
    row("txtCVAR_1", "QLineEdit", u"wptKDX"_s, none, pixels(2520, 4680, 1572, 288));
    row("numCVAR_14", "QLineEdit", u"3"_s, none, pixels(6480, 4440, 492, 288));
    row("timCVAR_19", "QLineEdit", u"0.4"_s, none, pixels(7920, 1080, 492, 288));
    row("Label3", "QLabel", u"Max. Bots follow user"_s, none, pixels(4800, 4500, 1692, 252));
    row("Label9", "QLabel", u"(max)"_s, none, pixels(4680, 2640, 492, 252));
    row("scrlSkill_11", "kdx::SkillScrollBar", none, none, pixels(5280, 2640, 1092, 252));
    row("lblSkill_10", "QLabel", u" 80"_s, none, pixels(6480, 2280, 492, 252));
    row("radRadio_2", "QRadioButton", u"Restricted"_s, none, pixels(7080, 3720, 1092, 252));
    row("cmdCustom_6", "kdx::CaptionButton", u"<Click to add new>"_s, none, pixels(5400, 5640, 2892, 252));
    row("cmdCustom_8", "kdx::CaptionButton", u"<Click to add new>"_s, none, pixels(5400, 6120, 2892, 252));
    row("Line1", "QFrame", none, none, QRect(149, 10, 2, 530));
    row("Line7", "QFrame", none, none, QRect(370, 159, 330, 2));
    row("Shape2", "QFrame", none, none, pixels(120, 4560, 1572, 612));
}

void FrmMainLayoutTest::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    QFETCH(QRect, geometry);

    MainWindowHarness harness(std::nullopt);
    auto *control = harness.control<QWidget>(name);
    QCOMPARE(QString::fromLatin1(control->metaObject()->className()), className);
    QCOMPARE(control->property("text").toString(), caption);
    QCOMPARE(control->toolTip(), toolTip);
    QCOMPARE(control->geometry(), geometry);
}

void FrmMainLayoutTest::styles()
{
    MainWindowHarness harness;
    auto *mark = harness.control<QLabel>(u"lblHelp_13"_s);
    QCOMPARE(mark->palette().color(QPalette::Window), QColor(255, 255, 192));
    QCOMPARE(mark->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    QVERIFY(mark->font().bold());
    QCOMPARE(mark->frameShape(), QFrame::Box);
    QCOMPARE(mark->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(mark->focusPolicy(), Qt::NoFocus);

    QVERIFY(harness.control<QLabel>(u"Label10"_s)->font().underline());
    QVERIFY(!harness.control<QLabel>(u"Label10"_s)->font().bold());
    QVERIFY(harness.control<QLineEdit>(u"numCVAR_4"_s)->font().bold());
    QCOMPARE(harness.control<QLabel>(u"lblSkill_11"_s)->frameShape(), QFrame::Box);
    QVERIFY(harness.control<QLabel>(u"Label8"_s)->alignment() & Qt::AlignRight);

    auto *bar = harness.control<QScrollBar>(u"scrlSkill_10"_s);
    QCOMPARE(bar->minimum(), 1);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(bar->singleStep(), 1);
    QCOMPARE(bar->pageStep(), 1);
    QVERIFY(!bar->hasTracking());

    const QColor entryField = harness.window->palette().color(QPalette::Base);
    QCOMPARE(harness.control<QPushButton>(u"cmdCustom_3"_s)->palette().color(QPalette::Button), entryField);
}

void FrmMainLayoutTest::tabOrderFollowsTheTabIndex()
{
    MainWindowHarness harness;
    harness.window->show();
    QVERIFY(QTest::qWaitForWindowActive(harness.window.get()));
    harness.control<QWidget>(u"cmdLoad"_s)->setFocus();

    const QStringList expected = {
        u"cmdLoad"_s,      u"cmdCleanOut"_s,  u"cmdClnOut2"_s,  u"cmdSave"_s,     u"chkCVAR_2"_s,
        u"chkCVAR_3"_s,    u"chkCVAR_16"_s,   u"chkCVAR_17"_s,  u"chkCVAR_21"_s,  u"chkCVAR_22"_s,
        u"chkCVAR_25"_s,   u"chkCVAR_7"_s,    u"chkCVAR_26"_s,  u"chkCVAR_9"_s,   u"chkCVAR_24"_s,
        u"chkCVAR_23"_s,   u"chkCVAR_12"_s,   u"chkCVAR_13"_s,  u"txtCVAR_1"_s,   u"numCVAR_4"_s,
        u"numCVAR_14"_s,   u"numCVAR_15"_s,   u"numCVAR_5"_s,   u"numCVAR_6"_s,   u"scrlSkill_10"_s,
        u"scrlSkill_11"_s, u"radRadio_0"_s,   u"timCVAR_20"_s,  u"timCVAR_19"_s,  u"timCVAR_18"_s,
        u"cmdCustom_8"_s,  u"cmdCustom_1"_s,  u"cmdCustom_2"_s, u"cmdCustom_3"_s, u"cmdCustom_4"_s,
        u"cmdCustom_5"_s,  u"cmdCustom_6"_s,  u"cmdCustom_7"_s, u"Command1"_s,    u"Command2"_s,
        u"cmdChatLang"_s,  u"cmdTitlesLang"_s, u"cmdLoad"_s,
    };
    QStringList visited;
    for (qsizetype step = 0; step < expected.size(); ++step) {
        visited.append(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, expected);
}

void FrmMainLayoutTest::escapeExitsWithoutSaving()
{
    const QByteArray file = kdx::test::crlfLines({"pause 5"});
    MainWindowHarness harness(file);
    harness.window->show();
    QVERIFY(QTest::qWaitForWindowActive(harness.window.get()));
    harness.control<QLineEdit>(u"numCVAR_4"_s)->setFocus();
    QTest::keyClicks(harness.control<QLineEdit>(u"numCVAR_4"_s), u"7"_s);

    QTest::keyClick(harness.control<QLineEdit>(u"numCVAR_4"_s), Qt::Key_Escape);

    QCOMPARE(harness.platform.endProgramCalls, 1);
    QVERIFY(harness.platform.writtenFiles.isEmpty());
    QCOMPARE(harness.fileContent(), file);
}

void FrmMainLayoutTest::enterPressesOnlyAFocusedButton()
{
    MainWindowHarness harness(kdx::test::crlfLines({"pause 5"}));
    harness.window->show();
    QVERIFY(QTest::qWaitForWindowActive(harness.window.get()));

    auto *box = harness.control<QCheckBox>(u"chkCVAR_9"_s);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(harness.platform.writtenFiles.isEmpty());
    QVERIFY(!box->isChecked());

    auto *save = harness.control<QPushButton>(u"cmdSave"_s);
    save->setFocus();
    QTest::keyClick(save, Qt::Key_Return);
    QTRY_COMPARE(harness.platform.writtenFiles, QStringList{harness.path()});
}

QTEST_MAIN(FrmMainLayoutTest)
#include "frmmain_layout_test.moc"
