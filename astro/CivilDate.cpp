#include "astro/CivilDate.h"

#include <chrono>
#include <string>

#include "astro/CoreError.h"

namespace quintrel {

namespace {

using namespace std::chrono;

constexpr sys_days kSerialEpoch = sys_days{year{1899} / December / 30};

}  // namespace

DaySerial DateSerial(int yearNumber, int monthNumber, int dayNumber) {
    const year_month_day date{year{yearNumber}, month{static_cast<unsigned>(monthNumber)},
                              day{static_cast<unsigned>(dayNumber)}};
    if (yearNumber < 100 || yearNumber > 9999 || monthNumber < 1 || monthNumber > 12 ||
        dayNumber < 1 || !date.ok()) {
        throw CoreError("Invalid date: " + std::to_string(yearNumber) + "-" +
                        std::to_string(monthNumber) + "-" + std::to_string(dayNumber));
    }
    return static_cast<DaySerial>((sys_days{date} - kSerialEpoch).count());
}

CivilDate DateFromSerial(DaySerial serial) {
    const year_month_day date{kSerialEpoch + days{serial}};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

int WeekdayOf(DaySerial serial) {
    return static_cast<int>(weekday{kSerialEpoch + days{serial}}.c_encoding()) + 1;
}

int DaysInMonth(int yearNumber, int monthNumber) {
    if (monthNumber < 1 || monthNumber > 12) {
        throw CoreError("Invalid month: " + std::to_string(monthNumber));
    }
    const year_month_day_last last{year{yearNumber} / month{static_cast<unsigned>(monthNumber)} /
                                   std::chrono::last};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

}  // namespace quintrel
