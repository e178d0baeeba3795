// The month table on the real clock, checked against an independent reference: the
// engine's exact search run on UTC dates, every rise and set then read on the clock of the
// system's time-zone database. Every change day and the day after, 2026-2033, for six
// places whose records carry the hour of the change.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "astro/CivilDate.h"
#include "astro/RiseSetSearch.h"
#include "astro/mRiseSet.h"
#include "gazetteer/SystemTimeZones.h"
#include "locations/PlaceValues.h"
#include "locations/RealClock.h"
#include "table/CalculateMonth.h"

namespace quintrel {
namespace {

constexpr int kFirstYear = 2026;
constexpr int kYears = 8;
constexpr DaySerial kUnixEpochSerial = 25569;

struct SweepPlace {
    const char* zone;
    const char* record;  // as in the shipped locs.dat
};

const SweepPlace kPlaces[] = {
    {"America/New_York", "0USA - New York       New York         + 40 43- 74  0-   51022103021111"},
    {"America/Denver", "1USA - Colorado       Denver           + 39 44-104 59-   71022103021111"},
    {"Europe/London", "0UK - England         London           + 51 30-  0  8+   01015103025110"},
    {"Europe/Berlin", "1Germany              Berlin           + 52 31+ 13 24+   11025103035110"},
    {"Australia/Sydney", "0Australia - NSW      Sydney           - 33 52+151 13+  101021110031104"},
    {"Pacific/Auckland", "0New Zealand          Auckland         - 36 51+174 46+  121025109031104"},
};

DaySerial DayOf(std::int64_t seconds) {
    return static_cast<DaySerial>(std::floor(static_cast<double>(seconds) / 86400.0)) +
           kUnixEpochSerial;
}

// The database's clock: the offset after the last change at or before the instant.
int OffsetAt(const ZoneReading& zone, std::int64_t instant) {
    int offset =
        zone.transitions.empty() ? zone.standardOffset : zone.transitions.front().offsetBefore;
    for (const ZoneTransition& t : zone.transitions) {
        if (t.utcSeconds <= instant) {
            offset = t.offsetAfter;
        }
    }
    return offset;
}

// Minutes from 00:00 of `date` to the database clock's reading at an instant.
int ReadingMinutes(const ZoneReading& zone, DaySerial date, std::int64_t instant) {
    const std::int64_t local = instant + OffsetAt(zone, instant);
    return static_cast<int>(std::floor(static_cast<double>(local - UtcMidnight(date)) / 60.0));
}

// The first instant the database's clock reads `date` (no change here is at midnight).
std::int64_t DayStart(const ZoneReading& zone, DaySerial date) {
    std::int64_t guess = UtcMidnight(date) - zone.standardOffset;
    for (int pass = 0; pass < 2; ++pass) {
        guess = UtcMidnight(date) - OffsetAt(zone, guess);
    }
    return guess;
}

enum Kind { SunRise, SunSet, MoonRise, MoonSet };

// Every event of a kind between two instants, from the exact search on UTC dates.
std::vector<std::int64_t> ReferenceEvents(const PlaceValues& place, Kind kind, std::int64_t from,
                                          std::int64_t to) {
    const bool moon = kind == MoonRise || kind == MoonSet;
    const bool rise = kind == SunRise || kind == MoonRise;
    std::vector<std::int64_t> found;
    for (DaySerial d = DayOf(from) - 1; d <= DayOf(to) + 1; ++d) {
        const CivilDate c = DateFromSerial(d);
        const mRiseSet::RiseSetHours hours = mRiseSet::SearchRiseSet(mRiseSet::MakeBodySearch(
            moon ? "M" : "", place.PlaceLatitude, place.PlaceLongitude, 0,
            static_cast<std::int16_t>(c.year), static_cast<std::int16_t>(c.month),
            static_cast<std::int16_t>(c.day)));
        if (!(rise ? hours.riseFound : hours.setFound)) {
            continue;
        }
        const std::int64_t t =
            UtcMidnight(d) + std::llround((rise ? hours.riseHours : hours.setHours) * 3600);
        const bool known = std::any_of(found.begin(), found.end(),
                                       [&](std::int64_t f) { return std::llabs(f - t) < 1800; });
        if (!known && from <= t && t < to) {
            found.push_back(t);
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::optional<int> MinutesOf(const std::string& text) {
    if (!mRiseSet::IsTimeText(text)) {
        return std::nullopt;
    }
    return ((text[0] - '0') * 10 + (text[1] - '0')) * 60 + (text[3] - '0') * 10 + (text[4] - '0');
}

const std::string& Cell(const DayRow& row, Kind kind) {
    switch (kind) {
        case SunRise:
            return row.SRise;
        case SunSet:
            return row.SSet;
        case MoonRise:
            return row.MRise;
        case MoonSet:
            break;
    }
    return row.MSet;
}

struct Tally {
    int events = 0;       // reference events on the days checked
    int shown = 0;        // of them shown within the allowance
    int wrong = 0;        // a time shown, but off by more than the allowance
    int lost = 0;         // no time shown though the day has the event
    int secondOfDay = 0;  // a second event of a kind on a 25-hour day, which one cell cannot show
    int spurious = 0;     // a time shown for an event the day does not have
    int daysAfter = 0, daysAfterWithoutPeriods = 0;
    double worstSun = 0, worstMoon = 0;
};

TEST(RealClockSweep, ChangeDaysAndTheDaysAfterMatchTheTimeZoneDatabase) {
    Tally tally;
    std::vector<std::string> faults;
    for (const SweepPlace& sweep : kPlaces) {
        const ZoneReading zone = ReadSystemZone(sweep.zone, kFirstYear, kYears);
        PlaceValues place;
        ParseSelectedLocation(sweep.record, place);
        std::map<std::pair<int, int>, MonthTable> tables;
        const auto rowOf = [&](DaySerial date) -> const DayRow& {
            const CivilDate c = DateFromSerial(date);
            auto it = tables.find({c.year, c.month});
            if (it == tables.end()) {
                it = tables
                         .emplace(
                             std::make_pair(c.year, c.month),
                             CalculateMonth(place, sweep.record, static_cast<std::int16_t>(c.month),
                                            static_cast<std::int16_t>(c.year)))
                         .first;
            }
            return it->second.rows[static_cast<std::size_t>(c.day - 1)];
        };
        for (const ZoneTransition& change : zone.transitions) {
            const DaySerial changeDay = DayOf(change.utcSeconds + change.offsetBefore);
            if (DateFromSerial(changeDay).year < kFirstYear ||
                DateFromSerial(changeDay).year >= kFirstYear + kYears) {
                continue;
            }
            for (const DaySerial date : {changeDay, changeDay + 1}) {
                const DayRow& row = rowOf(date);
                const std::string where = std::string(sweep.zone) + " " +
                                          std::to_string(DateFromSerial(date).year) + "-" +
                                          std::to_string(DateFromSerial(date).month) + "-" +
                                          std::to_string(DateFromSerial(date).day);
                for (const Kind kind : {SunRise, SunSet, MoonRise, MoonSet}) {
                    const std::vector<std::int64_t> events = ReferenceEvents(
                        place, kind, DayStart(zone, date), DayStart(zone, date + 1));
                    const std::optional<int> shown = MinutesOf(Cell(row, kind));
                    tally.events += static_cast<int>(events.size());
                    if (events.empty()) {
                        if (shown) {
                            ++tally.spurious;
                            faults.push_back(where + ": " + Cell(row, kind) + " has no event");
                        }
                        continue;
                    }
                    tally.secondOfDay += static_cast<int>(events.size()) - 1;
                    if (!shown) {
                        ++tally.lost;
                        faults.push_back(where + ": lost an event, shows " + Cell(row, kind));
                        continue;
                    }
                    int best = 100000;
                    for (const std::int64_t e : events) {
                        best = std::min(best, std::abs(ReadingMinutes(zone, date, e) - *shown));
                    }
                    const bool moon = kind == MoonRise || kind == MoonSet;
                    double& worst = moon ? tally.worstMoon : tally.worstSun;
                    worst = std::max(worst, static_cast<double>(best));
                    if (best > (moon ? 4 : 3)) {
                        ++tally.wrong;
                        faults.push_back(where + ": " + Cell(row, kind) + " is " +
                                         std::to_string(best) + " minutes off");
                    } else {
                        ++tally.shown;
                    }
                }
                if (date == changeDay + 1) {
                    ++tally.daysAfter;
                    if (!MinutesOf(row.Maj1)) {
                        ++tally.daysAfterWithoutPeriods;
                        faults.push_back(where + ": no activity times");
                    }
                }
            }
        }
    }
    std::cout << "events " << tally.events << ", shown within 3/4 min " << tally.shown << ", wrong "
              << tally.wrong << ", lost " << tally.lost << ", second of a kind on a 25-hour day "
              << tally.secondOfDay << ", spurious " << tally.spurious << "; worst sun "
              << tally.worstSun << " min, worst moon " << tally.worstMoon
              << " min; days after a change " << tally.daysAfter << ", without activity times "
              << tally.daysAfterWithoutPeriods << "\n";
    for (const std::string& fault : faults) {
        ADD_FAILURE() << fault;
    }
    EXPECT_GT(tally.events, 700);
    EXPECT_EQ(tally.shown + tally.secondOfDay, tally.events);
}

}  // namespace
}  // namespace quintrel
