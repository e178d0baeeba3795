#include "table/DayPicture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <string>

#include "astro/CoreError.h"
#include "astro/mRiseSet.h"
#include "table/CalculateMonth.h"
#include "tests/table/TablePlaces.h"

namespace quintrel {
namespace {

using testing::ValuesOf;

// The table gives whole minutes, and the picture draws about ten twips (a sixth of a
// millimetre) to the minute, under a fifth of the sun line's width: within a minute the
// crossing and the table's time are one point on the page.
constexpr double kResolutionHours = 1.0 / 60;

const std::string kSydney =
    "0Australia - NSW      Sydney           - 33 52+151 13+  101021110031104";
const std::string kLondon =
    "0UK - England         London           + 51 30-  0  8+   01015103025110";
const std::string kTromso =
    "1Norway               Troms\xf8           + 69 41+ 18 57+   11025103035110";

struct DayCase {
    const char* name;
    const std::string* record;
    int year, month, day;
};

void PrintTo(const DayCase& c, std::ostream* out) {
    *out << c.name;
}

const DayCase kDays[] = {
    {"SydneyClocksGoBack", &kSydney, 2025, 4, 6},
    {"SydneyClocksGoForward", &kSydney, 2025, 10, 5},
    {"SydneyMidwinter", &kSydney, 2025, 6, 21},
    {"LondonMidsummer", &kLondon, 2025, 6, 21},
    {"LondonClocksGoForward", &kLondon, 2025, 3, 30},
    {"LondonClocksGoBack", &kLondon, 2025, 10, 26},
    {"TromsoPolarNight", &kTromso, 2025, 12, 15},
    {"TromsoMidnightSun", &kTromso, 2025, 6, 21},
};

DayPicture PictureOf(const DayCase& c) {
    const PlaceValues place = ValuesOf(*c.record);
    const MonthTable table = CalculateMonth(place, *c.record, static_cast<std::int16_t>(c.month),
                                            static_cast<std::int16_t>(c.year));
    return BuildDayPicture(place, *c.record, table, c.day);
}

// Where a curve passes the horizon going up (rise) or down (set), by straight lines
// between samples as drawn; the crossing nearest `hours`.
std::optional<double> NearestCrossing(const std::vector<AltitudeCurve>& curves, bool rising,
                                      double hours) {
    std::optional<double> best;
    for (const AltitudeCurve& curve : curves) {
        for (std::size_t i = 1; i < curve.size(); ++i) {
            const double a = curve[i - 1].seenAltitudeDeg;
            const double b = curve[i].seenAltitudeDeg;
            if (rising ? !(a < 0 && b >= 0) : !(a >= 0 && b < 0)) {
                continue;
            }
            const double t = curve[i - 1].clockHours +
                             (0 - a) / (b - a) * (curve[i].clockHours - curve[i - 1].clockHours);
            if (!best || std::fabs(t - hours) < std::fabs(*best - hours)) {
                best = t;
            }
        }
    }
    return best;
}

class DayPictureDays : public ::testing::TestWithParam<DayCase> {};

TEST_P(DayPictureDays, CurvesCrossTheHorizonAtTheTablesTimes) {
    const DayPicture picture = PictureOf(GetParam());
    for (const RiseSetMark& mark : picture.marks) {
        const auto& curves = mark.body == SkyBody::Sun ? picture.sun : picture.moon;
        const std::optional<double> crossing =
            NearestCrossing(curves, mark.isRise, mark.clockHours);
        ASSERT_TRUE(crossing) << mark.timeText;
        EXPECT_NEAR(*crossing, mark.clockHours, kResolutionHours) << mark.timeText;
    }
}

TEST_P(DayPictureDays, MarksAreTheTablesTexts) {
    const DayPicture picture = PictureOf(GetParam());
    const DayRow& row = picture.row;
    std::string shown;
    for (const RiseSetMark& mark : picture.marks) {
        shown += mark.timeText + " ";
        EXPECT_DOUBLE_EQ(mark.clockHours, mRiseSet::TimeTextToHours(mark.timeText));
    }
    std::string expected;
    for (const std::string* text : {&row.SRise, &row.SSet, &row.MRise, &row.MSet}) {
        if (text->size() == 5 && (*text)[2] == ':') {
            expected += *text + " ";
        }
    }
    EXPECT_EQ(shown, expected);
}

TEST_P(DayPictureDays, PeriodsAreCentredOnTheTablesTimes) {
    const DayPicture picture = PictureOf(GetParam());
    const DayRow& row = picture.row;
    int majors = 0;
    int minors = 0;
    for (const ActivityPeriod& period : picture.periods) {
        const bool major = period.kind == PeriodKind::Major;
        (major ? majors : minors) += 1;
        const std::string& text =
            major ? (majors == 1 ? row.Maj1 : row.Maj2) : (minors == 1 ? row.Min1 : row.Min2);
        EXPECT_EQ(period.timeText, text);
        EXPECT_DOUBLE_EQ(period.centreHours, mRiseSet::TimeTextToHours(text));
        EXPECT_NEAR((period.startHours + period.endHours) / 2, period.centreHours, 1e-9);
        EXPECT_NEAR(period.endHours - period.startHours, PeriodHours(period.kind, row.Stars), 1e-9);
    }
    EXPECT_EQ(majors, (row.Maj1 != ":") + (row.Maj2 != ":"));
    EXPECT_EQ(minors, (row.Min1 != ":") + (row.Min2 != ":"));
}

TEST_P(DayPictureDays, DaylightBeginsAndEndsAtSunriseAndSunset) {
    const DayPicture picture = PictureOf(GetParam());
    for (const RiseSetMark& mark : picture.marks) {
        if (mark.body != SkyBody::Sun) {
            continue;
        }
        bool found = false;
        for (const LightSpan& span : picture.light) {
            if (span.light == SkyLight::Daylight) {
                const double edge = mark.isRise ? span.startHours : span.endHours;
                found = found || std::fabs(edge - mark.clockHours) <= kResolutionHours;
            }
        }
        EXPECT_TRUE(found) << mark.timeText;
    }
    // The light covers the day from 00:00 to 24:00, each run in order.
    ASSERT_FALSE(picture.light.empty());
    EXPECT_DOUBLE_EQ(picture.light.front().startHours, 0);
    EXPECT_DOUBLE_EQ(picture.light.back().endHours, 24);
    for (const LightSpan& span : picture.light) {
        EXPECT_LE(span.startHours, span.endHours);
    }
}

INSTANTIATE_TEST_SUITE_P(Places, DayPictureDays, ::testing::ValuesIn(kDays),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(DayPicture, PolarNightHasNoDaylightAndNoSunMarks) {
    const DayPicture picture = PictureOf(kDays[6]);
    EXPECT_EQ(picture.row.SRise, "never");
    EXPECT_EQ(picture.row.SSet, "rises");
    for (const AltitudeCurve& curve : picture.sun) {
        for (const AltitudeSample& sample : curve) {
            EXPECT_LT(sample.seenAltitudeDeg, 0);
        }
    }
    for (const LightSpan& span : picture.light) {
        EXPECT_NE(span.light, SkyLight::Daylight);
    }
    for (const RiseSetMark& mark : picture.marks) {
        EXPECT_EQ(mark.body, SkyBody::Moon);
    }
}

TEST(DayPicture, ChangeDaysSplitTheCurvesAtTheHourOfTheChange) {
    // Sydney: back on 6 April at 03:00 (the hour from 02:00 comes twice), forward on
    // 5 October at 02:00 (no time from 02:00 to 03:00).
    const DayPicture back = PictureOf(kDays[0]);
    ASSERT_EQ(back.sun.size(), 2u);
    EXPECT_DOUBLE_EQ(back.sun[0].front().clockHours, 0);
    EXPECT_DOUBLE_EQ(back.sun[0].back().clockHours, 3);
    EXPECT_DOUBLE_EQ(back.sun[1].front().clockHours, 2);
    EXPECT_EQ(back.changeFromHour, 3);
    EXPECT_EQ(back.changeToHour, 2);
    EXPECT_DOUBLE_EQ(back.sun[1].back().clockHours, 24);
    EXPECT_EQ(DayClockText(back), "Clocks go back today: GMT +11 hours, then GMT +10 hours");

    const DayPicture forward = PictureOf(kDays[1]);
    ASSERT_EQ(forward.moon.size(), 2u);
    EXPECT_DOUBLE_EQ(forward.moon[0].front().clockHours, 0);
    EXPECT_DOUBLE_EQ(forward.moon[0].back().clockHours, 2);
    EXPECT_DOUBLE_EQ(forward.moon[1].front().clockHours, 3);
    EXPECT_DOUBLE_EQ(forward.moon[1].back().clockHours, 24);
    EXPECT_EQ(forward.changeFromHour, 2);
    EXPECT_EQ(forward.changeToHour, 3);
    EXPECT_EQ(DayClockText(forward), "Clocks go forward today: GMT +10 hours, then GMT +11 hours");

    const DayPicture ordinary = PictureOf(kDays[2]);
    EXPECT_EQ(ordinary.sun.size(), 1u);
    EXPECT_EQ(DayClockText(ordinary), "Clock: GMT +10 hours");
    EXPECT_EQ(DayTitleText("Australia (Sydney)", ordinary),
              "Quintrel For Australia (Sydney) on Saturday 21 June 2025");
}

TEST(DayPicture, PeriodsLengthenWithTheStars) {
    struct Row {
        PeriodKind kind;
        const char* stars;
        double hours;
    };
    const Row rows[] = {{PeriodKind::Major, "*", 1.0},      {PeriodKind::Major, "****", 2.0},
                        {PeriodKind::Minor, "*", 0.5},      {PeriodKind::Minor, "****", 1.0},
                        {PeriodKind::Major, "**", 4.0 / 3}, {PeriodKind::Minor, "", 0.5}};
    for (const Row& row : rows) {
        EXPECT_DOUBLE_EQ(PeriodHours(row.kind, row.stars), row.hours) << row.stars;
    }
}

TEST(DayView, StepsAcrossMonthEndsOnTheTablesOfThoseMonths) {
    DayView view(kLondon, 2025, 1, 31);
    view.Step(1);
    EXPECT_EQ(view.Picture().month, 2);
    EXPECT_EQ(view.Picture().day, 1);
    const MonthTable february = CalculateMonth(ValuesOf(kLondon), kLondon, 2, 2025);
    EXPECT_EQ(view.Picture().row.SRise, february.rows[0].SRise);
    EXPECT_EQ(view.Picture().row.Maj1, february.rows[0].Maj1);
    view.Step(-2);
    EXPECT_EQ(view.Picture().month, 1);
    EXPECT_EQ(view.Picture().day, 30);
}

TEST(DayView, AStepOutOfReachKeepsTheDayShown) {
    DayView view(kLondon, 9998, 12, 31);
    EXPECT_THROW(view.Step(1), CoreError);
    EXPECT_EQ(view.Picture().year, 9998);
    EXPECT_EQ(view.Picture().day, 31);
}

}  // namespace
}  // namespace quintrel
