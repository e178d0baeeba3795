#include "calendar/CalendarEvents.h"

#include <optional>

#include "astro/NumberText.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"
#include "locations/PlaceValues.h"
#include "table/CsvExport.h"

namespace quintrel {

namespace {

// Daylight for the "only periods in daylight" choice starts this long before sunrise and
// ends this long after sunset: dawn and dusk are when game moves.
constexpr UnixSeconds kTwilightSeconds = 30 * 60;

struct Span {
    UnixSeconds start = 0;
    UnixSeconds end = 0;
};

// The sun part of the daylight window: nothing when the sun stays down all day.
std::optional<Span> DaylightOf(const PlaceTexts& place, DaySerial date, const DayRow& row) {
    const UnixSeconds dayStart = *TableTimeToUtc(place, date, "00:00");
    const UnixSeconds dayEnd = *TableTimeToUtc(place, date, "23:59") + 60;
    if (row.SRise == "never") {
        if (row.SSet == "sets") {
            return Span{dayStart, dayEnd};
        }
        return std::nullopt;
    }
    // A sunrise or sunset missing on its own leaves that side of the day open.
    const UnixSeconds rise = TableTimeToUtc(place, date, row.SRise).value_or(dayStart);
    const UnixSeconds set = TableTimeToUtc(place, date, row.SSet).value_or(dayEnd);
    return Span{rise - kTwilightSeconds, set + kTwilightSeconds};
}

std::string SunText(const DayRow& row) {
    if (row.SRise == "never") {
        return "Sun never " + row.SSet;
    }
    return "Sunrise " + row.SRise + ", sunset " + row.SSet;
}

std::string MoonEventText(const std::string& text, const char* name) {
    return text == ":" ? std::string("no ") + name : std::string(name) + " " + text;
}

std::string MoonText(const DayRow& row) {
    if (row.MRise == "never") {
        return "Moon never " + row.MSet;
    }
    std::string text =
        MoonEventText(row.MRise, "moonrise") + ", " + MoonEventText(row.MSet, "moonset");
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string PhaseText(const DayRow& row) {
    return "moon " + row.Phase + "% lit, " + (row.WaxWan == "+" ? "waxing" : "waning");
}

std::string TimesText(const std::string& first, const std::string& second) {
    return first + (second == ":" ? "" : ", " + second);
}

CalendarEvent GoodDayEvent(const DayRow& row, const CivilDate& date, const std::string& dateKey,
                           const std::string& placeKey) {
    CalendarEvent event;
    event.uid = dateKey + "-day@" + placeKey;
    event.summary = row.Rating + " day " + row.Stars + " (" + PhaseText(row) + ")";
    event.description = SunText(row) + "\n" + MoonText(row) + "\nMajor times " +
                        TimesText(row.Maj1, row.Maj2) + "\nMinor times " +
                        TimesText(row.Min1, row.Min2);
    event.allDay = true;
    event.date = date;
    return event;
}

}  // namespace

std::string PlaceUidKey(std::string_view record) {
    std::string key;
    for (const char c : LocationDisplayText(record)) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            key += c;
        } else if (c >= 'A' && c <= 'Z') {
            key += static_cast<char>(c - 'A' + 'a');
        } else if (!key.empty() && key.back() != '-') {
            key += '-';  // blanks, punctuation and letters beyond ASCII
        }
    }
    if (!key.empty() && key.back() == '-') {
        key.pop_back();
    }
    PlaceValues place;
    ParseSelectedLocation(record, place);
    // Two places of one name (a town and its namesake abroad) differ in position.
    return key + "_" + SingleToText(place.PlaceLatitude) + "_" + SingleToText(place.PlaceLongitude);
}

std::vector<CalendarEvent> CollectCalendarEvents(const std::vector<MonthTable>& tables,
                                                 std::string_view record,
                                                 const CalendarOptions& options) {
    PlaceValues values;
    ParseSelectedLocation(record, values);
    const PlaceTexts place = MakePlaceTexts(values, record);
    const std::string placeKey = PlaceUidKey(record);

    std::vector<CalendarEvent> events;
    for (const MonthTable& table : tables) {
        for (const DayRow& row : table.rows) {
            const CivilDate date{table.Year, table.Month, row.Day};
            const std::string dateKey = RowDateText(table, row);
            const DaySerial serial = DateSerial(date.year, date.month, date.day);
            const Rating level = RatingOfWord(row.Rating).value_or(Rating::Poor);
            if (options.goodDays && level >= options.minimumRating) {
                events.push_back(GoodDayEvent(row, date, dateKey, placeKey));
            }

            const std::optional<Span> daylight = DaylightOf(place, serial, row);
            const PeriodLengths lengths = PeriodLengthsFor(row.Rating);
            const auto addPeriod = [&](const std::string& timeText, const char* kind,
                                       const char* title, int minutes) {
                const std::optional<UnixSeconds> centre = TableTimeToUtc(place, serial, timeText);
                if (!centre) {
                    return;
                }
                const Span span{*centre - minutes * 30, *centre + minutes * 30};
                if (options.daylightOnly &&
                    (!daylight || span.end <= daylight->start || span.start >= daylight->end)) {
                    return;
                }
                CalendarEvent event;
                event.uid = dateKey + "-" + kind + "@" + placeKey;
                event.summary = std::string(title) + " (" + row.Rating + " " + row.Stars + ")";
                event.description = std::string(title) + " centred on " + timeText +
                                    " local time, about " + std::to_string(minutes) +
                                    " minutes on a " + row.Rating + " day; " + PhaseText(row) + ".";
                event.startUtc = span.start;
                event.endUtc = span.end;
                event.date = date;
                event.remind = true;
                events.push_back(std::move(event));
            };
            if (options.majorPeriods) {
                addPeriod(row.Maj1, "major1", "Major period", lengths.majorMinutes);
                addPeriod(row.Maj2, "major2", "Major period", lengths.majorMinutes);
            }
            if (options.minorPeriods) {
                addPeriod(row.Min1, "minor1", "Minor period", lengths.minorMinutes);
                addPeriod(row.Min2, "minor2", "Minor period", lengths.minorMinutes);
            }
        }
    }
    return events;
}

}  // namespace quintrel
