#pragma once

// Sine, cosine and arctangent as plain polynomials, written once for a scalar `double` and
// for a vector of doubles, so that a day's altitude samples can be worked several at a
// time. They are not libm: their results differ from it in the last bits, by at most the
// bounds below, which the fast rise and set search carries into its own error bounds.
//
// Method: reduction by a three-part pi/2 (Cody and Waite, with fused multiply-adds) to
// |r| <= pi/4, then the Taylor series of sin and cos to r^17 and r^18 (truncation below
// 1e-19); arctangent by reduction to |w| <= tan(pi/16) and its series to w^21
// (truncation below 1e-17).

#include <cmath>

#if defined(__AVX2__) && defined(__FMA__)
#include <immintrin.h>
#endif

namespace quintrel::mRiseSet::fastmath {

/// Largest difference from the true sine or cosine for |x| <= 64 radians, rounding
/// included. Tests compare against libm with this bound.
inline constexpr double kSinCosErrorBound = 2e-15;
/// Largest difference from the true arctangent (radians), for any finite argument.
inline constexpr double kArctanErrorBound = 4e-15;

// Scalar building blocks; the vector file provides the same names for its vector type.
inline double Splat(double c, double /*like*/) {
    return c;
}
inline double RoundNearest(double x) {
    return std::nearbyint(x);
}
inline double Floor(double x) {
    return std::floor(x);
}
inline double Trunc(double x) {
    return std::trunc(x);
}
inline double Sqrt(double x) {
    return std::sqrt(x);
}
inline double Abs(double x) {
    return std::fabs(x);
}
inline double Fma(double a, double b, double c) {
    return std::fma(a, b, c);
}

#if defined(__AVX2__) && defined(__FMA__)
// Four doubles in one AVX register; the arithmetic operators work lane by lane.
using Vec4 = double __attribute__((vector_size(32)));

inline Vec4 Splat(double c, Vec4 /*like*/) {
    return Vec4{c, c, c, c};
}
inline Vec4 RoundNearest(Vec4 x) {
    return _mm256_round_pd(x, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
}
inline Vec4 Floor(Vec4 x) {
    return _mm256_round_pd(x, _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC);
}
inline Vec4 Trunc(Vec4 x) {
    return _mm256_round_pd(x, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
}
inline Vec4 Sqrt(Vec4 x) {
    return _mm256_sqrt_pd(x);
}
inline Vec4 Abs(Vec4 x) {
    return _mm256_andnot_pd(_mm256_set1_pd(-0.0), x);
}
inline Vec4 Fma(Vec4 a, Vec4 b, Vec4 c) {
    return _mm256_fmadd_pd(a, b, c);
}
#endif

template <class V>
[[gnu::always_inline]] inline V Horner(V z, const double* coefficients, int count) {
    V p = Splat(coefficients[count - 1], z);
    for (int i = count - 2; i >= 0; --i) {
        p = Fma(p, z, Splat(coefficients[i], z));
    }
    return p;
}

/// sin(x) and cos(x) together, for |x| <= 64.
template <class V>
[[gnu::always_inline]] inline void SinCos(V x, V& sine, V& cosine) {
    // pi/2 in three parts: each next part is what the previous ones miss.
    constexpr double kPiOver2High = 1.5707963267948966;
    constexpr double kPiOver2Middle = 6.123233995736766e-17;
    constexpr double kPiOver2Low = -1.4973849048591698e-33;
    constexpr double kTwoOverPi = 0.6366197723675814;
    // Taylor coefficients: sin r = r + r^3 (s0 + s1 z + ...), cos r = 1 + z (c0 + c1 z + ...),
    // z = r^2.
    static constexpr double kSin[] = {
        -1.0 / 6,        1.0 / 120,        -1.0 / 5040,          1.0 / 362880,
        -1.0 / 39916800, 1.0 / 6227020800, -1.0 / 1307674368000, 1.0 / 355687428096000};
    static constexpr double kCos[] = {-1.0 / 2,
                                      1.0 / 24,
                                      -1.0 / 720,
                                      1.0 / 40320,
                                      -1.0 / 3628800,
                                      1.0 / 479001600,
                                      -1.0 / 87178291200,
                                      1.0 / 20922789888000,
                                      -1.0 / 6402373705728000};

    const V q = RoundNearest(x * Splat(kTwoOverPi, x));
    V r = Fma(-q, Splat(kPiOver2High, x), x);
    r = Fma(-q, Splat(kPiOver2Middle, x), r);
    r = Fma(-q, Splat(kPiOver2Low, x), r);
    const V z = r * r;
    const V s = Fma(r * z, Horner(z, kSin, 8), r);
    const V c = Fma(z, Horner(z, kCos, 9), Splat(1.0, x));

    // The quadrant q mod 4 picks and signs the two series.
    const V quadrant = q - Splat(4.0, x) * Floor(q * Splat(0.25, x));
    const V one = Splat(1.0, x);
    const V two = Splat(2.0, x);
    const V three = Splat(3.0, x);
    sine = quadrant == one ? c : (quadrant == two ? -s : (quadrant == three ? -c : s));
    cosine = quadrant == one ? -s : (quadrant == two ? -c : (quadrant == three ? s : c));
}

/// arctan(u) in radians, (-pi/2, pi/2), for any finite u or +-infinity.
template <class V>
[[gnu::always_inline]] inline V Arctan(V u) {
    constexpr double kPiOver2 = 1.5707963267948966;
    constexpr double kPiOver4 = 0.7853981633974483;
    constexpr double kPiOver8 = 0.39269908169872414;
    constexpr double kTanPiOver8 = 0.41421356237309503;
    // arctan w = w + w^3 (a0 + a1 z + ...), z = w^2, |w| <= tan(pi/16).
    static constexpr double kAtan[] = {-1.0 / 3, 1.0 / 5,   -1.0 / 7, 1.0 / 9,   -1.0 / 11,
                                       1.0 / 13, -1.0 / 15, 1.0 / 17, -1.0 / 19, 1.0 / 21};

    const V zero = Splat(0.0, u);
    const V one = Splat(1.0, u);
    const V tanPiOver8 = Splat(kTanPiOver8, u);
    const V au = Abs(u);
    // arctan a = pi/2 - arctan(1/a) brings the argument to [0, 1] ...
    const V v = au > one ? one / au : au;
    // ... arctan v = pi/4 + arctan((v - 1)/(v + 1)) to |w| <= tan(pi/8) ...
    const V w = v > tanPiOver8 ? (v - one) / (v + one) : v;
    // ... and arctan |w| = pi/8 + arctan((|w| - t)/(1 + |w| t)) to |w'| <= tan(pi/16).
    const V aw = Abs(w);
    const V nearPiOver8 = aw > Splat(0.198912367379658, u) ? one : zero;
    const V reduced = nearPiOver8 == one ? (aw - tanPiOver8) / (one + aw * tanPiOver8) : aw;
    const V z = reduced * reduced;
    V result = Fma(reduced * z, Horner(z, kAtan, 10), reduced);
    result = nearPiOver8 == one ? result + Splat(kPiOver8, u) : result;
    result = w < zero ? -result : result;
    result = v > tanPiOver8 ? result + Splat(kPiOver4, u) : result;
    result = au > one ? Splat(kPiOver2, u) - result : result;
    return u < zero ? -result : result;
}

}  // namespace quintrel::mRiseSet::fastmath
