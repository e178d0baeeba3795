#include "cli/PlanCommand.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "cli/CommandParts.h"
#include "cli/OptionChecks.h"
#include "cli/PdfOutput.h"
#include "cli/PlaceChoice.h"
#include "cli/TextTable.h"
#include "cli/TidesCommand.h"
#include "locations/AppPaths.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"
#include "table/PlanColumns.h"
#include "table/PlanOutput.h"
#include "table/PlannerForm.h"
#include "tides/TideFiles.h"
#include "tides/TideTable.h"

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
                         PrintableText(text) + "\"");
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
        const std::optional<Rating> rating = ParseRating(*options.minRating);
        if (!rating) {
            throw UsageError("--min-rating must be " + std::string(kRatingChoices) + ", not \"" +
                             PrintableText(*options.minRating) + "\"");
        }
        request.filters.minRatingRank = static_cast<int>(*rating);
    } else {
        // As the help says, and as the planner window starts: Good and Best days.
        request.filters.minRatingRank = PlannerChoices{}.minRatingRank;
    }
    if (options.days) {
        const std::optional<WeekdaySet> days = ParseWeekdays(*options.days);
        if (!days) {
            throw UsageError("--days must be " + std::string(kWeekdayChoices) + ", not \"" +
                             PrintableText(*options.days) + "\"");
        }
        request.filters.weekdays = *days;
    }
    request.filters.daylightMajor = options.daylightMajor;
    request.filters.nearSunMinutes = options.nearSunMinutes;
    request.monthOptions.transitPeriods = options.transit;
    request.filters.nearTideMinutes = options.nearTideMinutes;
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
    int periodsWidth = static_cast<int>(kPlanColumns[PlanColumnIndex("Periods")].heading.size());
    for (const PlanDay& day : result.days) {
        periodsWidth = std::max(periodsWidth, static_cast<int>(PeriodsText(day).size()));
    }
    // Where each planner column sits, in kPlanColumns' order: the place, the one text of
    // any length, comes last, after the periods as wide as the widest.
    std::array<TextColumn, kPlanColumns.size()> layout{};
    const auto place = [&](std::string_view field, TextColumn column) {
        layout[PlanColumnIndex(field)] = column;
    };
    place("Date", {0, 10, Align::Left});
    place("DayName", {11, 9, Align::Left});
    place("Rating", {21, 4, Align::Left});
    place("Stars", {26, 4, Align::Left});
    place("Phase", {31, 4, Align::Right});
    place("SRise", {37, 5, Align::Left});
    place("SSet", {43, 5, Align::Left});
    place("Periods", {50, periodsWidth, Align::Left});
    place("Place", {50 + periodsWidth + 2, 0, Align::Left});

    std::string headings;
    for (std::size_t i = 0; i < kPlanColumns.size(); ++i) {
        PutInColumn(headings, layout[i], kPlanColumns[i].narrowHeading);
    }
    text += headings + "\n";
    for (const PlanDay& day : result.days) {
        std::string line;
        const std::string& placeName = request.places[day.placeIndex].name;
        for (std::size_t i = 0; i < kPlanColumns.size(); ++i) {
            PutInColumn(line, layout[i], PlanColumnText(day, kPlanColumns[i], placeName));
        }
        text += line + "\n";
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
    PlanRun run;
    if (request.filters.nearTideMinutes) {
        const std::shared_ptr<tides::TideDatabase> database =
            tides::OpenTideData(AppDirectory(), TidePlaceDirectory(options));
        for (const std::string& problem : database->Problems()) {
            messages << "quintrel-table: " << problem << "\n";
        }
        run.tideTimes = tides::PlanTideTimes(database, nullptr);
    }
    const PlanResult result = RunPlan(request, run);
    for (const std::size_t place : result.placesWithoutTides) {
        messages << "quintrel-table: " << tides::NoStationText(request.places[place].name)
                 << "; skipped\n";
    }
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
    if (TextOutputAsked(options)) {
        WriteWhole(options, standardOutput, text);
    }
}

}  // namespace quintrel::cli
