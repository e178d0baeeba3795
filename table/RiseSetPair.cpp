#include "table/RiseSetPair.h"

#include <cstdio>

#include "astro/NumberText.h"
#include "astro/mRiseSet.h"

namespace quintrel {

namespace {

// An hhmm number written with at least four digits, split into "hh:mm".
std::string HhmmToTimeText(double hhmm) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04d", static_cast<int>(hhmm));
    const std::string text(digits);
    return text.substr(0, 2) + ":" + text.substr(text.size() - 2);
}

}  // namespace

RiseSetTexts RiseSetPair(std::string_view latitudeText, std::string_view longitudeText,
                         std::string_view zoneText, Body body, std::int16_t year,
                         std::int16_t month, std::int16_t day) {
    using namespace mRiseSet;
    // Body codes and threshold altitudes of the search: the moon at +8', the sun at -50'.
    const std::int16_t bodyCode = body == Body::Moon ? 1 : 2;
    const double sinH0 = body == Body::Moon ? SinDeg(8.0 / 60.0) : SinDeg(-50.0 / 60.0);

    const double latitude = ReadNumber(latitudeText);
    const double lambda = -ReadNumber(longitudeText);
    const double zone = ReadNumber(zoneText);
    const double sinPhi = SinDeg(latitude);
    const double cosPhi = CosDeg(latitude);
    const double mjd0 = ModifiedJulianDate(year, month, day, 0) - zone / 24.0;

    double ym = SinAltitude(bodyCode, mjd0, 0.0, lambda, cosPhi, sinPhi) - sinH0;
    const bool above = static_cast<float>(ym) > 0.0f;
    double hour = 1.0;
    bool riseFound = false;
    bool setFound = false;
    double riseTime = 0.0;
    double setTime = 0.0;
    do {
        const double yz = SinAltitude(bodyCode, mjd0, hour, lambda, cosPhi, sinPhi) - sinH0;
        const double yp = SinAltitude(bodyCode, mjd0, hour + 1.0, lambda, cosPhi, sinPhi) - sinH0;
        const QuadResult quad = QuadInterpolate(ym, yz, yp);
        if (quad.nz == 1) {
            if (static_cast<float>(ym) < 0.0f) {
                riseTime = hour + quad.z1;
                riseFound = true;
            } else {
                setTime = hour + quad.z1;
                setFound = true;
            }
        } else if (quad.nz == 2) {
            if (static_cast<float>(quad.ye) < 0.0f) {
                riseTime = hour + quad.z2;
                setTime = hour + quad.z1;
            } else {
                riseTime = hour + quad.z1;
                setTime = hour + quad.z2;
            }
            riseFound = true;
            setFound = true;
        }
        ym = yp;
        hour += 2.0;
    } while (hour != 25.0 && !(riseFound && setFound));

    if (!riseFound && !setFound) {
        const std::string status = above ? "up" : "down";
        return {status, status};
    }
    RiseSetTexts texts;
    if (riseFound) {
        texts.rise = HhmmToTimeText(HoursToHhmm(riseTime));
    }
    if (setFound) {
        texts.set = HhmmToTimeText(HoursToHhmm(setTime));
    }
    return texts;
}

}  // namespace quintrel
