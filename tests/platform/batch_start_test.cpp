// Batch files really started, in a folder whose path holds a blank and a
// non-ASCII letter: through cmd.exe on Windows, as one argv entry elsewhere.
#include "platform/qt_platform.h"
#include "support/fake_platform.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace kdx::test;

namespace {

#ifdef Q_OS_WIN
constexpr bool OnWindows = true;
#else
constexpr bool OnWindows = false;
#endif
constexpr int StartTimeoutMs = 30000; // Wine starts cmd.exe slowly on a busy machine

} // namespace

class BatchStartTest : public QObject {
    Q_OBJECT
private slots:
    // The shipped sample batch files make the chosen file the bot's active one; no shell parses its name.
    void sampleBatchFileCopiesTheChosenFile_data()
    {
        QTest::addColumn<QString>("batchFile");
        QTest::addColumn<QString>("languageFile");
        QTest::addColumn<QString>("activeFile");
        QTest::newRow("chat, ordinary name") << u"KDXchat.bat"_s << u"chat/Deutsch.txt"_s << u"chat.txt"_s;
        QTest::newRow("chat, blanks, comma and parentheses")
            << u"KDXchat.bat"_s << u"chat/English (US), neu.txt"_s << u"chat.txt"_s;
        QTest::newRow("titles, non-ASCII letter") << u"KDXtitles.bat"_s << u"Titles/Français.txt"_s << u"titles.txt"_s;
        if (!OnWindows) // where such names cannot be
            QTest::newRow("chat, hostile name")
                << u"KDXchat.bat"_s << u"chat/-n my file & echo x; 'q' \"d\" $(touch pwned) `touch pwned`.txt"_s << u"chat.txt"_s;
        else // names that cmd.exe would change are refused, and nothing starts
            for (const QString &name : {u"100%.txt"_s, u"a&b.txt"_s, u"a^b.txt"_s, u"a!b.txt"_s, u"a(b)&c.txt"_s})
                QTest::newRow(qPrintable(u"refused: "_s + name)) << u"KDXchat.bat"_s << u"chat/"_s + name << QString();
    }
    void sampleBatchFileCopiesTheChosenFile()
    {
        QFETCH(QString, batchFile);
        QFETCH(QString, languageFile);
        QFETCH(QString, activeFile);
        // A bot folder under the build tree, named as admins name them.
        const QTemporaryDir root(QStringLiteral(KDX_WORK_FOLDER "/batch-XXXXXX"));
        const QDir folder(root.filePath(u"Bot Ordner Ä"_s));
        QVERIFY(root.isValid() && folder.mkpath(u"."_s));
        const QDir sample(QStringLiteral(KDX_SAMPLE_FOLDER));
        for (const QString &script : sample.entryList({u"*.bat"_s, u"*.sh"_s}, QDir::Files))
            QVERIFY(QFile::copy(sample.filePath(script), folder.filePath(script)));
        const QByteArray content = "##" + languageFile.toUtf8() + "\r\nhello,hi\r\n";
        writeFile(folder.filePath(languageFile), content);
        const QString name = languageFile.section(u'/', 1);
        const auto error = kdx::QtPlatform().startBatchFile(folder.filePath(batchFile), name);
        if (activeFile.isEmpty()) {
            QVERIFY(error && error->reason.contains(name));
            QTest::qWait(1000);
            QCOMPARE(folder.entryList(QDir::Files).filter(u".txt"_s), QStringList());
            return;
        }
        QVERIFY2(!error, error ? qPrintable(error->reason) : "");
        QTRY_COMPARE_WITH_TIMEOUT(readBack(folder.filePath(activeFile)), content, StartTimeoutMs);
        QVERIFY(!QFile::exists(folder.filePath(u"pwned"_s)));
    }
};

QTEST_GUILESS_MAIN(BatchStartTest)
#include "batch_start_test.moc"
