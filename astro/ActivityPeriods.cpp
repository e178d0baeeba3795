// Major and minor activity times from the moon's rise and set. The majors are the moon's
// upper and lower transits (midpoint of rise and set, and half a lunar day from it); the
// minors lie a quarter lunar day from the majors. Everything is worked in singles and
// passes through time texts (or their parts, see PassedTime), so each step truncates to
// whole minutes.

#include <optional>
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

// A time as one step hands it to the next: the text HoursToTimeText writes, or ":", kept as
// its parts so that the next step reads it back as a single exactly as from the text,
// without writing and reading the text (the activity times take thousands a month).
struct PassedTime {
    bool none = true;
    ClockParts parts;

    static PassedTime Of(float hours) { return {false, HoursToClockParts(hours)}; }
    std::string Text() const { return none ? std::string(kNoEvent) : ClockPartsText(parts); }
    float Hours() const {
        const std::optional<double> hours = ClockPartsHours(parts);
        return hours ? static_cast<float>(*hours) : SingleHours(Text());
    }
};

// Whether `a`'s text sorts before `b`'s: zero-padded texts sort as their times, and ":"
// after every digit.
bool TextBefore(const PassedTime& a, const PassedTime& b) {
    const auto padded = [](const PassedTime& t) {
        return t.none || (t.parts.hour >= 0 && t.parts.hour <= 99 && t.parts.minute <= 99);
    };
    if (!padded(a) || !padded(b)) {
        return a.Text() < b.Text();
    }
    if (a.none || b.none) {
        return !a.none;
    }
    return a.parts.hour != b.parts.hour ? a.parts.hour < b.parts.hour
                                        : a.parts.minute < b.parts.minute;
}

PassedTime Midpoint(float riseHours, float setHours) {
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
    return PassedTime::Of(midpoint);
}

PassedTime Opposite(float majorHours) {
    if (majorHours - kHalfLunarDayHours > 0.0f) {
        return PassedTime::Of(majorHours - kHalfLunarDayHours);
    }
    float opposite = majorHours + kHalfLunarDayHours;
    if (opposite > kDayEndLimitHours) {
        return {};
    }
    if (opposite > 24.0f) {
        opposite = opposite - 24.0f;
    }
    return PassedTime::Of(opposite);
}

// A minor outside the day is dropped; 24:00 exactly stays.
PassedTime WithinDay(PassedTime minor) {
    const float hours = minor.Hours();
    return hours < 0.0f || hours > 24.0f ? PassedTime{} : minor;
}

// The minors of a first major and a second one (nothing for ":").
std::pair<PassedTime, PassedTime> Minors(float first, std::optional<float> second) {
    PassedTime minor1, minor2;
    if (second) {
        if (first - kQuarterLunarDayHours < 0.0f) {
            minor1 = PassedTime::Of(*second - kQuarterLunarDayHours);
            minor2 = PassedTime::Of(*second + kQuarterLunarDayHours);
        } else {
            minor1 = PassedTime::Of(first - kQuarterLunarDayHours);
            minor2 = PassedTime::Of(*second - kQuarterLunarDayHours);
        }
    } else {
        minor1 = PassedTime::Of(first - kQuarterLunarDayHours);
        minor2 = PassedTime::Of(first + kQuarterLunarDayHours);
    }
    return {WithinDay(minor1), WithinDay(minor2)};
}

std::optional<float> SecondMajorHours(std::string_view major2) {
    if (major2 == kNoEvent) {
        return std::nullopt;
    }
    return SingleHours(major2);
}

}  // namespace

std::string MajorMidpoint(std::string_view rise, std::string_view set) {
    const float riseHours = SingleHours(rise);
    return Midpoint(riseHours, SingleHours(set)).Text();
}

std::string OppositeMajor(std::string_view major) {
    return Opposite(SingleHours(major)).Text();
}

MinorPair MinorTimes(std::string_view major1, std::string_view major2) {
    const float first = SingleHours(major1);
    const auto [minor1, minor2] = Minors(first, SecondMajorHours(major2));
    return {minor1.Text(), minor2.Text()};
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
    const float riseHours = SingleHours(rise);
    PassedTime major1 = Midpoint(riseHours, SingleHours(set));
    PassedTime major2 = Opposite(major1.Hours());
    // A missing second major always ends up second.
    if (TextBefore(major2, major1)) {
        std::swap(major1, major2);
    }
    const float first = major1.Hours();
    const auto [minor1, minor2] =
        Minors(first, major2.none ? std::nullopt : std::optional<float>(major2.Hours()));
    times.Major1 = major1.Text();
    times.Major2 = major2.Text();
    times.Minor1 = minor1.Text();
    times.Minor2 = minor2.Text();
    return times;
}

}  // namespace quintrel::mRiseSet
