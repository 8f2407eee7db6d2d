// The main window where work could be lost: reloads that fail, files changed
// behind the program, code pages, and the keyboard on the option buttons.
#include "config/config_writers.h"
#include "main_window_harness.h"

using namespace Qt::StringLiterals;

namespace {

using Window = kdx::test::MainWindowHarness;

const QString changedQuestion =
    u"KDX.cfg was changed by another program since it was read. Replace it with the settings shown here?"_s;
const QString neverReadQuestion =
    u"KDX.cfg could not be read when the program started. Replace it with the settings shown here?"_s;
const QString appearedQuestion = u"KDX.cfg did not exist when the program started; another program has made it since. "
                                 u"Replace it with the settings shown here?"_s;
const QString unreadableNowQuestion = u"KDX.cfg cannot be read now (Permission denied), so it may hold changes made by "
                                      u"another program. Replace it with the settings shown here?"_s;

} // namespace

class MainWindowEdgesTest : public QObject {
    Q_OBJECT
private slots:
    // After "pause" is set to 9, what happens to the file before a save; the
    // question asked, if any, and the file afterwards.
    void saveAsksBeforeReplacingUnknownContent_data()
    {
        // KDX.cfg at start-up, and as another program leaves it after start-up (empty: untouched):
        // "-" stands for none, "?" for one that cannot be read.
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QByteArray>("behind");
        QTest::addColumn<QString>("command");    // cmdSave or Command2 (Save and Exit)
        QTest::addColumn<QList<bool>>("answer"); // to the question
        QTest::addColumn<QString>("question");
        QTest::addColumn<QByteArray>("after");

        const QByteArray file = "pause 5\r\n", other = "pause 3\r\n# theirs\r\n", none, missing = "-";
        const QList<bool> no{false}, yes{true}, unasked;
        QTest::newRow("unchanged") << file << none << u"cmdSave"_s << unasked << QString() << "pause 9\r\n"_ba;
        QTest::newRow("same bytes written again") << file << file << u"cmdSave"_s << unasked << QString() << "pause 9\r\n"_ba;
        QTest::newRow("changed, No") << file << other << u"cmdSave"_s << no << changedQuestion << other;
        QTest::newRow("changed, Save and Exit, No") << file << other << u"Command2"_s << no << changedQuestion << other;
        QTest::newRow("changed, Yes") << file << other << u"cmdSave"_s << yes << changedQuestion << "pause 9\r\n"_ba;
        QTest::newRow("deleted") << file << "-"_ba << u"cmdSave"_s << unasked << QString() << "pause 9\r\n"_ba;
        QTest::newRow("missing at start") << missing << none << u"cmdSave"_s << unasked << QString() << "\r\npause 9\r\n"_ba;
        QTest::newRow("missing at start, made since") << missing << other << u"Command2"_s << no << appearedQuestion << other;
        QTest::newRow("unreadable now, No") << file << "?"_ba << u"cmdSave"_s << no << unreadableNowQuestion << file;
        QTest::newRow("unreadable at start, No") << "?"_ba << none << u"Command2"_s << no << neverReadQuestion << "?"_ba;
        QTest::newRow("unreadable at start, Yes")
            << "?"_ba << none << u"Command2"_s << yes << neverReadQuestion << "\r\npause 9\r\n"_ba;
    }
    void saveAsksBeforeReplacingUnknownContent()
    {
        QFETCH(QByteArray, start);
        QFETCH(QByteArray, behind);
        QFETCH(QString, command);
        QFETCH(QList<bool>, answer);
        QFETCH(QString, question);
        QFETCH(QByteArray, after);
        Window w(start == "-" ? std::nullopt : std::optional(start),
                 start == "?" ? std::optional(u"Permission denied"_s) : std::nullopt);
        w.set(u"numCVAR_4"_s, u"9"_s);
        if (behind == "-")
            QVERIFY(QFile::remove(w.path()));
        else if (behind == "?")
            w.platform.readFailure = u"Permission denied"_s;
        else if (!behind.isEmpty())
            kdx::test::writeFile(w.path(), behind);
        w.platform.questionAnswers = answer;
        w.click(command);
        QCOMPARE(w.platform.questions, question.isEmpty() ? QStringList() : QStringList{question});
        w.platform.readFailure.reset();
        QCOMPARE(w.content(), after);
        QCOMPARE(w.platform.endProgramCalls, command == u"Command2"_s && answer != QList<bool>{false} ? 1 : 0);
        w.platform.questionAnswers = answer; // asked again after No, not after Yes
        w.platform.readFailure = behind == "?" ? std::optional(u"Permission denied"_s) : std::nullopt;
        w.window->cmdSave_Click();
        QCOMPARE(w.platform.questions.size(), question.isEmpty() ? 0 : answer == QList<bool>{true} ? 1 : 2);
    }

    // A clean output named KDX.cfg replaces the file only after the question that
    // "Save File" asks; under another name it asks nothing. On a folder that
    // ignores case (vfat, CIFS, a macOS disk) kdx.cfg is KDX.cfg.
    void cleanOutputOverTheFileAsksAsSaveDoes_data()
    {
        QTest::addColumn<QByteArray>("start"); // "-": none at start-up, "?": unreadable at start-up
        QTest::addColumn<QByteArray>("behind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("ignoresCase");
        const QByteArray file = "pause 5\r\n", other = "pause 3\r\n# theirs\r\n", none;
        QTest::newRow("unchanged") << file << none << u"KDX.cfg"_s << QString() << false;
        QTest::newRow("changed behind") << file << other << u"KDX.cfg"_s << changedQuestion << false;
        QTest::newRow("another name, changed behind") << file << other << u"clean.cfg"_s << QString() << false;
        QTest::newRow("unreadable at start") << "?"_ba << none << u"KDX.cfg"_s << neverReadQuestion << false;
        QTest::newRow("missing at start, made since") << "-"_ba << other << u"KDX.cfg"_s << appearedQuestion << false;
        QTest::newRow("another case, folder ignores it") << file << none << u"kdx.cfg"_s << QString() << true;
        QTest::newRow("another case, folder ignores it, changed behind")
            << file << other << u"kdx.cfg"_s << changedQuestion << true;
#ifndef _WIN32 // Windows' own folders ignore case, whatever the fake says.
        QTest::newRow("another case, folder tells it apart, changed behind")
            << file << other << u"kdx.cfg"_s << QString() << false;
#endif
    }
    void cleanOutputOverTheFileAsksAsSaveDoes()
    {
        QFETCH(QByteArray, start);
        QFETCH(QByteArray, behind);
        QFETCH(QString, name);
        QFETCH(QString, question);
        QFETCH(bool, ignoresCase);
        const bool replacesTheFile = question.isEmpty() && (name == u"KDX.cfg"_s || ignoresCase);
        for (const QString &command : {u"cmdCleanOut"_s, u"cmdClnOut2"_s}) {
            Window w(start == "-" ? std::nullopt : std::optional(start),
                     start == "?" ? std::optional(u"Permission denied"_s) : std::nullopt);
            w.platform.folderIgnoresCase = ignoresCase;
            if (!behind.isEmpty())
                kdx::test::writeFile(w.path(), behind);
            const QByteArray before = w.content();
            w.platform.inputAnswers = {name};
            w.platform.questionAnswers = {false};
            w.click(command);
            QCOMPARE(w.platform.questions, question.isEmpty() ? QStringList() : QStringList{question});
            QCOMPARE(w.content() == before, !replacesTheFile);
            QCOMPARE(w.content(ignoresCase ? u"KDX.cfg"_s : name).startsWith("#### VEVaduDori"), question.isEmpty());
            // A later save asks again, but not after the program's own clean output over KDX.cfg.
            const qsizetype asked = w.platform.questions.size();
            w.platform.questionAnswers = {false};
            w.window->cmdSave_Click();
            QCOMPARE(w.platform.questions.size() - asked, replacesTheFile ? 0 : 1);
        }
    }

    // A reload that cannot read the file shows why and leaves model and window as
    // they were; whatever the reason, which the platform's test names.
    void failedReloadChangesNothing()
    {
        Window w("pause 7\r\nsay hello\r\n");
        w.set(u"chkCVAR_9"_s, u"[x]"_s);
        QVERIFY(QFile::remove(w.path()));
        w.window->cmdLoad_Click();
        QVERIFY2(w.platform.messages.size() == 1 && w.messages().startsWith(u"Error while loading: "_s),
                 qPrintable(w.messages()));
        QCOMPARE(QString::fromStdString(kdx::annotatedSave(w.cfg)), u"pause 7\r\nsay hello\r\n\r\njasonmode on\r\n"_s);
        QCOMPARE(w.state(u"numCVAR_4"_s) + w.state(u"cmdCustom_1"_s) + w.state(u"chkCVAR_9"_s), u"7say hello[x]"_s);
    }

    // A file that is not UTF-8 is shown as Windows-1252 and written back so;
    // what it cannot hold is refused with a message, and nothing is written.
    void codePageOfTheFile_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("named"); // in the refusal; empty: written
        QTest::newRow("unedited") << QString() << QString() << QString();
        QTest::newRow("Cyrillic in a setting")
            << u"txtCVAR_1"_s << u"карты"_s << u"the setting \"wptfolder\" holds the character \"к\" (U+043A)"_s;
        QTest::newRow("Cyrillic in a command")
            << u"cmdCustom_2"_s << u"say Жук"_s << u"the custom command \"say Жук\" holds the character \"Ж\" (U+0416)"_s;
    }
    void codePageOfTheFile()
    {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(QString, named);
        const QByteArray file = "wptfolder caf\xe9 \x80\r\nsay \x93hi\x94 \x81\r\n";
        Window w(file);
        QCOMPARE(w.state(u"txtCVAR_1"_s) + u'|' + w.state(u"cmdCustom_1"_s), u"café €|say “hi” \u0081"_s);
        if (control.startsWith(u"cmdCustom"_s)) {
            w.platform.inputAnswers = {typed};
            w.click(control);
        } else if (!control.isEmpty()) {
            w.set(control, typed);
        }
        w.platform.inputAnswers = {u"clean.cfg"_s};
        w.click(u"cmdCleanOut Command2"_s);
        const bool refused = !named.isEmpty();
        QCOMPARE(w.content(), file);
        QCOMPARE(w.platform.writtenFiles.size(), refused ? 0 : 2);
        QCOMPARE(w.platform.endProgramCalls, refused ? 0 : 1);
        QCOMPARE(w.platform.messages.size(), refused ? 2 : 0); // the clean output and the save
        for (const auto &message : w.platform.messages)
            QVERIFY2(message.title == u"Error while saving"_s && message.text.contains(named)
                         && message.text.endsWith(u"Nothing was written."_s),
                     qPrintable(message.text));
    }

    // Lines given to the custom-command box become one line, each run of line
    // breaks one blank, so no part of them is a line of the file.
    void commandLinesBecomeOneLine()
    {
        Window w("say hello\r\n");
        w.platform.inputAnswers = {u"say hi\r\nquit\r"_s};
        w.click(u"cmdCustom_1"_s);
        QVERIFY(w.window->cmdSave_Click());
        QCOMPARE(w.content(), "say hi quit \r\n"_ba);
    }

    // Tab and Shift+Tab into "Radio-Usage" reach the selected option, so that
    // Space there changes nothing, and the next press leaves the group.
    void tabIntoRadioUsageFocusesTheSelectedOption_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<bool>("backwards");
        for (int option : {0, 2, 3})
            for (bool backwards : {false, true})
                QTest::addRow("%d %s", option, backwards ? "Shift+Tab" : "Tab") << option << backwards;
    }
    void tabIntoRadioUsageFocusesTheSelectedOption()
    {
        QFETCH(int, option);
        QFETCH(bool, backwards);
        Window w("radio " + QByteArray::number(option) + "\r\n");
        w.showActive();
        QWidget *from = w.get(backwards ? u"timCVAR_20"_s : u"scrlSkill_11"_s);
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"radRadio_"_s + QString::number(option));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(w.cfg.SettingTable[8].Value, std::to_string(option));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), backwards ? u"scrlSkill_11"_s : u"timCVAR_20"_s);
    }
};

QTEST_MAIN(MainWindowEdgesTest)
#include "main_window_edges_test.moc"
