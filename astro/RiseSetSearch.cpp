// Rise and set search: sample the body's altitude every hour of the local day and fit a
// parabola through each run of three samples (Montenbruck and Pfleger's QUAD search).

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "astro/RiseSetSearch.h"

#include "astro/NumberText.h"
#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {

namespace {

// An hhmm number as a time text: "0000" format, then hh ":" mm (605 -> "06:05").
std::string HhmmToTimeText(double hhmm) {
    if (hhmm >= 0 && hhmm <= 9999) {
        const auto value = static_cast<int>(hhmm);
        return {static_cast<char>('0' + value / 1000), static_cast<char>('0' + value / 100 % 10),
                ':', static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
    }
    std::string digits = std::to_string(static_cast<long long>(hhmm));
    if (digits.size() < 4) {
        digits.insert(0, 4 - digits.size(), '0');
    }
    return digits.substr(0, 2) + ":" + digits.substr(digits.size() - 2);
}

}  // namespace

QuadResult QuadInterpolate(double ym, double yz, double yp) {
    QuadResult result;
    const double a = 0.5 * (ym + yp) - yz;
    const double b = 0.5 * (yp - ym);
    const double c = yz;
    if (a == 0) {
        // Three collinear samples: no parabola to solve, and the search treats the
        // window as having no crossing.
        result.ye = c;
        return result;
    }
    result.xe = -b / (2 * a);
    result.ye = (a * result.xe + b) * result.xe + c;
    const double dis = b * b - 4 * a * c;
    if (dis > 0) {
        const double dx = 0.5 * std::sqrt(dis) / std::fabs(a);
        result.z1 = result.xe - dx;
        result.z2 = result.xe + dx;
        // These three tests are made on 32-bit values: it decides which window keeps a
        // crossing that lands on its very edge.
        if (std::fabs(static_cast<float>(result.z1)) <= 1.0f) {
            ++result.nz;
        }
        if (std::fabs(static_cast<float>(result.z2)) <= 1.0f) {
            ++result.nz;
        }
        if (static_cast<float>(result.z1) < -1.0f) {
            result.z1 = result.z2;
        }
    }
    return result;
}

BodySearch MakeBodySearch(std::string_view eventCode, double latitudeDeg, double longitudeEastDeg,
                          double zoneHours, std::int16_t year, std::int16_t month,
                          std::int16_t day) {
    // The month table makes a search per body and date, all at one latitude: the sines
    // are worked out once (the same values every time).
    static const double sunThreshold = SinDeg(kSunThresholdDeg);
    static const double moonThreshold = SinDeg(kMoonThresholdDeg);
    static const double nauticalThreshold = SinDeg(kNauticalThresholdDeg);
    // Compared bit for bit: -0 and 0 have sines of different sign.
    struct LatitudeSines {
        std::uint64_t latitudeBits;
        double sin, cos;
    };
    thread_local LatitudeSines last{std::bit_cast<std::uint64_t>(0.0), SinDeg(0), CosDeg(0)};
    if (std::bit_cast<std::uint64_t>(latitudeDeg) != last.latitudeBits) {
        last = {std::bit_cast<std::uint64_t>(latitudeDeg), SinDeg(latitudeDeg),
                CosDeg(latitudeDeg)};
    }

    BodySearch search;
    search.sinThreshold = sunThreshold;
    if (!eventCode.empty() && eventCode.front() == 'M') {
        search.body = 1;
        search.sinThreshold = moonThreshold;
    } else if (!eventCode.empty() && eventCode.front() == 'N') {
        search.body = 3;
        search.sinThreshold = nauticalThreshold;
    }
    search.longitudeWestDeg = -longitudeEastDeg;
    search.sinLatitude = last.sin;
    search.cosLatitude = last.cos;
    search.mjd0 = ModifiedJulianDate(year, month, day, 0) - zoneHours / 24;
    return search;
}

RiseSetHours SearchRiseSet(const BodySearch& search) {
    const auto altitude = [&](double hour) {
        return SinAltitude(search.body, search.mjd0, hour, search.longitudeWestDeg,
                           search.cosLatitude, search.sinLatitude) -
               search.sinThreshold;
    };

    RiseSetHours found;
    double ym = altitude(0);
    found.above = static_cast<float>(ym) > 0.0f;
    double hour = 1;
    do {
        const double yz = altitude(hour);
        const double yp = altitude(hour + 1);
        const QuadResult quad = QuadInterpolate(ym, yz, yp);
        if (quad.nz == 1) {
            if (static_cast<float>(ym) < 0.0f) {
                found.riseHours = hour + quad.z1;
                found.riseFound = true;
            } else {
                found.setHours = hour + quad.z1;
                found.setFound = true;
            }
        } else if (quad.nz == 2) {
            if (static_cast<float>(quad.ye) < 0.0f) {
                found.riseHours = hour + quad.z2;
                found.setHours = hour + quad.z1;
            } else {
                found.riseHours = hour + quad.z1;
                found.setHours = hour + quad.z2;
            }
            found.riseFound = true;
            found.setFound = true;
        }
        ym = yp;
        hour = hour + 2;
    } while (hour != 25 && !(found.riseFound && found.setFound));
    return found;
}

RiseSetTexts RiseSetHoursToTexts(const RiseSetHours& hours) {
    if (!hours.riseFound && !hours.setFound) {
        const char* status = hours.above ? "up" : "down";
        return {status, status};
    }
    RiseSetTexts texts;
    if (hours.riseFound) {
        texts.rise = HhmmToTimeText(HoursToHhmm(hours.riseHours));
    }
    if (hours.setFound) {
        texts.set = HhmmToTimeText(HoursToHhmm(hours.setHours));
    }
    return texts;
}

RiseSetTexts RiseSetPair(std::string_view latitudeText, std::string_view longitudeText,
                         std::string_view zoneText, std::string_view eventCode, std::int16_t year,
                         std::int16_t month, std::int16_t day) {
    const double latitudeDeg = ReadNumber(latitudeText);
    const double longitudeEastDeg = ReadNumber(longitudeText);
    const double zoneHours = ReadNumber(zoneText);
    return RiseSetHoursToTexts(SearchRiseSet(
        MakeBodySearch(eventCode, latitudeDeg, longitudeEastDeg, zoneHours, year, month, day)));
}

bool IsStatusText(std::string_view text) {
    if (text.size() == 5 && text[2] == ':') {
        return false;  // a time text, the usual case: no piece of "up_down" holds a colon
    }
    // The status words and the empty text are all pieces of "up_down".
    return std::string_view("up_down").find(text) != std::string_view::npos;
}

std::string RiseSetTime(std::string_view latitudeText, std::string_view longitudeText,
                        std::string_view zoneText, std::string_view eventCode, std::int16_t year,
                        std::int16_t month, std::int16_t day) {
    RiseSetTexts texts =
        RiseSetPair(latitudeText, longitudeText, zoneText, eventCode, year, month, day);
    const char event = eventCode.empty() ? '\0' : eventCode.back();
    if (texts.rise == texts.set && (texts.rise == "up" || texts.rise == "down")) {
        return texts.rise;  // no event at all that day, whatever was asked
    }
    if (event == 'R') {
        return std::move(texts.rise);
    }
    if (event == 'S') {
        return std::move(texts.set);
    }
    return "";
}

}  // namespace quintrel::mRiseSet
