#include "calendar/CalendarOptions.h"

#include <array>

namespace quintrel {

namespace {

// Indexed by rank - 1.
constexpr std::array<PeriodLengths, 4> kLengths{{{60, 30}, {80, 40}, {100, 50}, {120, 60}}};

}  // namespace

PeriodLengths PeriodLengthsFor(std::string_view ratingText) {
    const Rating level = RatingOfWord(ratingText).value_or(Rating::Poor);
    return kLengths[static_cast<std::size_t>(level) - 1];
}

CalendarChoiceStates ChoiceStates(const CalendarOptions& options) {
    const bool periods = options.majorPeriods || options.minorPeriods;
    return {periods || options.goodDays, options.goodDays, periods};
}

std::string PeriodLengthsHelp() {
    std::string text;
    for (std::size_t i = kLengths.size(); i-- > 0;) {
        text += "    " + std::string(RatingWord(kRatings[i])) + ": major " +
                std::to_string(kLengths[i].majorMinutes) + " min, minor " +
                std::to_string(kLengths[i].minorMinutes) + " min\n";
    }
    return text;
}

}  // namespace quintrel
