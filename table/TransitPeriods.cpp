#include "table/TransitPeriods.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "astro/mRiseSet.h"
#include "locations/RealClock.h"

namespace quintrel {

namespace {

constexpr double kUnixEpochMjd = 40587.0;
constexpr double kQuarterLunarDayHours = 6.2083;

// The moon's hour angle at an instant, as its sine and cosine: the upper transit is where
// the sine turns from negative to positive with the cosine positive, the lower where it
// turns from positive to negative (the moon passing below the pole).
struct HourAngle {
    double sine = 0;
    double cosine = 0;
};

HourAngle MoonHourAngle(double seconds, double longitudeWestDeg) {
    const double mjd = seconds / 86400.0 + kUnixEpochMjd;
    const double t = (mjd - 51544.5) / 36525;
    const mRiseSet::EquatorialPosition moon = mRiseSet::MiniMoon(t);
    const double degrees =
        15 * (mRiseSet::LocalSiderealTime(mjd, longitudeWestDeg) - moon.rightAscensionHours);
    return {mRiseSet::SinDeg(degrees), mRiseSet::CosDeg(degrees)};
}

// The transits between two instants: hourly steps, then halving to under a second.
std::vector<UnixSeconds> Transits(UnixSeconds from, UnixSeconds to, double longitudeWestDeg) {
    std::vector<UnixSeconds> found;
    double a = static_cast<double>(from);
    HourAngle ha = MoonHourAngle(a, longitudeWestDeg);
    while (a < static_cast<double>(to)) {
        const double b = std::min(a + 3600.0, static_cast<double>(to));
        const HourAngle hb = MoonHourAngle(b, longitudeWestDeg);
        if ((ha.sine < 0) != (hb.sine < 0)) {
            double low = a;
            double high = b;
            for (int i = 0; i < 14; ++i) {
                const double mid = (low + high) / 2;
                if ((MoonHourAngle(mid, longitudeWestDeg).sine < 0) == (ha.sine < 0)) {
                    low = mid;
                } else {
                    high = mid;
                }
            }
            found.push_back(static_cast<UnixSeconds>(std::llround((low + high) / 2)));
        }
        a = b;
        ha = hb;
    }
    return found;
}

std::string HoursText(double hours) {
    return mRiseSet::HoursToTimeText(static_cast<float>(hours));
}

std::string MinutesText(int minutes) {
    return mRiseSet::ClockPartsText({minutes / 60, minutes % 60});
}

// Minutes of the day's real clock at an instant, rounded to the minute like the rises and
// sets; 1440 at the very end of the day.
int ShownMinutes(const PlaceClock& clock, DaySerial date, UnixSeconds instant) {
    const ClockReading reading = LocalClockAt(clock, instant + 30);
    return reading.secondOfDay / 60 + 1440 * (reading.date - date);
}

void Ordered(std::string a, std::string b, std::string& first, std::string& second) {
    if (b < a) {
        std::swap(a, b);
    }
    first = std::move(a);
    second = std::move(b);
}

}  // namespace

void SetTransitPeriods(DayRow& row, const PlaceTexts& place, DaySerial date) {
    const LocalDay day = LocalDayOf(place.clock, date);
    std::vector<double> majors;
    std::vector<std::string> majorTexts;
    for (const UnixSeconds transit : Transits(day.start, day.end, -place.longitudeDeg)) {
        const int minutes = ShownMinutes(place.clock, date, transit);
        if (minutes < 1440 && majorTexts.size() < 2) {
            majors.push_back(minutes / 60.0);
            majorTexts.push_back(MinutesText(minutes));
        }
    }
    majorTexts.resize(2, ":");
    Ordered(majorTexts[0], majorTexts[1], row.Maj1, row.Maj2);

    std::vector<std::string> minors;
    if (row.MRise == "never") {
        // Neither rise nor set: halfway between the transits.
        for (const double major : majors) {
            for (const double minor :
                 {major - kQuarterLunarDayHours, major + kQuarterLunarDayHours}) {
                const bool taken = std::any_of(minors.begin(), minors.end(), [&](const auto& m) {
                    return std::fabs(mRiseSet::TimeTextToHours(m) - minor) < 1;
                });
                if (minor >= 0 && minor < 24 && !taken && minors.size() < 2) {
                    minors.push_back(HoursText(minor));
                }
            }
        }
    } else {
        for (const std::string* text : {&row.MRise, &row.MSet}) {
            if (mRiseSet::IsTimeText(*text)) {
                minors.push_back(*text);
            }
        }
    }
    minors.resize(2, ":");
    Ordered(minors[0], minors[1], row.Min1, row.Min2);
}

}  // namespace quintrel
