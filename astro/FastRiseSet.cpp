// The decisions of the fast search, each made only when it is certain, and the choice
// between the fast and the exact search.

#include "astro/FastRiseSet.h"

#include <cmath>

namespace quintrel::mRiseSet {

namespace {

// |static_cast<float>(z)| <= 1.0f holds exactly when |z| <= 1 + 2^-24: that midpoint
// rounds to 1.0f, its even neighbour.
constexpr double kWindowEdge = 1 + 0x1p-24;
// A double turns into a float of the same sign, not zero, once it is beyond 2^-150.
constexpr double kFloatZeroReach = 0x1p-140;
// Rounding of the parabola's arithmetic on values of the size of the samples (at most 2).
constexpr double kRounding = 1e-15;

// The sign of static_cast<float>(y) is the same for every y within `bound` of `value`.
bool SignCertain(double value, double bound) {
    return std::fabs(value) > bound + kFloatZeroReach;
}

// QuadInterpolate of samples each known to within its bound, with a bound on how far the
// roots can be from those of the exact samples, or nothing when any of its decisions
// (the parabola itself, the discriminant, the windows' edges, the sign of the extremum
// when two roots count) could come out otherwise.
struct CertainQuad {
    QuadResult quad;
    double rootError = 0;
};

std::optional<CertainQuad> CertifyQuad(double ym, double em, double yz, double ez, double yp,
                                       double ep) {
    const double a = 0.5 * (ym + yp) - yz;
    const double b = 0.5 * (yp - ym);
    const double c = yz;
    const double ea = 0.5 * (em + ep) + ez + kRounding;
    const double eb = 0.5 * (em + ep) + kRounding;
    const double ec = ez;
    if (std::fabs(a) <= ea) {
        return std::nullopt;
    }
    // Most windows lie far from any crossing: the middle sample is further from zero than
    // the parabola of any samples within their bounds moves over the window widened to
    // 1.01 on each side, so it has no root there, and both searches' roots (accurate to far
    // better than that widening) lie beyond the window's edge. Decided without the roots.
    const double moves = (std::fabs(b) + eb) * 1.01 + (std::fabs(a) + ea) * 1.03 + 1e-12;
    if (std::fabs(c) - ec > moves) {
        return CertainQuad{};
    }
    const double dis = b * b - 4 * a * c;
    const double edis = 2 * std::fabs(b) * eb + eb * eb +
                        4 * (std::fabs(a) * ec + std::fabs(c) * ea + ea * ec) +
                        kRounding * (b * b + 4 * std::fabs(a * c)) + 1e-300;
    if (std::fabs(dis) <= edis) {
        return std::nullopt;
    }
    if (dis < 0) {
        // No crossing, whatever the samples within their bounds: the parabola itself is
        // not needed (most windows end here).
        return CertainQuad{};
    }
    CertainQuad certain;
    const double smallestA = std::fabs(a) - ea;
    const double xe = -b / (2 * a);
    const double exe =
        (eb + 2 * std::fabs(xe) * ea) / (2 * smallestA) + kRounding * (1 + std::fabs(xe));
    const double root = std::sqrt(dis);
    const double eroot = edis / root + kRounding * root;
    const double dx = 0.5 * root / std::fabs(a);
    const double edx = (0.5 * eroot + dx * ea) / smallestA + kRounding * (1 + dx);
    certain.rootError = exe + edx;
    bool anyInside = false;
    for (const double z : {xe - dx, xe + dx}) {
        const double beyondEdge = std::fabs(z) - kWindowEdge;
        if (std::fabs(beyondEdge) <= certain.rootError) {
            return std::nullopt;
        }
        anyInside = anyInside || beyondEdge < 0;
    }
    if (!anyInside) {
        // Both crossings lie beyond the window: these are QuadInterpolate's very roots (the
        // same operations on the same values), so it would count none either. Most windows
        // end here without it.
        return certain;
    }
    certain.quad = QuadInterpolate(ym, yz, yp);
    if (certain.quad.nz == 2) {
        const double eye = ec + (2 * std::fabs(b) * eb + eb * eb) / (4 * smallestA) +
                           b * b * ea / (4 * std::fabs(a) * smallestA) +
                           kRounding * (std::fabs(c) + b * b / (4 * std::fabs(a)));
        if (!SignCertain(certain.quad.ye, eye)) {
            return std::nullopt;
        }
    }
    return certain;
}

// HoursToHhmm rounds hours * 60 + 0.5 down: the minute is certain when that sum is not
// within the error of a whole number.
bool MinuteCertain(double hours, double hoursError) {
    const double scaled = hours * 60 + 0.5;
    const double reach = 60 * (hoursError + 1e-14) + 1e-12;
    return std::fabs(scaled - std::nearbyint(scaled)) > reach;
}

bool DetectFastSampler() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
#else
    return false;
#endif
}

// The decisions of the search over samples that `need(i)` makes ready up to hour i, in
// the order the exact search takes them, so that a day whose events are both found early
// never needs its later hours. Every sample is checked for a known bound when first used:
// the decisions read no other.
template <class Need>
std::optional<RiseSetHours> DecideInTurn(const DaySamples& samples, Need&& need) {
    const auto& y = samples.value;
    const auto& e = samples.bound;
    // An unknown bound (infinite or not a number) fails here.
    const auto known = [&](std::size_t i) { return e[i] < 1e-6; };
    need(0);
    if (!known(0) || !SignCertain(y[0], e[0])) {
        return std::nullopt;
    }
    RiseSetHours found;
    found.above = static_cast<float>(y[0]) > 0.0f;
    double riseError = 0;
    double setError = 0;
    int hour = 1;
    do {
        const auto m = static_cast<std::size_t>(hour - 1);
        need(hour + 1);
        if (!known(m + 1) || !known(m + 2)) {
            return std::nullopt;
        }
        const std::optional<CertainQuad> certain =
            CertifyQuad(y[m], e[m], y[m + 1], e[m + 1], y[m + 2], e[m + 2]);
        if (!certain) {
            return std::nullopt;
        }
        const QuadResult& quad = certain->quad;
        if (quad.nz == 1) {
            if (!SignCertain(y[m], e[m])) {
                return std::nullopt;
            }
            if (static_cast<float>(y[m]) < 0.0f) {
                found.riseHours = hour + quad.z1;
                found.riseFound = true;
                riseError = certain->rootError;
            } else {
                found.setHours = hour + quad.z1;
                found.setFound = true;
                setError = certain->rootError;
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
            riseError = certain->rootError;
            setError = certain->rootError;
        }
        hour += 2;
    } while (hour != 25 && !(found.riseFound && found.setFound));

    if ((found.riseFound && !MinuteCertain(found.riseHours, riseError)) ||
        (found.setFound && !MinuteCertain(found.setHours, setError))) {
        return std::nullopt;
    }
    return found;
}

}  // namespace

std::optional<RiseSetHours> DecideRiseSet(const DaySamples& samples) {
    for (int i = 0; i < DaySamples::kHours; ++i) {
        // An unknown bound (infinite or not a number) fails here.
        if (!(samples.bound[static_cast<std::size_t>(i)] < 1e-6)) {
            return std::nullopt;
        }
    }
    return DecideInTurn(samples, [](int) {});
}

bool FastSearchAvailable() {
    static const bool available = DetectFastSampler();
    return available;
}

FastSearchCounts& ThisThreadFastSearchCounts() {
    thread_local FastSearchCounts counts;
    return counts;
}

RiseSetHours SearchRiseSetFastOrExact(const BodySearch& search) {
    if (!FastSearchAvailable()) {
        return SearchRiseSet(search);
    }
    FastSearchCounts& counts = ThisThreadFastSearchCounts();
    ++counts.searches;
    // Four hours are sampled at a time, and only as far as the decisions reach: once both
    // events are found the rest of the day is never sampled.
    DaySamples samples;
    int sampledTo = -1;
    const auto need = [&](int hour) {
        while (sampledTo < hour) {
            SampleFourHoursFast(search, sampledTo + 1, samples);
            sampledTo += 4;
        }
    };
    if (std::optional<RiseSetHours> found = DecideInTurn(samples, need)) {
        return *found;
    }
    ++counts.fallbacks;
    return SearchRiseSet(search);
}

}  // namespace quintrel::mRiseSet
