#pragma once

#include <string_view>

namespace quintrel::tides {

/// Great-circle distance in kilometres between two positions in degrees (north and east
/// positive), on a sphere of the Earth's mean radius, 6371.0 km.
double GreatCircleKm(double fromLatDeg, double fromLonDeg, double toLatDeg, double toLonDeg);

/// The initial bearing from the first position to the second, degrees clockwise from
/// north in [0, 360); 0 when the two are the same point.
double BearingDeg(double fromLatDeg, double fromLonDeg, double toLatDeg, double toLonDeg);

/// The 16-point compass name of a bearing ("N", "NNE", ... "NNW").
std::string_view CompassPoint(double bearingDeg);

}  // namespace quintrel::tides
