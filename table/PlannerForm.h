#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "locations/LocationList.h"
#include "table/Planner.h"

namespace quintrel {

/// Which places the planner window searches.
enum class PlannerPlaces { Selected, Favourites, Ticked };

/// Everything the planner window lets the user choose; the window only mirrors it.
struct PlannerChoices {
    PlannerPlaces places = PlannerPlaces::Favourites;
    std::vector<std::string> ticked;  ///< names of the ticked places, "Country (Town)", UTF-8
    std::int16_t firstMonth = 1;
    std::int16_t firstYear = 2027;
    int monthCount = 6;
    int minRatingRank = 3;  ///< 0 any .. 4 "Best"
    WeekdaySet weekdays = kEveryWeekday;
    bool daylightMajor = false;
    bool nearSun = false;
    int nearSunMinutes = 60;
    /// Today as PlanDateKey gives it (0 unknown): the days before it are left out unless
    /// includePast is set. Neither is remembered.
    int today = 0;
    bool includePast = false;
    bool nearTide = false;
    int nearTideMinutes = 60;
};

/// The display name of a location record, as the place lists show it (UTF-8).
std::string PlannerPlaceName(const std::string& record);

/// The search the choices ask for over `places`, the main window's list, whose entry
/// `selectedIndex` is the selected place (-1 for none). When the choices cannot be searched
/// `problem` says why in words for the user (no selected place, no favourite, nothing
/// ticked, a month count outside 1..24, no weekday) and the request is not to be run.
PlanRequest PlannerRequest(const PlannerChoices& choices, const LocationList& places,
                           int selectedIndex, std::string& problem);

/// Reads the remembered choices; `read(key, fallback)` gives the stored text or the
/// fallback. Text that does not read as a choice keeps the default. The first month and
/// year are not remembered: a search starts from the month the main window shows.
void ReadPlannerChoices(
    PlannerChoices& choices,
    const std::function<std::string(const std::string& key, const std::string& fallback)>& read);

/// Writes the choices that ReadPlannerChoices reads, as plain text.
void WritePlannerChoices(
    const PlannerChoices& choices,
    const std::function<void(const std::string& key, const std::string& text)>& write);

}  // namespace quintrel
