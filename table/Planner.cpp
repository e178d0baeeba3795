#include "table/Planner.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <thread>
#include <tuple>

#include "astro/CalendarNames.h"
#include "astro/CoreError.h"
#include "astro/NumberText.h"
#include "astro/mRiseSet.h"
#include "locations/PlaceValues.h"
#include "table/CalculateMonth.h"
#include "table/TableYears.h"

namespace quintrel {

namespace {

constexpr int kMinutesPerDay = 24 * 60;

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

struct Interval {
    int from = 0;
    int to = 0;
};

// The stretches of the day from half an hour before sunrise to half an hour after sunset.
// A sun that never sets makes the whole day count, one that never rises none of it; a set
// before the rise (high latitudes) gives a morning and an evening stretch.
std::vector<Interval> DaylightStretches(const DayRow& row) {
    if (row.SRise == "never") {
        if (row.SSet == "sets") {
            return {{0, kMinutesPerDay}};
        }
        return {};
    }
    const std::optional<int> rise = mRiseSet::ClockTextMinutes(row.SRise);
    const std::optional<int> set = mRiseSet::ClockTextMinutes(row.SSet);
    const int m = kDaylightMarginMinutes;
    if (rise && set) {
        if (*rise <= *set) {
            return {{*rise - m, *set + m}};
        }
        return {{0, *set + m}, {*rise - m, kMinutesPerDay}};
    }
    if (rise) {
        return {{*rise - m, kMinutesPerDay}};
    }
    if (set) {
        return {{0, *set + m}};
    }
    return {};
}

struct Period {
    const char* kind;
    const std::string* text;
    bool major;
};

// The filters a row passes or fails on its day, weekday and rating alone.
bool PassesCheapFilters(const DayRow& row, const PlanFilters& filters) {
    if (RatingRank(row.Rating) < filters.minRatingRank) {
        return false;
    }
    const std::int16_t weekday = WeekdayNumber(row.DayName);
    return weekday != 0 && (filters.weekdays & (1u << (weekday - 1))) != 0;
}

int UnitCount(const PlanRequest& request) {
    return static_cast<int>(request.places.size()) * request.monthCount;
}

}  // namespace

std::optional<WeekdaySet> ParseWeekdays(std::string_view text) {
    const std::string lower = Lower(Trim(text));
    if (lower == "all") {
        return kEveryWeekday;
    }
    if (lower == "weekend") {
        return static_cast<WeekdaySet>(1u | (1u << 6));
    }
    WeekdaySet days = 0;
    std::string_view rest = lower;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view item = Trim(rest.substr(0, comma));
        bool known = false;
        for (std::int16_t weekday = 1; weekday <= 7; ++weekday) {
            const std::string name = Lower(GetDayName(weekday));
            if (item.size() >= 3 && name.starts_with(item)) {
                days = static_cast<WeekdaySet>(days | (1u << (weekday - 1)));
                known = true;
            }
        }
        if (!known) {
            return std::nullopt;
        }
        if (comma == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
    }
    return days;
}

std::string WeekdaysText(WeekdaySet days) {
    if ((days & kEveryWeekday) == kEveryWeekday) {
        return "all";
    }
    std::string text;
    for (std::int16_t weekday = 1; weekday <= 7; ++weekday) {
        if (days & (1u << (weekday - 1))) {
            text += (text.empty() ? "" : ",") + Lower(GetDayName(weekday).substr(0, 3));
        }
    }
    return text;
}

std::string PlanRequestProblem(const PlanRequest& request) {
    if (request.places.empty()) {
        return "No place is chosen: choose at least one place to search";
    }
    if (request.monthCount < 1 || request.monthCount > kMaxPlanMonths) {
        return "The number of months must be between 1 and " + std::to_string(kMaxPlanMonths) +
               ", not " + std::to_string(request.monthCount);
    }
    if (request.firstMonth < 1 || request.firstMonth > 12) {
        return "The first month must be between 1 and 12, not " +
               std::to_string(request.firstMonth);
    }
    const int lastYear = request.firstYear + (request.firstMonth - 1 + request.monthCount - 1) / 12;
    if (request.firstYear < kFirstTableYear || lastYear > kLastTableYear) {
        return "The months searched must lie between the years " + TableYearsText();
    }
    const PlanFilters& filters = request.filters;
    if ((filters.weekdays & kEveryWeekday) == 0) {
        return "No day of the week is chosen: choose at least one";
    }
    if (filters.minRatingRank < 0 || filters.minRatingRank > 4) {
        return "The lowest rating must be " + std::string(kRatingChoices);
    }
    if (filters.nearSunMinutes &&
        (*filters.nearSunMinutes < 0 || *filters.nearSunMinutes > kMaxNearSunMinutes)) {
        return "The minutes from sunrise or sunset must be between 0 and " +
               std::to_string(kMaxNearSunMinutes) + ", not " +
               std::to_string(*filters.nearSunMinutes);
    }
    return {};
}

bool DayPassesFilters(const DayRow& row, const PlanFilters& filters,
                      std::vector<std::string>& periods) {
    if (!PassesCheapFilters(row, filters)) {
        return false;
    }

    const std::array<Period, 4> all = {
        Period{"Major", &row.Maj1, true}, Period{"Major", &row.Maj2, true},
        Period{"Minor", &row.Min1, false}, Period{"Minor", &row.Min2, false}};
    const std::vector<Interval> daylight =
        filters.daylightMajor ? DaylightStretches(row) : std::vector<Interval>{};
    std::vector<int> sunEvents;
    for (const std::string* text : {&row.SRise, &row.SSet}) {
        if (const std::optional<int> minutes = mRiseSet::ClockTextMinutes(*text)) {
            sunEvents.push_back(*minutes);
        }
    }

    bool daylightFound = false;
    bool nearSunFound = false;
    std::vector<std::pair<int, std::string>> matched;
    for (const Period& period : all) {
        const std::optional<int> minutes = mRiseSet::ClockTextMinutes(*period.text);
        if (!minutes) {
            continue;
        }
        bool inDaylight = false;
        if (filters.daylightMajor && period.major) {
            for (const Interval& stretch : daylight) {
                inDaylight = inDaylight || (*minutes >= stretch.from && *minutes <= stretch.to);
            }
        }
        bool nearSun = false;
        if (filters.nearSunMinutes) {
            for (const int event : sunEvents) {
                nearSun = nearSun || std::abs(*minutes - event) <= *filters.nearSunMinutes;
            }
        }
        daylightFound = daylightFound || inDaylight;
        nearSunFound = nearSunFound || nearSun;
        const bool anyTimeFilter = filters.daylightMajor || filters.nearSunMinutes.has_value();
        if (!anyTimeFilter || inDaylight || nearSun) {
            matched.emplace_back(*minutes, std::string(period.kind) + " " + *period.text);
        }
    }
    if ((filters.daylightMajor && !daylightFound) || (filters.nearSunMinutes && !nearSunFound)) {
        return false;
    }
    std::stable_sort(matched.begin(), matched.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    periods.clear();
    for (auto& [minutes, text] : matched) {
        periods.push_back(std::move(text));
    }
    return true;
}

PlanResult RunPlan(const PlanRequest& request, const PlanRun& run) {
    if (const std::string problem = PlanRequestProblem(request); !problem.empty()) {
        throw CoreError(problem);
    }
    // A damaged record is reported before any thread starts.
    std::vector<PlaceValues> values(request.places.size());
    for (std::size_t i = 0; i < request.places.size(); ++i) {
        ParseSelectedLocation(request.places[i].record, values[i]);
    }

    const int total = UnitCount(request);
    std::vector<std::vector<PlanDay>> found(static_cast<std::size_t>(total));
    std::atomic<int> next{0};
    std::atomic<bool> failed{false};
    int done = 0;
    std::mutex reportMutex;
    std::exception_ptr firstError;

    // One unit is one month of one place; the engine keeps no state between calls, so
    // units run on any thread in any order and land in their own slot.
    const auto work = [&] {
        while (!failed.load() && !run.stop.stop_requested()) {
            const int unit = next.fetch_add(1);
            if (unit >= total) {
                return;
            }
            const std::size_t place = static_cast<std::size_t>(unit / request.monthCount);
            const int monthIndex = request.firstMonth - 1 + unit % request.monthCount;
            const auto month = static_cast<std::int16_t>(monthIndex % 12 + 1);
            const auto year = static_cast<std::int16_t>(request.firstYear + monthIndex / 12);
            try {
                // Rating and weekday are known before any rise or set search, so only the
                // days that pass them are computed in full.
                MonthTable table = CalculateMonthRows(
                    values[place], request.places[place].record, month, year,
                    [&](const DayRow& day) { return PassesCheapFilters(day, request.filters); });
                std::vector<PlanDay>& slot = found[static_cast<std::size_t>(unit)];
                for (DayRow& row : table.rows) {
                    std::vector<std::string> periods;
                    if (DayPassesFilters(row, request.filters, periods)) {
                        slot.push_back({place, year, month, std::move(row), std::move(periods)});
                    }
                }
            } catch (...) {
                const std::lock_guard lock(reportMutex);
                if (!firstError) {
                    firstError = std::current_exception();
                }
                failed = true;
                return;
            }
            const std::lock_guard lock(reportMutex);
            ++done;
            if (run.progress) {
                run.progress(done, total);
            }
        }
    };

    const unsigned cores = run.threads != 0 ? run.threads : std::thread::hardware_concurrency();
    const unsigned threadCount = std::clamp(cores, 1u, static_cast<unsigned>(total));
    if (threadCount == 1) {
        work();
    } else {
        std::vector<std::jthread> workers;
        workers.reserve(threadCount);
        for (unsigned i = 0; i < threadCount; ++i) {
            workers.emplace_back(work);
        }
    }  // the workers join here
    if (firstError) {
        std::rethrow_exception(firstError);
    }

    PlanResult result;
    if (run.stop.stop_requested() && done < total) {
        result.cancelled = true;
        return result;
    }
    // By date, then place order. The days are sorted as small keys and moved once, not
    // swapped about with their fourteen texts.
    std::vector<std::pair<std::tuple<int, int, int, std::size_t>, PlanDay*>> order;
    for (std::vector<PlanDay>& slot : found) {
        for (PlanDay& day : slot) {
            order.push_back({{day.year, day.month, day.row.Day, day.placeIndex}, &day});
        }
    }
    std::sort(order.begin(), order.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    result.days.reserve(order.size());
    for (auto& [key, day] : order) {
        result.days.push_back(std::move(*day));
    }
    return result;
}

std::string PeriodsText(const PlanDay& day) {
    std::string text;
    for (const std::string& period : day.periods) {
        text += (text.empty() ? "" : ", ") + period;
    }
    return text;
}

std::string PlanDateText(const PlanDay& day) {
    return std::to_string(day.year) + "-" + TwoDigits(day.month) + "-" + TwoDigits(day.row.Day);
}

}  // namespace quintrel
