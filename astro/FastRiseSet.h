#pragma once

// The fast rise and set search. It samples a day's altitudes four at a time with
// polynomial sine, cosine and arctangent (astro/FastMath.h) and carries a bound on how far
// each sample can be from the one the exact search computes through libm. It then makes
// each decision of the search only when no sample within its bound could make it come out
// otherwise; when any decision is in doubt the date goes to the exact search. Its answers
// therefore always read the same as those of SearchRiseSet: the same flags and the same
// minute for every time found (the hours themselves may differ below the minute).

#include <array>
#include <cstdint>
#include <optional>

#include "astro/RiseSetSearch.h"

namespace quintrel::mRiseSet {

/// A day's hourly samples (hours 0..24, three lanes of padding) of the sine of the
/// altitude minus the threshold, each with a bound on its distance from the exact sample.
/// A bound that is infinite or not a number means "unknown" and sends the date to the
/// exact search.
struct DaySamples {
    static constexpr int kHours = 25;
    std::array<double, 28> value{};
    std::array<double, 28> bound{};
};

/// True when this processor runs the fast sampler (AVX2 and FMA).
bool FastSearchAvailable();

/// Fills the samples of a day. Call only when FastSearchAvailable().
void SampleDayFast(const BodySearch& search, DaySamples& samples);

/// Fills the four samples of hours `firstHour` .. `firstHour` + 3 (`firstHour` a multiple
/// of 4 below 28), the very values SampleDayFast gives them. Call only when
/// FastSearchAvailable().
void SampleFourHoursFast(const BodySearch& search, int firstHour, DaySamples& samples);

/// The search's answer from samples known to within their bounds, or nothing when some
/// decision (a sign, the discriminant, a crossing on a window's edge, the rounding to the
/// minute) could come out otherwise for a sample within its bound.
std::optional<RiseSetHours> DecideRiseSet(const DaySamples& samples);

/// The answer of SearchRiseSet as RiseSetHoursToTexts writes it, through the fast sampler
/// where the processor has it and every decision is certain, through SearchRiseSet
/// itself otherwise.
RiseSetHours SearchRiseSetFastOrExact(const BodySearch& search);

/// How many searches this thread ran through SearchRiseSetFastOrExact with the fast
/// sampler, and how many of them went on to the exact search. For measurements.
struct FastSearchCounts {
    std::uint64_t searches = 0;
    std::uint64_t fallbacks = 0;
};
FastSearchCounts& ThisThreadFastSearchCounts();

}  // namespace quintrel::mRiseSet
