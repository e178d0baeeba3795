#include "table/CalculateMonth.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "astro/CalendarNames.h"
#include "astro/CivilDate.h"
#include "astro/CoreError.h"
#include "astro/NumberText.h"
#include "astro/mRiseSet.h"
#include "table/DateEvents.h"
#include "table/TableYears.h"
#include "table/TransitPeriods.h"

namespace quintrel {

namespace {

// Orders two activity times earlier first, in plain character order; ":" sorts after
// every digit, so a real time always comes before a missing one.
void StoreOrdered(std::string&& a, std::string&& b, std::string& first, std::string& second) {
    const bool inOrder = a <= b;
    first = std::move(inOrder ? a : b);
    second = std::move(inOrder ? b : a);
}

void CheckMonthAndYear(std::int16_t month, std::int16_t year) {
    if (month < 1 || month > 12) {
        throw CoreError("Month " + std::to_string(month) + " is not between 1 and 12");
    }
    if (!IsTableYear(year)) {
        throw CoreError(YearOutsideText(year));
    }
}

// A day's own moonrise as the row and the activity times read it: ":" for none.
std::string CorrectedMoonRise(const DateEvents& day) {
    return day.moonRise.empty() ? ":" : day.moonRise;
}

// The moonrise column of a day's row: the corrected rise, or "never" without one.
std::string ShownMoonRise(const DateEvents& day) {
    std::string moonRise = CorrectedMoonRise(day);
    return mRiseSet::IsStatusText(moonRise) ? "never" : moonRise;
}

// The cells of a row that follow from the moon's phase alone: phase, waxing or waning,
// rating and stars. The phase is taken at 00:00 UT of the date: the Julian day number
// minus one half, as a single.
void FillPhaseAndRating(DayRow& row, std::int32_t julianDay) {
    const mRiseSet::MoonPhaseResult phase =
        mRiseSet::MoonPhase(static_cast<float>(static_cast<double>(julianDay) - 0.5));
    row.Phase = std::to_string(static_cast<int>(RoundHalfEven(phase.percentLit)));
    row.WaxWan = phase.waxing ? "+" : "-";
    mRiseSet::DayRatingResult rating = mRiseSet::DayRating(phase.percentLit, phase.waxing);
    row.Rating = std::move(rating.rating);
    row.Stars = std::move(rating.stars);
}

// The display row of one day from its raw event times, written into a new row (built in
// place: a row is fifteen texts). `previousRise` is the corrected moonrise of the day
// before and `nextSet` the corrected moonset of the day after.
void BuildRow(DayRow& row, DaySerial date, std::int32_t julianDay, const DateEvents& today,
              const std::string& previousRise, const std::string& nextSet) {
    row.Day = static_cast<std::int16_t>(DateFromSerial(date).day);
    row.DayName = GetDayName(static_cast<std::int16_t>(WeekdayOf(date)));

    const std::string& sunRise = today.sunRise;
    const std::string& sunSet = today.sunSet;
    if (mRiseSet::IsStatusText(sunRise)) {
        // An empty sunrise (the sun only sets) reads the same as a day without events.
        row.SRise = "never";
        row.SSet = sunRise == "up" ? "sets" : "rises";
    } else {
        row.SRise = sunRise;
        row.SSet = sunSet;
    }

    const std::string moonRise = CorrectedMoonRise(today);
    const std::string moonSet = today.moonSet.empty() ? ":" : today.moonSet;
    row.MRise = ShownMoonRise(today);
    if (mRiseSet::IsStatusText(moonRise)) {
        row.MSet = moonRise == "up" ? "sets" : "rises";
    } else {
        row.MSet = moonSet;
    }

    FillPhaseAndRating(row, julianDay);

    // The periods read the moon texts before "never"/"sets"/"rises" replace them.
    mRiseSet::ActivityTimes times =
        mRiseSet::MajorMinorTimes(previousRise, moonRise, moonSet, nextSet);
    StoreOrdered(std::move(times.Major1), std::move(times.Major2), row.Maj1, row.Maj2);
    StoreOrdered(std::move(times.Minor1), std::move(times.Minor2), row.Min1, row.Min2);
}

// Walks the month day by day. `eventsOf(date, wanted)` gives the raw event times of a
// date; every date's times depend on that date alone, so any source that answers the
// same gives the same table.
template <class EventsOf>
MonthTable BuildMonth(std::int16_t month, std::int16_t year, EventsOf&& eventsOf) {
    CheckMonthAndYear(month, year);
    MonthTable table;
    table.Month = month;
    table.Year = year;
    const int dayCount = DaysInMonth(year, month);
    table.rows.reserve(static_cast<std::size_t>(dayCount));

    DaySerial date = DateSerial(year, month, 1);
    std::int32_t julianDay = mRiseSet::JulianDayNumber(year, month, 1);
    std::string previousRise;
    for (int dayOfMonth = 1; dayOfMonth <= dayCount; ++dayOfMonth) {
        if (dayOfMonth == 1) {
            previousRise = eventsOf(date - 1, EventsWanted{false, true, false}).moonRise;
        }
        const std::string& nextSet = eventsOf(date + 1, EventsWanted{false, false, true}).moonSet;

        const DateEvents& today = eventsOf(date, EventsWanted{true, true, true});
        BuildRow(table.rows.emplace_back(), date, julianDay, today, previousRise, nextSet);
        // The next row's previous moonrise is this row's as shown, "never" or ":" included.
        previousRise = table.rows.back().MRise;
        ++date;
        ++julianDay;
    }
    return table;
}

// The transit-based activity times in place of the rows' own, when chosen.
void ApplyOptions(MonthTable& table, const PlaceTexts& texts, const MonthOptions& options) {
    if (!options.transitPeriods) {
        return;
    }
    for (DayRow& row : table.rows) {
        SetTransitPeriods(row, texts, DateSerial(table.Year, table.Month, row.Day));
    }
}

}  // namespace

namespace {

// `count` consecutive months from `month` of `year`. Each date from the day before the
// first month to the day after the last is searched once, with one pass per body; the
// rows then read the stored answers, so where two months meet nothing is searched twice.
std::vector<MonthTable> CalculateMonthsBy(SearchPath path, const PlaceValues& place,
                                          std::string_view record, std::int16_t month,
                                          std::int16_t year, int count,
                                          const MonthOptions& options) {
    std::vector<std::pair<std::int16_t, std::int16_t>> months;  // month, year
    for (int i = 0; i < count; ++i) {
        CheckMonthAndYear(month, year);
        months.emplace_back(month, year);
        month = static_cast<std::int16_t>(month % 12 + 1);
        year = static_cast<std::int16_t>(month == 1 ? year + 1 : year);
    }
    std::vector<MonthTable> tables;
    if (months.empty()) {
        return tables;
    }
    const PlaceTexts texts = MakePlaceTexts(place, record);
    const DaySerial dayBefore = DateSerial(months.front().second, months.front().first, 1) - 1;
    const DaySerial dayAfter = DateSerial(months.back().second, months.back().first,
                                          DaysInMonth(months.back().second, months.back().first)) +
                               1;
    std::vector<DateEvents> stored;
    stored.reserve(static_cast<std::size_t>(dayAfter - dayBefore + 1));
    for (DaySerial date = dayBefore; date <= dayAfter; ++date) {
        const bool inMonths = date != dayBefore && date != dayAfter;
        stored.push_back(EventsByBody(texts, date, EventsWanted{inMonths, true, true}, path));
    }
    tables.reserve(months.size());
    for (const auto& [m, y] : months) {
        tables.push_back(BuildMonth(m, y, [&](DaySerial date, EventsWanted) -> const DateEvents& {
            return stored[static_cast<std::size_t>(date - dayBefore)];
        }));
        ApplyOptions(tables.back(), texts, options);
    }
    return tables;
}

}  // namespace

MonthTable CalculateMonth(const PlaceValues& place, std::string_view record, std::int16_t month,
                          std::int16_t year, const MonthOptions& options) {
    return std::move(
        CalculateMonthsBy(SearchPath::Fastest, place, record, month, year, 1, options).front());
}

std::vector<MonthTable> CalculateMonths(const PlaceValues& place, std::string_view record,
                                        std::int16_t firstMonth, std::int16_t firstYear, int count,
                                        const MonthOptions& options) {
    return CalculateMonthsBy(SearchPath::Fastest, place, record, firstMonth, firstYear, count,
                             options);
}

MonthTable CalculateMonthExact(const PlaceValues& place, std::string_view record,
                               std::int16_t month, std::int16_t year, const MonthOptions& options) {
    return std::move(
        CalculateMonthsBy(SearchPath::Exact, place, record, month, year, 1, options).front());
}

MonthTable CalculateMonthRows(const PlaceValues& place, std::string_view record, std::int16_t month,
                              std::int16_t year,
                              const std::function<bool(const DayRow& day)>& wanted,
                              const MonthOptions& options) {
    CheckMonthAndYear(month, year);
    const PlaceTexts texts = MakePlaceTexts(place, record);
    const DaySerial dayBefore = DateSerial(year, month, 1) - 1;
    const int dayCount = DaysInMonth(year, month);

    // First what a row shows without any rise or set search (day, weekday, phase, rating),
    // which is all that `wanted` may look at.
    std::vector<bool> isWanted(static_cast<std::size_t>(dayCount) + 2, false);
    std::int32_t julianDay = mRiseSet::JulianDayNumber(year, month, 1);
    for (int dayOfMonth = 1; dayOfMonth <= dayCount; ++dayOfMonth, ++julianDay) {
        DayRow cheap;
        cheap.Day = static_cast<std::int16_t>(dayOfMonth);
        cheap.DayName = GetDayName(static_cast<std::int16_t>(WeekdayOf(dayBefore + dayOfMonth)));
        FillPhaseAndRating(cheap, julianDay);
        isWanted[static_cast<std::size_t>(dayOfMonth)] = wanted(cheap);
    }

    // Each date is searched once, when a wanted row first needs it (the row's own date, the
    // day before for its moonrise, the day after for its moonset); the sun only for the
    // wanted dates themselves.
    std::vector<std::optional<DateEvents>> stored(static_cast<std::size_t>(dayCount) + 2);
    const auto eventsOf = [&](DaySerial date) -> const DateEvents& {
        const auto offset = static_cast<std::size_t>(date - dayBefore);
        if (!stored[offset]) {
            stored[offset] = EventsByBody(texts, date, EventsWanted{isWanted[offset], true, true});
        }
        return *stored[offset];
    };

    MonthTable table;
    table.Month = month;
    table.Year = year;
    julianDay = mRiseSet::JulianDayNumber(year, month, 1);
    for (int dayOfMonth = 1; dayOfMonth <= dayCount; ++dayOfMonth, ++julianDay) {
        if (!isWanted[static_cast<std::size_t>(dayOfMonth)]) {
            continue;
        }
        const DaySerial date = dayBefore + dayOfMonth;
        // The previous moonrise as BuildMonth passes it: the day before the month as
        // searched, any other day as its row shows it.
        const std::string previousRise =
            dayOfMonth == 1 ? eventsOf(date - 1).moonRise : ShownMoonRise(eventsOf(date - 1));
        const std::string& nextSet = eventsOf(date + 1).moonSet;
        BuildRow(table.rows.emplace_back(), date, julianDay, eventsOf(date), previousRise, nextSet);
    }
    ApplyOptions(table, texts, options);
    return table;
}

MonthTable CalculateMonthFrom(
    std::int16_t month, std::int16_t year,
    const std::function<DateEvents(DaySerial date, EventsWanted wanted)>& eventsOf) {
    return BuildMonth(month, year, eventsOf);
}

}  // namespace quintrel
