#include "support/caption_fit.h"
#include "support/fake_platform.h"
#include "ui/language/languagedialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace kdx::test;
using Case = QMap<QString, QStringList>; // field name: values

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

    void isBuiltListsAndApplies_data() // the cases are described in languagedialog.cases
    {
        QTest::addColumn<Case>("fields");
        QFile cases(QStringLiteral(KDX_TEST_DATA "/languagedialog.cases"));
        QVERIFY(cases.open(QIODevice::ReadOnly | QIODevice::Text));
        for (const QString &block : QString::fromUtf8(cases.readAll()).split(u"\n== "_s).mid(1)) {
            const QStringList lines = block.split(u'\n', Qt::SkipEmptyParts);
            Case fields;
            for (const QString &line : lines.mid(1))
                fields[line.section(u": "_s, 0, 0)].append(line.section(u": "_s, 1));
            QTest::newRow(qPrintable(lines[0])) << fields;
        }
    }
    void isBuiltListsAndApplies()
    {
        QFETCH(Case, fields);
        const QString action = fields.value(u"action"_s).value(0);
        FakePlatform platform(u"/nonexistent/program"_s);
        for (const QString &file : fields.value(u"file"_s))
            platform.files[file.section(u'|', 0, 0)] = QByteArray::fromPercentEncoding(
                file.contains(u'|') ? file.section(u'|', 1).toUtf8() : fields[u"content"_s].value(0).toUtf8());
        if (action == "batch file missing"_L1)
            platform.startFailure = u"The file does not exist."_s;
        const QString codePage = fields.value(u"code page"_s).value(0);
        const auto codePages = codePage.isEmpty() ? kdx::systemCodePages()
                                                  : std::get<kdx::FileCodePages>(kdx::codePagesNamed(codePage.toStdString()));
        kdx::LanguageDialog window(fields[u"dialog"_s] == QStringList(u"frmChat"_s) ? kdx::frmChat : kdx::frmTitles, platform,
                                   codePages, nullptr);
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
            QVERIFY(platform.files.remove(fields[u"file"_s][0]));
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
        QCOMPARE(QDir::fromNativeSeparators(log.join(" | "_L1)).replace(platform.folder, "~"_L1),
                 fields.value(u"expect"_s).value(0));
    }
};

QTEST_MAIN(LanguageDialogTest)
#include "languagedialog_test.moc"
