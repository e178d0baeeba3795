#include "astro/CalendarNames.h"

#include <array>
#include <string_view>

namespace quintrel {

namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

constexpr std::array<std::string_view, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};

}  // namespace

std::string GetMonthName(std::int16_t month, bool fullName) {
    if (month < 1 || month > 12) {
        return {};
    }
    const std::string_view name = kMonthNames[static_cast<std::size_t>(month - 1)];
    return std::string(fullName ? name : name.substr(0, 3));
}

std::string GetDayName(std::int16_t weekday) {
    if (weekday < 1 || weekday > 7) {
        return {};
    }
    return std::string(kDayNames[static_cast<std::size_t>(weekday - 1)]);
}

std::int16_t WeekdayNumber(std::string_view dayName) {
    for (std::size_t i = 0; i < kDayNames.size(); ++i) {
        if (kDayNames[i] == dayName) {
            return static_cast<std::int16_t>(i + 1);
        }
    }
    return 0;
}

}  // namespace quintrel
