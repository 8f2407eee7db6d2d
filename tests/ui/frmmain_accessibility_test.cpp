// Accessible names, visible focus, work without a mouse, and captions that fit.
#include "main_window_harness.h"

#include "ui/main/main_window_layout.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

using kdx::test::crlfLines;
using kdx::test::MainWindowHarness;
using namespace Qt::StringLiterals;

namespace {

QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

void showActive(const MainWindowHarness &harness)
{
    harness.window->show();
    QApplication::setActiveWindow(harness.window.get());
    if (!QTest::qWaitForWindowActive(harness.window.get()))
        qFatal("the window did not become active");
}

// Presses Tab until the named control has the focus; false when a whole round
// of the window passed without reaching it.
bool tabTo(const QString &objectName)
{
    for (int press = 0; press < 64; ++press) {
        QWidget *focus = QApplication::focusWidget();
        if (focus && focus->objectName() == objectName)
            return true;
        QTest::keyClick(focus ? focus : QApplication::activeWindow(), Qt::Key_Tab);
    }
    return false;
}

// The area a captioned control leaves for its caption, found through the style
// as a screen would show it.
QRectF captionArea(const QWidget *control)
{
    QStyleOptionButton option;
    option.initFrom(control);
    if (qobject_cast<const QCheckBox *>(control))
        return control->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, control);
    if (qobject_cast<const QRadioButton *>(control))
        return control->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, control);
    if (qobject_cast<const QAbstractButton *>(control))
        return control->style()->subElementRect(QStyle::SE_PushButtonContents, &option, control);
    return control->contentsRect();
}

} // namespace

class FrmMainAccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void controlsHaveAccessibleNames_data();
    void controlsHaveAccessibleNames();
    void everyControlButLinesAndShapesIsNamed();
    void focusIsVisible_data();
    void focusIsVisible();
    void editAndSaveByKeyboardOnly();
    void languageDialogByKeyboardOnly();
    void captionsFitTheirControls_data();
    void captionsFitTheirControls();
    void tallCaptionsWrapInsteadOfShrinking_data();
    void tallCaptionsWrapInsteadOfShrinking();
};

void FrmMainAccessibilityTest::initTestCase()
{
    // The focus frames checked here are those of the style every platform has.
    QApplication::setStyle(QStyleFactory::create(u"Fusion"_s));
}

void FrmMainAccessibilityTest::controlsHaveAccessibleNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessibleName");
    const std::pair<const char *, QString> rows[] = {
        {"numCVAR_4", u"Wait (sec.)"_s},
        {"numCVAR_5", u"Bots (min)"_s},
        {"numCVAR_6", u"Bots (max)"_s},
        {"numCVAR_14", u"Max. Bots follow user"_s},
        {"numCVAR_15", u"Max. Weapon-Pickup"_s},
        {"timCVAR_18", u"Sounds"_s},
        {"timCVAR_19", u"Pickups"_s},
        {"timCVAR_20", u"Grenades"_s},
        {"txtCVAR_1", u"Waypoint-Folder"_s},
        {"scrlSkill_10", u"Bot-Skill (min)"_s},
        {"scrlSkill_11", u"Bot-Skill (max)"_s},
        {"chkCVAR_21", u"HL-Speech Welcome-Msg"_s},
        {"chkCVAR_24", u"Invulnerable Hostages"_s},
        {"chkCVAR_2", u"E[VRK] Clantags"_s},
        {"radRadio_2", u"Restricted"_s},
        {"cmdClnOut2", u"Output \"Clean\" File (leave out Defaults)"_s},
        {"Command1", u"Exit w/o Save (Esc) "_s},
        {"cmdCustom_1", u"<Click to add new>"_s},
        {"lblHelp_0", u"Help: server commands"_s},
        {"lblHelp_10", u"Help: minbotskill / maxbotskill"_s},
    };
    for (const auto &[name, accessibleName] : rows)
        QTest::newRow(name) << QString::fromLatin1(name) << accessibleName;
}

void FrmMainAccessibilityTest::controlsHaveAccessibleNames()
{
    QFETCH(QString, name);
    QFETCH(QString, accessibleName);
    MainWindowHarness harness(std::nullopt);
    QCOMPARE(::accessibleName(harness.control<QWidget>(name)), accessibleName);
}

void FrmMainAccessibilityTest::everyControlButLinesAndShapesIsNamed()
{
    MainWindowHarness harness(std::nullopt);
    QStringList unnamed;
    for (QWidget *child : harness.window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const QString name = child->objectName();
        if (!name.startsWith(u"Line"_s) && !name.startsWith(u"Shape"_s) && accessibleName(child).trimmed().isEmpty())
            unnamed.append(name);
    }
    QCOMPARE(unnamed, QStringList());
}

void FrmMainAccessibilityTest::focusIsVisible_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"cmdSave", "cmdClnOut2", "chkCVAR_9", "chkCVAR_24", "radRadio_0", "cmdCustom_4",
                             "numCVAR_5", "scrlSkill_10"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void FrmMainAccessibilityTest::focusIsVisible()
{
    QFETCH(QString, name);
    MainWindowHarness harness(crlfLines({"pause 5"}));
    showActive(harness);
    auto *control = harness.control<QWidget>(name);

    QVERIFY(tabTo(name));
    const QImage focused = control->grab().toImage();
    QTest::keyClick(control, Qt::Key_Tab);
    QVERIFY(!control->hasFocus());
    QVERIFY(focused != control->grab().toImage());
}

void FrmMainAccessibilityTest::editAndSaveByKeyboardOnly()
{
    MainWindowHarness harness(crlfLines({"# bot settings", "jasonmode off", "pause 3"}));
    showActive(harness);

    QVERIFY(tabTo(u"chkCVAR_9"_s));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(tabTo(u"numCVAR_4"_s));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), u"7"_s);
    QVERIFY(tabTo(u"cmdSave"_s));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    QTRY_COMPARE(harness.platform.writtenFiles, QStringList{harness.path()});
    QCOMPARE(harness.fileContent(), crlfLines({"# bot settings", "jasonmode on", "pause 7"}));
    QVERIFY(harness.platform.messages.isEmpty());
}

void FrmMainAccessibilityTest::languageDialogByKeyboardOnly()
{
    MainWindowHarness harness(crlfLines({"pause 5"}));
    QDir(harness.folder.path()).mkdir(u"chat"_s);
    harness.writeFile("Hallo\r\n", u"chat/deutsch.txt"_s);
    harness.writeFile("Hello\r\n", u"chat/english.txt"_s);
    showActive(harness);

    // The dialog runs its own event loop: work it from a timer once it is up.
    QString dialogName;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return;
        poll.stop();
        QApplication::setActiveWindow(dialog);
        dialogName = dialog->objectName();
        // The list shows its first file as current; the arrow key selects the next.
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Down);
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
    poll.start(20);

    QVERIFY(tabTo(u"cmdChatLang"_s));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    QTRY_COMPARE(harness.platform.startedBatchFiles.size(), 1);
    QCOMPARE(dialogName, u"frmChat"_s);
    QCOMPARE(harness.platform.startedBatchFiles.constFirst().batchFile,
             harness.folder.path() + QDir::separator() + u"KDXchat.bat"_s);
    QCOMPARE(harness.platform.startedBatchFiles.constFirst().argument, u"english.txt"_s);
    QTRY_VERIFY(!QApplication::activeModalWidget());
}

void FrmMainAccessibilityTest::captionsFitTheirControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    using enum kdx::ControlType;
    for (const kdx::ControlLayout &layout : kdx::MainWindowControls()) {
        if (layout.type != Button && layout.type != CheckBox && layout.type != OptionButton
            && layout.type != Caption && layout.type != Heading)
            continue;
        QString name = QString::fromLatin1(layout.name.data(), static_cast<qsizetype>(layout.name.size()));
        if (layout.index != kdx::ControlLayout::NoIndex)
            name += u'_' + QString::number(layout.index);
        const QString caption = QString::fromLatin1(layout.caption.data(), static_cast<qsizetype>(layout.caption.size()));
        QTest::newRow(qPrintable(name)) << name << caption;
    }
}

void FrmMainAccessibilityTest::captionsFitTheirControls()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    MainWindowHarness harness(std::nullopt);
    auto *control = harness.control<QWidget>(name);
    const QRectF area = captionArea(control);
    const QFontMetricsF metrics(control->font());

    const auto *label = qobject_cast<const QLabel *>(control);
    if (label ? label->wordWrap() : area.height() >= 2 * metrics.height()) {
        const QRectF wrapped = metrics.boundingRect(QRectF(QPointF(), area.size()), Qt::TextWordWrap, caption);
        QVERIFY2(wrapped.width() <= area.width() && wrapped.height() <= area.height(),
                 qPrintable(u"%1 x %2 in %3 x %4"_s.arg(wrapped.width()).arg(wrapped.height()).arg(area.width()).arg(
                     area.height())));
    } else {
        QVERIFY2(metrics.horizontalAdvance(caption) <= area.width(),
                 qPrintable(u"%1 wide in %2"_s.arg(metrics.horizontalAdvance(caption)).arg(area.width())));
        QVERIFY(metrics.height() <= area.height());
    }
}

void FrmMainAccessibilityTest::tallCaptionsWrapInsteadOfShrinking_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"chkCVAR_21", "chkCVAR_24", "chkCVAR_3", "cmdClnOut2"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void FrmMainAccessibilityTest::tallCaptionsWrapInsteadOfShrinking()
{
    QFETCH(QString, name);
    MainWindowHarness harness(std::nullopt);
    auto *control = harness.control<QAbstractButton>(name);
    QCOMPARE(control->font().pixelSize(), harness.window->font().pixelSize());
}

QTEST_MAIN(FrmMainAccessibilityTest)
#include "frmmain_accessibility_test.moc"
