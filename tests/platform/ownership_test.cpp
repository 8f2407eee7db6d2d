// A save run as root (over SSH, by sudo) leaves KDX.cfg the game server's: the
// file keeps owner, group and mode, through either front end and through a link.
#include "cli/kdxcfg.h"
#include "files/file_access.h"
#include "platform/qt_platform.h"

#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class OwnershipTest : public QObject {
    Q_OBJECT
private slots:
    void saveKeepsOwnerGroupAndMode_data()
    {
        QTest::addColumn<bool>("byKdxcfg"); // else by the window's platform
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("kdxcfg set") << true << false;
        QTest::newRow("kdxcfg set through a link") << true << true;
        QTest::newRow("window's save") << false << false;
        QTest::newRow("window's save through a link") << false << true;
    }
    void saveKeepsOwnerGroupAndMode()
    {
        QFETCH(bool, byKdxcfg);
        QFETCH(bool, throughLink);
        if (geteuid() != 0)
            QSKIP("only root can give a file to another user");
        const passwd *nobody = getpwnam("nobody");
        if (nobody == nullptr)
            QSKIP("there is no user \"nobody\" to own the file");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string file = dir.filePath(u"KDX.cfg"_s).toStdString();
        const std::string saved = throughLink ? dir.filePath(u"link.cfg"_s).toStdString() : file;
        QVERIFY(!kdx::files::writeAtomically(file, "pause 3\r\n"));
        QCOMPARE(chown(file.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
        QCOMPARE(chmod(file.c_str(), 0640), 0);
        if (throughLink)
            QCOMPARE(symlink("KDX.cfg", saved.c_str()), 0);

        if (byKdxcfg) {
            std::ostringstream out, err;
            QCOMPARE(kdx::cli::runKdxcfg({"--file", saved, "set", "pause=4"}, out, err), 0);
        } else {
            QVERIFY(!kdx::QtPlatform(dir.path()).writeFileAtomically(QString::fromStdString(saved), "pause 4\r\n"));
        }

        struct stat status {};
        QCOMPARE(lstat(file.c_str(), &status), 0);
        QCOMPARE(status.st_uid, nobody->pw_uid);
        QCOMPARE(status.st_gid, nobody->pw_gid);
        QCOMPARE(status.st_mode & 07777, 0640u);
        QCOMPARE(std::get<std::string>(kdx::files::readWhole(file)), std::string("pause 4\r\n"));
        QCOMPARE(lstat(saved.c_str(), &status), 0);
        QCOMPARE(S_ISLNK(status.st_mode), throughLink);
    }
};

QTEST_GUILESS_MAIN(OwnershipTest)

#include "ownership_test.moc"
