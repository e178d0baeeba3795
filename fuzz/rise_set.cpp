// Rise and set search on any coordinate texts. Input lines: latitude, longitude, zone,
// event code, then year, month and day as whole numbers (missing or unreadable ones take
// 15 June 2002).

#include <charconv>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "astro/mRiseSet.h"

namespace {

std::int16_t ReadInt16(std::string_view text, std::int16_t missing) {
    std::int16_t value = missing;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() ? value : missing;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quintrel;
    const auto lines = fuzz::SplitLines(fuzz::AsText(data, size));
    const std::string_view latitude = fuzz::LineOr(lines, 0, "0");
    const std::string_view longitude = fuzz::LineOr(lines, 1, "0");
    const std::string_view zone = fuzz::LineOr(lines, 2, "0");
    const std::string_view eventCode = fuzz::LineOr(lines, 3, "R");
    const std::int16_t year = ReadInt16(fuzz::LineOr(lines, 4, ""), 2002);
    const std::int16_t month = ReadInt16(fuzz::LineOr(lines, 5, ""), 6);
    const std::int16_t day = ReadInt16(fuzz::LineOr(lines, 6, ""), 15);

    fuzz::Tolerate([&] {
        const std::string time =
            mRiseSet::RiseSetTime(latitude, longitude, zone, eventCode, year, month, day);
        if (time == "up" || time == "down" || time.empty()) {
            return;
        }
        // The month table reads every time it is given back as hours of the day.
        double hours = -1;
        fuzz::Require(fuzz::Tolerate([&] { hours = mRiseSet::TimeTextToHours(time); }),
                      "a found time does not read back", time);
        fuzz::Require(hours >= 0 && hours <= 25, "a found time lies outside the day", time);
    });
    return 0;
}
