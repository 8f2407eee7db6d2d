// The main window on a scripted platform; long tables of expected data are the files beside this one.
#include "main_window_harness.h"
#include "support/caption_fit.h"
#include "support/case_file.h"
#include "ui/common/classic_metrics.h"
#include "ui/main/help_topics.h"

using namespace Qt::StringLiterals;

namespace {

QString accessibleName(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// The controls that take the focus, in the order Tab visits them; of the option
// buttons only the selected one, "Full", as Tab skips the others.
const QStringList TabStops =
    u"cmdLoad cmdCleanOut cmdClnOut2 cmdSave chkCVAR_2 chkCVAR_3 chkCVAR_16 chkCVAR_17 chkCVAR_21 "
    u"chkCVAR_22 chkCVAR_25 chkCVAR_7 chkCVAR_26 chkCVAR_9 chkCVAR_24 chkCVAR_23 chkCVAR_12 chkCVAR_13 "
    u"txtCVAR_1 numCVAR_4 numCVAR_14 numCVAR_15 numCVAR_5 numCVAR_6 scrlSkill_10 scrlSkill_11 "
    u"radRadio_0 timCVAR_20 timCVAR_19 timCVAR_18 cmdCustom_8 cmdCustom_1 cmdCustom_2 cmdCustom_3 "
    u"cmdCustom_4 cmdCustom_5 cmdCustom_6 cmdCustom_7 Command1 Command2 cmdChatLang cmdTitlesLang"_s.split(u' ');

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

using Harness = kdx::test::MainWindowHarness;

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

        // Each setting has the one control of its kind, each help topic its mark, all inside the window.
        QStringList expected, shown, outside;
        for (int index = 1; index <= kdx::SettingCount; ++index)
            if (kdx::SettingDefinitions[std::size_t(index - 1)].kind != kdx::SettingKind::Option)
                expected.append(kdx::test::controlName(index));
        for (int option = 0; option <= 3; ++option)
            expected.append(u"radRadio_"_s + QString::number(option));
        for (int index : kdx::helpTopicIndices())
            expected.append(u"lblHelp_"_s + QString::number(index));
        for (const QWidget *child :
             window->findChildren<QWidget *>(QRegularExpression(u"^(.*CVAR|scrlSkill|radRadio|lblHelp)_"_s)))
            shown.append(child->objectName());
        for (const QWidget *child : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (!window->rect().contains(child->geometry()))
                outside.append(child->objectName());
        expected.sort(), shown.sort();
        QCOMPARE(shown, expected);
        QCOMPARE(outside, QStringList());

        QCOMPARE(window->frameGeometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
        QVERIFY(h.get(u"lblHelp_13"_s)->cursor().shape() == Qt::PointingHandCursor);
        QCOMPARE(h.get<QScrollBar>(u"scrlSkill_10"_s)->pageStep(), 1);
        QCOMPARE(h.get(u"cmdLoad"_s)->toolTip(), u"Undo all changes"_s);
        // The custom-command buttons in the style of the entry fields.
        const QPalette custom = h.get(u"cmdCustom_1"_s)->palette();
        QCOMPARE(custom.color(QPalette::Button), custom.color(QPalette::Base));
    }

    // What a screen reader announces: every control has a name, a field the caption beside it.
    void everyControlHasAnAccessibleName()
    {
        Harness h;
        QStringList unnamed;
        for (QWidget *child : h.window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (!child->objectName().contains(QRegularExpression(u"^(Line|Shape)"_s))
                && accessibleName(child).trimmed().isEmpty())
                unnamed.append(child->objectName());
        QCOMPARE(unnamed, QStringList());
        QCOMPARE(accessibleName(h.get(u"numCVAR_14"_s)), h.get<QLabel>(u"Label3"_s)->text());
        QCOMPARE(accessibleName(h.get(u"scrlSkill_11"_s)),
                 h.get<QLabel>(u"Label7"_s)->text() + u' ' + h.get<QLabel>(u"Label9"_s)->text());
    }

    void marqueeRunsInTheCaption()
    {
        Harness h;
        auto *timer = h.window->findChild<QTimer *>(u"Timer"_s);
        QVERIFY(timer && timer->isActive());
        const kdx::test::CaseBlock rows = kdx::test::readCaseFile(KDX_UI_TEST_DATA "/marquee_cases.txt").front();
        int ticks = 0;
        for (const kdx::test::CaseEntry &row : rows) {
            for (; ticks < std::stoi(row.arg); ++ticks)
                h.window->Timer_Timer();
            QCOMPARE(h.window->windowTitle(), QString::fromStdString(row.value));
        }
        // The window's own timer moves it on, one step per expiry; the table ends after whole rounds.
        QSignalSpy captions(h.window.get(), &QWidget::windowTitleChanged);
        QVERIFY(captions.wait(2000));
        QCOMPARE(captions.first().first().toString(), QString::fromStdString(rows[1].value));
    }

    // What the user sees of a "?" mark and a skill label: a frame around the fill,
    // and a bold text, which inks more than a regular one.
    void helpMarkAndSkillLabelAreDrawnFramedAndBold()
    {
        Harness h;
        QCOMPARE(h.get(u"lblHelp_13"_s)->grab().toImage().pixelColor(2, 2).name(), u"#ffffc0"_s);
        for (const QString &label : {u"lblHelp_13"_s, u"lblSkill_10"_s}) {
            auto *shown = h.get<QLabel>(label);
            const QImage image = shown->grab().toImage();
            const QColor inside = image.pixelColor(2, 2);
            const int w = image.width() - 1, hi = image.height() - 1;
            for (const QPoint edge : {QPoint(w / 2, 0), QPoint(w / 2, hi), QPoint(0, hi / 2), QPoint(w, hi / 2)})
                QVERIFY2(image.pixelColor(edge) != inside,
                         qPrintable(QStringLiteral("%1: no frame at %2,%3").arg(label).arg(edge.x()).arg(edge.y())));
            const auto inked = [&inside](const QImage &drawn) {
                int count = 0;
                for (int y = 2; y < drawn.height() - 2; ++y)
                    for (int x = 2; x < drawn.width() - 2; ++x)
                        count += drawn.pixelColor(x, y) != inside;
                return count;
            };
            QFont regular = shown->font();
            regular.setBold(false);
            shown->setFont(regular);
            QVERIFY2(inked(image) > inked(shown->grab().toImage()), qPrintable(label + u": not bold"_s));
        }
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

    // A click anywhere on a check box's caption, its second line too, ticks it;
    // a click on an option selects it and takes the focus.
    void mouseTicksAndSelects()
    {
        Harness h;
        h.showActive();
        auto *box = h.get(u"chkCVAR_21"_s);
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().bottomRight() - QPoint(2, 2));
        QTest::mouseClick(h.get(u"radRadio_2"_s), Qt::LeftButton);
        QCOMPARE(h.value(21) + h.value(8) + QApplication::focusWidget()->objectName(), u"on2radRadio_2"_s);
    }

    void loadShowsTheReadersMessagesInOrder()
    {
        Harness h("cmd1\r\ncmd2\r\ncmd3\r\ncmd4\r\ncmd5\r\ncmd6\r\ncmd7\r\ncmd8\r\ncmd9\r\n" + QByteArray("#\r\n").repeated(248));
        QCOMPARE(h.messages(), u"Too many custom commands: 'cmd9' couldn't be stored. | Error while loading: KDX.cfg "
                               u"has more than 256 lines. The lines after the 256th are not shown here, but saving keeps "
                               u"them unchanged, so the settings they hold stay in force. The clean outputs leave them out."_s);
        QCOMPARE((QList{h.platform.messages[0].icon, h.platform.messages[1].icon}),
                 (QList{kdx::MessageIcon::Exclamation, kdx::MessageIcon::None}));
        QCOMPARE(h.state(u"cmdCustom_8"_s), u"cmd8"_s);
    }

    // Cancel, an emptied field and a name outside the program folder write nothing; such a name is refused.
    void cleanOutputWritesOnlyANameInTheFolder_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::newRow("Cancel") << std::optional<QString>();
        QTest::newRow("emptied field") << std::optional<QString>(QString());
        for (const char *name : {"/tmp/clean.cfg", "../clean.cfg", "..", "chat/clean.cfg", "chat\\clean.cfg", "C:clean.cfg"})
            QTest::newRow(name) << std::optional<QString>(QString::fromUtf8(name));
    }
    void cleanOutputWritesOnlyANameInTheFolder()
    {
        QFETCH(std::optional<QString>, answer);
        Harness h("pause 5\r\n");
        h.platform.inputAnswers = {answer, answer};
        h.click(u"cmdCleanOut cmdClnOut2"_s);
        QVERIFY(h.platform.writtenFiles.isEmpty() && h.platform.inputRequests.size() == 2);
        for (const auto &ask : h.platform.inputRequests)
            QCOMPARE(ask.prompt + u'|' + ask.title + u'|' + ask.defaultAnswer, u"Filename|Output 'Clean' File|KDX.cfg"_s);
        QStringList refusals;
        for (const auto &message : h.platform.messages)
            if (message.title == u"Error while saving"_s && message.text.contains(answer.value_or(QString())))
                refusals.append(message.text);
        QVERIFY2(refusals.size() == h.platform.messages.size()
                     && refusals.size() == (answer.value_or(QString()).isEmpty() ? 0 : 2),
                 qPrintable(h.messages()));
    }

    // Every write that fails names the file and the reason, keeps the edits and ends nothing.
    void failedWriteIsReportedAndChangesNothing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("name"); // of the clean output
        QTest::newRow("Save File") << u"cmdSave"_s << QString();
        QTest::newRow("Save and Exit") << u"Command2"_s << QString();
        // cmdClnOut2 writes the same way
        QTest::newRow("clean output over KDX.cfg") << u"cmdCleanOut"_s << u"KDX.cfg"_s;
        QTest::newRow("clean output under another name") << u"cmdCleanOut"_s << u"clean.cfg"_s;
    }
    void failedWriteIsReportedAndChangesNothing()
    {
        QFETCH(QString, button);
        QFETCH(QString, name);
        Harness h("pause 5\r\n");
        h.set(u"numCVAR_4"_s, u"9"_s);
        h.platform.writeFailure = u"Disk full"_s;
        h.platform.inputAnswers = {name};
        h.click(button);
        QCOMPARE(h.platform.messages.size(), 1);
        const auto &message = h.platform.messages[0];
        QVERIFY2(message.title == u"Error while saving"_s && message.text.contains(u"Disk full"_s)
                     && message.text.contains(QDir::toNativeSeparators(h.path(name.isEmpty() ? u"KDX.cfg"_s : name))),
                 qPrintable(message.text));
        QVERIFY(h.platform.endProgramCalls == 0 && h.content() == "pause 5\r\n"
                && h.state(u"numCVAR_4"_s) + h.value(4) == u"99"_s);
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

    void everyHelpMarkOpensItsTopic_data()
    {
        QTest::addColumn<int>("index");
        for (int index : kdx::helpTopicIndices())
            QTest::addRow("lblHelp_%d", index) << index;
    }
    void everyHelpMarkOpensItsTopic()
    {
        QFETCH(int, index);
        Harness h;
        QWidget *mark = h.get(u"lblHelp_"_s + QString::number(index));
        QTest::mouseClick(mark, Qt::RightButton); // only the left button opens the topic
        QCOMPARE(h.platform.messages.size(), 0);
        QTest::mouseClick(mark, Qt::LeftButton);
        QCOMPARE(h.platform.messages.size(), 1);
        const auto message = h.platform.messages.takeFirst();
        // A topic is titled after the setting it explains (or the first of a pair).
        const auto key = index == 0 ? std::string_view("server commands") : kdx::SettingDefinitions[std::size_t(index - 1)].key;
        QVERIFY2(message.title.startsWith(QString::fromUtf8(key.data(), qsizetype(key.size()))), qPrintable(message.title));
        QVERIFY(message.icon == kdx::MessageIcon::None && !message.text.isEmpty() && !message.text.contains(u'\n'));
        QCOMPARE(accessibleName(mark), u"Help: "_s + message.title);
    }

    // The language buttons open their dialog modally, again and again, and closing it starts nothing.
    void languageButtonsOpenTheirDialog()
    {
        Harness h;
        QStringList shown;
        for (const QString &button : {u"cmdChatLang"_s, u"cmdTitlesLang"_s, u"cmdChatLang"_s, u"cmdTitlesLang"_s}) {
            QTimer::singleShot(0, this, [&] {
                if (auto *open = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                    shown.append(open->objectName() + (open->isModal() ? u" modal"_s : QString()));
                    open->reject();
                }
            });
            h.click(button);
        }
        QCOMPARE(shown, (QStringList{u"frmChat modal"_s, u"frmTitles modal"_s, u"frmChat modal"_s, u"frmTitles modal"_s}));
        QVERIFY(h.platform.startedBatchFiles.isEmpty());
    }

    // A caption that just fits keeps its font (hinted, as on Windows, to whole-pixel widths);
    // one a pixel too wide shrinks until it fits; one that cannot fit shrinks to 10 pixels, no smaller.
    void captionShrinksOnlyWhereItDoesNotFit()
    {
        QWidget control;
        QFont font = kdx::classicFont();
        font.setHintingPreference(QFont::PreferFullHinting);
        control.setFont(font);
        const QString caption = u"Save File"_s;
        const QSizeF needed = QFontMetricsF(font).boundingRect(QRectF(0, 0, 1000, 1000), 0, caption).size();
        QList<int> pixelSizes;
        for (const int narrower : {0, 1}) {
            kdx::fitCaption(&control, caption, QSize(qCeil(needed.width()) - narrower, qCeil(needed.height())));
            pixelSizes.append(control.font().pixelSize());
        }
        kdx::fitCaption(&control, caption, QSize(4, 4));
        pixelSizes.append(control.font().pixelSize());
        QCOMPARE(pixelSizes, (QList{13, 12, 10}));
    }

    void everyCaptionFits()
    {
        Harness h;
        QCOMPARE(kdx::test::captionsCut(*h.window, kdx::test::CaptionedControls), QStringList());
        for (const QString &wrapping : {u"chkCVAR_21"_s, u"chkCVAR_24"_s, u"chkCVAR_3"_s, u"cmdClnOut2"_s})
            QCOMPARE(h.get(wrapping)->font().pixelSize(), h.window->font().pixelSize());
    }

    // Tab visits the controls in the order of their tab indices, and each shows that it has the focus.
    void tabOrderFollowsTheTabIndices()
    {
        Harness h;
        h.showActive();
        const QStringList &stops = TabStops;
        h.get(stops.last())->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // a frame shows once the keyboard moved the focus
        QStringList visited, noFocusFrame;
        for (qsizetype step = 0; step <= stops.size(); ++step) {
            QWidget *control = QApplication::focusWidget();
            visited.append(control ? control->objectName() : QString());
            if (!control)
                break;
            const QImage focused = control->grab().toImage();
            QTest::keyClick(control, Qt::Key_Tab);
            if (focused == control->grab().toImage())
                noFocusFrame.append(control->objectName());
        }
        QCOMPARE(visited, stops + QStringList{stops[0]});
        QCOMPARE(noFocusFrame, QStringList());
    }

    // Space ticks, typing edits, Enter presses only a focused button, Esc exits without saving.
    void keyboardAloneEditsSavesAndExits()
    {
        Harness h("# bot settings\r\njasonmode off\r\npause 3\r\n");
        h.showActive();
        QVERIFY(tabTo(u"chkCVAR_9"_s));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::qWait(300);
        QVERIFY(h.state(u"chkCVAR_9"_s) == u"[ ]"_s && h.platform.writtenFiles.isEmpty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(tabTo(u"numCVAR_4"_s));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), u"7"_s);
        QVERIFY(tabTo(u"cmdSave"_s));
        QVERIFY(!h.get<QPushButton>(u"cmdSave"_s)->isDefault()); // Enter presses the focused button; none is shown as the default
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(h.platform.writtenFiles, QStringList{QDir::toNativeSeparators(h.path())});
        QCOMPARE(h.content() + h.messages().toUtf8(), "# bot settings\r\njasonmode on\r\npause 7\r\n");
        QVERIFY(tabTo(u"numCVAR_4"_s));
        QTest::keyClicks(QApplication::focusWidget(), u"8"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(h.platform.endProgramCalls == 1 && h.platform.writtenFiles.size() == 1 && !h.window->isVisible());
        QCOMPARE(h.content(), "# bot settings\r\njasonmode on\r\npause 7\r\n");
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
