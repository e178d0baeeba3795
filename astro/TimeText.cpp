// Conversions between decimal hours, hhmm numbers and "hh:mm" time texts.

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "astro/CoreError.h"
#include "astro/NumberText.h"
#include "astro/mRiseSet.h"

namespace quintrel::mRiseSet {

namespace {

std::int16_t ReadClockPart(std::string_view part, std::string_view timeText) {
    try {
        return ToInt16(ReadNumber(part));
    } catch (const CoreError&) {
        throw CoreError("\"" + std::string(timeText) + "\" is not a time");
    }
}

}  // namespace

double HoursToHhmm(double hours) {
    const double rounded = std::floor(hours * 60 + 0.5) / 60;
    const double wholeHours = std::floor(rounded);
    const double minutes = std::floor((rounded - wholeHours) * 60 + 0.5);
    return wholeHours * 100 + minutes;
}

ClockParts HoursToClockParts(float hours) {
    if (!std::isfinite(hours) || std::fabs(hours) > 1e6f) {
        throw CoreError("\"" + SingleToText(hours) + "\" hours cannot be written as a time");
    }
    // Single arithmetic throughout: the rounding of f to 32 bits before the truncation
    // decides the minute (6.1 as a single gives 06:05).
    // The conversions truncate toward zero as std::trunc does (the whole hours are exact in
    // a single, and a zero's sign changes no difference), without a library call.
    ClockParts parts;
    parts.hour = static_cast<long long>(hours);
    const float minutes = std::fabs(hours - static_cast<float>(parts.hour)) * 60.0f;
    parts.minute = static_cast<long long>(minutes);
    return parts;
}

std::string ClockPartsText(ClockParts parts) {
    if (parts.hour >= 0 && parts.hour <= 99 && parts.minute >= 0 && parts.minute <= 99) {
        // The activity times write thousands of these a month: built in place.
        return {static_cast<char>('0' + parts.hour / 10), static_cast<char>('0' + parts.hour % 10),
                ':', static_cast<char>('0' + parts.minute / 10),
                static_cast<char>('0' + parts.minute % 10)};
    }
    return TwoDigits(parts.hour) + ":" + TwoDigits(parts.minute);
}

std::optional<double> ClockPartsHours(ClockParts parts) {
    // "hh:mm", and "-h:mm" (TwoDigits keeps the sign of one digit), read back as
    // TimeTextToHours reads them; other hours lose digits in the text.
    if (parts.hour >= -9 && parts.hour <= 99 && parts.minute >= 0 && parts.minute <= 99) {
        return static_cast<double>(parts.hour) + static_cast<double>(parts.minute) / 60.0;
    }
    return std::nullopt;
}

std::string HoursToTimeText(float hours) {
    return ClockPartsText(HoursToClockParts(hours));
}

bool IsTimeText(std::string_view text) {
    const auto digit = [&](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; };
    return text.size() == 5 && text[2] == ':' && digit(0) && digit(1) && digit(3) && digit(4);
}

std::optional<int> ClockTextMinutes(std::string_view text) {
    if (!IsTimeText(text)) {
        return std::nullopt;
    }
    const int minutes = (text[3] - '0') * 10 + (text[4] - '0');
    if (minutes > 59) {
        return std::nullopt;
    }
    return ((text[0] - '0') * 10 + (text[1] - '0')) * 60 + minutes;
}

double TimeTextToHours(std::string_view timeText) {
    // The month table reads thousands of these, nearly all written by this program as
    // "hh:mm": those need no general number reading (which gives the same value).
    if (IsTimeText(timeText)) {
        const int hours = (timeText[0] - '0') * 10 + (timeText[1] - '0');
        const int minutes = (timeText[3] - '0') * 10 + (timeText[4] - '0');
        return hours + minutes / 60.0;
    }
    const auto colon = timeText.find(':');
    if (colon == std::string_view::npos) {
        throw CoreError("\"" + std::string(timeText) + "\" is not a time");
    }
    const std::int16_t hours = ReadClockPart(timeText.substr(0, colon), timeText);
    const std::int16_t minutes = ReadClockPart(timeText.substr(colon + 1, 2), timeText);
    return hours + minutes / 60.0;
}

void ShiftBackOneHour(std::string& timeText) {
    const std::int16_t hour = ReadClockPart(std::string_view(timeText).substr(0, 2), timeText);
    const int earlier = hour - 1;
    if (earlier < 0) {
        timeText = ":";
        return;
    }
    const std::string tail = timeText.size() > 3 ? timeText.substr(timeText.size() - 3) : timeText;
    timeText = TwoDigits(earlier) + tail;
}

}  // namespace quintrel::mRiseSet
