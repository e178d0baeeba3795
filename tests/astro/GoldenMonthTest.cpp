// The engine against month tables worked out independently (tests/data/golden). Days on
// which daylight saving starts or ends, and the neighbours of those days, need the month
// table's changeover corrections and are left to its own tests; every other day must
// match to the character.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "astro/CivilDate.h"
#include "astro/NumberText.h"
#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {
namespace {

struct GoldenMonth {
    const char* file;
    int year;
    int month;
    // Degrees and minutes of the place record, converted as the place reader does.
    int latitudeSign, latitudeDegrees, latitudeMinutes;
    int longitudeSign, longitudeDegrees, longitudeMinutes;
    float standardZone;
    // Daylight-saving periods touching the month (first and last day, both on the
    // advanced clock); empty when the place keeps none.
    std::vector<std::pair<DaySerial, DaySerial>> savingPeriods;
};

float DegreesOf(int sign, int degrees, int minutes) {
    const float whole = static_cast<float>(degrees);
    const float fraction = static_cast<float>(minutes) / 60.0f;
    const float sum = whole + fraction;
    return static_cast<float>(sign) * sum;
}

std::vector<std::vector<std::string>> ReadCsv(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::vector<std::string> fields;
        std::stringstream stream(line);
        std::string field;
        while (std::getline(stream, field, ',')) {
            fields.push_back(field);
        }
        rows.push_back(fields);
    }
    return rows;
}

class GoldenDays {
  public:
    explicit GoldenDays(const GoldenMonth& month)
        : month_(month),
          latitudeText_(SingleToText(
              DegreesOf(month.latitudeSign, month.latitudeDegrees, month.latitudeMinutes))),
          longitudeText_(SingleToText(
              DegreesOf(month.longitudeSign, month.longitudeDegrees, month.longitudeMinutes))) {}

    bool IsChangeover(DaySerial date) const {
        for (const auto& [first, last] : month_.savingPeriods) {
            if (date == first || date == last) {
                return true;
            }
        }
        return false;
    }

    std::string Event(DaySerial date, const char* code) const {
        const CivilDate d = DateFromSerial(date);
        return RiseSetTime(latitudeText_, longitudeText_, ZoneText(date), code,
                           static_cast<std::int16_t>(d.year), static_cast<std::int16_t>(d.month),
                           static_cast<std::int16_t>(d.day));
    }

  private:
    std::string ZoneText(DaySerial date) const {
        for (const auto& [first, last] : month_.savingPeriods) {
            if (date >= first && date <= last) {
                return SingleToText(month_.standardZone + 1.0f);
            }
        }
        return SingleToText(month_.standardZone);
    }

    const GoldenMonth& month_;
    std::string latitudeText_;
    std::string longitudeText_;
};

std::string SortedFirst(const std::string& a, const std::string& b) {
    return a <= b ? a : b;
}
std::string SortedSecond(const std::string& a, const std::string& b) {
    return a <= b ? b : a;
}

bool IsStatus(const std::string& text) {
    return std::string("up_down").find(text) != std::string::npos;
}

void CheckMonth(const GoldenMonth& month) {
    const auto rows = ReadCsv(std::string(QUINTREL_TEST_DATA_DIR) + "/golden/" + month.file);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(DaysInMonth(month.year, month.month) + 1));
    const GoldenDays days(month);
    const DaySerial first = DateSerial(month.year, month.month, 1);
    std::string previousRise = days.Event(first - 1, "MR");
    int checkedDays = 0;
    for (int day = 1; day <= DaysInMonth(month.year, month.month); ++day) {
        const DaySerial date = first + day - 1;
        const auto& golden = rows[day];
        ASSERT_EQ(golden.size(), 14u) << month.file << " day " << day;
        const std::string where = std::string(month.file) + " day " + std::to_string(day);

        std::string moonrise = days.Event(date, "MR");
        std::string moonset = days.Event(date, "MS");
        moonrise = moonrise.empty() ? ":" : moonrise;
        moonset = moonset.empty() ? ":" : moonset;
        const std::string storedRise = IsStatus(moonrise) ? "never" : moonrise;
        if (days.IsChangeover(date)) {
            previousRise = storedRise;
            continue;
        }
        ++checkedDays;

        const std::string sunrise = days.Event(date, "R");
        const std::string sunset = days.Event(date, "S");
        const bool sunStatus = IsStatus(sunrise);
        EXPECT_EQ(golden[2], sunStatus ? "never" : sunrise) << where;
        EXPECT_EQ(golden[3], sunStatus ? (sunrise == "up" ? "sets" : "rises") : sunset) << where;
        EXPECT_EQ(golden[4], storedRise) << where;
        EXPECT_EQ(golden[5], IsStatus(moonrise) ? (moonrise == "up" ? "sets" : "rises") : moonset)
            << where;

        const MoonPhaseResult phase =
            MoonPhase(static_cast<float>(JulianDayNumber(month.year, month.month, day) - 0.5));
        EXPECT_EQ(golden[6], std::to_string(static_cast<int>(std::nearbyint(phase.percentLit))))
            << where;
        EXPECT_EQ(golden[7], phase.waxing ? "+" : "-") << where;
        const DayRatingResult rating = DayRating(phase.percentLit, phase.waxing);
        EXPECT_EQ(golden[12], rating.rating) << where;
        EXPECT_EQ(golden[13], rating.stars) << where;

        // The activity times also use yesterday's rise and tomorrow's set; skip them when
        // either neighbour needs the changeover correction.
        if (!days.IsChangeover(date - 1) && !days.IsChangeover(date + 1)) {
            const std::string nextSet = days.Event(date + 1, "MS");
            const ActivityTimes t = MajorMinorTimes(previousRise, moonrise, moonset, nextSet);
            EXPECT_EQ(golden[8], SortedFirst(t.Major1, t.Major2)) << where;
            EXPECT_EQ(golden[9], SortedSecond(t.Major1, t.Major2)) << where;
            EXPECT_EQ(golden[10], SortedFirst(t.Minor1, t.Minor2)) << where;
            EXPECT_EQ(golden[11], SortedSecond(t.Minor1, t.Minor2)) << where;
        }
        previousRise = storedRise;
    }
    EXPECT_GE(checkedDays, 27) << month.file;
}

TEST(GoldenMonth, KarachiLeapFebruaryWithoutSaving) {
    CheckMonth({"karachi_2024_02.csv", 2024, 2, 1, 24, 52, 1, 67, 1, 5.0f, {}});
}

TEST(GoldenMonth, BostonSavingStartsInMarch) {
    CheckMonth({"boston_2025_03.csv",
                2025,
                3,
                1,
                42,
                21,
                -1,
                71,
                4,
                -5.0f,
                {{DateSerial(2025, 3, 9), DateSerial(2025, 11, 2)}}});
}

TEST(GoldenMonth, ChristchurchSavingEndsInApril) {
    CheckMonth({"christchurch_2025_04.csv",
                2025,
                4,
                -1,
                43,
                32,
                1,
                172,
                38,
                12.0f,
                {{DateSerial(2024, 9, 29), DateSerial(2025, 4, 6)}}});
}

TEST(GoldenMonth, ChristchurchSavingStartsInSeptember) {
    CheckMonth({"christchurch_2025_09.csv",
                2025,
                9,
                -1,
                43,
                32,
                1,
                172,
                38,
                12.0f,
                {{DateSerial(2025, 9, 28), DateSerial(2026, 4, 5)}}});
}

}  // namespace
}  // namespace quintrel::mRiseSet
