#include "ui/main/title_marquee.h"

#include <QTest>

namespace {

const QString ShortTitle = QStringLiteral("KDXConfig 1.0      ");
const QString LongTitle = ShortTitle + QStringLiteral("www.vevadudori.example");
const QString Tail = QStringLiteral("<< E[VRK]bot III d >>");

QString Caption(const QString &title, int blanks)
{
    return title + QString(blanks, QLatin1Char(' ')) + Tail;
}

} // namespace

class TitleMarqueeTest : public QObject {
    Q_OBJECT

private slots:
    void initialCaptionIsShortTitleAndTail()
    {
        QCOMPARE(kdx::TitleMarquee::initialCaption(), QStringLiteral("KDXConfig 1.0      << E[VRK]bot III d >>"));
        QCOMPARE(kdx::TitleMarquee().step(), 0);
    }

    void captionAfterTicks_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("caption");

        QTest::newRow("0") << 0 << 0 << kdx::TitleMarquee::initialCaption();
        QTest::newRow("1") << 1 << 1 << Caption(ShortTitle, 1);
        QTest::newRow("29") << 29 << 29 << Caption(ShortTitle, 29);
        QTest::newRow("30") << 30 << 30 << Caption(LongTitle, 8);
        QTest::newRow("59") << 59 << 59 << Caption(LongTitle, 37);
        QTest::newRow("60") << 60 << -60 << Caption(LongTitle, 38);
        QTest::newRow("61") << 61 << -59 << Caption(LongTitle, 37);
        QTest::newRow("90") << 90 << -30 << Caption(LongTitle, 8);
        QTest::newRow("91") << 91 << -29 << Caption(ShortTitle, 29);
        QTest::newRow("119") << 119 << -1 << Caption(ShortTitle, 1);
        QTest::newRow("120") << 120 << 0 << Caption(ShortTitle, 0);
        QTest::newRow("121") << 121 << 1 << Caption(ShortTitle, 1);
        QTest::newRow("240") << 240 << 0 << Caption(ShortTitle, 0);
    }

    void captionAfterTicks()
    {
        QFETCH(int, ticks);
        QFETCH(int, step);
        QFETCH(QString, caption);

        kdx::TitleMarquee marquee;
        QString shown = kdx::TitleMarquee::initialCaption();
        for (int tick = 0; tick < ticks; ++tick)
            shown = marquee.tick();
        QCOMPARE(shown, caption);
        QCOMPARE(marquee.step(), step);
    }

    void stepStaysInRangeAndCycleRepeats()
    {
        kdx::TitleMarquee marquee;
        QStringList firstCycle;
        for (int tick = 1; tick <= 1000; ++tick) {
            const QString shown = marquee.tick();
            QVERIFY2(marquee.step() >= -60 && marquee.step() <= 59, qPrintable(QString::number(tick)));
            if (tick <= 120)
                firstCycle.append(shown);
            else
                QCOMPARE(shown, firstCycle[(tick - 1) % 120]);
        }
    }
};

QTEST_GUILESS_MAIN(TitleMarqueeTest)
#include "title_marquee_test.moc"
