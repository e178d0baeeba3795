#include "table/ChangeDayCorrection.h"

#include <cmath>
#include <string_view>

#include "astro/mRiseSet.h"

namespace quintrel {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool StartsWithTwoDigits(std::string_view text) {
    return text.size() >= 2 && IsDigit(text[0]) && IsDigit(text[1]);
}

// Events in these hours of the advanced clock really happen on standard time.
bool IsShiftedHour(int hour, bool isStartDay, bool isEndDay) {
    return (hour < 2 && isStartDay) || (hour > 3 && isEndDay);
}

void ShiftIfMisplaced(std::string& timeText, bool isStartDay, bool isEndDay) {
    if (!StartsWithTwoDigits(timeText)) {
        return;  // nothing to read an hour from; such a text is never moved
    }
    const int hour = (timeText[0] - '0') * 10 + (timeText[1] - '0');
    if (IsShiftedHour(hour, isStartDay, isEndDay)) {
        mRiseSet::ShiftBackOneHour(timeText);
    }
}

}  // namespace

double CorrectedHours(double hours, bool isStartDay, bool isEndDay) {
    const int hour = static_cast<int>(std::floor(hours));
    return IsShiftedHour(hour, isStartDay, isEndDay) ? hours - 1 : hours;
}

void CorrectNeighbourTime(std::string& timeText, bool isStartDay, bool isEndDay) {
    if (timeText == ":" || !StartsWithTwoDigits(timeText)) {
        return;
    }
    ShiftIfMisplaced(timeText, isStartDay, isEndDay);
}

void CorrectOwnTime(std::string& timeText, bool isStartDay, bool isEndDay) {
    if (timeText == ":" || mRiseSet::IsStatusText(timeText)) {
        return;
    }
    ShiftIfMisplaced(timeText, isStartDay, isEndDay);
}

}  // namespace quintrel
