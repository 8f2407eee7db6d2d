// The main window on a scripted platform; long tables of expected data are the files beside this one.
#include "config/kdx_cfg.h"
#include "support/fake_platform.h"
#include "ui/main/frmmain.h"
#include "ui/main/help_topics.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

namespace {

// A data file's lines with \r (carriage return), \n (line end of KDX.cfg) and \s (a
// blank) spelled out; without blank and # lines unless every line is asked for.
QStringList dataLines(const QString &fileName, bool everyLine = false)
{
    QFile file(QStringLiteral(KDX_UI_TEST_DATA "/") + fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    QStringList lines;
    for (QString line : QString::fromUtf8(file.readAll()).trimmed().split(u'\n'))
        if (everyLine || (!line.isEmpty() && !line.startsWith(u'#')))
            lines.append(line.replace(u"\\r"_s, u"\r"_s).replace(u"\\n"_s, u"\r\n"_s).replace(u"\\s"_s, u" "_s));
    return lines;
}

// The facts of one kind in main_window.layout, the kind word taken off.
QStringList facts(const QString &kind)
{
    const QRegularExpression prefix(u'^' + kind + u' ');
    return dataLines(u"main_window.layout"_s).filter(prefix).replaceInStrings(prefix, QString());
}

QString accessibleName(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// Presses Tab until the named control has the focus; false after a whole round without it.
bool tabTo(const QString &name)
{
    for (int press = 0; press < 64 && QApplication::focusWidget(); ++press) {
        if (QApplication::focusWidget()->objectName() == name)
            return true;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return false;
}

// A main window on a KDX.cfg in a temporary folder, every box scripted.
struct Harness {
    explicit Harness(const QByteArray &file = {})
    {
        if (QFile cfgFile(path()); cfgFile.open(QIODevice::WriteOnly))
            cfgFile.write(file);
        window = std::make_unique<kdx::frmMain>(cfg, platform);
    }
    QString path(const QString &name = u"KDX.cfg"_s) const { return folder.filePath(name); }
    QByteArray content(const QString &name = u"KDX.cfg"_s) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    template <typename Widget = QWidget> Widget *get(const QString &name) const
    {
        auto *widget = window->findChild<Widget *>(name);
        if (!widget)
            qFatal("no control %s of the expected type", qPrintable(name));
        return widget;
    }
    void click(const QString &namesInOrder) const
    {
        for (const QString &name : namesInOrder.split(u' '))
            get<QAbstractButton>(name)->click();
    }
    QString value(int index) const { return QString::fromStdString(cfg.SettingTable[index].Value); }
    // A control's state as one text: [x] or [ ] for a check box or option, a bar's value, else its text.
    QString state(const QString &name) const
    {
        const QWidget *control = get(name);
        if (const auto *button = qobject_cast<const QAbstractButton *>(control); button && button->isCheckable())
            return button->isChecked() ? u"[x]"_s : u"[ ]"_s;
        return control->property(qobject_cast<const QScrollBar *>(control) ? "value" : "text").toString();
    }
    void set(const QString &name, const QString &state) const
    {
        QWidget *control = get(name);
        if (auto *button = qobject_cast<QAbstractButton *>(control); button && button->isCheckable())
            button->setChecked(state == u"[x]"_s);
        else
            control->setProperty(qobject_cast<QScrollBar *>(control) ? "value" : "text", state);
    }
    QString messages() const
    {
        QStringList texts;
        for (const auto &message : platform.messages)
            texts.append(message.title + u": "_s + message.text);
        return texts.join(u" | "_s);
    }
    void showActive() const
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    QTemporaryDir folder;
    kdx::test::FakePlatform platform{folder.path()};
    kdx::KDXCfg cfg;
    std::unique_ptr<kdx::frmMain> window;
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(u"Fusion"_s)); }

    void windowAndControls()
    {
        Harness h;
        QWidget *window = h.window.get();
        QCOMPARE((QList{window->size(), window->minimumSize(), window->maximumSize()}), QList<QSize>(3, QSize(712, 544)));
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint) && window->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(window->windowIcon().availableSizes().value(0), QSize(32, 32));

        QStringList members, expected, controls; // control arrays hold exactly their indices
        for (const QWidget *child : window->findChildren<QWidget *>(QRegularExpression(u"_\\d+$"_s)))
            members.append(child->objectName());
        for (const QString &fact : facts(u"array"_s))
            for (const QString &index : fact.split(u' ').mid(1))
                expected.append(fact.section(u' ', 0, 0) + u'_' + index);
        members.sort(), expected.sort();
        QCOMPARE(members, expected);
        for (const QString &fact : facts(u"control"_s)) {
            const QWidget *control = h.get(fact.section(u'|', 0, 0));
            const QRect twips(control->geometry().topLeft() * 12, control->geometry().size() * 12);
            controls.append(QStringList{control->objectName(), QString::fromLatin1(control->metaObject()->className()),
                                        control->property("text").toString(), control->toolTip(),
                                        u"%1 %2 %3 %4"_s.arg(twips.x()).arg(twips.y()).arg(twips.width()).arg(twips.height())}
                                .join(u'|'));
        }
        QCOMPARE(controls, facts(u"control"_s));

        auto *mark = h.get<QLabel>(u"lblHelp_13"_s);
        QCOMPARE(mark->palette().color(QPalette::Window).name() + mark->palette().color(QPalette::WindowText).name(),
                 u"#ffffc0#0000c0"_s);
        QVERIFY(mark->font().bold() && mark->frameShape() == QFrame::Box && mark->cursor().shape() == Qt::PointingHandCursor);
        QVERIFY(h.get(u"Label10"_s)->font().underline() && !h.get(u"Label10"_s)->font().bold() && h.get(u"numCVAR_4"_s)->font().bold());
        QVERIFY(h.get<QLabel>(u"lblSkill_11"_s)->frameShape() == QFrame::Box && h.get<QLabel>(u"Label8"_s)->alignment() & Qt::AlignRight);
        QCOMPARE(h.get<QScrollBar>(u"scrlSkill_10"_s)->pageStep(), 1);
        QCOMPARE(h.get(u"cmdCustom_3"_s)->palette().color(QPalette::Button), window->palette().color(QPalette::Base));

        QStringList names, unnamed; // what a screen reader announces
        for (const QString &fact : facts(u"name"_s))
            names.append(fact.section(u'|', 0, 0) + u'|' + accessibleName(h.get(fact.section(u'|', 0, 0))));
        QCOMPARE(names, facts(u"name"_s));
        for (QWidget *child : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (!child->objectName().contains(QRegularExpression(u"^(Line|Shape)"_s)) && accessibleName(child).trimmed().isEmpty())
                unnamed.append(child->objectName());
        QCOMPARE(unnamed, QStringList());

        auto *timer = h.window->findChild<QTimer *>(u"Timer"_s);
        QVERIFY(timer && timer->isActive() && timer->interval() == 111);
        int ticks = 0;
        for (const QString &row : dataLines(u"marquee.expected"_s)) {
            for (; ticks < row.section(u'|', 0, 0).toInt(); ++ticks)
                h.window->Timer_Timer();
            QCOMPARE(h.window->windowTitle(), row.section(u'|', 1));
        }
    }

    // What the handlers rely on: an assignment raises its handler only on a change,
    // nested before it returns, so a handler may re-assign its own box.
    void qtEventRules()
    {
        QWidget parent;
        QLineEdit box(u"3"_s, &parent);
        QCheckBox check(&parent);
        QScrollBar bar(Qt::Horizontal, &parent);
        QRadioButton first(&parent), second(&parent);
        bar.setRange(1, 100), bar.setValue(80), first.setChecked(true);
        QSignalSpy text(&box, &QLineEdit::textChanged), toggled(&check, &QCheckBox::toggled),
            value(&bar, &QScrollBar::valueChanged), selected(&second, &QRadioButton::toggled);
        box.setText(u"3"_s), check.setChecked(false), bar.setValue(80), first.setChecked(true);
        QCOMPARE((QList{text.size(), toggled.size(), value.size(), selected.size()}), (QList<qsizetype>{0, 0, 0, 0}));
        box.setText(u"4"_s), check.setChecked(true), bar.setValue(150), second.setChecked(true);
        QCOMPARE((QList{text.size(), toggled.size(), value.size(), selected.size()}), (QList<qsizetype>{1, 1, 1, 1}));
        QVERIFY(bar.value() == 100 && !first.isChecked());

        QStringList seen;
        connect(&box, &QLineEdit::textChanged, &box, [&](const QString &now) {
            seen.append(now);
            if (now.size() > 1)
                box.setText(now.chopped(1));
            seen.append(u"end "_s + box.text());
        });
        box.setText(u"abc"_s);
        QCOMPARE(seen, (QStringList{u"abc"_s, u"ab"_s, u"a"_s, u"end a"_s, u"end a"_s, u"end a"_s}));
    }

    void fillAndEdit_data()
    {
        QTest::addColumn<QStringList>("row");
        for (const QString &line : dataLines(u"main_window.edits"_s))
            QTest::newRow(qPrintable(QString(line).replace(u"\r\n"_s, u"\\n"_s))) << line.split(u'|');
    }

    void fillAndEdit()
    {
        QFETCH(QStringList, row);
        Harness h(row[0].isEmpty() ? QByteArray() : row[0].toUtf8() + "\r\n");
        for (const QString &edit : row[1].split(u';', Qt::SkipEmptyParts))
            h.set(edit.section(u'=', 0, 0), edit.section(u'=', 1));
        QCOMPARE(h.state(row[2]) + u'|' + h.value(row[4].toInt()), row[3] + u'|' + row[5]);
    }

    void skillBarByArrowsAndThumb()
    {
        Harness h;
        auto *bar = h.get<QScrollBar>(u"scrlSkill_10"_s);
        QList<int> values;
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub), values.append(bar->value());
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Left}) // the arrow keys' direction
            QTest::keyClick(bar, key), values.append(bar->value());
        QCOMPARE(values, (QList{79, 80, 81, 80}));
        bar->setSliderDown(true); // a dragged thumb counts once, when released
        for (int position : {70, 60, 50})
            bar->setSliderPosition(position);
        QCOMPARE(h.value(10), u"80"_s);
        bar->setSliderDown(false);
        QCOMPARE(h.value(10) + u'|' + h.state(u"lblSkill_10"_s), u"50| 50"_s);
    }

    void loadShowsTheReadersMessagesInOrder()
    {
        Harness h("cmd1\r\ncmd2\r\ncmd3\r\ncmd4\r\ncmd5\r\ncmd6\r\ncmd7\r\ncmd8\r\ncmd9\r\n" + QByteArray("#\r\n").repeated(248));
        QCOMPARE(h.messages(), u"Too many custom commands: 'cmd9' couldn't be stored. | Error while loading: KDX.cfg "
                               u"is too big. Perhaps some values are not loaded - Those will be set to default."_s);
        QCOMPARE((QList{h.platform.messages[0].icon, h.platform.messages[1].icon}),
                 (QList{kdx::MessageIcon::Exclamation, kdx::MessageIcon::None}));
        QCOMPARE(h.state(u"cmdCustom_8"_s), u"cmd8"_s);
    }

    void unreadableFileIsReportedAndReadAsEmpty_data()
    {
        QTest::addColumn<bool>("folderInItsPlace");
        QTest::newRow("missing") << false;
        QTest::newRow("a folder in its place") << true;
    }
    void unreadableFileIsReportedAndReadAsEmpty()
    {
        QFETCH(bool, folderInItsPlace);
        Harness h("pause 7\r\nsay hello\r\n");
        h.set(u"chkCVAR_9"_s, u"[x]"_s);
        QFile::remove(h.path());
        QVERIFY(!folderInItsPlace || QDir(h.folder.path()).mkdir(u"KDX.cfg"_s));
        h.window->cmdLoad_Click();
        QVERIFY2(h.platform.messages.size() == 1 && h.messages().startsWith(u"Error while loading: "_s)
                     && h.messages().contains(QDir::toNativeSeparators(h.path())) && h.cfg.ConfigLineCount() == 0,
                 qPrintable(h.messages()));
        QCOMPARE(h.value(4) + h.value(9) + h.state(u"cmdCustom_1"_s), u"7on<Click to add new>"_s);
    }

    void reloadShowsTheFileOverEdits()
    {
        Harness h("pause 5\r\nmp_roundtime 3.5\r\n");
        h.set(u"numCVAR_4"_s, u"9"_s), h.set(u"numCVAR_15"_s, u"7"_s), h.set(u"chkCVAR_9"_s, u"[x]"_s);
        h.window->cmdLoad_Click();
        QCOMPARE(h.state(u"numCVAR_4"_s) + h.value(4) + h.value(15) + h.value(9), u"557on"_s);
        QCOMPARE(h.state(u"cmdCustom_1"_s) + h.messages(), u"mp_roundtime 3.5"_s);
    }

    // Saved in place, and both clean outputs, after edits of settings and commands.
    void saveAndCleanOutputsAfterEdits()
    {
        Harness h("# my server\r\n  pause 5\nmp_roundtime 3.5\r\n\r\ncmd two\r\ncmd three");
        h.set(u"numCVAR_4"_s, u"4"_s), h.set(u"numCVAR_6"_s, u"20"_s);
        h.platform.inputAnswers = {std::nullopt, u"cmd 2b"_s, u"cmd four"_s, u"all.cfg"_s, u"lean.cfg"_s};
        h.click(u"cmdCustom_1 cmdCustom_2 cmdCustom_4 cmdSave cmdCleanOut cmdClnOut2"_s);
        for (const auto &[written, expected] : {std::pair{u"KDX.cfg"_s, u"saved"_s}, {u"all.cfg"_s, u"clean_all"_s},
                                                {u"lean.cfg"_s, u"clean_lean"_s}})
            QCOMPARE(h.content(written), dataLines(expected + u".expected"_s, true).join(u"\r\n"_s).toUtf8() + "\r\n");
        for (const auto &ask : h.platform.inputRequests.mid(3))
            QCOMPARE(ask.prompt + u'|' + ask.title + u'|' + ask.defaultAnswer, u"Filename|Output 'Clean' File|KDX.cfg"_s);
        QVERIFY(h.platform.messages.isEmpty());
    }

    void cleanOutputWritesNothingWithoutAName_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::newRow("Cancel") << std::optional<QString>();
        QTest::newRow("emptied field") << std::optional<QString>(QString());
    }
    void cleanOutputWritesNothingWithoutAName()
    {
        QFETCH(std::optional<QString>, answer);
        Harness h("pause 5\r\n");
        h.platform.inputAnswers = {answer, answer};
        h.click(u"cmdCleanOut cmdClnOut2"_s);
        QVERIFY(h.platform.writtenFiles.isEmpty() && h.platform.messages.isEmpty() && h.platform.inputRequests.size() == 2);
    }

    void cleanOutputRefusesNamesOutsideTheFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("absolute") << u"/tmp/clean.cfg"_s;
        QTest::newRow("parent folder") << u"../clean.cfg"_s;
        QTest::newRow("dot dot") << u".."_s;
        QTest::newRow("sub folder") << u"chat/clean.cfg"_s;
        QTest::newRow("backslash") << u"chat\\clean.cfg"_s;
        QTest::newRow("drive letter") << u"C:clean.cfg"_s;
    }
    void cleanOutputRefusesNamesOutsideTheFolder()
    {
        QFETCH(QString, name);
        Harness h("pause 5\r\n");
        h.platform.inputAnswers = {name};
        h.click(u"cmdCleanOut"_s);
        QVERIFY2(h.platform.messages.size() == 1 && h.messages().startsWith(u"Error while saving: "_s)
                     && h.messages().contains(name) && h.platform.writtenFiles.isEmpty(), qPrintable(h.messages()));
    }

    // Every write that fails names the file and the reason, keeps the edits and ends nothing.
    void failedWriteIsReportedAndChangesNothing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Save File") << u"cmdSave"_s;
        QTest::newRow("Save and Exit") << u"Command2"_s;
        QTest::newRow("clean output") << u"cmdCleanOut"_s;
        QTest::newRow("clean output without defaults") << u"cmdClnOut2"_s;
    }
    void failedWriteIsReportedAndChangesNothing()
    {
        QFETCH(QString, button);
        Harness h("pause 5\r\n");
        h.set(u"numCVAR_4"_s, u"9"_s);
        h.platform.writeFailure = u"Disk full"_s;
        h.platform.inputAnswers = {u"KDX.cfg"_s};
        h.click(button);
        QCOMPARE(h.platform.messages.size(), 1);
        const auto &message = h.platform.messages[0];
        QVERIFY2(message.title == u"Error while saving"_s && message.text.contains(u"Disk full"_s)
                     && message.text.contains(QDir::toNativeSeparators(h.path())), qPrintable(message.text));
        QVERIFY(h.platform.endProgramCalls == 0 && h.content() == "pause 5\r\n" && h.state(u"numCVAR_4"_s) + h.value(4) == u"99"_s);
    }

    void exitSavesOnlyWhenAsked()
    {
        Harness h("pause 5\r\n");
        h.set(u"numCVAR_4"_s, u"9"_s);
        h.click(u"Command1"_s);
        QVERIFY(h.platform.endProgramCalls == 1 && h.platform.writtenFiles.isEmpty() && h.content() == "pause 5\r\n");
        h.click(u"Command2"_s);
        QVERIFY(h.platform.endProgramCalls == 2 && h.content() == "pause 9\r\n");
    }

    void customCommandEditor()
    {
        Harness h("mp_roundtime 3.5\r\nsay Tom&Jerry\r\n");
        h.platform.inputAnswers = {u"  mp_timelimit 20 "_s, std::nullopt, u"say Tom&Jerry"_s, std::nullopt};
        const QStringList clicked{u"cmdCustom_3"_s, u"cmdCustom_1"_s, u"cmdCustom_2"_s, u"cmdCustom_4"_s};
        h.click(clicked.join(u' ')); // add, delete, keep, leave empty
        QStringList offeredThenShown;
        for (qsizetype click = 0; click < clicked.size(); ++click)
            offeredThenShown.append(h.platform.inputRequests.value(click).defaultAnswer + u" > "_s + h.state(clicked[click]));
        QCOMPARE(offeredThenShown, (QStringList{u" >   mp_timelimit 20 "_s, u"mp_roundtime 3.5 > <Click to add new>"_s,
                                                u"say Tom&Jerry > say Tom&Jerry"_s, u" > <Click to add new>"_s}));
        QCOMPARE(h.platform.inputRequests[0].title + u'|' + h.platform.inputRequests[0].prompt,
                 u"Change/Add Command|Type in your custom command.\rClick 'Cancel' to delete this command."_s);
        QCOMPARE(h.cfg.CustomCommands[3].Text, "  mp_timelimit 20 ");
        QCOMPARE(h.platform.focusedWidgets, QStringList(4, u"cmdSave"_s));
        QVERIFY(h.get<QPushButton>(u"cmdCustom_2"_s)->shortcut().isEmpty()); // an ampersand defines no access key
        QCOMPARE(accessibleName(h.get(u"cmdCustom_2"_s)), u"say Tom&Jerry"_s);
    }

    // Help titles and texts against help_topics.expected, typed apart from the program; language dialogs.
    void helpAndLanguageDialogs()
    {
        QStringList expected, actual, shown;
        for (const QString &line : dataLines(u"help_topics.expected"_s))
            line.startsWith(u"@ "_s) ? expected.append(line.mid(2) + u'|') : void(expected.last() += line);
        Harness h("pause 5\r\n");
        for (int index : kdx::helpTopicIndices()) {
            const QString number = QString::number(index) + u' ';
            actual.append(number + QString::fromStdString(kdx::helpTitle(index) + '|' + kdx::helpText(index)));
            QWidget *mark = h.get(u"lblHelp_"_s + number.trimmed());
            QTest::mouseClick(mark, Qt::LeftButton);
            QVERIFY(h.platform.messages.size() == 1 && h.platform.messages[0].icon == kdx::MessageIcon::None);
            const auto message = h.platform.messages.takeFirst();
            shown.append(number + message.title + u'|' + message.text);
            QCOMPARE(accessibleName(mark), u"Help: "_s + message.title);
        }
        QCOMPARE(actual, expected);
        QCOMPARE(shown, expected);
        QVERIFY(!kdx::hasHelpTopic(-1) && !kdx::hasHelpTopic(6) && !kdx::hasHelpTopic(11) && !kdx::hasHelpTopic(27));

        // The language buttons open their dialog modally, again and again, and closing it starts nothing.
        QDir(h.folder.path()).mkdir(u"chat"_s), QDir(h.folder.path()).mkdir(u"Titles"_s);
        for (const QString &button : {u"cmdChatLang"_s, u"cmdTitlesLang"_s, u"cmdChatLang"_s, u"cmdTitlesLang"_s}) {
            QString shown;
            QTimer::singleShot(0, this, [&] {
                if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                    shown = dialog->objectName() + (dialog->isModal() ? u" modal"_s : QString());
                    dialog->reject();
                }
            });
            h.click(button);
            QCOMPARE(shown, button == u"cmdChatLang"_s ? u"frmChat modal"_s : u"frmTitles modal"_s);
        }
        QVERIFY(h.platform.startedBatchFiles.isEmpty());
    }

    // Captions fit, focus shows, and the keyboard alone works; also run at a higher screen scale.
    void keyboardAndScreen()
    {
        Harness h("# bot settings\r\njasonmode off\r\npause 3\r\n");
        QStringList tooSmall;
        for (const QWidget *control : h.window->findChildren<QWidget *>(QRegularExpression(u"^(cmd|Command|chk|rad|Label)"_s))) {
            if (control->objectName().startsWith(u"cmdCustom"_s))
                continue; // a command's text may run beyond its button
            QStyleOptionButton option;
            option.initFrom(control);
            const auto element = qobject_cast<const QCheckBox *>(control) ? QStyle::SE_CheckBoxContents
                                 : qobject_cast<const QRadioButton *>(control) ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents;
            const QRectF area = qobject_cast<const QAbstractButton *>(control) ? control->style()->subElementRect(element, &option, control)
                                                                               : QRectF(control->contentsRect());
            const QFontMetricsF metrics(control->font());
            const QString caption = control->property("text").toString();
            const auto *label = qobject_cast<const QLabel *>(control);
            const QSizeF needed = (label ? label->wordWrap() : area.height() >= 2 * metrics.height())
                                      ? metrics.boundingRect(QRectF({}, area.size()), Qt::TextWordWrap, caption).size()
                                      : QSizeF(metrics.horizontalAdvance(caption), metrics.height());
            if (needed.width() > area.width() || needed.height() > area.height())
                tooSmall.append(control->objectName());
        }
        QCOMPARE(tooSmall, QStringList());
        for (const QString &wrapping : {u"chkCVAR_21"_s, u"chkCVAR_24"_s, u"chkCVAR_3"_s, u"cmdClnOut2"_s})
            QCOMPARE(h.get(wrapping)->font().pixelSize(), h.window->font().pixelSize());

        h.showActive();
        for (const QString &name : facts(u"focus"_s).join(u' ').split(u' ')) {
            QWidget *control = h.get(name);
            QVERIFY2(tabTo(name), qPrintable(name));
            const QImage focused = control->grab().toImage();
            QTest::keyClick(control, Qt::Key_Tab);
            QVERIFY2(!control->hasFocus() && focused != control->grab().toImage(), qPrintable(name));
        }

        h.get(u"cmdLoad"_s)->setFocus();
        const QStringList round = facts(u"tab"_s).join(u' ').split(u' ');
        QStringList visited;
        for (qsizetype step = 0; step < round.size(); ++step) {
            visited.append(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, round);

        QVERIFY(tabTo(u"chkCVAR_9"_s));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // presses only a focused button
        QTest::qWait(300);
        QVERIFY(h.state(u"chkCVAR_9"_s) == u"[ ]"_s && h.platform.writtenFiles.isEmpty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(tabTo(u"numCVAR_4"_s));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), u"7"_s);
        QVERIFY(tabTo(u"cmdSave"_s));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(h.platform.writtenFiles, QStringList{h.path()});
        QCOMPARE(h.content() + h.messages().toUtf8(), "# bot settings\r\njasonmode on\r\npause 7\r\n");
        QVERIFY(tabTo(u"numCVAR_4"_s));
        QTest::keyClicks(QApplication::focusWidget(), u"8"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // exits without saving
        QVERIFY(h.platform.endProgramCalls == 1 && h.platform.writtenFiles.size() == 1);
        QCOMPARE(h.content(), "# bot settings\r\njasonmode on\r\npause 7\r\n");
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
