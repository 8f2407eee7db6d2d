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
// Records the batch file's %1 and %2 as cmd.exe hands them over.
const QByteArray ArgumentProbe = "@echo off\r\necho [%1][%2]>\"%~dp0argument.txt\"\r\n";
#else
constexpr bool OnWindows = false;
const QByteArray ArgumentProbe = "printf '[%s][%s]\\n' \"$1\" \"${2-}\" >\"$(dirname \"$0\")/argument.txt\"\n";
#endif
constexpr int StartTimeoutMs = 30000; // Wine starts cmd.exe slowly on a busy machine

// A bot folder under the build tree, named as admins name them.
class BotFolder {
public:
    BotFolder() : path_(root_.filePath(u"Bot Ordner Ä"_s)) { QDir().mkpath(path_); }
    bool isValid() const { return root_.isValid() && QFileInfo(path_).isDir(); }
    QString filePath(const QString &name) const { return path_ + u'/' + name; }

private:
    QTemporaryDir root_{QStringLiteral(KDX_WORK_FOLDER "/batch-XXXXXX")};
    QString path_;
};

} // namespace

class BatchStartTest : public QObject {
    Q_OBJECT
private slots:
    void argumentArrivesAsOne_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("received"); // %1 and %2 of the batch file; empty: refused
        QTest::newRow("ordinary name, bare") << u"Deutsch.txt"_s << u"[Deutsch.txt][]"_s;
        // cmd.exe's echo writes the console's code page: there the sample rows below
        // show that a non-ASCII name arrives whole.
        if (!OnWindows)
            QTest::newRow("non-ASCII letter") << u"Français.txt"_s << u"[Français.txt][]"_s;
        QTest::newRow("blanks, one quoted argument")
            << u"Schweizer Deutsch.txt"_s << (OnWindows ? u"[\"Schweizer Deutsch.txt\"][]"_s : u"[Schweizer Deutsch.txt][]"_s);
        QTest::newRow("comma, one quoted argument") << u"a,b.txt"_s << (OnWindows ? u"[\"a,b.txt\"][]"_s : u"[a,b.txt][]"_s);
        if (OnWindows) {
            for (const QString &name : {u"100%.txt"_s, u"a&b.txt"_s, u"a^b.txt"_s, u"a!b.txt"_s, u"a(b)&c.txt"_s})
                QTest::newRow(qPrintable(u"refused: "_s + name)) << name << QString();
        }
    }
    void argumentArrivesAsOne()
    {
        QFETCH(QString, name);
        QFETCH(QString, received);
        BotFolder folder;
        QVERIFY(folder.isValid());
        writeFile(folder.filePath(u"KDXchat.bat"_s), ArgumentProbe);
        const auto error = kdx::QtPlatform().startBatchFile(folder.filePath(u"KDXchat.bat"_s), name);
        if (received.isEmpty()) {
            QVERIFY(error && error->reason.contains(name));
            QTest::qWait(1000);
            QVERIFY(!QFile::exists(folder.filePath(u"argument.txt"_s)));
            return;
        }
        QVERIFY2(!error, error ? qPrintable(error->reason) : "");
        QTRY_COMPARE_WITH_TIMEOUT(QString::fromUtf8(readBack(folder.filePath(u"argument.txt"_s))).trimmed(), received,
                                  StartTimeoutMs);
    }

    // The shipped sample batch files make the chosen file the bot's active one; no shell parses its name.
    void sampleBatchFileCopiesTheChosenFile_data()
    {
        QTest::addColumn<QString>("batchFile");
        QTest::addColumn<QString>("languageFile");
        QTest::addColumn<QString>("activeFile");
        QTest::newRow("chat, ordinary name") << u"KDXchat.bat"_s << u"chat/Deutsch.txt"_s << u"chat.txt"_s;
        QTest::newRow("chat, blanks and parentheses") << u"KDXchat.bat"_s << u"chat/English (US).txt"_s << u"chat.txt"_s;
        QTest::newRow("titles, non-ASCII letter") << u"KDXtitles.bat"_s << u"Titles/Français.txt"_s << u"titles.txt"_s;
        if (!OnWindows) // where such names are refused or cannot be
            QTest::newRow("chat, hostile name")
                << u"KDXchat.bat"_s << u"chat/-n my file & echo x; 'q' \"d\" $(touch pwned) `touch pwned`.txt"_s << u"chat.txt"_s;
    }
    void sampleBatchFileCopiesTheChosenFile()
    {
        QFETCH(QString, batchFile);
        QFETCH(QString, languageFile);
        QFETCH(QString, activeFile);
        BotFolder folder;
        QVERIFY(folder.isValid());
        const QDir sample(QStringLiteral(KDX_SAMPLE_FOLDER));
        for (const QString &script : sample.entryList({u"*.bat"_s, u"*.sh"_s}, QDir::Files))
            QVERIFY(QFile::copy(sample.filePath(script), folder.filePath(script)));
        const QByteArray content = "##" + languageFile.toUtf8() + "\r\nhello,hi\r\n";
        writeFile(folder.filePath(languageFile), content);
        const QString name = languageFile.section(u'/', 1);
        const auto error = kdx::QtPlatform().startBatchFile(folder.filePath(batchFile), name);
        QVERIFY2(!error, error ? qPrintable(error->reason) : "");
        QTRY_COMPARE_WITH_TIMEOUT(readBack(folder.filePath(activeFile)), content, StartTimeoutMs);
        QVERIFY(!QFile::exists(folder.filePath(u"pwned"_s)));
    }
};

QTEST_GUILESS_MAIN(BatchStartTest)
#include "batch_start_test.moc"
