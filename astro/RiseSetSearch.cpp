// Rise and set search: sample the body's altitude every hour of the local day and fit a
// parabola through each run of three samples (Montenbruck and Pfleger's QUAD search).

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "astro/NumberText.h"
#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {

namespace {

// An hhmm number as a time text: "0000" format, then hh ":" mm (605 -> "06:05").
std::string HhmmToTimeText(double hhmm) {
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

RiseSetTexts RiseSetPair(std::string_view latitudeText, std::string_view longitudeText,
                         std::string_view zoneText, std::string_view eventCode, std::int16_t year,
                         std::int16_t month, std::int16_t day) {
    std::int16_t body = 2;
    double sinThreshold = SinDeg(kSunThresholdDeg);
    if (!eventCode.empty() && eventCode.front() == 'M') {
        body = 1;
        sinThreshold = SinDeg(kMoonThresholdDeg);
    } else if (!eventCode.empty() && eventCode.front() == 'N') {
        body = 3;
        sinThreshold = SinDeg(kNauticalThresholdDeg);
    }

    const double latitudeDeg = ReadNumber(latitudeText);
    const double longitudeWestDeg = -ReadNumber(longitudeText);
    const double zoneHours = ReadNumber(zoneText);
    const double sinLatitude = SinDeg(latitudeDeg);
    const double cosLatitude = CosDeg(latitudeDeg);

    const double mjd0 = ModifiedJulianDate(year, month, day, 0) - zoneHours / 24;
    const auto altitude = [&](double hour) {
        return SinAltitude(body, mjd0, hour, longitudeWestDeg, cosLatitude, sinLatitude) -
               sinThreshold;
    };

    double ym = altitude(0);
    const bool above = static_cast<float>(ym) > 0.0f;
    double hour = 1;
    bool riseFound = false;
    bool setFound = false;
    double riseHours = 0;
    double setHours = 0;
    do {
        const double yz = altitude(hour);
        const double yp = altitude(hour + 1);
        const QuadResult quad = QuadInterpolate(ym, yz, yp);
        if (quad.nz == 1) {
            if (static_cast<float>(ym) < 0.0f) {
                riseHours = hour + quad.z1;
                riseFound = true;
            } else {
                setHours = hour + quad.z1;
                setFound = true;
            }
        } else if (quad.nz == 2) {
            if (static_cast<float>(quad.ye) < 0.0f) {
                riseHours = hour + quad.z2;
                setHours = hour + quad.z1;
            } else {
                riseHours = hour + quad.z1;
                setHours = hour + quad.z2;
            }
            riseFound = true;
            setFound = true;
        }
        ym = yp;
        hour = hour + 2;
    } while (hour != 25 && !(riseFound && setFound));

    if (!riseFound && !setFound) {
        const std::string status = above ? "up" : "down";
        return {status, status};
    }
    RiseSetTexts texts;
    if (riseFound) {
        texts.rise = HhmmToTimeText(HoursToHhmm(riseHours));
    }
    if (setFound) {
        texts.set = HhmmToTimeText(HoursToHhmm(setHours));
    }
    return texts;
}

bool IsStatusText(std::string_view text) {
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
