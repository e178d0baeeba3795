// The month and year rules and the window's size rule, without widgets.
#include <gtest/gtest.h>

#include "appcore/MainLayout.h"
#include "appcore/MonthYear.h"

namespace quintrel {
namespace {

constexpr std::int16_t kThisYear = 2026;

TEST(MonthYear, MonthListTexts) {
    EXPECT_EQ(MonthListText(1), "01 January");
    EXPECT_EQ(MonthListText(9), "09 September");
    EXPECT_EQ(MonthListText(12), "12 December");
}

TEST(MonthYear, ReadYear) {
    struct Case {
        const char* name;
        const char* text;
        int year;  // -1 = not a year
    };
    const Case cases[] = {
        {"plain", "2004", 2004},
        {"blanks around", "  2004 ", 2004},
        {"fraction rounds up", "2003.6", 2004},
        {"half to even, down", "2002.5", 2002},
        {"half to even, up", "2003.5", 2004},
        {"letters", "20x4", -1},
        {"lone minus", "-", -1},
        {"beyond 16 bits", "40000", -1},
        {"thousands separator", "2,004", -1},
    };
    for (const Case& c : cases) {
        const auto read = ReadYear(c.text);
        EXPECT_EQ(read.has_value() ? int{*read} : -1, c.year) << c.name;
    }
}

struct YearCase {
    const char* name;
    bool plus;  // for the "+" and "-" rows
    const char* typed;
    const char* box;
    int currentYear;
};

TEST(MonthYear, ValidateYearText) {
    // The last valid year in every row is 2010.
    const YearCase cases[] = {
        {"empty gives this year", false, "", "2026", 2026},
        {"blanks give this year", false, "   ", "2026", 2026},
        {"1949 becomes 1950", false, "1949", "1950", 1950},
        {"1950 accepted", false, "1950", "1950", 1950},
        {"negative becomes 1950", false, "-5", "1950", 1950},
        {"text kept as typed", false, "2003.6", "2003.6", 2004},
        {"blanks kept as typed", false, " 2005", " 2005", 2005},
        {"highest year", false, "9998", "9998", 9998},
        {"beyond the calendar", false, "9999", "2010", 2010},
        {"beyond 16 bits", false, "99999", "2010", 2010},
        {"not a number", false, "abc", "2010", 2010},
        {"lone minus", false, "-", "2010", 2010},
    };
    for (const YearCase& c : cases) {
        const YearEntry entry = ValidateYearText(c.typed, kThisYear, 2010);
        EXPECT_EQ(entry.boxText, c.box) << c.name;
        EXPECT_EQ(int{entry.currentYear}, c.currentYear) << c.name;
    }
}

TEST(MonthYear, PlusAndMinus) {
    // "+" and "-" leave the box as the check on leaving it would; last valid 2010.
    const YearCase cases[] = {
        {"plus", true, "2004", "2005", 2005},
        {"plus from 1949", true, "1949", "1950", 1950},
        {"plus from 1900 is checked", true, "1900", "1950", 1950},
        {"plus stops at 9998", true, "9998", "9998", 9998},
        {"plus at 32767 does not wrap", true, "32767", "9998", 9998},
        {"plus on text uses last valid", true, "abc", "2011", 2011},
        {"plus on empty uses last valid", true, "", "2011", 2011},
        {"minus", false, "2004", "2003", 2003},
        {"minus from 1951", false, "1951", "1950", 1950},
        {"minus stays at 1950", false, "1950", "1950", 1950},
        {"minus from 1900", false, "1900", "1950", 1950},
        {"minus beyond the calendar", false, "20000", "9998", 9998},
        {"minus on text uses last valid", false, "x", "2009", 2009},
    };
    for (const YearCase& c : cases) {
        const YearEntry entry = c.plus ? IncreaseYear(c.typed, kThisYear, 2010)
                                       : DecreaseYear(c.typed, kThisYear, 2010);
        EXPECT_EQ(entry.boxText, c.box) << c.name;
        EXPECT_EQ(int{entry.currentYear}, c.currentYear) << c.name;
    }
}

TEST(MonthYear, StartingYearAndMonth) {
    EXPECT_EQ(int{StartingYear(2002, kThisYear)}, 2002);
    EXPECT_EQ(int{StartingYear(1951, kThisYear)}, 1951);
    EXPECT_EQ(int{StartingYear(1950, kThisYear)}, int{kThisYear});
    EXPECT_EQ(int{StartingYear(0, kThisYear)}, int{kThisYear});
    EXPECT_EQ(int{StartingYear(12000, kThisYear)}, int{kThisYear});
    EXPECT_EQ(int{StartingMonth(1)}, 1);
    EXPECT_EQ(int{StartingMonth(12)}, 12);
    EXPECT_EQ(int{StartingMonth(0)}, 6);
    EXPECT_EQ(int{StartingMonth(13)}, 6);
}

TEST(MainLayout, ButtonsFollowTheRightEdgeAndTheReportFillsTheRest) {
    struct Case {
        const char* name;
        int width, height, windowWidth, windowHeight;
    };
    const Case cases[] = {
        {"zero size", 0, 0, 9300, 4305},
        {"minimum", 9300, 4305, 9300, 4305},
        {"narrow", 100, 6000, 9300, 6000},
        {"large", 15000, 9000, 15000, 9000},
    };
    for (const Case& c : cases) {
        const MainLayout layout = LayoutForSize(c.width, c.height);
        EXPECT_EQ(layout.windowWidth, c.windowWidth) << c.name;
        EXPECT_EQ(layout.windowHeight, c.windowHeight) << c.name;
        // Exit's right edge 140 twips inside the outer width; About 40 twips before Exit.
        EXPECT_EQ(layout.exitLeft + 645, c.windowWidth - 140) << c.name;
        EXPECT_EQ(layout.aboutLeft + 645, layout.exitLeft - 40) << c.name;
        // The report fills the client area (frame allowance 120 x 405) below the top row.
        EXPECT_EQ(layout.reportWidth, c.windowWidth - 120) << c.name;
        EXPECT_EQ(layout.reportHeight, c.windowHeight - 405 - 405) << c.name;
        EXPECT_EQ(layout.calcLeft + 825 + 30 + 645 + 120, layout.aboutLeft) << c.name;
        EXPECT_EQ(layout.placesWidth, layout.calcLeft - 30 - kPlacesLeft) << c.name;
    }
}

TEST(MainLayout, ALargerDesktopFontGrowsTheTopRowButNotTheOuterSize) {
    struct Case {
        const char* name;
        double scale;
        int width, height, windowWidth, windowHeight;
    };
    // 14-point text is 18.67 pixels: 1.56 times the designs' 12.
    const double fourteenPoint = TextScale(14.0 * 96.0 / 72.0);
    const Case cases[] = {
        {"usual font", TextScale(12.0), 15000, 9000, 15000, 9000},
        {"smaller font grows nothing", TextScale(10.0), 9300, 4305, 9300, 4305},
        {"14 points, large window kept", fourteenPoint, 20000, 12000, 20000, 12000},
        {"14 points, minimum grows", fourteenPoint, 9300, 4305, 14400, 6465},
        {"144 dpi", TextScale(18.0), 100, 100, 13890, 6255},
    };
    for (const Case& c : cases) {
        const MainLayout layout = LayoutForSize(c.width, c.height, c.scale);
        EXPECT_EQ(layout.windowWidth, c.windowWidth) << c.name;
        EXPECT_EQ(layout.windowHeight, c.windowHeight) << c.name;
        const auto grown = [&c](int twips) { return ScaledTwips(twips, c.scale); };
        // Exit stays 20 grown twips inside the client area; the buttons and gaps grow.
        EXPECT_EQ(layout.exitLeft + grown(645) + grown(20), c.windowWidth - 120) << c.name;
        EXPECT_EQ(layout.aboutLeft + grown(645) + grown(40), layout.exitLeft) << c.name;
        EXPECT_EQ(layout.placesWidth, layout.calcLeft - grown(30) - grown(kPlacesLeft)) << c.name;
        // The report fills the client area below the grown top row.
        EXPECT_EQ(layout.reportWidth, c.windowWidth - 120) << c.name;
        EXPECT_EQ(layout.reportHeight, c.windowHeight - 405 - grown(405)) << c.name;
    }
}

TEST(MainLayout, FirstRunWindowIsAsTallAsTheDesktopAndWideEnoughForTheTools) {
    struct Case {
        const char* name;
        int availableWidth, availableHeight, tools;
        double scale;
        int width, height;
    };
    const Case cases[] = {
        {"1600 x 1000: whole height", 24000, 15000, 0, 1.0, 13500, 15000},
        {"1366 x 768, tools wider than 900 px", 20490, 11520, 15150, 1.0, 15270, 11520},
        {"tools wider than the desktop", 12000, 9000, 15150, 1.0, 12000, 9000},
        {"tall screen: a page at full size is enough", 38400, 32400, 0, 1.0, 13500, 18000},
        {"tiny desktop: the minimum", 6000, 3000, 0, 1.0, 9300, 4305},
        {"14 points on a tiny desktop: the grown minimum", 6000, 3000, 0, 1.5, 13890, 6255},
    };
    for (const Case& c : cases) {
        const AppState state =
            FirstRunState(9, 2026, c.availableWidth, c.availableHeight, c.tools, c.scale);
        EXPECT_EQ(state.WindowWidth, c.width) << c.name;
        EXPECT_EQ(state.WindowHeight, c.height) << c.name;
        EXPECT_EQ(state.CurrentMonth, 9) << c.name;
        EXPECT_EQ(state.CurrentYear, 2026) << c.name;
    }
}

TEST(MainLayout, SizeIsRecordedOnlyAfterLoading) {
    AppState state;
    EXPECT_FALSE(RecordWindowSize(state, 12000, 6000, true));
    EXPECT_EQ(state.WindowWidth, 9300);
    EXPECT_TRUE(RecordWindowSize(state, 12000, 6000, false));
    EXPECT_EQ(state.WindowWidth, 12000);
    EXPECT_EQ(state.WindowHeight, 6000);
    EXPECT_FALSE(RecordWindowSize(state, 12000, 6000, false));
}

}  // namespace
}  // namespace quintrel
