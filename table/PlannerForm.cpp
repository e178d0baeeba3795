#include "table/PlannerForm.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "locations/Encoding.h"
#include "locations/LocationRecord.h"
#include "locations/PlaceMatch.h"

namespace quintrel {

namespace {

// The ticked places are kept as one text; no place name holds this character.
constexpr char kNameSeparator = '|';

std::optional<int> ReadWhole(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string> SplitNames(const std::string& text) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(kNameSeparator, start), text.size());
        if (end > start) {
            names.push_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

}  // namespace

std::string PlannerPlaceName(const std::string& record) {
    return Cp1252ToUtf8(LocationDisplayText(record));
}

PlanRequest PlannerRequest(const PlannerChoices& choices, const LocationList& places,
                           int selectedIndex, std::string& problem) {
    PlanRequest request;
    request.firstMonth = choices.firstMonth;
    request.firstYear = choices.firstYear;
    request.monthCount = choices.monthCount;
    request.filters.minRatingRank = choices.minRatingRank;
    request.filters.weekdays = choices.weekdays;
    request.filters.daylightMajor = choices.daylightMajor;
    if (choices.nearSun) {
        request.filters.nearSunMinutes = choices.nearSunMinutes;
    }
    if (choices.nearTide) {
        request.filters.nearTideMinutes = choices.nearTideMinutes;
    }
    // "The best days ahead": a search from this month does not offer the days gone by.
    request.filters.notBefore = choices.includePast ? 0 : choices.today;
    // A town kept twice (added again from the town search) would list each of its days
    // twice; the first of them stands for both.
    const auto add = [&](const std::string& record) {
        for (const PlanPlace& place : request.places) {
            if (IsSameTown(place.record, record)) {
                return;
            }
        }
        request.places.push_back({record, PlannerPlaceName(record)});
    };
    problem.clear();
    switch (choices.places) {
        case PlannerPlaces::Selected:
            if (selectedIndex < 0 || static_cast<std::size_t>(selectedIndex) >= places.size()) {
                problem =
                    "No place is selected in the main window: choose one there, or search "
                    "the favourites or the ticked places.";
                return request;
            }
            add(places[static_cast<std::size_t>(selectedIndex)]);
            break;
        case PlannerPlaces::Favourites:
            for (const std::string& record : places) {
                if (IsFavourite(record)) {
                    add(record);
                }
            }
            if (request.places.empty()) {
                problem =
                    "No place is marked as a favourite: mark some in the place window, or "
                    "tick the places to search.";
                return request;
            }
            break;
        case PlannerPlaces::Ticked:
            for (const std::string& record : places) {
                const std::string name = PlannerPlaceName(record);
                for (const std::string& ticked : choices.ticked) {
                    if (ticked == name) {
                        add(record);
                        break;
                    }
                }
            }
            if (request.places.empty()) {
                problem = "No place is ticked: tick at least one place to search.";
                return request;
            }
            break;
    }
    problem = PlanRequestProblem(request);
    if (!problem.empty()) {
        problem += ".";
    }
    return request;
}

void ReadPlannerChoices(
    PlannerChoices& choices,
    const std::function<std::string(const std::string& key, const std::string& fallback)>& read) {
    const std::string places = read("Places", "");
    if (places == "selected") {
        choices.places = PlannerPlaces::Selected;
    } else if (places == "favourites") {
        choices.places = PlannerPlaces::Favourites;
    } else if (places == "ticked") {
        choices.places = PlannerPlaces::Ticked;
    }
    choices.ticked = SplitNames(read("Ticked", ""));
    if (const auto months = ReadWhole(read("Months", ""));
        months && *months >= 1 && *months <= kMaxPlanMonths) {
        choices.monthCount = *months;
    }
    if (const auto rank = ReadWhole(read("MinRating", "")); rank && *rank >= 0 && *rank <= 4) {
        choices.minRatingRank = *rank;
    }
    if (const auto days = ParseWeekdays(read("Days", ""))) {
        choices.weekdays = *days;
    }
    choices.daylightMajor = read("DaylightMajor", choices.daylightMajor ? "1" : "0") == "1";
    choices.nearSun = read("NearSun", choices.nearSun ? "1" : "0") == "1";
    if (const auto minutes = ReadWhole(read("NearSunMinutes", ""));
        minutes && *minutes >= 0 && *minutes <= kMaxNearSunMinutes) {
        choices.nearSunMinutes = *minutes;
    }
    choices.nearTide = read("NearTide", choices.nearTide ? "1" : "0") == "1";
    if (const auto minutes = ReadWhole(read("NearTideMinutes", ""));
        minutes && *minutes >= 0 && *minutes <= kMaxNearTideMinutes) {
        choices.nearTideMinutes = *minutes;
    }
}

void WritePlannerChoices(
    const PlannerChoices& choices,
    const std::function<void(const std::string& key, const std::string& text)>& write) {
    static const char* const placeWords[] = {"selected", "favourites", "ticked"};
    write("Places", placeWords[static_cast<int>(choices.places)]);
    std::string ticked;
    for (const std::string& name : choices.ticked) {
        ticked += (ticked.empty() ? "" : std::string(1, kNameSeparator)) + name;
    }
    write("Ticked", ticked);
    write("Months", std::to_string(choices.monthCount));
    write("MinRating", std::to_string(choices.minRatingRank));
    write("Days", WeekdaysText(choices.weekdays));
    write("DaylightMajor", choices.daylightMajor ? "1" : "0");
    write("NearSun", choices.nearSun ? "1" : "0");
    write("NearSunMinutes", std::to_string(choices.nearSunMinutes));
    write("NearTide", choices.nearTide ? "1" : "0");
    write("NearTideMinutes", std::to_string(choices.nearTideMinutes));
}

}  // namespace quintrel
