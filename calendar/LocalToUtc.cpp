#include "calendar/LocalToUtc.h"

namespace quintrel {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<int> MinutesOfTimeText(std::string_view timeText) {
    if (timeText.size() != 5 || timeText[2] != ':' || !IsDigit(timeText[0]) ||
        !IsDigit(timeText[1]) || !IsDigit(timeText[3]) || !IsDigit(timeText[4])) {
        return std::nullopt;
    }
    const int hours = (timeText[0] - '0') * 10 + (timeText[1] - '0');
    const int minutes = (timeText[3] - '0') * 10 + (timeText[4] - '0');
    if (minutes > 59) {
        return std::nullopt;
    }
    return hours * 60 + minutes;
}

std::optional<UnixSeconds> TableTimeToUtc(const PlaceTexts& place, DaySerial date,
                                          std::string_view timeText) {
    const std::optional<int> minutes = MinutesOfTimeText(timeText);
    if (!minutes) {
        return std::nullopt;
    }
    return InstantOfReading(place.clock, date, *minutes);
}

}  // namespace quintrel
