// The windows on the Windows platform at the system's display scaling, which
// KDX_SYSTEM_DPI names (96 dots per inch is 100 %) and the runner
// at_system_dpi.sh gives the system: the window scales as a whole, and every
// caption, box and dialog still holds its text.
#include "main_window_harness.h"
#include "support/caption_fit.h"
#include "ui/common/classic_metrics.h"
#include "ui/language/language_dialog.h"
#include "ui/main/help_topics.h"

#include <qt_windows.h>

#include <algorithm>
#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::function<void(kdx::Platform &)>)
Q_DECLARE_METATYPE(const kdx::LanguageDialogSettings *)

class DisplayScalingTest : public QObject {
    Q_OBJECT
    using Harness = kdx::test::MainWindowHarness;
    static constexpr double DefaultDpi = 96;

    const double dpi = qEnvironmentVariable("KDX_SYSTEM_DPI").toDouble();
    double scale() const { return dpi / DefaultDpi; }
    std::unique_ptr<Harness> shown;

private slots:
    // The main window, shown on the screen; what the screen shows of it is saved
    // where KDX_SCREENSHOT_FOLDER names a folder.
    void initTestCase()
    {
        QVERIFY2(dpi >= DefaultDpi, "KDX_SYSTEM_DPI names the system's dots per inch");
        shown = std::make_unique<Harness>();
        shown->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown->window.get()));
        const QString folder = qEnvironmentVariable("KDX_SCREENSHOT_FOLDER");
        if (folder.isEmpty())
            return;
        QTest::qWait(200); // the first paint
        QDir().mkpath(folder);
        const QPixmap shot = shown->window->screen()->grabWindow(shown->window->winId());
        QVERIFY(shot.save(u"%1/scale-wine-%2.png"_s.arg(folder).arg(qRound(100 * scale()))));
    }

    // Qt takes the system's scaling from Windows unrounded, and the window and
    // every control of its table cover the twips of the design at that scale:
    // each edge within the half pixel that the design's pixel grid rounds to.
    void layoutScalesWithTheSystem()
    {
        const QWidget &window = *shown->window;
        QCOMPARE(window.devicePixelRatioF(), scale());
        RECT client{};
        QVERIFY(GetClientRect(reinterpret_cast<HWND>(window.winId()), &client));
        const double devicePixelsPerTwip = scale() / kdx::TwipsPerPixel;
        QCOMPARE(QSize(int(client.right), int(client.bottom)), QSize(qRound(kdx::MainClientWidthTwips * devicePixelsPerTwip),
                                                                     qRound(kdx::MainClientHeightTwips * devicePixelsPerTwip)));
        QStringList misplaced;
        for (const kdx::ControlLayout &row : kdx::mainWindowControls()) {
            const QWidget *control = shown->get(kdx::test::objectNameOf(row));
            const QRectF actual(QPointF(control->mapTo(&window, QPoint())) * scale(), QSizeF(control->size()) * scale());
            const QRectF design(row.left * devicePixelsPerTwip, row.top * devicePixelsPerTwip, row.width * devicePixelsPerTwip,
                                row.height * devicePixelsPerTwip);
            if (std::max({qAbs(actual.left() - design.left()), qAbs(actual.top() - design.top()),
                          qAbs(actual.right() - design.right()), qAbs(actual.bottom() - design.bottom())})
                > scale() / 2)
                misplaced.append(control->objectName());
        }
        QCOMPARE(misplaced, QStringList());
    }

    void everyCaptionFits() { QCOMPARE(kdx::test::captionsCut(*shown->window, kdx::test::CaptionedControls), QStringList()); }

    // The boxes of the desktop's platform, with the longest help text, a
    // message naming a long path and the prompt of a custom command.
    void boxesHoldTheirTexts_data()
    {
        QTest::addColumn<std::function<void(kdx::Platform &)>>("open");
        int longest = 0;
        for (const int index : kdx::helpTopicIndices())
            if (kdx::helpText(index).size() > kdx::helpText(longest).size())
                longest = index;
        const QString help = QString::fromStdString(kdx::helpText(longest)),
                      title = QString::fromStdString(kdx::helpTitle(longest));
        QTest::newRow("help") << std::function([=](kdx::Platform &p) { p.showMessage(title, help, kdx::MessageIcon::None); });
        QTest::newRow("message") << std::function([](kdx::Platform &p) {
            p.showMessage(u"Error while saving"_s,
                          u"C:\\Games\\Half-Life\\valve\\addons\\kdx\\KDX.cfg could not be written: Access denied."_s,
                          kdx::MessageIcon::Exclamation);
        });
        QTest::newRow("input") << std::function([](kdx::Platform &p) {
            p.inputBox(u"Enter a command for the server.\rAn empty text deletes the command."_s, u"Change/Add Command"_s,
                       u"mp_roundtime 3.5"_s);
        });
    }

    void boxesHoldTheirTexts()
    {
        QFETCH(std::function<void(kdx::Platform &)>, open);
        kdx::QtPlatform platform(QDir::tempPath());
        std::optional<QStringList> cut; // measured as soon as the box shows, then it is closed
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget()); box && box->isVisible()) {
                poll.stop();
                cut = kdx::test::captionsCut(*box);
                box->done(QDialog::Rejected);
            }
        });
        poll.start(20);
        open(platform);
        QCOMPARE(cut, std::optional(QStringList()));
    }

    void languageDialogsHoldTheirTexts_data()
    {
        QTest::addColumn<const kdx::LanguageDialogSettings *>("settings");
        QTest::newRow("frmChat") << &kdx::frmChat;
        QTest::newRow("frmTitles") << &kdx::frmTitles;
    }

    void languageDialogsHoldTheirTexts()
    {
        QFETCH(const kdx::LanguageDialogSettings *, settings);
        QTemporaryDir folder;
        kdx::test::FakePlatform platform(folder.path());
        kdx::LanguageDialog dialog(*settings, platform, kdx::systemCodePages(), nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.devicePixelRatioF(), scale());
        QCOMPARE(kdx::test::captionsCut(dialog), QStringList());
    }
};

QTEST_MAIN(DisplayScalingTest)
#include "display_scaling_test.moc"
