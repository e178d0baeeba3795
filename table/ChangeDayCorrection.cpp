#include "table/ChangeDayCorrection.h"

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

void ShiftIfMisplaced(std::string& timeText, bool isStartDay, bool isEndDay) {
    if (!StartsWithTwoDigits(timeText)) {
        return;  // nothing to read an hour from; such a text is never moved
    }
    const int hour = (timeText[0] - '0') * 10 + (timeText[1] - '0');
    if ((hour < 2 && isStartDay) || (hour > 3 && isEndDay)) {
        mRiseSet::ShiftBackOneHour(timeText);
    }
}

}  // namespace

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
