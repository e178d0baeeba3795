#include "appcore/MonthYear.h"

#include <limits>

#include "astro/CalendarNames.h"
#include "astro/NumberText.h"

namespace quintrel {

std::string MonthListText(std::int16_t month) {
    return TwoDigits(month) + " " + GetMonthName(month, true);
}

std::optional<std::int16_t> ReadYear(std::string_view text) {
    const auto year = TryReadWholeNumber(text, std::numeric_limits<std::int16_t>::min(),
                                         std::numeric_limits<std::int16_t>::max());
    if (!year) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(*year);
}

std::string YearText(std::int16_t year) {
    return std::to_string(year);
}

YearEntry ValidateYearText(std::string_view text, std::int16_t thisYear,
                           std::int16_t lastValidYear) {
    if (TrimBlanks(text).empty()) {
        return {YearText(thisYear), thisYear};
    }
    const std::optional<std::int16_t> year = ReadYear(text);
    if (!year || *year > kHighestYear) {
        return {YearText(lastValidYear), lastValidYear};
    }
    if (*year < kLowestYear) {
        return {YearText(kLowestYear), kLowestYear};
    }
    return {std::string(text), *year};
}

YearEntry IncreaseYear(std::string_view text, std::int16_t thisYear, std::int16_t lastValidYear) {
    const std::int16_t shown = ReadYear(text).value_or(lastValidYear);
    // Stop at the highest year rather than overflow: 32767 + 1 has no 16-bit value.
    const std::int16_t next =
        shown >= kHighestYear ? kHighestYear : static_cast<std::int16_t>(shown + 1);
    return ValidateYearText(YearText(next), thisYear, lastValidYear);
}

YearEntry DecreaseYear(std::string_view text, std::int16_t thisYear, std::int16_t lastValidYear) {
    const std::int16_t shown = ReadYear(text).value_or(lastValidYear);
    std::int16_t previous = kLowestYear;
    if (shown > kHighestYear) {
        previous = kHighestYear;
    } else if (shown > kLowestYear) {
        previous = static_cast<std::int16_t>(shown - 1);
    }
    return ValidateYearText(YearText(previous), thisYear, lastValidYear);
}

std::int16_t StartingYear(std::int16_t savedYear, std::int16_t thisYear) {
    if (savedYear <= kLowestYear || savedYear > kHighestYear) {
        return thisYear;
    }
    return savedYear;
}

std::int16_t StartingMonth(std::int16_t savedMonth) {
    return savedMonth >= 1 && savedMonth <= 12 ? savedMonth : kDefaultMonth;
}

}  // namespace quintrel
