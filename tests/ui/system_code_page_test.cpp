// On Windows the window reads and writes KDX.cfg in the system's ANSI code
// page. Run where that is 1251 (under Wine: LANG=ru_RU.UTF-8).
#include "main_window_harness.h"

using namespace Qt::StringLiterals;

class SystemCodePageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QCOMPARE(kdx::systemCodePages().notUtf8.name(), "Windows-1251");
        QCOMPARE(kdx::systemCodePages().newOrAscii.name(), "Windows-1251");
    }

    void showsAndSavesInTheSystemCodePage_data()
    {
        QTest::addColumn<QByteArray>("file"); // "-": none yet
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("saved"); // empty: refused
        QTest::newRow("Windows-1251 file") << "wptfolder \xef\xf3\xf2\xfc\r\n"_ba << u"путь"_s << u"карты"_s
                                           << "wptfolder \xea\xe0\xf0\xf2\xfb\r\n"_ba;
        QTest::newRow("ASCII file") << "wptfolder maps\r\n"_ba << u"maps"_s << u"карты"_s
                                    << "wptfolder \xea\xe0\xf0\xf2\xfb\r\n"_ba;
        QTest::newRow("new file") << "-"_ba << u"wptKDX"_s << u"карты"_s << "wptfolder \xea\xe0\xf0\xf2\xfb\r\n"_ba;
        QTest::newRow("UTF-8 file stays UTF-8")
            << u"wptfolder путь\r\n"_s.toUtf8() << u"путь"_s << u"café"_s << "wptfolder caf\xc3\xa9\r\n"_ba;
        QTest::newRow("not in Windows-1251") << "wptfolder maps\r\n"_ba << u"maps"_s << u"café"_s << QByteArray();
    }
    void showsAndSavesInTheSystemCodePage()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(QByteArray, saved);
        kdx::test::MainWindowHarness window(file == "-" ? std::nullopt : std::optional(file));
        QCOMPARE(window.state(u"txtCVAR_1"_s), shown);
        window.set(u"txtCVAR_1"_s, typed);
        QCOMPARE(window.window->cmdSave_Click(), !saved.isEmpty());
        if (saved.isEmpty()) {
            QCOMPARE(window.content(), file);
            QVERIFY2(window.messages().contains(u"\"é\" (U+00E9)"_s), qPrintable(window.messages()));
        } else {
            QVERIFY2(window.content().contains(saved), window.content().toHex(' ').constData());
        }
    }
};

QTEST_MAIN(SystemCodePageTest)
#include "system_code_page_test.moc"
