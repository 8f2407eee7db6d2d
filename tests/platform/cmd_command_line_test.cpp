// The command line that starts a batch file through cmd.exe, on every system.
#include "platform/cmd_command_line.h"

#include <QTest>

using namespace Qt::StringLiterals;

class CmdCommandLineTest : public QObject {
    Q_OBJECT
private slots:
    // Quoted only where cmd would split the argument; refused where cmd would change it.
    void quotesOrRefuses_data()
    {
        QTest::addColumn<QString>("batchFile");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("built"); // "refused: " and a part of the reason where it is refused
        const QString bot = u"C:/bot/KDXchat.bat"_s;
        const QString start = u"/d /v:off /s /c \"\"C:\\bot\\KDXchat.bat\" "_s;
        QTest::newRow("ordinary name, bare") << bot << u"Deutsch.txt"_s << start + u"Deutsch.txt\""_s;
        QTest::newRow("non-ASCII letters, bare") << bot << u"Français.txt"_s << start + u"Français.txt\""_s;
        QTest::newRow("blank") << bot << u"Schweizer Deutsch.txt"_s << start + u"\"Schweizer Deutsch.txt\"\""_s;
        QTest::newRow("comma") << bot << u"a,b.txt"_s << start + u"\"a,b.txt\"\""_s;
        QTest::newRow("semicolon") << bot << u"a;b.txt"_s << start + u"\"a;b.txt\"\""_s;
        QTest::newRow("equals sign") << bot << u"a=b.txt"_s << start + u"\"a=b.txt\"\""_s;
        QTest::newRow("parenthesis") << bot << u"English(US).txt"_s << start + u"\"English(US).txt\"\""_s;
        QTest::newRow("folder with blanks and non-ASCII letters")
            << u"C:/Program Files/Bot Ä/KDXtitles.bat"_s << u"English.txt"_s
            << u"/d /v:off /s /c \"\"C:\\Program Files\\Bot Ä\\KDXtitles.bat\" English.txt\""_s;
        QTest::newRow("folder with an ampersand, quoted")
            << u"C:/R&D/KDXchat.bat"_s << u"English.txt"_s << u"/d /v:off /s /c \"\"C:\\R&D\\KDXchat.bat\" English.txt\""_s;
        for (const QChar c : u"%^&|<>!\""_s)
            QTest::newRow(qPrintable(u"name with "_s + c)) << bot << u"a"_s + c + u"b.txt"_s << u"refused: ("_s + c + u')';
        QTest::newRow("name with a line break") << bot << u"a\r\nb.txt"_s << u"refused: control character"_s;
        QTest::newRow("name with a tab") << bot << u"a\tb.txt"_s << u"refused: control character"_s;
        QTest::newRow("folder with a percent sign") << u"C:/100%/KDXchat.bat"_s << u"English.txt"_s << u"refused: C:\\100%"_s;
    }
    void quotesOrRefuses()
    {
        QFETCH(QString, batchFile);
        QFETCH(QString, argument);
        QFETCH(QString, built);
        const auto result = kdx::cmdArgumentsForBatchFile(batchFile, argument);
        if (const auto *refused = std::get_if<kdx::RefusedArgument>(&result))
            QVERIFY2(built.startsWith(u"refused: "_s) && refused->reason.contains(built.mid(9)), qPrintable(refused->reason));
        else
            QCOMPARE(std::get<QString>(result), built);
    }
};

QTEST_APPLESS_MAIN(CmdCommandLineTest)
#include "cmd_command_line_test.moc"
