#pragma once

// The astronomy engine: time scales, low-precision sun and moon positions, rise and set
// search, moon phase, the major and minor activity periods and the day rating.
// Every routine is a pure function of its arguments (re-entrant). A "single" below is a
// 32-bit float: where a routine works in singles, that rounding is part of its result.
// Malformed number text and arithmetic faults throw quintrel::CoreError.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quintrel::mRiseSet {

/// sin of an angle in degrees (factor 0.0174532925199433).
double SinDeg(double degrees);
/// cos of an angle in degrees.
double CosDeg(double degrees);
/// Fractional part in [0, 1): Frac(-0.25) = 0.75, Frac(-3) = 0.
double Frac(double x);

/// Modified Julian date (days since 1858-11-17 00:00 UT) of a date and hour, rounded half
/// to even. Gregorian after 1582-10-04, Julian up to it. The calendar adjustments are
/// 16-bit arithmetic: a month or year at the edge of that range throws CoreError.
std::int32_t ModifiedJulianDate(std::int16_t year, std::int16_t month, std::int16_t day,
                                std::int16_t hour);

/// Local mean sidereal time in hours [0, 24) at a modified Julian date (UT) and a
/// longitude in degrees, WEST positive.
double LocalSiderealTime(double mjd, double longitudeWestDeg);

/// Decimal hours to an hhmm number (605 for 06:05), rounded to the nearest minute.
double HoursToHhmm(double hours);

/// Decimal hours (a single) to a time text "hh:mm", minutes truncated. Meant for 0 to about
/// 30 hours; 24 or more gives an hours part of 24 or more. Throws CoreError for a value that
/// is not finite or beyond a million hours.
std::string HoursToTimeText(float hours);

/// HoursToTimeText in steps: the whole hours and minutes it writes (throwing as it does),
/// their text, and what TimeTextToHours reads back from that text, where that follows from
/// the parts alone (nothing for hours below -9 or above 99, whose text loses digits).
struct ClockParts {
    long long hour = 0;
    long long minute = 0;
};
ClockParts HoursToClockParts(float hours);
std::string ClockPartsText(ClockParts parts);
std::optional<double> ClockPartsHours(ClockParts parts);

/// Whether a text is a time text as the program writes it: two digits, ":", two digits.
bool IsTimeText(std::string_view text);

/// The minutes after midnight of a time text as the program writes it, with minutes 00 to
/// 59 ("24:00" gives 1440); nothing for ":", the status words and any other text. The one
/// reader of times for rules that compare them (filters, calendar entries).
std::optional<int> ClockTextMinutes(std::string_view text);

/// Time text "hh:mm" to decimal hours. Throws CoreError on text that is not a time.
double TimeTextToHours(std::string_view timeText);

/// Moves a time text one hour back in place; before 00:00 it becomes the marker ":".
/// Throws CoreError when the first two characters are not a number.
void ShiftBackOneHour(std::string& timeText);

/// Julian day number of a civil date (Fliegel and Van Flandern); 2000-01-01 gives 2451545.
/// Throws CoreError when the result does not fit in 32 bits.
std::int32_t JulianDayNumber(int year, int month, int day);

/// Equatorial coordinates: right ascension in hours [0, 24), declination in degrees.
struct EquatorialPosition {
    double rightAscensionHours = 0;
    double declinationDeg = 0;
};

/// The moon's position at t Julian centuries from 2000-01-01 12:00 UT.
EquatorialPosition MiniMoon(double t);
/// The sun's position at t Julian centuries from 2000-01-01 12:00 UT.
EquatorialPosition MiniSun(double t);

/// Sine of the altitude of a body (1 = moon, anything else = sun) at `hour` hours after
/// mjd0 (local midnight in UT), for a longitude in degrees WEST positive.
double SinAltitude(std::int16_t body, double mjd0, double hour, double longitudeWestDeg,
                   double cosLatitude, double sinLatitude);

/// Result of fitting a parabola through three samples at x = -1, 0, +1.
struct QuadResult {
    int nz = 0;     ///< number of zero crossings within [-1, 1]
    double xe = 0;  ///< abscissa of the extremum
    double ye = 0;  ///< value at the extremum
    double z1 = 0;  ///< first crossing
    double z2 = 0;  ///< second crossing
};
/// Parabola through (-1, ym), (0, yz), (1, yp): its extremum and the zero crossings within
/// [-1, 1]. The window tests on the roots are made on 32-bit values; z1 is the crossing
/// inside the window when only one is. Collinear samples (no parabola) have no crossing.
QuadResult QuadInterpolate(double ym, double yz, double yp);

/// Altitudes in degrees at which the rise and set search counts a body as rising or setting.
/// They hold refraction, the disc's radius and, for the moon, its parallax, so a body's
/// altitude less its threshold is how high the top of its disc is seen above the horizon.
inline constexpr double kMoonThresholdDeg = 8.0 / 60;
inline constexpr double kSunThresholdDeg = -50.0 / 60;
/// The sun's altitude at the start of nautical twilight in the morning and its end at night.
inline constexpr double kNauticalThresholdDeg = -12.0;

/// Local clock time of a rise or set on a local date: a time text, "up" or "down" when
/// neither event happens that day, or "" when only the other event of the pair happens.
/// Event code: first character "M" moon, "N" nautical twilight, else sun; last "R" or "S".
/// Latitude north positive, longitude EAST positive, zone = hours ahead of UT, all as text.
/// Throws CoreError naming the text when one of the three is not a number.
std::string RiseSetTime(std::string_view latitudeText, std::string_view longitudeText,
                        std::string_view zoneText, std::string_view eventCode, std::int16_t year,
                        std::int16_t month, std::int16_t day);

/// Whether a text is one of RiseSetTime's answers for a day without the asked event:
/// "up", "down" or "".
bool IsStatusText(std::string_view text);

/// Both answers of RiseSetTime for one body and date: `rise` is what the code ending in "R"
/// gives and `set` what the code ending in "S" gives. The rise and the set search of a
/// body sample the very same altitudes, so one pass yields both. Only the first character
/// of `eventCode` matters here ("M" moon, "N" nautical twilight, anything else the sun).
struct RiseSetTexts {
    std::string rise;
    std::string set;
};
RiseSetTexts RiseSetPair(std::string_view latitudeText, std::string_view longitudeText,
                         std::string_view zoneText, std::string_view eventCode, std::int16_t year,
                         std::int16_t month, std::int16_t day);

/// Percent of the moon lit (a single, two decimals, 0..100) and whether it is growing.
struct MoonPhaseResult {
    float percentLit = 0;
    bool waxing = false;
};
/// dayValue = JulianDayNumber of the date - 0.5, as a single.
MoonPhaseResult MoonPhase(float dayValue);

/// The four activity times of a day as time texts or ":".
struct ActivityTimes {
    std::string Major1, Major2, Minor1, Minor2;
};
/// The two major (moon transit) and two minor (a quarter lunar day from a major) times of a
/// day from its moon events. The previous day's rise stands in when the day has none, the
/// next day's set likewise; status words ("up", "down", "", "never", "rises", "sets") and ":"
/// are not times. Without a usable rise and set all four are ":". Worked in singles.
ActivityTimes MajorMinorTimes(std::string_view previousMoonrise, std::string_view moonrise,
                              std::string_view moonset, std::string_view nextMoonset);
/// Midpoint of a moonrise and a moonset time text, across midnight when the rise is later.
std::string MajorMidpoint(std::string_view rise, std::string_view set);
/// The other transit half a lunar day (12.4167 h) from a major time text, or ":" when it
/// falls more than a minute past the end of the day.
std::string OppositeMajor(std::string_view major);
struct MinorPair {
    std::string Minor1, Minor2;
};
/// The minor times for two majors (the second may be ":"); a minor outside 00:00..24:00
/// becomes ":".
MinorPair MinorTimes(std::string_view major1, std::string_view major2);

/// Rating word ("Poor", "Fair", "Good", "Best") and stars ("*" .. "****").
struct DayRatingResult {
    std::string rating;
    std::string stars;
};
/// From the moon phase alone. Percent lit as MoonPhase delivers it (two decimals, 0..100);
/// a value between the bands gives empty texts.
DayRatingResult DayRating(float percentLit, bool waxing);

}  // namespace quintrel::mRiseSet
