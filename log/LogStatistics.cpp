#include "log/LogStatistics.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <exception>
#include <limits>
#include <map>
#include <numbers>
#include <thread>

#include "astro/CivilDate.h"
#include "locations/Encoding.h"
#include "locations/PlaceValues.h"
#include "log/LogCsv.h"
#include "table/CalculateMonth.h"
#include "tides/TideDatabase.h"

namespace quintrel::logbook {

namespace {

constexpr int kMinutesPerDay = 1440;
// The month tables each outing needs: the day before its date to two days after (an
// outing past midnight has its next day's neighbours too).
constexpr int kFirstDayOffset = -1;
constexpr int kLastDayOffset = 2;
constexpr int kDayOffsets = kLastDayOffset - kFirstDayOffset + 1;
// Months computed together: the dates where they meet are searched once.
constexpr int kMonthsPerRun = 12;

// The one place where the month tables of the statistics are computed: the same
// computation as the report's, with the same choice of activity times.
std::vector<MonthTable> ComputeMonthRun(const PlaceValues& place, const std::string& record,
                                        int firstMonthIndex, int count, bool transit) {
    return CalculateMonths(place, record, static_cast<std::int16_t>(firstMonthIndex % 12 + 1),
                           static_cast<std::int16_t>(firstMonthIndex / 12), count,
                           MonthOptions{transit});
}

// Minutes after midnight of a table's time text ("hh:mm", up to "24:00"); -1 for ":" and
// the words.
int TableMinutes(std::string_view text) {
    if (text.size() != 5 || text[2] != ':') {
        return -1;
    }
    int hours = 0;
    int minutes = 0;
    if (std::from_chars(text.data(), text.data() + 2, hours).ptr != text.data() + 2 ||
        std::from_chars(text.data() + 3, text.data() + 5, minutes).ptr != text.data() + 5) {
        return -1;
    }
    return hours <= 24 && minutes < 60 ? hours * 60 + minutes : -1;
}

struct PlaceMonths {
    std::string record;  // Windows-1252, as the table reads it
    PlaceValues place;
    bool usable = true;
    std::map<int, MonthTable> months;  // by year * 12 + month - 1
};

struct Job {
    PlaceMonths* place;
    int firstMonthIndex;
    int count;
};

// Computes every job, `threads` at a time; a month the table cannot compute stays absent.
void RunJobs(std::vector<Job>& jobs, bool transit, int threads) {
    std::vector<std::vector<MonthTable>> results(jobs.size());
    std::vector<std::exception_ptr> failures(jobs.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) {
            try {
                results[i] = ComputeMonthRun(jobs[i].place->place, jobs[i].place->record,
                                             jobs[i].firstMonthIndex, jobs[i].count, transit);
            } catch (const LogError&) {
                failures[i] = std::current_exception();
            } catch (const std::exception&) {
                // A date the table cannot take (the first or last years it knows): its
                // days stay without a table and the outings on them are skipped.
            }
        }
    };
    std::vector<std::thread> workers;
    for (int i = 1; i < threads; ++i) {
        workers.emplace_back(work);
    }
    work();
    for (std::thread& worker : workers) {
        worker.join();
    }
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (failures[i]) {
            std::rethrow_exception(failures[i]);
        }
        for (MonthTable& table : results[i]) {
            const int index = table.Year * 12 + table.Month - 1;
            jobs[i].place->months.emplace(index, std::move(table));
        }
    }
}

const DayRow* RowOf(const PlaceMonths& place, const CivilDate& date) {
    const auto found = place.months.find(date.year * 12 + date.month - 1);
    if (found == place.months.end() ||
        static_cast<std::size_t>(date.day) > found->second.rows.size()) {
        return nullptr;
    }
    return &found->second.rows[static_cast<std::size_t>(date.day - 1)];
}

int RatingBin(const std::string& rating) {
    for (std::size_t i = 0; i + 1 < kRatingNames.size(); ++i) {
        if (rating == kRatingNames[i]) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(kRatingNames.size()) - 1;
}

// The activity times of the days around an outing's date, in minutes from the midnight
// that starts it; periods[k] holds day offset k + kFirstDayOffset.
struct DayPeriods {
    std::array<std::vector<int>, kDayOffsets> periods;

    // Minutes from `minute` (its day offset found from it) to the nearest time of its day,
    // the day before or after; infinity when none has one.
    double Distance(int minute) const {
        const int dayOffset =
            static_cast<int>(std::floor(static_cast<double>(minute) / kMinutesPerDay));
        double nearest = std::numeric_limits<double>::infinity();
        for (int day = dayOffset - 1; day <= dayOffset + 1; ++day) {
            if (day < kFirstDayOffset || day > kLastDayOffset) {
                continue;
            }
            for (const int time : periods[static_cast<std::size_t>(day - kFirstDayOffset)]) {
                nearest = std::min(nearest, std::abs(static_cast<double>(minute - time)));
            }
        }
        return nearest;
    }
};

std::string Fixed(double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

double Fraction(long long part, long long whole) {
    return whole > 0 ? static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

std::string Padded(std::string_view text, std::size_t width, bool right) {
    const std::string padding(text.size() < width ? width - text.size() : 0, ' ');
    return right ? padding + std::string(text) : std::string(text) + padding;
}

}  // namespace

int MoonPhaseBin(double percentLit, bool waxing) {
    // The lit share k = (1 - cos e) / 2 of elongation e; waning is the second half-turn.
    const double lit = std::clamp(percentLit / 100.0, 0.0, 1.0);
    double degrees = std::acos(1.0 - 2.0 * lit) * 180.0 / std::numbers::pi;
    if (!waxing) {
        degrees = 360.0 - degrees;
    }
    return static_cast<int>(std::floor((degrees + 22.5) / 45.0)) % 8;
}

int MinuteBand(double minutes) {
    for (std::size_t i = 0; i < kMinuteBandUpperEdges.size(); ++i) {
        if (minutes <= kMinuteBandUpperEdges[i]) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(kMinuteBandUpperEdges.size());
}

int TideBand(double minutes) {
    for (std::size_t i = 0; i < kTideBandUpperMinutes.size(); ++i) {
        if (minutes <= kTideBandUpperMinutes[i]) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(kTideBandUpperMinutes.size());
}

LogStatistics ComputeStatistics(const std::vector<OutingEntries>& entries,
                                const StatisticsOptions& options) {
    // Which months of which place are needed, each once.
    std::map<std::string, PlaceMonths> places;  // by the stored (UTF-8) record
    std::map<PlaceMonths*, std::vector<int>> wanted;
    std::vector<std::pair<PlaceMonths*, DaySerial>> outingDays(entries.size(), {nullptr, 0});
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Outing& outing = entries[i].outing;
        if (!IsLogDate(outing.date)) {
            continue;
        }
        auto [slot, added] = places.try_emplace(outing.record);
        PlaceMonths& place = slot->second;
        if (added) {
            place.record = Utf8ToCp1252(outing.record);
            try {
                ParseSelectedLocation(place.record, place.place);
            } catch (const std::exception&) {
                place.usable = false;
            }
        }
        if (!place.usable) {
            continue;
        }
        const DaySerial serial =
            DateSerial(std::stoi(outing.date.substr(0, 4)), std::stoi(outing.date.substr(5, 2)),
                       std::stoi(outing.date.substr(8, 2)));
        outingDays[i] = {&place, serial};
        std::vector<int>& months = wanted[&place];
        for (int offset = kFirstDayOffset; offset <= kLastDayOffset; ++offset) {
            const CivilDate day = DateFromSerial(serial + offset);
            months.push_back(day.year * 12 + day.month - 1);
        }
    }
    std::vector<Job> jobs;
    for (auto& [place, months] : wanted) {
        std::sort(months.begin(), months.end());
        months.erase(std::unique(months.begin(), months.end()), months.end());
        for (std::size_t i = 0; i < months.size();) {
            std::size_t end = i + 1;
            while (end < months.size() && months[end] == months[end - 1] + 1 &&
                   end - i < static_cast<std::size_t>(kMonthsPerRun)) {
                ++end;
            }
            jobs.push_back({place, months[i], static_cast<int>(end - i)});
            i = end;
        }
    }
    const int threads = options.threads > 0
                            ? options.threads
                            : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    RunJobs(jobs, options.transitActivityTimes,
            std::min<int>(threads, std::max<int>(1, static_cast<int>(jobs.size()))));

    LogStatistics statistics;
    std::array<long long, 4> bandMinutes{};
    std::array<long long, 4> tideCatches{};
    // Whether each place (by its stored record) has a tide station, asked once; the
    // timed catches there, asked together at the end.
    std::map<std::string, bool> tidePlaces;
    std::vector<TideQuery> tideQueries;
    std::vector<long long> tideCounts;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto [place, serial] = outingDays[i];
        const OutingEntries& outing = entries[i];
        DayPeriods days;
        const DayRow* rows[kDayOffsets] = {};
        bool complete = place != nullptr;
        for (int offset = kFirstDayOffset; complete && offset <= kLastDayOffset; ++offset) {
            const DayRow* row = RowOf(*place, DateFromSerial(serial + offset));
            rows[offset - kFirstDayOffset] = row;
            complete = row != nullptr;
            if (row != nullptr) {
                for (const std::string* time : {&row->Maj1, &row->Maj2, &row->Min1, &row->Min2}) {
                    const int minutes = TableMinutes(*time);
                    if (minutes >= 0) {
                        days.periods[static_cast<std::size_t>(offset - kFirstDayOffset)].push_back(
                            minutes + offset * kMinutesPerDay);
                    }
                }
            }
        }
        if (!complete) {
            ++statistics.skippedOutings;
            continue;
        }
        const DayRow& day = *rows[-kFirstDayOffset];
        ++statistics.outings;
        RatingRow& rating = statistics.byRating[static_cast<std::size_t>(RatingBin(day.Rating))];
        ++rating.outings;
        const auto phaseOf = [](const DayRow& row) {
            double percent = 0;
            std::from_chars(row.Phase.data(), row.Phase.data() + row.Phase.size(), percent);
            return static_cast<std::size_t>(MoonPhaseBin(percent, row.WaxWan == "+"));
        };
        ++statistics.byMoonPhase[phaseOf(day)].outings;
        bool tidesHere = false;
        if (options.tides != nullptr) {
            auto [known, added] = tidePlaces.try_emplace(outing.outing.record, false);
            if (added) {
                known->second = options.tides->HasStation(outing.outing.record);
            }
            tidesHere = known->second;
            if (tidesHere) {
                ++statistics.tideOutings;
            }
        }

        const int start = MinutesOfDay(outing.outing.start);
        int end = MinutesOfDay(outing.outing.end);
        const bool pastMidnight = start >= 0 && end >= 0 && end < start;
        if (pastMidnight) {
            end += kMinutesPerDay;
        }
        int firstCatch = std::numeric_limits<int>::max();
        int lastCatch = std::numeric_limits<int>::min();
        for (const Catch& entry : outing.catches) {
            statistics.catches += entry.count;
            rating.catches += entry.count;
            int minute = MinutesOfDay(entry.time);
            const bool nextDay = pastMidnight && minute >= 0 && minute < start;
            const DayRow& catchDay = nextDay ? *rows[1 - kFirstDayOffset] : day;
            statistics.byMoonPhase[phaseOf(catchDay)].catches += entry.count;
            if (minute < 0) {
                continue;
            }
            if (nextDay) {
                minute += kMinutesPerDay;
            }
            firstCatch = std::min(firstCatch, minute);
            lastCatch = std::max(lastCatch, minute);
            statistics.timedCatches += entry.count;
            statistics.byMinutes[static_cast<std::size_t>(MinuteBand(days.Distance(minute)))]
                .catches += entry.count;
            if (tidesHere) {
                // A catch after midnight of an outing that runs past it is on the next day.
                tideQueries.push_back(
                    {&outing.outing.record, serial + (nextDay ? 1 : 0), minute % kMinutesPerDay});
                tideCounts.push_back(entry.count);
            }
        }
        int from = start;
        int to = end;
        if (start < 0 || end < 0) {
            from = firstCatch;
            to = lastCatch;
        }
        if (from == std::numeric_limits<int>::max()) {
            continue;  // neither times nor timed catches: no hours to count
        }
        if (to - from < 60) {
            const int middle = from + (to - from) / 2;
            from = middle - 30;
            to = from + 60;
        }
        for (int minute = from; minute < to; ++minute) {
            ++bandMinutes[static_cast<std::size_t>(MinuteBand(days.Distance(minute)))];
        }
        statistics.minutesFished += to - from;
    }
    for (RatingRow& row : statistics.byRating) {
        row.perOuting = row.outings > 0 ? static_cast<double>(row.catches) / row.outings : 0.0;
    }
    for (std::size_t i = 0; i < statistics.byMinutes.size(); ++i) {
        MinutesRow& row = statistics.byMinutes[i];
        row.minutesFished = bandMinutes[i];
        row.share = Fraction(row.catches, statistics.timedCatches);
        row.hoursShare = Fraction(bandMinutes[i], statistics.minutesFished);
    }
    if (options.tides != nullptr) {
        const std::vector<std::optional<double>> fromTurn =
            options.tides->MinutesFromTurns(tideQueries, threads);
        for (std::size_t i = 0; i < fromTurn.size() && i < tideCounts.size(); ++i) {
            if (fromTurn[i]) {
                tideCatches[static_cast<std::size_t>(TideBand(*fromTurn[i]))] += tideCounts[i];
                statistics.tideCatches += tideCounts[i];
            }
        }
        statistics.byTide.emplace();
        for (std::size_t i = 0; i < tideCatches.size(); ++i) {
            (*statistics.byTide)[i] = {tideCatches[i],
                                       Fraction(tideCatches[i], statistics.tideCatches)};
        }
        for (const auto& [record, hasStation] : tidePlaces) {
            if (!hasStation) {
                statistics.placesWithoutTides.push_back(record);
            }
        }
    }
    statistics.tooFewOutings = statistics.outings < kFewestOutings;
    return statistics;
}

std::string StatisticsCsv(const LogStatistics& statistics) {
    std::string text = "Rating,Outings,Catches,Per outing\r\n";
    for (std::size_t i = 0; i < kRatingNames.size(); ++i) {
        const RatingRow& row = statistics.byRating[i];
        text += std::string(kRatingNames[i]) + "," + std::to_string(row.outings) + "," +
                std::to_string(row.catches) + "," + Fixed(row.perOuting, 2) + "\r\n";
    }
    text += "\r\nMinutes,Catches,Share,Hours share\r\n";
    for (std::size_t i = 0; i < kMinuteBandNames.size(); ++i) {
        const MinutesRow& row = statistics.byMinutes[i];
        text += std::string(kMinuteBandNames[i]) + "," + std::to_string(row.catches) + "," +
                Fixed(row.share, 3) + "," + Fixed(row.hoursShare, 3) + "\r\n";
    }
    if (HasTideChart(statistics)) {
        text += "\r\nHours from high or low water,Catches,Share\r\n";
        for (std::size_t i = 0; i < kTideBandNames.size(); ++i) {
            const TideRow& row = (*statistics.byTide)[i];
            text += std::string(kTideBandNames[i]) + "," + std::to_string(row.catches) + "," +
                    Fixed(row.share, 3) + "\r\n";
        }
    }
    return text;
}

std::string StatisticsText(const LogStatistics& statistics) {
    std::string text = "Catches per outing by day rating (" + std::to_string(statistics.outings) +
                       " outings, " + std::to_string(statistics.catches) + " catches)\n";
    text += "Rating   Outings   Catches  Per outing\n";
    for (std::size_t i = 0; i < kRatingNames.size(); ++i) {
        const RatingRow& row = statistics.byRating[i];
        text += Padded(kRatingNames[i], 6, false) + Padded(std::to_string(row.outings), 10, true) +
                Padded(std::to_string(row.catches), 10, true) +
                Padded(Fixed(row.perOuting, 2), 12, true) + "\n";
    }
    text += "\nCatches by minutes from the nearest major or minor time (" +
            std::to_string(statistics.timedCatches) + " catches with a time, " +
            Fixed(static_cast<double>(statistics.minutesFished) / 60.0, 1) + " hours fished)\n";
    text += "Minutes   Catches   Share  Hours share\n";
    for (std::size_t i = 0; i < kMinuteBandNames.size(); ++i) {
        const MinutesRow& row = statistics.byMinutes[i];
        text += Padded(kMinuteBandNames[i], 7, false) +
                Padded(std::to_string(row.catches), 10, true) +
                Padded(Fixed(row.share, 3), 8, true) + Padded(Fixed(row.hoursShare, 3), 13, true) +
                "\n";
    }
    text += "\nCatches by moon phase\n";
    text += "Phase             Outings   Catches\n";
    for (std::size_t i = 0; i < kMoonPhaseNames.size(); ++i) {
        const PhaseRow& row = statistics.byMoonPhase[i];
        text += Padded(kMoonPhaseNames[i], 16, false) +
                Padded(std::to_string(row.outings), 9, true) +
                Padded(std::to_string(row.catches), 10, true) + "\n";
    }
    if (HasTideChart(statistics)) {
        text += "\nCatches by hours from the nearest high or low water (" +
                std::to_string(statistics.tideCatches) + " catches with a time, " +
                std::to_string(statistics.tideOutings) + " outings at a tide station)\n";
        text += "Hours     Catches   Share\n";
        for (std::size_t i = 0; i < kTideBandNames.size(); ++i) {
            const TideRow& row = (*statistics.byTide)[i];
            text += Padded(kTideBandNames[i], 7, false) +
                    Padded(std::to_string(row.catches), 10, true) +
                    Padded(Fixed(row.share, 3), 8, true) + "\n";
        }
    }
    if (const std::string note = NoTideStationNote(statistics); !note.empty()) {
        text += "\n" + note + "\n";
    }
    if (statistics.skippedOutings > 0) {
        text += "\n" + std::to_string(statistics.skippedOutings) +
                " outings left out: their place or date cannot be computed\n";
    }
    return text;
}

std::string TooFewOutingsNote(const LogStatistics& statistics) {
    return "Only " + std::to_string(statistics.outings) + " outing" +
           (statistics.outings == 1 ? "" : "s") + " in the log: at least " +
           std::to_string(kFewestOutings) + " are needed before these numbers say anything";
}

bool HasTideChart(const LogStatistics& statistics) {
    return statistics.byTide.has_value() && statistics.tideOutings > 0;
}

std::string NoTideStationNote(const LogStatistics& statistics) {
    if (statistics.placesWithoutTides.empty()) {
        return {};
    }
    std::string names;
    for (std::size_t i = 0; i < statistics.placesWithoutTides.size(); ++i) {
        if (i > 0) {
            names += i + 1 == statistics.placesWithoutTides.size() ? " and " : ", ";
        }
        names += PlaceNameOfRecord(statistics.placesWithoutTides[i]);
    }
    const auto radius = static_cast<int>(tides::kStationRadiusKm);
    return "No tide station within " + std::to_string(radius) + " km of " + names +
           ": the tide chart leaves their catches out";
}

}  // namespace quintrel::logbook
