#include "tides/StationDistance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace quintrel::tides {

namespace {

constexpr double kEarthRadiusKm = 6371.0;

double Radians(double degrees) {
    return degrees * (std::numbers::pi / 180.0);
}

}  // namespace

double GreatCircleKm(double fromLatDeg, double fromLonDeg, double toLatDeg, double toLonDeg) {
    // Haversine: well-conditioned for the short distances that matter here.
    const double dLat = Radians(toLatDeg - fromLatDeg);
    const double dLon = Radians(toLonDeg - fromLonDeg);
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2) +
                     std::cos(Radians(fromLatDeg)) * std::cos(Radians(toLatDeg)) *
                         std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(a)));
}

double BearingDeg(double fromLatDeg, double fromLonDeg, double toLatDeg, double toLonDeg) {
    const double lat1 = Radians(fromLatDeg);
    const double lat2 = Radians(toLatDeg);
    const double dLon = Radians(toLonDeg - fromLonDeg);
    const double y = std::sin(dLon) * std::cos(lat2);
    const double x =
        std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(dLon);
    if (x == 0 && y == 0) {
        return 0;
    }
    const double degrees = std::atan2(y, x) * (180.0 / std::numbers::pi);
    return degrees < 0 ? degrees + 360.0 : degrees;
}

std::string_view CompassPoint(double bearingDeg) {
    static constexpr std::array<std::string_view, 16> kPoints{"N",  "NNE", "NE", "ENE", "E",  "ESE",
                                                              "SE", "SSE", "S",  "SSW", "SW", "WSW",
                                                              "W",  "WNW", "NW", "NNW"};
    const double turned = std::fmod(std::fmod(bearingDeg, 360.0) + 360.0 + 11.25, 360.0);
    return kPoints[static_cast<std::size_t>(turned / 22.5) % kPoints.size()];
}

}  // namespace quintrel::tides
