// The Qt file layer on real files: every failure the program can meet when it
// reads or writes KDX.cfg leaves the file whole and names a reason.
#include "config/config_reader.h"
#include "config/config_writers.h"
#include "platform/qt_platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace kdx;

namespace {

enum class Obstacle {
    None,
    Missing,
    Folder,
    ReadOnlyFile,
    ReadOnlyFolder,
    NoPermission,
    NameTooLong,
    MissingFolder,
};

const QByteArray oldContent = "# the user's file\r\npause 5\r\n";
const QByteArray newContent = "# the user's file\r\npause 7\r\nmp_roundtime 3.5\r\n";

QByteArray readBack(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Puts the obstacle in place of folder/KDX.cfg and returns the path to use.
QString prepare(const QString &folder, Obstacle obstacle)
{
    QString path = folder + QStringLiteral("/KDX.cfg");
    switch (obstacle) {
    case Obstacle::None:
        writeRaw(path, oldContent);
        break;
    case Obstacle::Missing:
        break;
    case Obstacle::Folder:
        QDir(folder).mkdir(QStringLiteral("KDX.cfg"));
        break;
    case Obstacle::ReadOnlyFile:
        writeRaw(path, oldContent);
        QFile::setPermissions(path, QFile::ReadOwner);
        break;
    case Obstacle::ReadOnlyFolder:
        writeRaw(path, oldContent);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        break;
    case Obstacle::NoPermission:
        writeRaw(path, oldContent);
        QFile::setPermissions(path, {});
        break;
    case Obstacle::NameTooLong:
        return folder + QLatin1Char('/') + QString(300, QLatin1Char('k'));
    case Obstacle::MissingFolder:
        return folder + QStringLiteral("/no such folder/KDX.cfg");
    }
    return path;
}

// What remains in the folder besides KDX.cfg: a failed save must leave no
// temporary file behind.
QStringList strayFiles(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    names.removeAll(QStringLiteral("KDX.cfg"));
    return names;
}

// Reads the file, runs it through the reader and the annotated save unchanged,
// and writes the result over the file, as "ReLoad File" then "Save File" do.
void loadAndSaveUnchanged(QtPlatform &platform, const QString &path)
{
    const auto read = platform.readFile(path);
    QVERIFY(std::holds_alternative<QByteArray>(read));
    const auto &bytes = std::get<QByteArray>(read);
    KDXCfg cfg;
    ReadConfiguration(cfg, bytes.toStdString());
    const std::string save = AnnotatedSave(cfg);
    QCOMPARE(platform.writeFileAtomically(path, QByteArray::fromStdString(save)), std::nullopt);
}

// Lowers the soft file-size limit for one scope; writes beyond it fail with
// EFBIG instead of killing the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool active() const { return active_; }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
    bool active_ = false;
};

} // namespace

Q_DECLARE_METATYPE(Obstacle)

class QtPlatformFilesTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readFailsWithAReason_data();
    void readFailsWithAReason();
    void emptyFileReadsAsNoLines();
    void saveFailureKeepsTheOldFileWhole_data();
    void saveFailureKeepsTheOldFileWhole();
    void saveSucceedsWhereTheFileCanBeReplaced_data();
    void saveSucceedsWhereTheFileCanBeReplaced();
    void fileSizeLimitInTheMiddleOfASaveKeepsTheOldFile();
    void hugeFilesSurviveLoadAndSave_data();
    void hugeFilesSurviveLoadAndSave();
    void anyBytesSurviveLoadAndSave_data();
    void anyBytesSurviveLoadAndSave();

private:
    std::optional<QTemporaryDir> dir_;
    QtPlatform platform_;
};

void QtPlatformFilesTest::init()
{
    dir_.emplace();
    QVERIFY(dir_->isValid());
}

void QtPlatformFilesTest::cleanup()
{
    // Undo the permission obstacles so that the folder can be removed.
    QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(dir_->filePath(QStringLiteral("KDX.cfg")), QFile::ReadOwner | QFile::WriteOwner);
    dir_.reset();
}

void QtPlatformFilesTest::readFailsWithAReason_data()
{
    QTest::addColumn<Obstacle>("obstacle");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << Obstacle::Missing << QStringLiteral("No such file or directory");
    QTest::newRow("folder in its place") << Obstacle::Folder << QStringLiteral("It is a folder, not a file.");
    QTest::newRow("no permission") << Obstacle::NoPermission << QStringLiteral("Permission denied");
    QTest::newRow("name too long") << Obstacle::NameTooLong << QStringLiteral("File name too long");
}

void QtPlatformFilesTest::readFailsWithAReason()
{
    QFETCH(Obstacle, obstacle);
    QFETCH(QString, reason);
    const auto result = platform_.readFile(prepare(dir_->path(), obstacle));
    QVERIFY(std::holds_alternative<FileError>(result));
    QCOMPARE(std::get<FileError>(result).reason, reason);
}

void QtPlatformFilesTest::emptyFileReadsAsNoLines()
{
    const QString path = dir_->filePath(QStringLiteral("KDX.cfg"));
    writeRaw(path, {});
    const auto result = platform_.readFile(path);
    QVERIFY(std::holds_alternative<QByteArray>(result));
    QCOMPARE(std::get<QByteArray>(result), QByteArray());

    KDXCfg cfg;
    QVERIFY(ReadConfiguration(cfg, {}).empty());
    QCOMPARE(cfg.ConfigLineCount(), 0);
    QCOMPARE(AnnotatedSave(cfg), std::string());
}

void QtPlatformFilesTest::saveFailureKeepsTheOldFileWhole_data()
{
    QTest::addColumn<Obstacle>("obstacle");
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only file") << Obstacle::ReadOnlyFile << QStringLiteral("is not writable");
    QTest::newRow("read-only folder") << Obstacle::ReadOnlyFolder << QStringLiteral("Permission denied");
    QTest::newRow("folder in its place") << Obstacle::Folder << QStringLiteral("refers to a directory");
    QTest::newRow("name too long") << Obstacle::NameTooLong << QStringLiteral("File name too long");
    QTest::newRow("folder missing") << Obstacle::MissingFolder << QStringLiteral("No such file or directory");
}

void QtPlatformFilesTest::saveFailureKeepsTheOldFileWhole()
{
    QFETCH(Obstacle, obstacle);
    QFETCH(QString, reason);
    const QString path = prepare(dir_->path(), obstacle);
    const QByteArray before = readBack(path);

    const auto error = platform_.writeFileAtomically(path, newContent);
    QVERIFY(error.has_value());
    QVERIFY2(error->reason.contains(reason), qPrintable(error->reason));
    QCOMPARE(readBack(path), before);
    QCOMPARE(strayFiles(dir_->path()), QStringList());
}

void QtPlatformFilesTest::saveSucceedsWhereTheFileCanBeReplaced_data()
{
    QTest::addColumn<QByteArray>("onDiskAtSave");
    QTest::newRow("unchanged since load") << oldContent;
    QTest::newRow("deleted since load") << QByteArray();
    QTest::newRow("replaced by a longer file") << QByteArray(4096, 'x');
    QTest::newRow("replaced by a shorter file") << QByteArray("x");
}

// The file changed on disk between load and save: the save writes the model as
// a whole, never a mix of the two contents.
void QtPlatformFilesTest::saveSucceedsWhereTheFileCanBeReplaced()
{
    QFETCH(QByteArray, onDiskAtSave);
    const QString path = prepare(dir_->path(), Obstacle::None);
    QVERIFY(std::holds_alternative<QByteArray>(platform_.readFile(path)));
    if (onDiskAtSave.isEmpty())
        QVERIFY(QFile::remove(path));
    else
        writeRaw(path, onDiskAtSave);

    QCOMPARE(platform_.writeFileAtomically(path, newContent), std::nullopt);
    QCOMPARE(readBack(path), newContent);
    QCOMPARE(strayFiles(dir_->path()), QStringList());
}

void QtPlatformFilesTest::fileSizeLimitInTheMiddleOfASaveKeepsTheOldFile()
{
    const QString path = prepare(dir_->path(), Obstacle::None);
    const QByteArray tooBig(1 << 20, '#');
    std::optional<FileError> error;
    {
        const FileSizeLimit limit(rlim_t{64} * 1024);
        QVERIFY(limit.active());
        error = platform_.writeFileAtomically(path, tooBig);
    }
    QVERIFY(error.has_value());
    QVERIFY2(error->reason.contains(QStringLiteral("File too large")), qPrintable(error->reason));
    QCOMPARE(readBack(path), oldContent);
    QCOMPARE(strayFiles(dir_->path()), QStringList());
}

void QtPlatformFilesTest::hugeFilesSurviveLoadAndSave_data()
{
    QTest::addColumn<QByteArray>("content");
    constexpr qsizetype megabyte = 1 << 20;
    QByteArray manyLines;
    manyLines.reserve(100 * megabyte + 64);
    const QByteArray line = "# a comment line of a very long file, sixty-four bytes long ..\r\n";
    while (manyLines.size() < 100 * megabyte)
        manyLines += line;
    QTest::newRow("100 MB of lines") << manyLines;
    QTest::newRow("one 50 MB line") << QByteArray(50 * megabyte, 'k').append("\r\n");
}

void QtPlatformFilesTest::hugeFilesSurviveLoadAndSave()
{
    QFETCH(QByteArray, content);
    const QString path = dir_->filePath(QStringLiteral("KDX.cfg"));
    writeRaw(path, content);

    QElapsedTimer timer;
    timer.start();
    loadAndSaveUnchanged(platform_, path);
    // Generous enough for a sanitizer build on a slow machine; a quadratic step
    // would take minutes.
    QVERIFY2(timer.elapsed() < 60'000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(readBack(path) == content);
}

void QtPlatformFilesTest::anyBytesSurviveLoadAndSave_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("NUL bytes") << QByteArray("pause 5\0\0x\r\n\0\r\nsay \0hi\r\n", 22);
    QTest::newRow("invalid UTF-8") << QByteArray("wptfolder w\xff\xfe\r\n# \xc3\x28 \xed\xa0\x80\r\nsay \xe9t\xe9\r\n");
    QTest::newRow("no line end at the end") << QByteArray("pause 5\r\nmp_roundtime 3.5");
}

void QtPlatformFilesTest::anyBytesSurviveLoadAndSave()
{
    QFETCH(QByteArray, content);
    const QString path = dir_->filePath(QStringLiteral("KDX.cfg"));
    writeRaw(path, content);
    loadAndSaveUnchanged(platform_, path);

    QByteArray expected = content;
    if (!expected.endsWith("\r\n"))
        expected += "\r\n";
    QCOMPARE(readBack(path), expected);
}

// Root passes every permission check, so a run as root goes on as the
// unprivileged user "nobody"; the test works only in its temporary folders.
static void dropRootPrivileges()
{
    if (geteuid() != 0)
        return;
    constexpr uid_t nobody = 65534;
    if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)
        qFatal("cannot drop root privileges for the permission tests");
}

int main(int argc, char **argv)
{
    dropRootPrivileges();
    QCoreApplication app(argc, argv);
    QtPlatformFilesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "qt_platform_files_test.moc"
