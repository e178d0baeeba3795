// Low-precision sun and moon series (Montenbruck and Pfleger, "Astronomy on the Personal
// Computer", MiniMoon and MiniSun) and the altitude of either body at a place. Accuracy is
// about a minute of arc for the sun and a few for the moon, plenty for clock minutes.

#include <cmath>
#include <cstdint>

#include "astro/SeriesConstants.h"
#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {

namespace {

// Ecliptic direction cosines to right ascension (hours, [0, 24)) and declination.
EquatorialPosition ToEquatorial(double x, double y, double z) {
    const double rho = std::sqrt(1 - z * z);
    EquatorialPosition position;
    position.declinationDeg = (360 / kFullCircle) * std::atan(z / rho);
    position.rightAscensionHours = (48 / kFullCircle) * std::atan(y / (x + rho));
    if (position.rightAscensionHours < 0) {
        position.rightAscensionHours = position.rightAscensionHours + 24;
    }
    return position;
}

}  // namespace

EquatorialPosition MiniMoon(double t) {
    const double P2 = kFullCircle;
    const double L0 = Frac(0.606433 + 1336.855225 * t);
    const double l = P2 * Frac(0.374897 + 1325.55241 * t);
    const double ls = P2 * Frac(0.993133 + 99.997361 * t);
    const double D = P2 * Frac(0.827361 + 1236.853086 * t);
    const double F = P2 * Frac(0.259086 + 1342.227825 * t);

    // Summed in this order on purpose: the rounding of the sum is part of the result.
    const double dL = 22640 * std::sin(l) - 4586 * std::sin(l - 2 * D) + 2370 * std::sin(2 * D) +
                      769 * std::sin(2 * l) - 668 * std::sin(ls) - 412 * std::sin(2 * F) -
                      212 * std::sin(2 * l - 2 * D) - 206 * std::sin(l + ls - 2 * D) +
                      192 * std::sin(l + 2 * D) - 165 * std::sin(ls - 2 * D) - 125 * std::sin(D) -
                      110 * std::sin(l + ls) + 148 * std::sin(l - ls) -
                      55 * std::sin(2 * F - 2 * D);
    const double S = F + (dL + 412 * std::sin(2 * F) + 541 * std::sin(ls)) / kArcSecondsPerRadian;
    const double h = F - 2 * D;
    const double N = -526 * std::sin(h) + 44 * std::sin(l + h) - 31 * std::sin(h - l) -
                     23 * std::sin(ls + h) + 11 * std::sin(h - ls) - 25 * std::sin(F - 2 * l) +
                     21 * std::sin(F - l);

    const double longitude = P2 * Frac(L0 + dL / kArcSecondsPerCircle);
    const double latitude = (18520 * std::sin(S) + N) / kArcSecondsPerRadian;

    const double x = std::cos(latitude) * std::cos(longitude);
    const double v = std::cos(latitude) * std::sin(longitude);
    const double w = std::sin(latitude);
    const double y = kCosObliquity * v - kSinObliquity * w;
    const double z = kSinObliquity * v + kCosObliquity * w;
    return ToEquatorial(x, y, z);
}

EquatorialPosition MiniSun(double t) {
    const double P2 = kFullCircle;
    const double M = P2 * Frac(0.993133 + 99.997361 * t);
    const double DL = 6893 * std::sin(M) + 72 * std::sin(2 * M);
    const double L = P2 * Frac(0.7859453 + M / P2 + (6191.2 * t + DL) / kArcSecondsPerCircle);
    const double SL = std::sin(L);
    const double X = std::cos(L);
    const double Y = kCosObliquity * SL;
    const double Z = kSinObliquity * SL;
    return ToEquatorial(X, Y, Z);
}

double SinAltitude(std::int16_t body, double mjd0, double hour, double longitudeWestDeg,
                   double cosLatitude, double sinLatitude) {
    const double mjd = mjd0 + hour / 24;
    const double t = (mjd - 51544.5) / 36525;
    const EquatorialPosition position = body == 1 ? MiniMoon(t) : MiniSun(t);
    const double hourAngleDeg =
        15 * (LocalSiderealTime(mjd, longitudeWestDeg) - position.rightAscensionHours);
    return sinLatitude * SinDeg(position.declinationDeg) +
           cosLatitude * CosDeg(position.declinationDeg) * CosDeg(hourAngleDeg);
}

}  // namespace quintrel::mRiseSet
