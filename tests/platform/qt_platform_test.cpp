// The Qt platform on real files, and the text a message box shows.
#include "config/config_reader.h"
#include "config/config_writers.h"
#include "support/fake_platform.h"

#include "support/become_nobody.h"

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;
using namespace kdx::test;

// What stands in the way when KDX.cfg is read and then saved.
enum Obstacle { None, Missing, Folder, NoPermission, NameTooLong, ReadOnlyFile, ReadOnlyFolder, NoFolder, Longer, SizeLimit };
Q_DECLARE_METATYPE(Obstacle)

// Why the rows that need permissions to count cannot run; empty when they can.
std::string permissionsIgnored;

class QtPlatformTest : public QObject {
    Q_OBJECT
private slots:
    // KDX.cfg with its content, read and saved unchanged through the reader and the annotated save;
    // ctest's time limit catches a step that is not linear.
    void readAndSaveKeepEveryByteOrNameTheReason_data()
    {
        QTest::addColumn<Obstacle>("obstacle");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("readFailure"); // empty: the read or the save succeeds; "(missing)": nothing is there
        QTest::addColumn<QString>("saveFailure");
        const QByteArray cfg = "pause 5"; // a save ends the line: a failed one must not
        const QString ok, noFile = u"No such file or directory"_s, notWritable = u"Permission denied"_s;
        QTest::newRow("missing (deleted since load)") << Missing << cfg << noFile + u" (missing)"_s << ok;
        QTest::newRow("folder in its place") << Folder << cfg << u"Is a directory"_s << u"Is a directory"_s;
        QTest::newRow("no permission") << NoPermission << cfg << u"Permission denied"_s << notWritable;
        QTest::newRow("name too long") << NameTooLong << cfg << u"File name too long"_s << u"File name too long"_s;
        QTest::newRow("read-only file") << ReadOnlyFile << cfg << ok << notWritable;
        QTest::newRow("read-only folder") << ReadOnlyFolder << cfg << ok << u"Permission denied"_s;
        QTest::newRow("folder missing") << NoFolder << cfg << noFile + u" (missing)"_s << noFile;
        QTest::newRow("replaced by a longer file since load") << Longer << cfg << ok << ok;
        QTest::newRow("file-size limit reached midway") << SizeLimit << QByteArray(1 << 20, '#') << ok << u"too large"_s;
        QTest::newRow("100 MB of lines") << None << QByteArray("# line of a very long file 32B\r\n").repeated(100 << 15) << ok
                                         << ok;
        QTest::newRow("one 50 MB line") << None << QByteArray(50 << 20, 'k').append("\r\n") << ok << ok;
        QTest::newRow("empty") << None << QByteArray() << ok << ok;
        QTest::newRow("NUL bytes") << None << QByteArray("pause 5\0\0x\r\n\0\r\nsay \0hi\r\n", 22) << ok << ok;
        QTest::newRow("invalid UTF-8") << None << QByteArray("w\xff\xfe\r\n# \xc3\x28 \xed\xa0\x80\r\nsay \xe9t\xe9") << ok << ok;
    }
    void readAndSaveKeepEveryByteOrNameTheReason()
    {
        QFETCH(Obstacle, obstacle);
        QFETCH(QByteArray, content);
        QFETCH(QString, readFailure);
        QFETCH(QString, saveFailure);
        if (!permissionsIgnored.empty() && (obstacle == NoPermission || obstacle == ReadOnlyFile || obstacle == ReadOnlyFolder))
            QSKIP(permissionsIgnored.c_str());
        QTemporaryDir dir;
        QVERIFY2(dir.isValid(), qPrintable(dir.errorString()));
        const QString path = dir.filePath(obstacle == NameTooLong ? QString(300, u'k')
                                          : obstacle == NoFolder  ? u"gone/KDX.cfg"_s
                                                                  : u"KDX.cfg"_s);
        if (obstacle == Folder)
            QDir().mkdir(path);
        else if (obstacle != Missing && obstacle != NameTooLong && obstacle != NoFolder)
            writeFile(path, content);
        if (obstacle == ReadOnlyFile || obstacle == NoPermission)
            QFile::setPermissions(path, obstacle == ReadOnlyFile ? QFile::ReadOwner : QFile::Permissions());
        if (obstacle == ReadOnlyFolder)
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        const auto read = kdx::QtPlatform().readFile(path);
        const auto *bytes = std::get_if<QByteArray>(&read);
        const auto *failure = std::get_if<kdx::FileError>(&read);
        QCOMPARE(failure ? failure->reason + (failure->missing ? u" (missing)"_s : QString()) : QString(), readFailure);
        if (obstacle == Longer)
            writeFile(path, QByteArray(4096, 'x'));
        kdx::KDXCfg cfg;
        kdx::readConfiguration(cfg, bytes ? bytes->toStdString() : std::string());
        const QByteArray saved = QByteArray::fromStdString(kdx::annotatedSave(cfg));
        QVERIFY(!bytes || saved == (content.isEmpty() || content.endsWith("\r\n") ? content : content + "\r\n"));

        const QByteArray before = readBack(path);
        rlimit normal{};
        getrlimit(RLIMIT_FSIZE, &normal);
        const rlimit lowered{64 * 1024, normal.rlim_max}; // a write beyond fails with EFBIG, as on a full disk
        QVERIFY(obstacle != SizeLimit || setrlimit(RLIMIT_FSIZE, &lowered) == 0);
        const auto error = kdx::QtPlatform().writeFileAtomically(path, saved);
        setrlimit(RLIMIT_FSIZE, &normal);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(error ? !saveFailure.isEmpty() && error->reason.contains(saveFailure) : saveFailure.isEmpty(),
                 qPrintable(error.value_or(kdx::FileError{u"saved"_s}).reason));
        QVERIFY(readBack(path) == (error ? before : saved));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(u"KDX.cfg."_s), QStringList()); // no temp
    }

    // Real folders: which sub-folder stands for a name, and which of its entries are listed; the
    // rule for names in other cases is the language dialog's test's, on folders in memory.
    void findsFoldersAndListsFiles_data()
    {
        QTest::addColumn<QStringList>("entries"); // made in the program folder; a trailing "/" makes a folder
        QTest::addColumn<QString>("found");       // for "chat", then the files listed there
        QTest::newRow("exact name") << QStringList{u"chat/b.txt"_s,   u"chat/A.txt"_s, u"chat/c"_s,
                                                   u"chat/.hidden"_s, u"chat/sub/"_s,  u"Chat/x.txt"_s}
                                    << u"chat: A.txt b.txt c"_s;
        QTest::newRow("hidden folder") << QStringList{u".chat/"_s, u"CHAT/a.txt"_s, u"Chatter/b.txt"_s} << u"CHAT: a.txt"_s;
        QTest::newRow("a file of that name") << QStringList{u"chat"_s} << u"none"_s;
    }
    void findsFoldersAndListsFiles()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, found);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const QString &entry : entries)
            entry.endsWith(u'/') ? void(QDir(dir.path()).mkpath(entry)) : writeFile(dir.filePath(entry), "x");
        kdx::QtPlatform platform;
        const std::optional<QString> folder = platform.findFolder(dir.path(), u"chat"_s);
        QCOMPARE(folder ? QDir(dir.path()).relativeFilePath(*folder) + u": "_s + platform.fileNamesIn(*folder).join(u' ')
                        : u"none"_s,
                 found);
    }

    void displayLinesBreaksAtEveryLineEndAndCutsLongLines()
    {
        const QString x(1000, u'x');
        QCOMPARE(kdx::displayLines(u"a  \rb\r\nc\n\r d \r"_s + x + u'\r' + QString(50'000'000, u'y') + u"\rz"_s),
                 u"a  \nb\nc\n\n d \n"_s + x + u'\n' + QString(1000, u'y') + QChar(0x2026) + u"\nz"_s);
    }
};

int main(int argc, char **argv)
{
    permissionsIgnored = becomeNobody();
    std::signal(SIGXFSZ, SIG_IGN); // a write beyond the file-size limit fails instead of ending the test
    QtPlatformTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "qt_platform_test.moc"
