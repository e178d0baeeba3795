// The month and year rules and the window's size rule, without widgets.
#include <QTest>

#include "app/MainLayout.h"
#include "app/MonthYear.h"

using namespace quintrel;

Q_DECLARE_METATYPE(std::string)

namespace {
constexpr std::int16_t kThisYear = 2026;
}

class MonthYearTest : public QObject {
    Q_OBJECT

  private slots:
    void monthListTexts() {
        QCOMPARE(MonthListText(1), std::string("01 January"));
        QCOMPARE(MonthListText(9), std::string("09 September"));
        QCOMPARE(MonthListText(12), std::string("12 December"));
    }

    void readYear_data() {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<int>("year");  // -1 = not a year
        QTest::newRow("plain") << std::string("2004") << 2004;
        QTest::newRow("blanks around") << std::string("  2004 ") << 2004;
        QTest::newRow("fraction rounds up") << std::string("2003.6") << 2004;
        QTest::newRow("half to even, down") << std::string("2002.5") << 2002;
        QTest::newRow("half to even, up") << std::string("2003.5") << 2004;
        QTest::newRow("letters") << std::string("20x4") << -1;
        QTest::newRow("lone minus") << std::string("-") << -1;
        QTest::newRow("beyond 16 bits") << std::string("40000") << -1;
        QTest::newRow("thousands separator") << std::string("2,004") << -1;
    }
    void readYear() {
        QFETCH(std::string, text);
        QFETCH(int, year);
        const auto read = ReadYear(text);
        QCOMPARE(read.has_value() ? int{*read} : -1, year);
    }

    void validate_data() {
        QTest::addColumn<std::string>("typed");
        QTest::addColumn<std::string>("box");
        QTest::addColumn<int>("currentYear");
        // The last valid year in every row is 2010.
        QTest::newRow("empty gives this year") << std::string("") << std::string("2026") << 2026;
        QTest::newRow("blanks give this year") << std::string("   ") << std::string("2026") << 2026;
        QTest::newRow("1949 becomes 1950") << std::string("1949") << std::string("1950") << 1950;
        QTest::newRow("1950 accepted") << std::string("1950") << std::string("1950") << 1950;
        QTest::newRow("negative becomes 1950") << std::string("-5") << std::string("1950") << 1950;
        QTest::newRow("text kept as typed")
            << std::string("2003.6") << std::string("2003.6") << 2004;
        QTest::newRow("blanks kept as typed")
            << std::string(" 2005") << std::string(" 2005") << 2005;
        QTest::newRow("highest year") << std::string("9998") << std::string("9998") << 9998;
        QTest::newRow("beyond the calendar") << std::string("9999") << std::string("2010") << 2010;
        QTest::newRow("beyond 16 bits") << std::string("99999") << std::string("2010") << 2010;
        QTest::newRow("not a number") << std::string("abc") << std::string("2010") << 2010;
        QTest::newRow("lone minus") << std::string("-") << std::string("2010") << 2010;
    }
    void validate() {
        QFETCH(std::string, typed);
        QFETCH(std::string, box);
        QFETCH(int, currentYear);
        const YearEntry entry = ValidateYearText(typed, kThisYear, 2010);
        QCOMPARE(entry.boxText, box);
        QCOMPARE(int{entry.currentYear}, currentYear);
    }

    void plusAndMinus_data() {
        QTest::addColumn<bool>("plus");
        QTest::addColumn<std::string>("typed");
        QTest::addColumn<std::string>("box");
        QTest::addColumn<int>("currentYear");
        // "+" and "-" leave the box as the check on leaving it would; last valid 2010.
        QTest::newRow("plus") << true << std::string("2004") << std::string("2005") << 2005;
        QTest::newRow("plus from 1949")
            << true << std::string("1949") << std::string("1950") << 1950;
        QTest::newRow("plus from 1900 is checked")
            << true << std::string("1900") << std::string("1950") << 1950;
        QTest::newRow("plus stops at 9998")
            << true << std::string("9998") << std::string("9998") << 9998;
        QTest::newRow("plus at 32767 does not wrap")
            << true << std::string("32767") << std::string("9998") << 9998;
        QTest::newRow("plus on text uses last valid")
            << true << std::string("abc") << std::string("2011") << 2011;
        QTest::newRow("plus on empty uses last valid")
            << true << std::string("") << std::string("2011") << 2011;
        QTest::newRow("minus") << false << std::string("2004") << std::string("2003") << 2003;
        QTest::newRow("minus from 1951")
            << false << std::string("1951") << std::string("1950") << 1950;
        QTest::newRow("minus stays at 1950")
            << false << std::string("1950") << std::string("1950") << 1950;
        QTest::newRow("minus from 1900")
            << false << std::string("1900") << std::string("1950") << 1950;
        QTest::newRow("minus beyond the calendar")
            << false << std::string("20000") << std::string("9998") << 9998;
        QTest::newRow("minus on text uses last valid")
            << false << std::string("x") << std::string("2009") << 2009;
    }
    void plusAndMinus() {
        QFETCH(bool, plus);
        QFETCH(std::string, typed);
        QFETCH(std::string, box);
        QFETCH(int, currentYear);
        const YearEntry entry =
            plus ? IncreaseYear(typed, kThisYear, 2010) : DecreaseYear(typed, kThisYear, 2010);
        QCOMPARE(entry.boxText, box);
        QCOMPARE(int{entry.currentYear}, currentYear);
    }

    void startingYearAndMonth() {
        QCOMPARE(int{StartingYear(2002, kThisYear)}, 2002);
        QCOMPARE(int{StartingYear(1951, kThisYear)}, 1951);
        QCOMPARE(int{StartingYear(1950, kThisYear)}, int{kThisYear});
        QCOMPARE(int{StartingYear(0, kThisYear)}, int{kThisYear});
        QCOMPARE(int{StartingYear(12000, kThisYear)}, int{kThisYear});
        QCOMPARE(int{StartingMonth(1)}, 1);
        QCOMPARE(int{StartingMonth(12)}, 12);
        QCOMPARE(int{StartingMonth(0)}, 6);
        QCOMPARE(int{StartingMonth(13)}, 6);
    }

    void layout_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("windowWidth");
        QTest::addColumn<int>("windowHeight");
        QTest::newRow("zero size") << 0 << 0 << 9300 << 4305;
        QTest::newRow("minimum") << 9300 << 4305 << 9300 << 4305;
        QTest::newRow("narrow") << 100 << 6000 << 9300 << 6000;
        QTest::newRow("large") << 15000 << 9000 << 15000 << 9000;
    }
    void layout() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, windowWidth);
        QFETCH(int, windowHeight);
        const MainLayout layout = LayoutForSize(width, height);
        QCOMPARE(layout.windowWidth, windowWidth);
        QCOMPARE(layout.windowHeight, windowHeight);
        // Exit's right edge 140 twips inside the outer width; About 40 twips before Exit.
        QCOMPARE(layout.exitLeft + 645, windowWidth - 140);
        QCOMPARE(layout.aboutLeft + 645, layout.exitLeft - 40);
        // The report fills the client area (frame allowance 120 x 405) below the top row.
        QCOMPARE(layout.reportWidth, windowWidth - 120);
        QCOMPARE(layout.reportHeight, windowHeight - 405 - 405);
        QCOMPARE(layout.calcLeft + 825 + 30 + 645 + 120, layout.aboutLeft);
        QCOMPARE(layout.placesWidth, layout.calcLeft - 30 - kPlacesLeft);
    }

    void sizeIsRecordedOnlyAfterLoading() {
        AppState state;
        QVERIFY(!RecordWindowSize(state, 12000, 6000, true));
        QCOMPARE(state.WindowWidth, 9300);
        QVERIFY(RecordWindowSize(state, 12000, 6000, false));
        QCOMPARE(state.WindowWidth, 12000);
        QCOMPARE(state.WindowHeight, 6000);
        QVERIFY(!RecordWindowSize(state, 12000, 6000, false));
    }
};

QTEST_APPLESS_MAIN(MonthYearTest)
#include "MonthYearTest.moc"
