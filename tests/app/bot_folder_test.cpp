// The bot folder for the command line's arguments, in a temporary tree of the
// program's folder program/ and the current folder current/ with bot folders in it.
#include "bot_folder.h"
#include "support/fake_platform.h"

#include <QCommandLineParser>

using namespace Qt::StringLiterals;
using namespace kdx::test;

class BotFolderTest : public QObject {
    Q_OBJECT
private slots:
    void findBotFolder_data()
    {
        // One row a line, as a table reads.
        // clang-format off
        QTest::addColumn<QString>("current");       // below the tree
        QTest::addColumn<QStringList>("arguments"); // "@/" stands for the tree's absolute path
        QTest::addColumn<bool>("systemWide");
        QTest::addColumn<QString>("answer");        // the folder the user chooses, below the tree; empty: Cancel
        QTest::addColumn<QString>("asked");         // where the folder dialog opened, below the tree; empty: not asked
        QTest::addColumn<QString>("folder");        // the bot folder found, below the tree; empty: none
        QTest::addColumn<QString>("message");

        const QString cur = u"current"_s, none, give = u"\rVEVaduDori opens a bot's folder, or the KDX.cfg in it."_s;
        const QString blanks = u"Bot Ördner 日本"_s;
        QTest::newRow("no argument: the program's folder") << cur << QStringList() << false << none << none << u"program"_s << none;
        QTest::newRow("no argument, though the current folder has a KDX.cfg") << u"current/withcfg"_s << QStringList() << false << none << none << u"program"_s << none;
        QTest::newRow("folder, relative") << cur << QStringList{u"bot"_s} << false << none << none << u"current/bot"_s << none;
        QTest::newRow("folder, absolute, trailing separator") << cur << QStringList{u"@/current/bot/"_s} << false << none << none << u"current/bot"_s << none;
        QTest::newRow("folder, dot dot") << u"current/bot"_s << QStringList{u"../withcfg"_s} << false << none << none << u"current/withcfg"_s << none;
        QTest::newRow("KDX.cfg") << cur << QStringList{u"bot/KDX.cfg"_s} << false << none << none << u"current/bot"_s << none;
        QTest::newRow("blanks and non-ASCII letters") << cur << QStringList{blanks} << false << none << none << u"current/"_s + blanks << none;
        QTest::newRow("KDX.cfg, blanks and non-ASCII letters") << cur << QStringList{u"@/current/"_s + blanks + u"/KDX.cfg"_s} << false << none << none << u"current/"_s + blanks << none;
        QTest::newRow("missing") << cur << QStringList{u"no such folder"_s} << false << none << none << none << u"\"no such folder\" does not exist."_s + give;
        QTest::newRow("missing KDX.cfg in a folder") << cur << QStringList{u"program/KDX.cfg"_s} << false << none << none << none << u"\"program/KDX.cfg\" does not exist."_s + give;
        QTest::newRow("another file") << cur << QStringList{u"bot/chat.txt"_s} << false << none << none << none << u"\"bot/chat.txt\" is neither a folder nor a file named KDX.cfg."_s + give;
#ifndef Q_OS_WIN
        QTest::newRow("kdx.cfg, another file here") << cur << QStringList{u"lower/kdx.cfg"_s} << false << none << none << none << u"\"lower/kdx.cfg\" is neither a folder nor a file named KDX.cfg."_s + give;
#endif
        QTest::newRow("two folders") << cur << QStringList{u"bot"_s, u"withcfg"_s} << false << none << none << none << u"VEVaduDori opens one folder at a time, but was given 2."_s + give;
        QTest::newRow("system-wide, folder") << cur << QStringList{u"bot"_s} << true << none << none << u"current/bot"_s << none;
        QTest::newRow("system-wide, current folder has KDX.cfg") << u"current/withcfg"_s << QStringList() << true << none << none << u"current/withcfg"_s << none;
        QTest::newRow("system-wide, the user chooses") << cur << QStringList() << true << u"current/bot"_s << cur << u"current/bot"_s << none;
        QTest::newRow("system-wide, the user cancels") << cur << QStringList() << true << none << cur << none << none;
        // clang-format on
    }
    void findBotFolder()
    {
        QFETCH(QString, current);
        QFETCH(QStringList, arguments);
        QFETCH(bool, systemWide);
        QFETCH(QString, answer);
        QFETCH(QString, asked);
        QFETCH(QString, folder);
        QFETCH(QString, message);

        QTemporaryDir tree;
        const auto at = [&tree](const QString &below) { return QDir::toNativeSeparators(tree.filePath(below)); };
        QVERIFY(QDir().mkpath(at(u"program"_s)));
        for (const auto *file : {"bot/KDX.cfg", "bot/chat.txt", "Bot Ördner 日本/KDX.cfg", "lower/kdx.cfg", "withcfg/KDX.cfg"})
            writeFile(tree.filePath(u"current/"_s + QString::fromUtf8(file)), "pause 3\r\n");
        for (QString &argument : arguments)
            argument.replace(u"@/"_s, tree.path() + u'/');

        QStringList askedAt;
        const auto result = kdx::findBotFolder(arguments, {at(u"program"_s), at(current), systemWide}, [&](const QString &start) {
            askedAt.append(start);
            return answer.isEmpty() ? QString() : at(answer);
        });

        QCOMPARE(askedAt, asked.isEmpty() ? QStringList() : QStringList{at(asked)});
        if (const auto *found = std::get_if<kdx::BotFolder>(&result)) {
            QCOMPARE(found->path, at(folder));
            QVERIFY(message.isEmpty());
        } else {
            QVERIFY2(folder.isEmpty(), qPrintable(u"no folder, but "_s + std::get<kdx::NoBotFolder>(result).message));
            QCOMPARE(std::get<kdx::NoBotFolder>(result).message, QDir::toNativeSeparators(message));
        }
    }

    // The window reads in the code page that --code-page names, and refuses a
    // name that the system does not know.
    void codePagesOfCommandLine()
    {
        const auto parsed = [](const QStringList &arguments) {
            QCommandLineParser parser;
            kdx::describeCommandLine(parser);
            parser.parse(QStringList{u"VEVaduDori"_s} + arguments);
            return kdx::codePagesOfCommandLine(parser);
        };
        QCOMPARE(std::get<kdx::FileCodePages>(parsed({})).notUtf8, kdx::systemCodePages().notUtf8);
        const auto chosen = std::get<kdx::FileCodePages>(parsed({u"--code-page"_s, u"1251"_s, u"bot"_s}));
        QCOMPARE(chosen.notUtf8.name(), "Windows-1251");
        QCOMPARE(chosen.newOrAscii.name(), "Windows-1251");
        QVERIFY(std::get<QString>(parsed({u"--code-page=no-such-page"_s}))
                    .startsWith(u"--code-page: unknown code page \"no-such-page\""_s));
    }
};

QTEST_MAIN(BotFolderTest)
#include "bot_folder_test.moc"
