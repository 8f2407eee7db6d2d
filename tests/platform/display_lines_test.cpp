#include "platform/platform.h"

#include <QTest>

using namespace Qt::StringLiterals;

class DisplayLinesTest : public QObject {
    Q_OBJECT
private slots:
    void lineBreaks_data();
    void lineBreaks();
    void aLongLineShowsItsStart();
};

void DisplayLinesTest::lineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("lone carriage returns") << u"a\rb\r\rc"_s << u"a\nb\n\nc"_s;
    QTest::newRow("carriage return and line feed") << u"a\r\nb"_s << u"a\nb"_s;
    QTest::newRow("line feed") << u"a\nb"_s << u"a\nb"_s;
    QTest::newRow("blanks at line ends kept") << u"to  \r joining. "_s << u"to  \n joining. "_s;
}

void DisplayLinesTest::lineBreaks()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(kdx::displayLines(text), shown);
}

void DisplayLinesTest::aLongLineShowsItsStart()
{
    const QString exact(1000, u'x');
    QCOMPARE(kdx::displayLines(exact), exact);
    const QString shown = kdx::displayLines(u"first\r"_s + QString(50'000'000, u'y') + u"\rlast"_s);
    QCOMPARE(shown, u"first\n"_s + QString(1000, u'y') + QChar(0x2026) + u"\nlast"_s);
}

QTEST_MAIN(DisplayLinesTest)
#include "display_lines_test.moc"
