#include "table/PlanOutput.h"

#include "astro/CalendarNames.h"
#include "astro/Rating.h"
#include "table/CsvExport.h"

namespace quintrel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string MonthYearText(int month, int year) {
    return GetMonthName(static_cast<std::int16_t>(month), true) + " " + std::to_string(year);
}

// A CSV field as it is, or quoted (quotes doubled) when it holds a comma or a quote.
std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

}  // namespace

std::string PlanMonthsText(const PlanRequest& request) {
    const std::string first = MonthYearText(request.firstMonth, request.firstYear);
    if (request.monthCount <= 1) {
        return first;
    }
    const int lastIndex = request.firstMonth - 1 + request.monthCount - 1;
    return first + " to " + MonthYearText(lastIndex % 12 + 1, request.firstYear + lastIndex / 12);
}

std::string PlanFiltersText(const PlanFilters& filters) {
    std::vector<std::string> parts;
    if (filters.minRatingRank >= 1 && filters.minRatingRank <= 4) {
        parts.push_back(
            filters.minRatingRank == 4
                ? std::string("rating Best")
                : "rating " + std::string(RatingWord(static_cast<Rating>(filters.minRatingRank))) +
                      " or better");
    }
    if ((filters.weekdays & kEveryWeekday) != kEveryWeekday) {
        std::vector<std::string> names;
        // Monday first, so that a weekend reads "Saturday and Sunday".
        for (int i = 0; i < 7; ++i) {
            const auto weekday = static_cast<std::int16_t>(i % 7 + 2 > 7 ? 1 : i + 2);
            if (filters.weekdays & (1u << (weekday - 1))) {
                names.push_back(GetDayName(weekday));
            }
        }
        std::string days;
        for (std::size_t i = 0; i < names.size(); ++i) {
            days += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
        }
        parts.push_back(days);
    }
    if (filters.daylightMajor) {
        const std::string margin = std::to_string(kDaylightMarginMinutes);
        parts.push_back("a major period from " + margin + " min before sunrise to " + margin +
                        " min after sunset");
    }
    if (filters.nearSunMinutes) {
        parts.push_back("a major or minor period within " +
                        std::to_string(*filters.nearSunMinutes) + " min of sunrise or sunset");
    }
    if (parts.empty()) {
        return "every day";
    }
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : "; ") + part;
    }
    return text;
}

std::string NothingFoundText(const PlanRequest& request) {
    return "No day from " + PlanMonthsText(request) + " passes the filters (" +
           PlanFiltersText(request.filters) + ").";
}

std::string PlanCsvHeader() {
    return CsvHeader() + ",Place,Matched";
}

std::string BuildPlanCsv(const PlanRequest& request, const std::vector<PlanDay>& days,
                         std::string_view timeText, std::string_view dateText) {
    std::string text = CsvPreamble(timeText, dateText);
    text += kLineEnd;
    text += PlanCsvHeader();
    text += kLineEnd;
    for (const PlanDay& day : days) {
        MonthTable month;
        month.Month = day.month;
        month.Year = day.year;
        text += CsvDayLine(month, day.row);
        text += ',';
        text += CsvField(request.places.at(day.placeIndex).name);
        text += ',';
        text += CsvField(PeriodsText(day));
        text += kLineEnd;
    }
    return text;
}

}  // namespace quintrel
