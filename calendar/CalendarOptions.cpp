#include "calendar/CalendarOptions.h"

#include <array>

namespace quintrel {

namespace {

// Indexed by RatingLevel - 1.
constexpr std::array<PeriodLengths, 4> kLengths{{{60, 30}, {80, 40}, {100, 50}, {120, 60}}};

}  // namespace

std::optional<RatingLevel> RatingFromText(std::string_view text) {
    for (std::size_t i = 0; i < std::size(kRatingNames); ++i) {
        if (kRatingNames[i] == text) {
            return static_cast<RatingLevel>(i + 1);
        }
    }
    return std::nullopt;
}

std::string_view RatingText(RatingLevel level) {
    return kRatingNames[static_cast<std::size_t>(level) - 1];
}

PeriodLengths PeriodLengthsFor(std::string_view ratingText) {
    const RatingLevel level = RatingFromText(ratingText).value_or(RatingLevel::Poor);
    return kLengths[static_cast<std::size_t>(level) - 1];
}

CalendarChoiceStates ChoiceStates(const CalendarOptions& options) {
    const bool periods = options.majorPeriods || options.minorPeriods;
    return {periods || options.goodDays || options.tides, options.goodDays, periods};
}

std::string PeriodLengthsHelp() {
    std::string text;
    for (std::size_t i = kLengths.size(); i-- > 0;) {
        text += "    " + std::string(kRatingNames[i]) + ": major " +
                std::to_string(kLengths[i].majorMinutes) + " min, minor " +
                std::to_string(kLengths[i].minorMinutes) + " min\n";
    }
    return text;
}

}  // namespace quintrel
