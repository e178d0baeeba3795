// Degree trigonometry, the fractional part and the day counts the engine runs on:
// modified Julian date, local mean sidereal time and the Julian day number.

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "astro/CoreError.h"
#include "astro/NumberText.h"
#include "astro/SeriesConstants.h"
#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {

namespace {

std::string DateText(int year, int month, int day) {
    return std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day);
}

// The date adjustments are 16-bit arithmetic; a result outside that range is a fault,
// not something to wrap around silently.
std::int16_t Add16(std::int16_t value, int delta, int year, int month, int day) {
    const int sum = value + delta;
    if (sum < std::numeric_limits<std::int16_t>::min() ||
        sum > std::numeric_limits<std::int16_t>::max()) {
        throw CoreError("Overflow in the date arithmetic of " + DateText(year, month, day));
    }
    return static_cast<std::int16_t>(sum);
}

}  // namespace

double SinDeg(double degrees) {
    return std::sin(degrees * kDegreesToRadians);
}

double CosDeg(double degrees) {
    return std::cos(degrees * kDegreesToRadians);
}

double Frac(double x) {
    double y = x - std::trunc(x);
    if (y < 0) {
        y = y + 1;
    }
    return y;
}

std::int32_t ModifiedJulianDate(std::int16_t year, std::int16_t month, std::int16_t day,
                                std::int16_t hour) {
    // Montenbruck and Pfleger's MJD: the calendar key is taken before the adjustments.
    const double a = 10000.0 * year + 100.0 * month + day;
    std::int16_t y = year;
    std::int16_t m = month;
    if (y < 0) {
        y = Add16(y, 1, year, month, day);
    }
    if (m <= 2) {
        m = Add16(m, 12, year, month, day);
        y = Add16(y, -1, year, month, day);
    }
    int b = 0;
    if (a > 15821004.1) {
        b = y / 400 - y / 100 + y / 4;
    } else {
        b = Add16(y, 4716, year, month, day) / 4 - 2 - 1179;
    }
    const std::int16_t monthPlusOne = Add16(m, 1, year, month, day);
    const double mjd =
        365.0 * y - 679004.0 + b + std::trunc(30.6001 * monthPlusOne) + day + hour / 24.0;
    return ToInt32(mjd);
}

double LocalSiderealTime(double mjd, double longitudeWestDeg) {
    const double mjd0 = std::trunc(mjd);
    const double ut = (mjd - mjd0) * 24;
    const double t = (mjd0 - 51544.5) / 36525;
    const double gmst =
        6.697374558 + 1.0027379093 * ut + (8640184.812866 + (0.093104 - 6.2e-6 * t) * t) * t / 3600;
    return 24 * Frac((gmst - longitudeWestDeg / 15) / 24);
}

std::int32_t JulianDayNumber(int year, int month, int day) {
    // Fliegel and Van Flandern (1968); C++ division truncates toward zero as the
    // formula requires. Worked in 64 bits so that no intermediate can overflow.
    const std::int64_t y = year;
    const std::int64_t m = month;
    const std::int64_t a = (m - 14) / 12;
    const std::int64_t t1 = ((m - 2 - 12 * a) * 367) / 12;
    const std::int64_t t2 = ((y + 4800 + a) * 1461) / 4;
    const std::int64_t t3 = (((y + 4900 + a) / 100) * 3) / 4;
    const std::int64_t jdn = t1 + t2 - t3 + day - 32075;
    if (jdn < std::numeric_limits<std::int32_t>::min() ||
        jdn > std::numeric_limits<std::int32_t>::max()) {
        throw CoreError("Overflow in the Julian day number of " + DateText(year, month, day));
    }
    return static_cast<std::int32_t>(jdn);
}

}  // namespace quintrel::mRiseSet
