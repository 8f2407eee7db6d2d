// Batch files really started, in a folder whose path holds a blank and a
// non-ASCII letter: through cmd.exe on Windows, as one argv entry elsewhere.
#include "platform/qt_platform.h"
#include "support/fake_platform.h"

#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace Qt::StringLiterals;
using namespace kdx::test;

namespace {

#ifdef Q_OS_WIN
constexpr bool OnWindows = true;
#else
constexpr bool OnWindows = false;
#endif
constexpr int StartTimeoutMs = 30000; // Wine starts cmd.exe slowly on a busy machine

#ifdef Q_OS_WIN
// The console windows shown on the desktop: those of Windows' console host and of Wine's.
QSet<HWND> consoleWindows()
{
    QSet<HWND> found;
    EnumWindows(
        [](HWND window, LPARAM windows) -> BOOL {
            wchar_t name[32];
            if (IsWindowVisible(window) && GetClassNameW(window, name, 32)
                && (!wcscmp(name, L"ConsoleWindowClass") || !wcscmp(name, L"WineConsoleClass")))
                reinterpret_cast<QSet<HWND> *>(windows)->insert(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}
#endif

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
        BotFolder folder;
        QVERIFY(folder.isValid());
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
            QCOMPARE(QDir(folder.filePath(QString())).entryList(QDir::Files).filter(u".txt"_s), QStringList());
            return;
        }
        QVERIFY2(!error, error ? qPrintable(error->reason) : "");
        QTRY_COMPARE_WITH_TIMEOUT(readBack(folder.filePath(activeFile)), content, StartTimeoutMs);
        QVERIFY(!QFile::exists(folder.filePath(u"pwned"_s)));
    }

#ifdef Q_OS_WIN
    // The batch file's own console opens minimized, out of the window's way.
    void consoleOpensMinimized()
    {
        BotFolder folder;
        QVERIFY(folder.isValid());
        // It runs while the file "hold" is there.
        writeFile(folder.filePath(u"hold"_s), "");
        writeFile(folder.filePath(u"wait.bat"_s), ":wait\r\n@ping -n 2 127.0.0.1 >nul\r\n@if exist hold goto wait\r\n");
        const QSet<HWND> before = consoleWindows();
        QVERIFY(!kdx::QtPlatform().startBatchFile(folder.filePath(u"wait.bat"_s), u"x"_s));
        QSet<HWND> opened;
        QTRY_VERIFY_WITH_TIMEOUT(!(opened = consoleWindows() - before).isEmpty(), StartTimeoutMs);
        for (HWND console : opened)
            QVERIFY(IsIconic(console));
        QVERIFY(QFile::remove(folder.filePath(u"hold"_s)));
        for (HWND console : opened) // the batch file has ended, and its folder can go
            QTRY_VERIFY_WITH_TIMEOUT(!IsWindow(console), StartTimeoutMs);
    }
#endif
};

QTEST_GUILESS_MAIN(BatchStartTest)
#include "batch_start_test.moc"
