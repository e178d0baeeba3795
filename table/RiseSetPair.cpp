#include "table/RiseSetPair.h"

#include "astro/NumberText.h"
#include "astro/mRiseSet.h"

namespace quintrel {

namespace {

// An hhmm number written with at least four digits, split into "hh:mm": the first two
// digits, a colon, the last two (605 gives 06:05). Search times stay below 2500.
std::string HhmmToTimeText(double hhmm) {
    std::string digits = std::to_string(static_cast<long long>(hhmm));
    if (digits.size() < 4) {
        digits.insert(0, 4 - digits.size(), '0');
    }
    return digits.substr(0, 2) + ":" + digits.substr(digits.size() - 2);
}

}  // namespace

SearchSite MakeSearchSite(std::string_view latitudeText, std::string_view longitudeText) {
    const double latitude = ReadNumber(latitudeText);
    SearchSite site;
    site.longitudeWestDeg = -ReadNumber(longitudeText);
    site.sinLatitude = mRiseSet::SinDeg(latitude);
    site.cosLatitude = mRiseSet::CosDeg(latitude);
    return site;
}

RiseSetTexts RiseSetPair(std::string_view latitudeText, std::string_view longitudeText,
                         std::string_view zoneText, Body body, std::int16_t year,
                         std::int16_t month, std::int16_t day) {
    const SearchSite site = MakeSearchSite(latitudeText, longitudeText);
    return RiseSetPair(site, ReadNumber(zoneText), body, year, month, day);
}

RiseSetTexts RiseSetPair(const SearchSite& site, double zoneHours, Body body, std::int16_t year,
                         std::int16_t month, std::int16_t day) {
    using namespace mRiseSet;
    // Body codes and threshold altitudes of the search: the moon at +8', the sun at -50'.
    const std::int16_t bodyCode = body == Body::Moon ? 1 : 2;
    const double sinH0 = body == Body::Moon ? SinDeg(8.0 / 60.0) : SinDeg(-50.0 / 60.0);

    const double lambda = site.longitudeWestDeg;
    const double sinPhi = site.sinLatitude;
    const double cosPhi = site.cosLatitude;
    const double mjd0 = ModifiedJulianDate(year, month, day, 0) - zoneHours / 24.0;

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
