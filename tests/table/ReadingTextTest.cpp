#include "table/ReadingText.h"

#include <gtest/gtest.h>

#include <string>

#include "table/CalculateMonth.h"
#include "tests/table/TablePlaces.h"

namespace quintrel {
namespace {

DayRow Row(std::string sRise, std::string sSet, std::string mRise, std::string mSet,
           std::string maj1, std::string maj2, std::string min1, std::string min2,
           std::string rating, std::string stars) {
    DayRow row;
    row.Day = 6;
    row.DayName = "Sunday";
    row.SRise = std::move(sRise);
    row.SSet = std::move(sSet);
    row.MRise = std::move(mRise);
    row.MSet = std::move(mSet);
    row.Phase = "78";
    row.WaxWan = "+";
    row.Maj1 = std::move(maj1);
    row.Maj2 = std::move(maj2);
    row.Min1 = std::move(min1);
    row.Min2 = std::move(min2);
    row.Rating = std::move(rating);
    row.Stars = std::move(stars);
    return row;
}

TEST(ReadingTextTest, DayLinesNameEveryValueAndSayNoneForMissingTimes) {
    const struct {
        DayRow row;
        std::string expected;
    } cases[] = {
        {Row("06:12", "17:45", "13:10", "01:02", "13:36", "01:10", "07:20", "19:45", "Good", "***"),
         "Sunday 6: sunrise 06:12, sunset 17:45; moonrise 13:10, moonset 01:02; moon 78% lit, "
         "waxing; major times 13:36 and 01:10; minor times 07:20 and 19:45; rating Good, 3 stars"},
        {Row("06:12", "17:45", ":", "01:02", ":", "01:10", "07:20", ":", "Poor", "*"),
         "Sunday 6: sunrise 06:12, sunset 17:45; moonrise none, moonset 01:02; moon 78% lit, "
         "waxing; major times 01:10; minor times 07:20; rating Poor, 1 star"},
        {Row("never", "rises", "never", "sets", ":", ":", ":", ":", "", ""),
         "Sunday 6: sun never rises; moon never sets; moon 78% lit, waxing; major times none; "
         "minor times none; rating no rating"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DayLineText(c.row), c.expected);
    }
    DayRow waning = cases[0].row;
    waning.WaxWan = "-";
    EXPECT_NE(DayLineText(waning).find("moon 78% lit, waning"), std::string::npos);
}

TEST(ReadingTextTest, HoursReadAsClockTimesWithinTheDay) {
    const struct {
        double hours;
        const char* text;
    } cases[] = {{0, "00:00"},      {6.0 + 5.0 / 60, "06:05"}, {13.599, "13:36"},
                 {23.999, "24:00"}, {-1.5, "00:00"},           {25.25, "24:00"}};
    for (const auto& c : cases) {
        EXPECT_EQ(HoursClockText(c.hours), c.text) << c.hours;
    }
}

TEST(ReadingTextTest, TheDayPictureSaysWhatItDraws) {
    const std::string sydney =
        "0Australia - NSW      Sydney           - 33 52+151 13+  101021110031104";
    const PlaceValues place = testing::ValuesOf(sydney);
    const MonthTable table = CalculateMonth(place, sydney, 4, 2025);
    const DayPicture picture = BuildDayPicture(place, sydney, table, 6);
    const std::vector<std::string> lines = DayPictureLines(picture, "Sydney", "the place line");
    std::string all;
    for (const std::string& line : lines) {
        all += line + "\n";
    }
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], DayTitleText("Sydney", picture));
    EXPECT_EQ(lines[1], "the place line");
    EXPECT_EQ(lines[2], DayClockText(picture));
    // Every time the picture labels, in the words of the table's row.
    for (const RiseSetMark& mark : picture.marks) {
        EXPECT_NE(all.find(mark.timeText), std::string::npos) << mark.timeText;
    }
    for (const ActivityPeriod& period : picture.periods) {
        const std::string kind = period.kind == PeriodKind::Major ? "Major" : "Minor";
        EXPECT_NE(all.find(kind + " period at " + period.timeText + ", from "), std::string::npos)
            << period.timeText;
    }
    for (const char* light : {"Light: night 00:00 to ", "nautical twilight", "daylight"}) {
        EXPECT_NE(all.find(light), std::string::npos) << light;
    }
    EXPECT_NE(all.find("Moon " + std::to_string(picture.percentLit) + "% lit"), std::string::npos);
    EXPECT_EQ(lines.back().rfind("Rating for the day: " + picture.row.Rating + ", ", 0), 0u);
}

TEST(ReadingTextTest, TheYearSaysEachDaysRatingAndTheMoons) {
    YearSheet sheet;
    sheet.title = "Quintrel Year at a Glance: Paris 2027";
    sheet.placeLine = "Lattitude: 48 51 N";
    sheet.months[0].month = 1;
    sheet.months[0].days = {{1, 6, 0, 4, MoonMark::None},
                            {2, 7, 0, 1, MoonMark::NewMoon},
                            {3, 1, 1, 0, MoonMark::None}};
    sheet.months[1].month = 2;
    sheet.months[1].days = {{1, 2, 0, 3, MoonMark::FullMoon}, {2, 3, 0, 2, MoonMark::None}};
    const std::vector<std::string> expected = {
        "Quintrel Year at a Glance: Paris 2027", "Lattitude: 48 51 N",
        "January: 1 Best, 2 Poor, 3 no rating. New moon on the 2.",
        "February: 1 Good, 2 Fair. Full moon on the 1."};
    EXPECT_EQ(YearSheetLines(sheet), expected);
}

TEST(ReadingTextTest, AMonthPageIsHeadedByTitleAndPlace) {
    const auto lines = MonthReportHeadingLines("Quintrel For Paris for June 2027", "Lattitude");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Quintrel For Paris for June 2027");
    EXPECT_EQ(lines[1], "Lattitude");
}

}  // namespace
}  // namespace quintrel
