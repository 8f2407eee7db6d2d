#include "support/caption_fit.h"
#include "support/case_file.h"
#include "support/fake_platform.h"
#include "ui/language/language_dialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace kdx::test;

namespace {

// The entries of a case, by name, and its files in order with their bytes.
struct Case {
    std::map<std::string, std::string> fields;
    std::vector<std::pair<QString, QByteArray>> files;

    QString field(const std::string &name) const
    {
        const auto found = fields.find(name);
        return found == fields.end() ? QString() : QString::fromStdString(found->second);
    }
};

Case caseOf(const CaseBlock &block)
{
    Case read;
    for (const CaseEntry &entry : block)
        if (entry.name != "file")
            read.fields[entry.name] = entry.value;
    for (const CaseEntry &entry : block)
        if (entry.name == "file")
            read.files.emplace_back(QString::fromStdString(entry.arg),
                                    QByteArray::fromStdString(entry.value.empty() ? read.fields["content"] : entry.value));
    return read;
}

} // namespace

Q_DECLARE_METATYPE(Case)

class LanguageDialogTest : public QObject {
    Q_OBJECT
private slots:
    // A fixed, modal tool window: the caption, the list and Apply stacked inside it, each caption whole.
    // The layout is the same for both dialogs.
    void isBuiltAsAFixedToolDialog()
    {
        QTemporaryDir folder;
        FakePlatform platform(folder.path());
        kdx::LanguageDialog window(kdx::frmChat, platform, kdx::systemCodePages(), nullptr);
        const auto *label = window.findChild<QLabel *>(u"Label1"_s);
        const auto *list = window.findChild<QListWidget *>(u"filSelect"_s);
        const auto *apply = window.findChild<QPushButton *>(u"cmdApply"_s);
        QVERIFY(label && list && apply && apply->isDefault() && window.isModal() && window.windowType() == Qt::Tool);
        QCOMPARE(window.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint), Qt::WindowCloseButtonHint);
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QCOMPARE(QStringList({label->text(), list->accessibleName(), apply->text()}),
                 QStringList({u"Select language file"_s, u"Select language file"_s, u"Apply"_s}));
        const QRect labelArea = label->geometry(), listArea = list->geometry(), applyArea = apply->geometry();
        QVERIFY(window.rect().contains(labelArea | listArea | applyArea));
        QVERIFY(labelArea.bottom() <= listArea.top() && listArea.bottom() < applyArea.top());
        QVERIFY(labelArea.left() == listArea.left() && listArea.left() == applyArea.left()
                && labelArea.width() == applyArea.width());
        QCOMPARE(kdx::test::captionsCut(window), QStringList());
    }

    void isBuiltListsAndApplies_data() // the cases are described in language_dialog_cases.txt
    {
        QTest::addColumn<Case>("fields");
        for (const CaseBlock &block : readCaseFile(KDX_TEST_DATA "/language_dialog_cases.txt")) {
            if (block.empty())
                continue;
            const Case read = caseOf(block);
            QTest::newRow(qPrintable(read.field("case"))) << read;
        }
    }
    void isBuiltListsAndApplies()
    {
        QFETCH(Case, fields);
        const QString action = fields.field("action");
        FakePlatform platform(u"/nonexistent/program"_s);
        for (const auto &[path, bytes] : fields.files)
            platform.files[path] = bytes;
        if (action == "batch file missing"_L1)
            platform.startFailure = u"The file does not exist."_s;
        const QString codePage = fields.field("codepage");
        const auto codePages = codePage.isEmpty() ? kdx::systemCodePages()
                                                  : std::get<kdx::FileCodePages>(kdx::codePagesNamed(codePage.toStdString()));
        kdx::LanguageDialog window(fields.field("dialog") == u"frmChat"_s ? kdx::frmChat : kdx::frmTitles, platform, codePages,
                                   nullptr);
        auto *list = window.findChild<QListWidget *>(u"filSelect"_s);
        auto *apply = window.findChild<QPushButton *>(u"cmdApply"_s);
        QVERIFY(list && apply);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(window.focusWidget() == list && list->selectedItems().isEmpty());

        QStringList log{window.objectName() + u' ' + window.windowTitle() + u':'};
        for (int row = 0; row < list->count(); ++row)
            log[0] += u' ' + list->item(row)->text();
        const QPoint first = list->visualItemRect(list->item(0)).center();
        const bool byKeys = action.startsWith(u"keys "_s);
        if (action != "nothing selected"_L1 && !byKeys)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
        if (action == "file gone"_L1) {
            QVERIFY(platform.files.remove(fields.files.front().first));
            platform.readFailure = u"No such file or directory"_s; // each system words it its own way
        }
        if (byKeys) {
            for (const QString &key : action.mid(5).split(u' '))
                QTest::keyClick(list, QKeySequence::fromString(key)[0].key());
        } else if (action == "double-click"_L1)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
        else if (action == "close box"_L1)
            window.close();
        else
            QTest::mouseClick(apply, Qt::LeftButton);
        for (const auto &[batchFile, argument] : platform.startedBatchFiles)
            log << batchFile + u' ' + argument;
        for (const auto &[title, text, icon] : platform.messages)
            log << (title.isEmpty() && icon == kdx::MessageIcon::None ? text : u"a box with a title or icon"_s);
        log << (window.isVisible() ? u"open"_s : window.result() == QDialog::Accepted ? u"accepted"_s : u"rejected"_s);
        QCOMPARE(QDir::fromNativeSeparators(log.join(" | "_L1)).replace(platform.folder, "~"_L1), fields.field("expect"));
    }
};

QTEST_MAIN(LanguageDialogTest)
#include "language_dialog_test.moc"
