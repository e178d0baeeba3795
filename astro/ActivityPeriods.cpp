// Major and minor activity times from the moon's rise and set. The majors are the moon's
// upper and lower transits (midpoint of rise and set, and half a lunar day from it); the
// minors lie a quarter lunar day from the majors. Everything is worked in singles and
// passes through time texts, so each step truncates to whole minutes.

#include <string>
#include <string_view>
#include <utility>

#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {

namespace {

constexpr float kHalfLunarDayHours = 12.4167f;
constexpr float kQuarterLunarDayHours = 6.2083f;
// One minute past the end of the day: a transit in that minute still counts as 00:00.
constexpr float kDayEndLimitHours = 24.0167f;
constexpr std::string_view kNoEvent = ":";

// Moonrise texts that stand for "no time": the status words of the rise search and the
// month table's display words (the empty text too, as it is a piece of any text).
bool IsMoonriseTime(std::string_view text) {
    if (IsTimeText(text)) {
        return true;  // the usual case, and no word holds a digit
    }
    return text != kNoEvent &&
           std::string_view("up_down_never").find(text) == std::string_view::npos;
}

bool IsMoonsetTime(std::string_view text) {
    if (IsTimeText(text)) {
        return true;
    }
    return text != kNoEvent &&
           std::string_view("up_down_rises_sets").find(text) == std::string_view::npos;
}

float SingleHours(std::string_view timeText) {
    return static_cast<float>(TimeTextToHours(timeText));
}

// A minor outside the day is dropped; 24:00 exactly stays.
std::string MinorWithinDay(std::string minor) {
    const float hours = SingleHours(minor);
    if (hours < 0.0f || hours > 24.0f) {
        return std::string(kNoEvent);
    }
    return minor;
}

}  // namespace

std::string MajorMidpoint(std::string_view rise, std::string_view set) {
    const float riseHours = SingleHours(rise);
    const float setHours = SingleHours(set);
    float midpoint = 0;
    if (riseHours > setHours) {
        // The moon rose later in the day than it set: the transit lies across midnight.
        const float toMidnight = 24.0f - riseHours;
        midpoint = (toMidnight + setHours) / 2.0f - toMidnight;
        if (midpoint < 0.0f) {
            midpoint = midpoint + 24.0f;
        }
    } else {
        midpoint = (riseHours + setHours) / 2.0f;
    }
    return HoursToTimeText(midpoint);
}

std::string OppositeMajor(std::string_view major) {
    const float majorHours = SingleHours(major);
    if (majorHours - kHalfLunarDayHours > 0.0f) {
        return HoursToTimeText(majorHours - kHalfLunarDayHours);
    }
    float opposite = majorHours + kHalfLunarDayHours;
    if (opposite > kDayEndLimitHours) {
        return std::string(kNoEvent);
    }
    if (opposite > 24.0f) {
        opposite = opposite - 24.0f;
    }
    return HoursToTimeText(opposite);
}

MinorPair MinorTimes(std::string_view major1, std::string_view major2) {
    const float first = SingleHours(major1);
    MinorPair minors;
    if (major2 != kNoEvent) {
        const float second = SingleHours(major2);
        if (first - kQuarterLunarDayHours < 0.0f) {
            minors.Minor1 = HoursToTimeText(second - kQuarterLunarDayHours);
            minors.Minor2 = HoursToTimeText(second + kQuarterLunarDayHours);
        } else {
            minors.Minor1 = HoursToTimeText(first - kQuarterLunarDayHours);
            minors.Minor2 = HoursToTimeText(second - kQuarterLunarDayHours);
        }
    } else {
        minors.Minor1 = HoursToTimeText(first - kQuarterLunarDayHours);
        minors.Minor2 = HoursToTimeText(first + kQuarterLunarDayHours);
    }
    minors.Minor1 = MinorWithinDay(std::move(minors.Minor1));
    minors.Minor2 = MinorWithinDay(std::move(minors.Minor2));
    return minors;
}

ActivityTimes MajorMinorTimes(std::string_view previousMoonrise, std::string_view moonrise,
                              std::string_view moonset, std::string_view nextMoonset) {
    const std::string_view rise = IsMoonriseTime(moonrise) ? moonrise : previousMoonrise;
    const std::string_view set = IsMoonsetTime(moonset) ? moonset : nextMoonset;
    ActivityTimes times;
    if (!IsMoonriseTime(rise) || !IsMoonsetTime(set)) {
        times.Major1 = times.Major2 = times.Minor1 = times.Minor2 = std::string(kNoEvent);
        return times;
    }
    times.Major1 = MajorMidpoint(rise, set);
    times.Major2 = OppositeMajor(times.Major1);
    // Time texts are zero-padded, so text order is time order, and ":" sorts after every
    // digit: a missing second major always ends up second.
    if (times.Major2 < times.Major1) {
        std::swap(times.Major1, times.Major2);
    }
    MinorPair minors = MinorTimes(times.Major1, times.Major2);
    times.Minor1 = std::move(minors.Minor1);
    times.Minor2 = std::move(minors.Minor2);
    return times;
}

}  // namespace quintrel::mRiseSet
