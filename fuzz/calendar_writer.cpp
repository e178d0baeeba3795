// The calendar writer on any place record and choices. Input lines: the record, then the
// month, the year, the choice bits and the reminder minutes as decimal text.

#include <charconv>

#include "FuzzSupport.h"
#include "calendar/IcsWriter.h"
#include "locations/PlaceValues.h"
#include "table/CalculateMonth.h"
#include "table/TableYears.h"

namespace {

int Number(std::string_view text, int fallback) {
    int value = fallback;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quintrel;
    const auto lines = fuzz::SplitLines(fuzz::AsText(data, size));
    const std::string record(fuzz::LineOr(lines, 0, ""));
    const int month = Number(fuzz::LineOr(lines, 1, "1"), 1);
    const int year = Number(fuzz::LineOr(lines, 2, "2026"), 2026);
    const int bits = Number(fuzz::LineOr(lines, 3, "3"), 3);
    CalendarOptions options;
    options.majorPeriods = (bits & 1) != 0;
    options.minorPeriods = (bits & 2) != 0;
    options.goodDays = (bits & 4) != 0;
    options.daylightOnly = (bits & 8) != 0;
    options.minimumRating = kRatings[(static_cast<unsigned>(bits) >> 4) % kRatings.size()];
    options.alarmMinutes = Number(fuzz::LineOr(lines, 4, "0"), 0) % (kMaxAlarmMinutes + 1);
    if (month < 1 || month > 12 || year < kFirstTableYear || year > kLastTableYear ||
        options.alarmMinutes < 0) {
        return 0;  // the command line refuses these before the writer is reached
    }
    fuzz::Tolerate([&] {
        PlaceValues place;
        ParseSelectedLocation(record, place);
        const std::vector<MonthTable> tables = {CalculateMonth(
            place, record, static_cast<std::int16_t>(month), static_cast<std::int16_t>(year))};
        const std::string whole = BuildIcsText(tables, record, options, 1'700'000'000);
        fuzz::Require(
            whole.starts_with("BEGIN:VCALENDAR\r\n") && whole.ends_with("END:VCALENDAR\r\n"),
            "calendar not closed");
        std::string streamed;
        IcsStreamWriter writer(record, options, 1'700'000'000,
                               [&](std::string_view piece) { streamed += piece; });
        writer.AddMonths(tables);
        writer.Finish();
        fuzz::Require(streamed == whole, "streamed calendar differs");
    });
    return 0;
}
