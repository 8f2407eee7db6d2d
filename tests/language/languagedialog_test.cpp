#include "platform/qt_platform.h"
#include "support/fake_platform.h"
#include "ui/language/languagedialog.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using kdx::LanguageDialog;
using kdx::LanguageDialogSettings;
using kdx::test::FakePlatform;

namespace {

const LanguageDialogSettings &settingsNamed(const QString &objectName)
{
    return objectName == kdx::frmChat.objectName ? kdx::frmChat : kdx::frmTitles;
}

// A program folder of its own for each test, with the scripted platform on it.
struct ProgramFolder {
    QTemporaryDir dir;
    FakePlatform platform{dir.path()};

    QString path(const QString &relative) const { return dir.filePath(relative); }

    void write(const QString &relative, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile file(path(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const FakePlatform::ShownMessage &message : platform.messages)
            texts.append(message.text);
        return texts;
    }
};

QListWidget *fileList(const LanguageDialog &dialog)
{
    return dialog.findChild<QListWidget *>(QStringLiteral("filSelect"));
}

QStringList listedNames(const LanguageDialog &dialog)
{
    QStringList names;
    for (int row = 0; row < fileList(dialog)->count(); ++row)
        names.append(fileList(dialog)->item(row)->text());
    return names;
}

void select(LanguageDialog &dialog, const QString &fileName)
{
    const QList<QListWidgetItem *> items = fileList(dialog)->findItems(fileName, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    fileList(dialog)->setCurrentItem(items.constFirst());
}

void clickApply(LanguageDialog &dialog)
{
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cmdApply")), Qt::LeftButton);
}

} // namespace

class LanguageDialogTest : public QObject {
    Q_OBJECT

private slots:
    void isBuiltAsTheTableSays_data();
    void isBuiltAsTheTableSays();
    void opensCentredOverItsOwner();
    void listsOnlyVisibleFilesSortedByName();
    void applyStartsTheBatchFileAndShowsTheMessage_data();
    void applyStartsTheBatchFileAndShowsTheMessage();
    void doubleClickApplies();
    void enterApplies();
    void applyWithoutSelectionDoesNothing();
    void closeBoxStartsNothing();
    void missingFolderIsReported();
    void missingBatchFileIsReportedAndTheMessageStillShown();
    void unreadableLanguageFileIsReported();
    void foldersAreFoundIgnoringCase_data();
    void foldersAreFoundIgnoringCase();
    void sampleBatchFileGetsAHostileNameAsOneArgument();
};

void LanguageDialogTest::isBuiltAsTheTableSays_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::newRow("chat") << QStringLiteral("frmChat") << QStringLiteral("Change chat-language");
    QTest::newRow("titles") << QStringLiteral("frmTitles") << QStringLiteral("Change language");
}

void LanguageDialogTest::isBuiltAsTheTableSays()
{
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    ProgramFolder folder;
    folder.write(QStringLiteral("chat/a.txt"), {});
    folder.write(QStringLiteral("Titles/a.txt"), {});

    LanguageDialog dialog(settingsNamed(objectName), folder.platform, nullptr);
    QCOMPARE(dialog.objectName(), objectName);
    QCOMPARE(dialog.windowTitle(), caption);
    QVERIFY(dialog.isModal());
    QVERIFY(dialog.windowFlags().testFlag(Qt::Tool));
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(dialog.minimumSize(), QSize(173, 290));
    QCOMPARE(dialog.maximumSize(), QSize(173, 290));

    const auto *label = dialog.findChild<QLabel *>(QStringLiteral("Label1"));
    const auto *apply = dialog.findChild<QPushButton *>(QStringLiteral("cmdApply"));
    QVERIFY(label && apply && fileList(dialog));
    QCOMPARE(label->text(), QStringLiteral("Select language file"));
    QCOMPARE(label->geometry(), QRect(10, 10, 151, 21));
    QCOMPARE(fileList(dialog)->geometry(), QRect(10, 30, 151, 214));
    QCOMPARE(fileList(dialog)->accessibleName(), label->text());
    QCOMPARE(apply->text(), QStringLiteral("Apply"));
    QCOMPARE(apply->geometry(), QRect(10, 250, 151, 31));
    QVERIFY(apply->isDefault());

    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(dialog.focusWidget(), fileList(dialog));
    QVERIFY(fileList(dialog)->selectedItems().isEmpty());
    QTest::keyClick(&dialog, Qt::Key_Tab);
    QCOMPARE(dialog.focusWidget(), apply);
}

void LanguageDialogTest::opensCentredOverItsOwner()
{
    ProgramFolder folder;
    folder.write(QStringLiteral("chat/a.txt"), {});
    QWidget owner;
    owner.setGeometry(200, 150, 600, 500);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    LanguageDialog dialog(kdx::frmChat, folder.platform, &owner);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QPoint offset = dialog.frameGeometry().center() - owner.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2,
             qPrintable(QStringLiteral("off centre by %1, %2").arg(offset.x()).arg(offset.y())));
}

void LanguageDialogTest::listsOnlyVisibleFilesSortedByName()
{
    ProgramFolder folder;
    for (const QString &name : {QStringLiteral("b.txt"), QStringLiteral("A.txt"), QStringLiteral("c"),
                                QStringLiteral(".hidden"), QStringLiteral("sub/inner.txt")})
        folder.write(QStringLiteral("chat/") + name, "x");

    LanguageDialog dialog(kdx::frmChat, folder.platform, nullptr);
    const QStringList expected{QStringLiteral("A.txt"), QStringLiteral("b.txt"), QStringLiteral("c")};
    QCOMPARE(listedNames(dialog), expected);
    QVERIFY(folder.platform.messages.isEmpty());
}

void LanguageDialogTest::applyStartsTheBatchFileAndShowsTheMessage_data()
{
    QTest::addColumn<QString>("dialogName");
    QTest::addColumn<QString>("languageFile");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("batchFile");
    QTest::addColumn<QStringList>("messages");

    const QString chat = QStringLiteral("frmChat");
    const QString titles = QStringLiteral("frmTitles");
    const QString chatBatch = QStringLiteral("KDXchat.bat");
    const QString titlesBatch = QStringLiteral("KDXtitles.bat");
    const QString english = QStringLiteral("chat/English.txt");

    QTest::newRow("chat message") << chat << english << QByteArray("##Hello\r\nhi,hey\r\n") << chatBatch
                                  << QStringList{QStringLiteral("Hello")};
    QTest::newRow("chat without message") << chat << english << QByteArray("##\r\n") << chatBatch << QStringList();
    QTest::newRow("chat message from a UTF-8 file")
        << chat << english << QByteArray("##Gr\xC3\xBC\xC3\x9F" "e\n") << chatBatch << QStringList{QStringLiteral("Grüße")};
    QTest::newRow("chat message from a Latin-1 file")
        << chat << english << QByteArray("##Gr\xFC\xDF" "e\n") << chatBatch << QStringList{QStringLiteral("Grüße")};
    QTest::newRow("name with blanks and shell characters")
        << chat << QStringLiteral("chat/my file & $(x); 'q'.txt") << QByteArray("##Hi") << chatBatch
        << QStringList{QStringLiteral("Hi")};
    QTest::newRow("titles message") << titles << QStringLiteral("Titles/English.txt")
                                    << QByteArray("KDX\r\n{\r\nMenus in English\r\n") << titlesBatch
                                    << QStringList{QStringLiteral("Menus in English")};
    QTest::newRow("titles with lower-case marker") << titles << QStringLiteral("Titles/English.txt")
                                                   << QByteArray("kdx\r\n{\r\nMenus in English\r\n") << titlesBatch
                                                   << QStringList();
}

void LanguageDialogTest::applyStartsTheBatchFileAndShowsTheMessage()
{
    QFETCH(QString, dialogName);
    QFETCH(QString, languageFile);
    QFETCH(QByteArray, content);
    QFETCH(QString, batchFile);
    QFETCH(QStringList, messages);
    ProgramFolder folder;
    folder.write(languageFile, content);
    const QString bareName = QFileInfo(languageFile).fileName();

    LanguageDialog dialog(settingsNamed(dialogName), folder.platform, nullptr);
    dialog.show();
    select(dialog, bareName);
    clickApply(dialog);

    QCOMPARE(folder.platform.startedBatchFiles.size(), 1);
    QCOMPARE(folder.platform.startedBatchFiles[0].batchFile,
             folder.platform.applicationFolder() + QDir::separator() + batchFile);
    QCOMPARE(folder.platform.startedBatchFiles[0].argument, bareName);
    QCOMPARE(folder.messageTexts(), messages);
    for (const FakePlatform::ShownMessage &message : folder.platform.messages) {
        QVERIFY(message.title.isEmpty());
        QCOMPARE(message.icon, kdx::MessageIcon::None);
    }
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
}

void LanguageDialogTest::doubleClickApplies()
{
    ProgramFolder folder;
    folder.write(QStringLiteral("chat/a.txt"), "##A");
    folder.write(QStringLiteral("chat/b.txt"), "##B");
    LanguageDialog dialog(kdx::frmChat, folder.platform, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QListWidget *list = fileList(dialog);
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);

    QCOMPARE(folder.platform.startedBatchFiles.size(), 1);
    QCOMPARE(folder.platform.startedBatchFiles[0].argument, QStringLiteral("b.txt"));
    QCOMPARE(folder.messageTexts(), QStringList{QStringLiteral("B")});
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void LanguageDialogTest::enterApplies()
{
    ProgramFolder folder;
    folder.write(QStringLiteral("Titles/a.txt"), "KDX,{,Menus");
    LanguageDialog dialog(kdx::frmTitles, folder.platform, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    select(dialog, QStringLiteral("a.txt"));

    QTest::keyClick(fileList(dialog), Qt::Key_Return);

    QCOMPARE(folder.platform.startedBatchFiles.size(), 1);
    QCOMPARE(folder.platform.startedBatchFiles[0].argument, QStringLiteral("a.txt"));
    QCOMPARE(folder.messageTexts(), QStringList{QStringLiteral("Menus")});
}

void LanguageDialogTest::applyWithoutSelectionDoesNothing()
{
    ProgramFolder folder;
    folder.write(QStringLiteral("chat/a.txt"), "##A");
    LanguageDialog dialog(kdx::frmChat, folder.platform, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    clickApply(dialog);
    QTest::keyClick(fileList(dialog), Qt::Key_Return);

    QVERIFY(folder.platform.startedBatchFiles.isEmpty());
    QVERIFY(folder.platform.messages.isEmpty());
    QVERIFY(dialog.isVisible());
}

void LanguageDialogTest::closeBoxStartsNothing()
{
    ProgramFolder folder;
    folder.write(QStringLiteral("chat/a.txt"), "##A");
    LanguageDialog dialog(kdx::frmChat, folder.platform, nullptr);
    dialog.show();
    select(dialog, QStringLiteral("a.txt"));

    QVERIFY(dialog.close());

    QVERIFY(folder.platform.startedBatchFiles.isEmpty());
    QVERIFY(folder.platform.messages.isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void LanguageDialogTest::missingFolderIsReported()
{
    ProgramFolder folder;
    LanguageDialog dialog(kdx::frmTitles, folder.platform, nullptr);

    QCOMPARE(folder.platform.messages.size(), 1);
    QVERIFY(folder.platform.messages[0].text.contains(QDir::toNativeSeparators(folder.path(QStringLiteral("Titles")))));
    QCOMPARE(fileList(dialog)->count(), 0);
}

void LanguageDialogTest::missingBatchFileIsReportedAndTheMessageStillShown()
{
    ProgramFolder folder;
    folder.write(QStringLiteral("chat/a.txt"), "##Hello");
    folder.platform.startFailure = QStringLiteral("The file does not exist.");
    LanguageDialog dialog(kdx::frmChat, folder.platform, nullptr);
    select(dialog, QStringLiteral("a.txt"));

    clickApply(dialog);

    const QStringList texts = folder.messageTexts();
    QCOMPARE(texts.size(), 2);
    QVERIFY(texts[0].contains(QStringLiteral("KDXchat.bat")));
    QVERIFY(texts[0].contains(QStringLiteral("The file does not exist.")));
    QCOMPARE(texts[1], QStringLiteral("Hello"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void LanguageDialogTest::unreadableLanguageFileIsReported()
{
    ProgramFolder folder;
    folder.write(QStringLiteral("chat/gone.txt"), "##Hello");
    LanguageDialog dialog(kdx::frmChat, folder.platform, nullptr);
    select(dialog, QStringLiteral("gone.txt"));
    QVERIFY(QFile::remove(folder.path(QStringLiteral("chat/gone.txt"))));

    clickApply(dialog);

    QCOMPARE(folder.platform.startedBatchFiles.size(), 1);
    QCOMPARE(folder.platform.messages.size(), 1);
    QVERIFY(folder.platform.messages[0].text.contains(QStringLiteral("gone.txt")));
    QVERIFY(!folder.platform.messages[0].text.contains(QStringLiteral("Hello")));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void LanguageDialogTest::foldersAreFoundIgnoringCase_data()
{
    QTest::addColumn<QString>("dialogName");
    QTest::addColumn<QString>("folderOnDisk");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");

    QTest::newRow("chat as Chat") << QStringLiteral("frmChat") << QStringLiteral("Chat") << QByteArray("##Hi")
                                  << QStringLiteral("Hi");
    QTest::newRow("chat as CHAT") << QStringLiteral("frmChat") << QStringLiteral("CHAT") << QByteArray("##Hi")
                                  << QStringLiteral("Hi");
    QTest::newRow("Titles as titles") << QStringLiteral("frmTitles") << QStringLiteral("titles")
                                      << QByteArray("KDX\n{\nMenus") << QStringLiteral("Menus");
}

void LanguageDialogTest::foldersAreFoundIgnoringCase()
{
    QFETCH(QString, dialogName);
    QFETCH(QString, folderOnDisk);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    ProgramFolder folder;
    folder.write(folderOnDisk + QStringLiteral("/a.txt"), content);
    LanguageDialog dialog(settingsNamed(dialogName), folder.platform, nullptr);
    QCOMPARE(listedNames(dialog), QStringList{QStringLiteral("a.txt")});
    select(dialog, QStringLiteral("a.txt"));

    clickApply(dialog);

    QCOMPARE(folder.messageTexts(), QStringList{message});
}

void LanguageDialogTest::sampleBatchFileGetsAHostileNameAsOneArgument()
{
    const QString hostileName = QStringLiteral("-n my file & echo x; 'q' \"d\" $(touch pwned) `touch pwned`.txt");
    const QByteArray content("##Hostile but harmless\r\n");
    QTemporaryDir programFolder;
    const QDir sample(QStringLiteral(KDX_SAMPLE_FOLDER));
    for (const QString &script : {QStringLiteral("KDXchat.bat"), QStringLiteral("kdx_set_language.sh")})
        QVERIFY(QFile::copy(sample.filePath(script), programFolder.filePath(script)));
    QVERIFY(QDir(programFolder.path()).mkdir(QStringLiteral("chat")));
    QFile languageFile(programFolder.filePath(QStringLiteral("chat/") + hostileName));
    QVERIFY(languageFile.open(QIODevice::WriteOnly));
    languageFile.write(content);
    languageFile.close();

    const QString batchFile = programFolder.filePath(QStringLiteral("KDXchat.bat"));
    const std::optional<kdx::FileError> error = kdx::QtPlatform().startBatchFile(batchFile, hostileName);
    QVERIFY2(!error, error ? qPrintable(error->reason) : "");

    QFile activeFile(programFolder.filePath(QStringLiteral("chat.txt")));
    QTRY_VERIFY_WITH_TIMEOUT(activeFile.exists(), 10000);
    QVERIFY(activeFile.open(QIODevice::ReadOnly));
    QCOMPARE(activeFile.readAll(), content);
    QVERIFY(!QFile::exists(programFolder.filePath(QStringLiteral("pwned"))));
}

QTEST_MAIN(LanguageDialogTest)
#include "languagedialog_test.moc"
