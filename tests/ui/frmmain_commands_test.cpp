// The file buttons, the custom-command editor, the help marks and the window commands.
#include "main_window_harness.h"

#include "config/config_writers.h"
#include "ui/main/help_topics.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using kdx::MessageIcon;
using kdx::test::crlfLines;
using kdx::test::MainWindowHarness;
using namespace Qt::StringLiterals;

namespace {

QString joined(const QList<kdx::test::FakePlatform::ShownMessage> &messages)
{
    QStringList texts;
    for (const auto &message : messages)
        texts.append(message.title + u": "_s + message.text);
    return texts.join(u" | "_s);
}

QPushButton *button(const MainWindowHarness &harness, const QString &name)
{
    return harness.control<QPushButton>(name);
}

const QByteArray allSettingsHeader = crlfLines({
    "#### VEVaduDori 1.0 for E[VRK]bot IIId ####",
    "# This KDX.cfg file is generated out of all the CVARs",
    "# All comments and blank lines are removed, CVARs are in Standard order",
    "#",
});

const QByteArray leaveOutDefaultsHeader = crlfLines({
    "#### VEVaduDori 1.0 for E[VRK]bot IIId ####",
    "# This KDX.cfg file is generated out of all the CVARs, ",
    "# except those which are default value.",
    "# All comments and blank lines are removed, CVARs are in Standard order",
    "#",
});

} // namespace

class FrmMainCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void loadShowsTheReadersMessagesInOrder();
    void aMissingOrUnreadableFileIsReportedAndReadAsEmpty_data();
    void aMissingOrUnreadableFileIsReportedAndReadAsEmpty();
    void saveWritesTheEditsInPlace();
    void aFailedSaveIsReportedAndLeavesTheFileWhole();
    void cleanOutputs_data();
    void cleanOutputs();
    void cleanOutputWritesNothingWithoutAName_data();
    void cleanOutputWritesNothingWithoutAName();
    void cleanOutputRefusesNamesOutsideTheFolder_data();
    void cleanOutputRefusesNamesOutsideTheFolder();
    void aFailedCleanOutputIsReported();
    void customCommandEditor();
    void customCommandEditsReachTheFiles();
    void anAmpersandInACommandDefinesNoAccessKey();
    void helpMarksShowTheirTopic();
    void exitWithoutSaving();
    void saveAndExit();
    void saveAndExitStaysOpenWhenTheSaveFails();
    void marqueeMovesTheCaption();
    void languageButtonsOpenTheirDialogModally_data();
    void languageButtonsOpenTheirDialogModally();
};

void FrmMainCommandsTest::loadShowsTheReadersMessagesInOrder()
{
    QByteArray file;
    for (int i = 1; i <= 9; ++i)
        file += "cmd" + QByteArray::number(i) + "\r\n";
    for (int i = 10; i <= 257; ++i)
        file += "#\r\n";
    MainWindowHarness harness(file);

    QCOMPARE(harness.platform.messages.size(), 2);
    const auto &tooMany = harness.platform.messages.at(0);
    QCOMPARE(tooMany.title, u"Too many custom commands"_s);
    QCOMPARE(tooMany.text, u"'cmd9' couldn't be stored."_s);
    QCOMPARE(tooMany.icon, MessageIcon::Exclamation);
    const auto &tooBig = harness.platform.messages.at(1);
    QCOMPARE(tooBig.title, u"Error while loading"_s);
    QCOMPARE(tooBig.text, u"KDX.cfg is too big. Perhaps some values are not loaded - Those will be set to default."_s);
    QCOMPARE(tooBig.icon, MessageIcon::None);
    QCOMPARE(button(harness, u"cmdCustom_8"_s)->text(), u"cmd8"_s);
}

void FrmMainCommandsTest::aMissingOrUnreadableFileIsReportedAndReadAsEmpty_data()
{
    QTest::addColumn<bool>("folderInItsPlace");
    QTest::newRow("missing") << false;
    QTest::newRow("a folder in its place") << true;
}

void FrmMainCommandsTest::aMissingOrUnreadableFileIsReportedAndReadAsEmpty()
{
    QFETCH(bool, folderInItsPlace);
    MainWindowHarness harness(crlfLines({"pause 7", "say hello"}));
    harness.control<QCheckBox>(u"chkCVAR_9"_s)->setChecked(true);
    QFile::remove(harness.path());
    if (folderInItsPlace)
        QVERIFY(QDir(harness.folder.path()).mkdir(u"KDX.cfg"_s));

    harness.window->cmdLoad_Click();

    QCOMPARE(harness.platform.messages.size(), 1);
    QCOMPARE(harness.platform.messages.at(0).title, u"Error while loading"_s);
    QVERIFY2(harness.platform.messages.at(0).text.contains(QDir::toNativeSeparators(harness.path())),
             qPrintable(joined(harness.platform.messages)));
    QCOMPARE(harness.cfg.ConfigLineCount(), 0);
    QCOMPARE(harness.value(4), "7");
    QCOMPARE(harness.value(9), "on");
    QCOMPARE(button(harness, u"cmdCustom_1"_s)->text(), u"<Click to add new>"_s);
}

void FrmMainCommandsTest::saveWritesTheEditsInPlace()
{
    MainWindowHarness harness(QByteArray("# my server\r\n  pause 5\nmp_roundtime 3.5"));
    QVERIFY(harness.platform.messages.isEmpty());
    harness.control<QLineEdit>(u"numCVAR_4"_s)->setText(u"4"_s);
    harness.control<QLineEdit>(u"numCVAR_6"_s)->setText(u"20"_s);
    harness.platform.inputAnswers = {u"sv_gravity 600"_s};
    button(harness, u"cmdCustom_2"_s)->click();

    button(harness, u"cmdSave"_s)->click();

    QCOMPARE(harness.fileContent(), crlfLines({"# my server", "pause 4", "mp_roundtime 3.5", "", "max_bots 20", "",
                                               "sv_gravity 600"}));
    QVERIFY(harness.platform.messages.isEmpty());
}

void FrmMainCommandsTest::aFailedSaveIsReportedAndLeavesTheFileWhole()
{
    const QByteArray file = crlfLines({"pause 5"});
    MainWindowHarness harness(file);
    harness.control<QLineEdit>(u"numCVAR_4"_s)->setText(u"9"_s);
    harness.platform.writeFailure = u"Disk full"_s;

    QVERIFY(!harness.window->cmdSave_Click());

    QCOMPARE(harness.platform.messages.size(), 1);
    QCOMPARE(harness.platform.messages.at(0).title, u"Error while saving"_s);
    QVERIFY(harness.platform.messages.at(0).text.contains(QDir::toNativeSeparators(harness.path())));
    QVERIFY(harness.platform.messages.at(0).text.contains(u"Disk full"_s));
    QCOMPARE(harness.fileContent(), file);
    QCOMPARE(harness.value(4), "9");
}

void FrmMainCommandsTest::cleanOutputs_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QByteArray>("expected");

    QByteArray allSettings = allSettingsHeader;
    for (const kdx::SettingDefinition &setting : kdx::SettingDefinitions) {
        const std::string_view value = setting.key == "pause" ? "5" : setting.defaultValue;
        allSettings += QByteArray(setting.key.data(), qsizetype(setting.key.size())) + ' '
                       + QByteArray(value.data(), qsizetype(value.size())) + "\r\n";
    }
    const QByteArray commands = crlfLines({"# These are custom server commands:", "#", "mp_roundtime 3.5"});
    QTest::newRow("all settings") << u"cmdCleanOut"_s << allSettings + commands;
    QTest::newRow("leave out defaults") << u"cmdClnOut2"_s << leaveOutDefaultsHeader + crlfLines({"pause 5"}) + commands;
}

void FrmMainCommandsTest::cleanOutputs()
{
    QFETCH(QString, buttonName);
    QFETCH(QByteArray, expected);
    const QByteArray file = crlfLines({"# comment", "", "pause 5", "mp_roundtime 3.5"});
    MainWindowHarness harness(file);
    harness.platform.inputAnswers = {u"clean.cfg"_s};

    button(harness, buttonName)->click();

    QCOMPARE(harness.platform.inputRequests.size(), 1);
    QCOMPARE(harness.platform.inputRequests.at(0).prompt, u"Filename"_s);
    QCOMPARE(harness.platform.inputRequests.at(0).title, u"Output 'Clean' File"_s);
    QCOMPARE(harness.platform.inputRequests.at(0).defaultAnswer, u"KDX.cfg"_s);
    QCOMPARE(harness.fileContent(u"clean.cfg"_s), expected);
    QCOMPARE(harness.fileContent(), file);
    QVERIFY(harness.platform.messages.isEmpty());
}

void FrmMainCommandsTest::cleanOutputWritesNothingWithoutAName_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::newRow("Cancel") << std::optional<QString>();
    QTest::newRow("emptied field") << std::optional<QString>(QString());
}

void FrmMainCommandsTest::cleanOutputWritesNothingWithoutAName()
{
    QFETCH(std::optional<QString>, answer);
    const QByteArray file = crlfLines({"pause 5"});
    MainWindowHarness harness(file);
    harness.platform.inputAnswers = {answer, answer};

    button(harness, u"cmdCleanOut"_s)->click();
    button(harness, u"cmdClnOut2"_s)->click();

    QVERIFY(harness.platform.writtenFiles.isEmpty());
    QVERIFY(harness.platform.messages.isEmpty());
    QCOMPARE(harness.fileContent(), file);
}

void FrmMainCommandsTest::cleanOutputRefusesNamesOutsideTheFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("absolute") << u"/tmp/clean.cfg"_s;
    QTest::newRow("parent folder") << u"../clean.cfg"_s;
    QTest::newRow("dot dot") << u".."_s;
    QTest::newRow("sub folder") << u"chat/clean.cfg"_s;
    QTest::newRow("backslash") << u"chat\\clean.cfg"_s;
    QTest::newRow("drive letter") << u"C:clean.cfg"_s;
}

void FrmMainCommandsTest::cleanOutputRefusesNamesOutsideTheFolder()
{
    QFETCH(QString, name);
    MainWindowHarness harness;
    harness.platform.inputAnswers = {name};

    button(harness, u"cmdCleanOut"_s)->click();

    QVERIFY(harness.platform.writtenFiles.isEmpty());
    QCOMPARE(harness.platform.messages.size(), 1);
    QCOMPARE(harness.platform.messages.at(0).title, u"Error while saving"_s);
    QVERIFY(harness.platform.messages.at(0).text.contains(name));
}

void FrmMainCommandsTest::aFailedCleanOutputIsReported()
{
    const QByteArray file = crlfLines({"pause 5"});
    MainWindowHarness harness(file);
    harness.platform.inputAnswers = {u"KDX.cfg"_s};
    harness.platform.writeFailure = u"Permission denied"_s;

    button(harness, u"cmdClnOut2"_s)->click();

    QCOMPARE(harness.platform.messages.size(), 1);
    QCOMPARE(harness.platform.messages.at(0).title, u"Error while saving"_s);
    QVERIFY(harness.platform.messages.at(0).text.contains(QDir::toNativeSeparators(harness.path())));
    QVERIFY(harness.platform.messages.at(0).text.contains(u"Permission denied"_s));
    QCOMPARE(harness.fileContent(), file);
}

void FrmMainCommandsTest::customCommandEditor()
{
    MainWindowHarness harness(crlfLines({"mp_roundtime 3.5", "sv_gravity 600"}));
    harness.platform.inputAnswers = {u"  mp_timelimit 20 "_s, std::nullopt, u"sv_gravity 600"_s, std::nullopt};

    button(harness, u"cmdCustom_3"_s)->click(); // a free slot: add
    button(harness, u"cmdCustom_1"_s)->click(); // Cancel: delete
    button(harness, u"cmdCustom_2"_s)->click(); // confirmed unchanged
    button(harness, u"cmdCustom_4"_s)->click(); // Cancel on a free slot

    const auto &requests = harness.platform.inputRequests;
    QCOMPARE(requests.size(), 4);
    QCOMPARE(requests.at(0).title, u"Change/Add Command"_s);
    QCOMPARE(requests.at(0).prompt, u"Type in your custom command.\rClick 'Cancel' to delete this command."_s);
    QCOMPARE(requests.at(0).defaultAnswer, QString());
    QCOMPARE(requests.at(1).defaultAnswer, u"mp_roundtime 3.5"_s);

    QCOMPARE(button(harness, u"cmdCustom_1"_s)->text(), u"<Click to add new>"_s);
    QCOMPARE(button(harness, u"cmdCustom_2"_s)->text(), u"sv_gravity 600"_s);
    QCOMPARE(button(harness, u"cmdCustom_3"_s)->text(), u"  mp_timelimit 20 "_s);
    QCOMPARE(button(harness, u"cmdCustom_4"_s)->text(), u"<Click to add new>"_s);
    QCOMPARE(harness.cfg.CustomCommands[3].Text, "  mp_timelimit 20 ");
    QCOMPARE(harness.platform.focusedWidgets, QStringList(4, u"cmdSave"_s));
}

void FrmMainCommandsTest::customCommandEditsReachTheFiles()
{
    MainWindowHarness harness(crlfLines({"# three commands", "cmd one", "cmd two", "cmd three"}));
    harness.platform.inputAnswers = {std::nullopt, u"cmd 2b"_s, u"cmd four"_s, u"all.cfg"_s, u"lean.cfg"_s};
    button(harness, u"cmdCustom_1"_s)->click();
    button(harness, u"cmdCustom_2"_s)->click();
    button(harness, u"cmdCustom_4"_s)->click();

    button(harness, u"cmdSave"_s)->click();
    QCOMPARE(harness.fileContent(), crlfLines({"# three commands", "", "cmd 2b", "cmd three", "", "cmd four"}));

    const QByteArray commands =
        crlfLines({"# These are custom server commands:", "#", "cmd 2b", "cmd three", "cmd four"});
    button(harness, u"cmdCleanOut"_s)->click();
    QVERIFY(harness.fileContent(u"all.cfg"_s).endsWith(QByteArray(QByteArray("autofill on\r\n") + commands)));
    button(harness, u"cmdClnOut2"_s)->click();
    QCOMPARE(harness.fileContent(u"lean.cfg"_s), leaveOutDefaultsHeader + commands);
}

void FrmMainCommandsTest::anAmpersandInACommandDefinesNoAccessKey()
{
    MainWindowHarness harness(crlfLines({"say Tom&Jerry"}));
    auto *command = button(harness, u"cmdCustom_1"_s);
    QCOMPARE(command->text(), u"say Tom&Jerry"_s);
    QVERIFY(command->shortcut().isEmpty());
    QCOMPARE(command->accessibleName(), u"say Tom&Jerry"_s);
}

void FrmMainCommandsTest::helpMarksShowTheirTopic()
{
    MainWindowHarness harness(crlfLines({"pause 5"}));
    const std::string before = kdx::AnnotatedSave(harness.cfg);
    for (int index : kdx::HelpTopicIndices()) {
        auto *mark = harness.control<QWidget>(u"lblHelp_"_s + QString::number(index));
        QTest::mouseClick(mark, Qt::LeftButton);
        QVERIFY2(!harness.platform.messages.isEmpty(), qPrintable(mark->objectName()));
        const auto message = harness.platform.messages.takeLast();
        QCOMPARE(message.title, QString::fromStdString(kdx::HelpTitle(index)));
        QCOMPARE(message.text, QString::fromStdString(kdx::HelpText(index)));
        QCOMPARE(message.icon, MessageIcon::None);
        QCOMPARE(mark->accessibleName(), u"Help: "_s + message.title);
    }
    QCOMPARE(harness.platform.messages.size(), 0);
    QCOMPARE(kdx::AnnotatedSave(harness.cfg), before);
}

void FrmMainCommandsTest::exitWithoutSaving()
{
    const QByteArray file = crlfLines({"pause 5"});
    MainWindowHarness harness(file);
    harness.control<QLineEdit>(u"numCVAR_4"_s)->setText(u"9"_s);

    button(harness, u"Command1"_s)->click();

    QCOMPARE(harness.platform.endProgramCalls, 1);
    QVERIFY(harness.platform.writtenFiles.isEmpty());
    QCOMPARE(harness.fileContent(), file);
}

void FrmMainCommandsTest::saveAndExit()
{
    MainWindowHarness harness(crlfLines({"pause 5"}));
    harness.control<QLineEdit>(u"numCVAR_4"_s)->setText(u"9"_s);

    button(harness, u"Command2"_s)->click();

    QCOMPARE(harness.fileContent(), crlfLines({"pause 9"}));
    QCOMPARE(harness.platform.endProgramCalls, 1);
}

void FrmMainCommandsTest::saveAndExitStaysOpenWhenTheSaveFails()
{
    const QByteArray file = crlfLines({"pause 5"});
    MainWindowHarness harness(file);
    harness.control<QLineEdit>(u"numCVAR_4"_s)->setText(u"9"_s);
    harness.platform.writeFailure = u"Read-only file system"_s;

    button(harness, u"Command2"_s)->click();

    QCOMPARE(harness.platform.endProgramCalls, 0);
    QCOMPARE(harness.platform.messages.size(), 1);
    QVERIFY(harness.platform.messages.at(0).text.contains(u"Read-only file system"_s));
    QCOMPARE(harness.fileContent(), file);
    QCOMPARE(harness.control<QLineEdit>(u"numCVAR_4"_s)->text(), u"9"_s);
}

void FrmMainCommandsTest::marqueeMovesTheCaption()
{
    MainWindowHarness harness;
    auto *timer = harness.window->findChild<QTimer *>(u"Timer"_s);
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 111);

    const QString shortTitle = u"KDXConfig 1.0      "_s;
    const QString tail = u"<< E[VRK]bot III d >>"_s;
    harness.window->Timer_Timer();
    QCOMPARE(harness.window->windowTitle(), shortTitle + u" "_s + tail);
    for (int tick = 2; tick <= 30; ++tick)
        harness.window->Timer_Timer();
    QVERIFY(harness.window->windowTitle().startsWith(shortTitle + u"www."_s));
    QVERIFY(harness.window->windowTitle().endsWith(QString(8, u' ') + tail));
}

void FrmMainCommandsTest::languageButtonsOpenTheirDialogModally_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("dialogName");
    QTest::newRow("chat") << u"cmdChatLang"_s << u"frmChat"_s;
    QTest::newRow("titles") << u"cmdTitlesLang"_s << u"frmTitles"_s;
}

void FrmMainCommandsTest::languageButtonsOpenTheirDialogModally()
{
    QFETCH(QString, buttonName);
    QFETCH(QString, dialogName);
    MainWindowHarness harness(crlfLines({"pause 5"}));
    QDir(harness.folder.path()).mkdir(u"chat"_s);
    QDir(harness.folder.path()).mkdir(u"Titles"_s);
    const std::string before = kdx::AnnotatedSave(harness.cfg);

    for (int opening = 0; opening < 2; ++opening) {
        QString shown;
        bool modal = false;
        QTimer::singleShot(0, this, [&] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                shown = dialog->objectName();
                modal = dialog->isModal();
                dialog->reject();
            }
        });
        button(harness, buttonName)->click();
        QCOMPARE(shown, dialogName);
        QVERIFY(modal);
    }
    QVERIFY(harness.platform.startedBatchFiles.isEmpty());
    QCOMPARE(kdx::AnnotatedSave(harness.cfg), before);
}

QTEST_MAIN(FrmMainCommandsTest)
#include "frmmain_commands_test.moc"
