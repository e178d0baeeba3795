// The fast sampler: a day's altitudes four hours at a time. This file is built for AVX2
// and FMA and runs only where the processor has them (FastSearchAvailable).
//
// Every argument of a sine, cosine or arctangent is computed with the very operations of
// Positions.cpp and TimeArithmetic.cpp, in the same order, so it is the same double; only
// the functions themselves differ from libm, by at most their stated bounds. The bound on
// each sample follows those differences through the series and the coordinate changes,
// with every rounding counted, and is then doubled.

#include <cmath>
#include <limits>

#include "astro/FastMath.h"
#include "astro/FastRiseSet.h"
#include "astro/SeriesConstants.h"

namespace quintrel::mRiseSet {

#if defined(__AVX2__) && defined(__FMA__)

namespace {

using fastmath::Abs;
using fastmath::Splat;
using fastmath::Vec4;

// Distance of our functions from libm's (which are within one unit in the last place of
// the truth): the stated bounds plus that unit.
constexpr double kSinCosFromLibm = fastmath::kSinCosErrorBound + 2.3e-16;
constexpr double kArctanFromLibm = fastmath::kArctanErrorBound + 4.5e-16;
// One unit in the last place of 1, which bounds a rounding of any value up to 2.
constexpr double kUlp = 2.3e-16;

// A sine of a sum or difference of up to three angles through the addition theorems: the
// errors of the pairs it is made of (at most eight of them add up), the roundings of the
// products, and what libm's own argument missed by rounding the sum (two roundings of a
// value under 20: 8e-15).
constexpr double kCombinedFromLibm = 8 * kSinCosFromLibm + 9e-15;

// Bounds of the errors in the ecliptic direction cosines. The sums of the series add the
// errors of each sine weighted by its coefficient (sum of |coefficients|: 32558 arc seconds
// for the moon's longitude, 953 more in its argument of latitude, 681 in N; 6965 for the
// sun), plus the roundings of sums of that size.
constexpr double kMoonLongitudeSumError = 32558 * kCombinedFromLibm + 2e-10;
constexpr double kMoonSError =
    (kMoonLongitudeSumError + 953 * kCombinedFromLibm + 3e-11) / kArcSecondsPerRadian + 4e-15;
constexpr double kMoonNError = 681 * kCombinedFromLibm + 2e-12;
constexpr double kMoonLongitudeError =
    kFullCircle * (kMoonLongitudeSumError / kArcSecondsPerCircle + 2 * kUlp) + 2e-15;
constexpr double kMoonLatitudeError =
    (18520 * (kSinCosFromLibm + kMoonSError) + kMoonNError + 8e-12) / kArcSecondsPerRadian + kUlp;
constexpr double kMoonXvError =
    2 * kSinCosFromLibm + kMoonLatitudeError + kMoonLongitudeError + 2 * kUlp;
constexpr double kMoonWError = kSinCosFromLibm + kMoonLatitudeError + kUlp;
constexpr double kMoonYzError =
    kCosObliquity * kMoonXvError + kSinObliquity * kMoonWError + 2 * kUlp;

constexpr double kSunLongitudeSumError = 6965 * kCombinedFromLibm + 2e-12;
constexpr double kSunLongitudeError =
    kFullCircle * (kSunLongitudeSumError / kArcSecondsPerCircle + 3 * kUlp) + 2e-15;
constexpr double kSunXError = kSinCosFromLibm + kSunLongitudeError + kUlp;

template <class V>
V Frac(V x) {
    const V y = x - fastmath::Trunc(x);
    return y < Splat(0.0, x) ? y + Splat(1.0, x) : y;
}

template <class V>
[[gnu::always_inline]] inline V Sin(V x) {
    V s, c;
    fastmath::SinCos(x, s, c);
    return s;
}

template <class V>
[[gnu::always_inline]] inline V Cos(V x) {
    V s, c;
    fastmath::SinCos(x, s, c);
    return c;
}

// Ecliptic direction cosines, each known to within `xError`, `yError`, `zError`.
template <class V>
struct Direction {
    V x, y, z;
    double xError, yError, zError;
};

// A sine and cosine pair, for sums and differences of angles.
template <class V>
struct Angle {
    V sin, cos;
};

template <class V>
[[gnu::always_inline]] inline Angle<V> AngleOf(V x) {
    Angle<V> a;
    fastmath::SinCos(x, a.sin, a.cos);
    return a;
}

template <class V>
Angle<V> Plus(const Angle<V>& a, const Angle<V>& b) {
    return {a.sin * b.cos + a.cos * b.sin, a.cos * b.cos - a.sin * b.sin};
}

template <class V>
Angle<V> Minus(const Angle<V>& a, const Angle<V>& b) {
    return {a.sin * b.cos - a.cos * b.sin, a.cos * b.cos + a.sin * b.sin};
}

template <class V>
Angle<V> Twice(const Angle<V>& a) {
    return Plus(a, a);
}

template <class V>
Direction<V> MoonDirection(V t) {
    const V P2 = Splat(kFullCircle, t);
    const auto k = [&](double c) { return Splat(c, t); };
    const V L0 = Frac(k(0.606433) + k(1336.855225) * t);
    const V l = P2 * Frac(k(0.374897) + k(1325.55241) * t);
    const V ls = P2 * Frac(k(0.993133) + k(99.997361) * t);
    const V D = P2 * Frac(k(0.827361) + k(1236.853086) * t);
    const V F = P2 * Frac(k(0.259086) + k(1342.227825) * t);

    // The series' sines from those of the four fundamental arguments by the addition
    // theorems: four polynomial pairs instead of twenty-four sines.
    const Angle<V> al = AngleOf(l);
    const Angle<V> als = AngleOf(ls);
    const Angle<V> aD = AngleOf(D);
    const Angle<V> aF = AngleOf(F);
    const Angle<V> a2D = Twice(aD);
    const Angle<V> a2l = Twice(al);
    const Angle<V> a2F = Twice(aF);
    const Angle<V> alPlusLs = Plus(al, als);
    const Angle<V> ah = Minus(aF, a2D);  // h = F - 2D

    const V dL = k(22640) * al.sin - k(4586) * Minus(al, a2D).sin + k(2370) * a2D.sin +
                 k(769) * a2l.sin - k(668) * als.sin - k(412) * a2F.sin -
                 k(212) * Minus(a2l, a2D).sin - k(206) * Minus(alPlusLs, a2D).sin +
                 k(192) * Plus(al, a2D).sin - k(165) * Minus(als, a2D).sin - k(125) * aD.sin -
                 k(110) * alPlusLs.sin + k(148) * Minus(al, als).sin - k(55) * Minus(a2F, a2D).sin;
    const V S = F + (dL + k(412) * a2F.sin + k(541) * als.sin) / k(kArcSecondsPerRadian);
    const V N = -k(526) * ah.sin + k(44) * Plus(al, ah).sin - k(31) * Minus(ah, al).sin -
                k(23) * Plus(als, ah).sin + k(11) * Minus(ah, als).sin -
                k(25) * Minus(aF, a2l).sin + k(21) * Minus(aF, al).sin;

    const V longitude = P2 * Frac(L0 + dL / k(kArcSecondsPerCircle));
    const V latitude = (k(18520) * Sin(S) + N) / k(kArcSecondsPerRadian);

    const Angle<V> aLatitude = AngleOf(latitude);
    const Angle<V> aLongitude = AngleOf(longitude);
    const V x = aLatitude.cos * aLongitude.cos;
    const V v = aLatitude.cos * aLongitude.sin;
    const V w = aLatitude.sin;
    const V y = k(kCosObliquity) * v - k(kSinObliquity) * w;
    const V z = k(kSinObliquity) * v + k(kCosObliquity) * w;
    return {x, y, z, kMoonXvError, kMoonYzError, kMoonYzError};
}

template <class V>
Direction<V> SunDirection(V t) {
    const V P2 = Splat(kFullCircle, t);
    const auto k = [&](double c) { return Splat(c, t); };
    const V M = P2 * Frac(k(0.993133) + k(99.997361) * t);
    const Angle<V> aM = AngleOf(M);
    const V DL = k(6893) * aM.sin + k(72) * Twice(aM).sin;
    const V L = P2 * Frac(k(0.7859453) + M / P2 + (k(6191.2) * t + DL) / k(kArcSecondsPerCircle));
    V SL, X;
    fastmath::SinCos(L, SL, X);
    const V Y = k(kCosObliquity) * SL;
    const V Z = k(kSinObliquity) * SL;
    return {
        X, Y, Z, kSunXError, kCosObliquity * kSunXError + kUlp, kSinObliquity * kSunXError + kUlp};
}

// Local mean sidereal time in hours, operation for operation as LocalSiderealTime.
template <class V>
V SiderealHours(V mjd, double longitudeWestDeg) {
    const auto k = [&](double c) { return Splat(c, mjd); };
    const V mjd0 = fastmath::Trunc(mjd);
    const V ut = (mjd - mjd0) * k(24);
    const V t = (mjd0 - k(51544.5)) / k(36525);
    const V gmst = k(6.697374558) + k(1.0027379093) * ut +
                   (k(8640184.812866) + (k(0.093104) - k(6.2e-6) * t) * t) * t / k(3600);
    return k(24) * Frac((gmst - k(longitudeWestDeg) / k(15)) / k(24));
}

template <class V>
void SampleAltitudes(const BodySearch& search, V hour, V& value, V& bound) {
    const auto k = [&](double c) { return Splat(c, hour); };
    const V mjd = k(search.mjd0) + hour / k(24);
    const V t = (mjd - k(51544.5)) / k(36525);
    const Direction<V> d = search.body == 1 ? MoonDirection(t) : SunDirection(t);

    // To right ascension and declination, as ToEquatorial does.
    const V P2 = k(kFullCircle);
    const V oneMinusZz = k(1) - d.z * d.z;
    const V rho = fastmath::Sqrt(oneMinusZz);
    const V zOverRho = d.z / rho;
    const V declinationDeg = (k(360) / P2) * fastmath::Arctan(zOverRho);
    const V xPlusRho = d.x + rho;
    V rightAscensionHours = (k(48) / P2) * fastmath::Arctan(d.y / xPlusRho);
    rightAscensionHours =
        rightAscensionHours < k(0) ? rightAscensionHours + k(24) : rightAscensionHours;

    const V hourAngleDeg =
        k(15) * (SiderealHours(mjd, search.longitudeWestDeg) - rightAscensionHours);
    V sinDeclination, cosDeclination;
    fastmath::SinCos(declinationDeg * k(kDegreesToRadians), sinDeclination, cosDeclination);
    const V cosHourAngle = Cos(hourAngleDeg * k(kDegreesToRadians));
    value = k(search.sinLatitude) * sinDeclination +
            k(search.cosLatitude) * cosDeclination * cosHourAngle - k(search.sinThreshold);

    // The bound. rho is at least 0.85 (|z| is the sine of a declination under 30 degrees).
    const V absZ = Abs(d.z);
    const V rhoError =
        (k(2) * absZ * k(d.zError) + k(d.zError * d.zError) + k(kUlp)) / rho + k(kUlp);
    const V absQ = Abs(zOverRho);
    const V qError = (k(d.zError) + absQ * rhoError) / rho + k(kUlp) * absQ;
    const V declinationRadError =
        qError / (k(1) + zOverRho * zOverRho) * k(1.01) + k(kArctanFromLibm);
    const V declinationDegError = k(57.2958) * declinationRadError + k(3e-14);

    // The right ascension's half-angle quotient is ill-conditioned only where x + rho and
    // y both vanish (right ascension 12 h); within a hundred error widths of that point the
    // bound is left unknown. A lane where x + rho changes sign far from it only turns
    // +12 h into -12 h + 24 h, the same hour angle up to a rounding of 360 degrees.
    const V xrError = k(d.xError) + rhoError + k(kUlp);
    const V radius2 = xPlusRho * xPlusRho + d.y * d.y;
    const V guard = k(100 * (d.yError)) + k(100) * xrError;
    const V atanError = (k(d.yError) * Abs(xPlusRho) + Abs(d.y) * xrError) / radius2 * k(1.01) +
                        k(2 * kArctanFromLibm);
    const V raError = (k(48) / P2) * atanError + k(7.2e-15);
    const V hourAngleDegError = k(15) * raError + k(1.2e-13);

    const V declinationArgError = declinationDegError * k(kDegreesToRadians) + k(kUlp);
    const V hourAngleArgError = hourAngleDegError * k(kDegreesToRadians) + k(9e-16);
    const V valueError =
        k(std::fabs(search.sinLatitude)) * (k(kSinCosFromLibm) + declinationArgError) +
        k(std::fabs(search.cosLatitude)) *
            (k(2 * kSinCosFromLibm) + declinationArgError + hourAngleArgError) +
        k(5 * kUlp + 2e-15);
    const V doubled = k(2) * valueError + k(1e-15);
    bound = radius2 > guard * guard ? doubled : k(std::numeric_limits<double>::infinity());
}

}  // namespace

void SampleFourHoursFast(const BodySearch& search, int firstHour, DaySamples& samples) {
    const Vec4 hour{static_cast<double>(firstHour), static_cast<double>(firstHour + 1),
                    static_cast<double>(firstHour + 2), static_cast<double>(firstHour + 3)};
    Vec4 value, bound;
    SampleAltitudes(search, hour, value, bound);
    for (int lane = 0; lane < 4; ++lane) {
        samples.value[static_cast<std::size_t>(firstHour + lane)] = value[lane];
        samples.bound[static_cast<std::size_t>(firstHour + lane)] = bound[lane];
    }
}

void SampleDayFast(const BodySearch& search, DaySamples& samples) {
    for (int first = 0; first < static_cast<int>(samples.value.size()); first += 4) {
        SampleFourHoursFast(search, first, samples);
    }
}

#else

// Built without AVX2: nothing here is ever called (FastSearchAvailable is false), and a
// call anyway gets unknown bounds, which send every date to the exact search.
void SampleDayFast(const BodySearch& /*search*/, DaySamples& samples) {
    samples.bound.fill(std::numeric_limits<double>::infinity());
}

void SampleFourHoursFast(const BodySearch& /*search*/, int firstHour, DaySamples& samples) {
    for (int lane = 0; lane < 4; ++lane) {
        samples.bound[static_cast<std::size_t>(firstHour + lane)] =
            std::numeric_limits<double>::infinity();
    }
}

#endif

}  // namespace quintrel::mRiseSet
