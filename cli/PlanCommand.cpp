#include "cli/PlanCommand.h"

#include <algorithm>
#include <charconv>

#include "cli/CommandParts.h"
#include "cli/OptionChecks.h"
#include "cli/PdfOutput.h"
#include "cli/PlaceChoice.h"
#include "locations/LocationRecord.h"
#include "table/PlanOutput.h"

namespace quintrel::cli {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// "2027-01" as year and month.
std::pair<int, int> ReadFirstMonth(const std::string& text) {
    int year = 0;
    int month = 0;
    const char* end = text.data() + text.size();
    const auto [yearEnd, yearError] = std::from_chars(text.data(), end, year);
    bool good =
        yearError == std::errc() && yearEnd - text.data() == 4 && yearEnd != end && *yearEnd == '-';
    if (good) {
        const auto [monthEnd, monthError] = std::from_chars(yearEnd + 1, end, month);
        good = monthError == std::errc() && monthEnd == end && monthEnd - yearEnd == 3 &&
               month >= 1 && month <= 12;
    }
    if (!good) {
        throw UsageError("--from must be a year and month as YYYY-MM (e.g. 2027-01), not \"" +
                         text + "\"");
    }
    return {year, month};
}

std::vector<std::size_t> ChosenPlaces(const std::string& choice, const LocationList& places) {
    std::vector<std::size_t> chosen;
    const std::string lower = Lower(choice);
    if (lower == "favourites" || lower == "favorites") {
        for (std::size_t i = 0; i < places.size(); ++i) {
            if (IsFavourite(places[i])) {
                chosen.push_back(i);
            }
        }
        if (chosen.empty()) {
            throw UsageError(
                "--places favourites: the list has no favourite place; use all or "
                "name the places");
        }
        return chosen;
    }
    if (lower == "all") {
        for (std::size_t i = 0; i < places.size(); ++i) {
            chosen.push_back(i);
        }
        return chosen;
    }
    std::string_view rest = choice;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view item = rest.substr(0, comma);
        if (item.find_first_not_of(' ') == std::string_view::npos) {
            throw UsageError(
                "--places takes favourites, all or place texts separated by commas; "
                "one of them is empty");
        }
        const auto position = static_cast<std::size_t>(ChoosePlace(places, item));
        if (std::find(chosen.begin(), chosen.end(), position) == chosen.end()) {
            chosen.push_back(position);
        }
        if (comma == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
    }
    return chosen;
}

void Pad(std::string& line, std::size_t width) {
    if (line.size() < width) {
        line.resize(width, ' ');
    }
}

}  // namespace

PlanRequest BuildPlanRequest(const TableOptions& options, const LocationList& places,
                             const LocalMoment& now) {
    PlanRequest request;
    const auto [year, month] =
        options.from ? ReadFirstMonth(*options.from) : std::pair{now.year, now.month};
    request.firstYear = static_cast<std::int16_t>(year);
    request.firstMonth = static_cast<std::int16_t>(month);
    request.monthCount = options.months;
    if (options.months < 1 || options.months > kMaxPlanMonths) {
        throw UsageError("--months must be between 1 and " + std::to_string(kMaxPlanMonths) +
                         " with --plan");
    }
    if (options.minRating) {
        const std::optional<int> rank = ParseRating(*options.minRating);
        if (!rank) {
            throw UsageError("--min-rating must be " + std::string(kRatingChoices) + ", not \"" +
                             *options.minRating + "\"");
        }
        request.filters.minRatingRank = *rank;
    }
    if (options.days) {
        const std::optional<WeekdaySet> days = ParseWeekdays(*options.days);
        if (!days) {
            throw UsageError("--days must be " + std::string(kWeekdayChoices) + ", not \"" +
                             *options.days + "\"");
        }
        request.filters.weekdays = *days;
    }
    request.filters.daylightMajor = options.daylightMajor;
    request.filters.nearSunMinutes = options.nearSunMinutes;
    const std::string choice = options.places.value_or(options.record ? "all" : "favourites");
    for (const std::size_t index : ChosenPlaces(choice, places)) {
        request.places.push_back({places[index], PlaceName(places[index])});
    }
    if (const std::string problem = PlanRequestProblem(request); !problem.empty()) {
        throw UsageError(problem);
    }
    return request;
}

std::string FormatPlanText(const PlanRequest& request, const PlanResult& result) {
    if (result.days.empty()) {
        return NothingFoundText(request) + "\n";
    }
    std::string text = "Quintrel Planner: " + PlanMonthsText(request) + "\n";
    text += "Days with " + PlanFiltersText(request.filters) + "\n\n";
    std::size_t periodsWidth = std::string("Matched Periods").size();
    for (const PlanDay& day : result.days) {
        periodsWidth = std::max(periodsWidth, PeriodsText(day).size());
    }
    const auto line = [&](const std::string& date, const std::string& dayName,
                          const std::string& rating, const std::string& stars,
                          const std::string& phase, const std::string& rise, const std::string& set,
                          const std::string& periods, const std::string& place) {
        std::string out = date;
        Pad(out, 11);
        out += dayName;
        Pad(out, 21);
        out += rating;
        Pad(out, 26);
        out += stars;
        Pad(out, 31);
        out += std::string(phase.size() < 4 ? 4 - phase.size() : 0, ' ') + phase;
        Pad(out, 37);
        out += rise;
        Pad(out, 43);
        out += set;
        Pad(out, 50);
        out += periods;
        Pad(out, 50 + periodsWidth + 2);
        out += place;
        return out + "\n";
    };
    text += line("Date", "Day", "Rating", "", "Phase", "Rise", "Set", "Matched Periods", "Place");
    for (const PlanDay& day : result.days) {
        text += line(PlanDateText(day), day.row.DayName, day.row.Rating, day.row.Stars,
                     day.row.Phase + day.row.WaxWan, day.row.SRise, day.row.SSet, PeriodsText(day),
                     request.places[day.placeIndex].name);
    }
    return text;
}

bool IsPlanMode(const TableOptions& options) {
    return options.plan;
}

void RunPlanCommand(const TableOptions& options, std::ostream& standardOutput,
                    std::ostream& messages) {
    const LocalMoment now = ReadLocalClock();
    const LocationList places = ReadPlaces(options, messages);
    const PlanRequest request = BuildPlanRequest(options, places, now);
    const PlanResult result = RunPlan(request);
    std::string text;
    if (options.format == "csv") {
        text = BuildPlanCsv(request, result.days, now.timeText, now.dateText);
        if (result.days.empty()) {
            messages << NothingFoundText(request) << "\n";
        }
    } else {
        text = FormatPlanText(request, result);
    }
    if (options.pdfPath) {
        if (result.days.empty()) {
            // An empty list would print as a page of headings; the message says more.
            if (options.format == "csv") {
                messages << "No PDF written to " << *options.pdfPath << "\n";
            } else {
                messages << NothingFoundText(request) << " No PDF written to " << *options.pdfPath
                         << "\n";
            }
        } else {
            WritePlanPdf(*options.pdfPath, request, result.days);
        }
    }
    // With a PDF the list goes to standard output only when a format or a file is asked.
    if (!options.pdfPath || options.formatGiven || options.outputPath) {
        WriteWhole(options, standardOutput, text);
    }
}

}  // namespace quintrel::cli
