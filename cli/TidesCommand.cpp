#include "cli/TidesCommand.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "astro/CivilDate.h"
#include "astro/CoreError.h"
#include "cli/CommandParts.h"
#include "cli/OptionChecks.h"
#include "cli/PdfOutput.h"
#include "cli/PlaceChoice.h"
#include "locations/AppPaths.h"
#include "locations/FileIo.h"
#include "locations/PlaceValues.h"
#include "table/CalculateMonth.h"
#include "table/DateEvents.h"
#include "tides/PlaceTides.h"
#include "tides/StationDistance.h"
#include "tides/TideFiles.h"
#include "tides/TideTable.h"
#include "tides/TideTexts.h"

namespace quintrel::cli {

namespace {

// How many of the stations a --station text matches its message names.
constexpr std::size_t kMatchesNamed = 10;

// --units as checked by CheckOptions: "m" or "ft".
std::optional<tides::LevelUnits> UnitsOption(const std::optional<std::string>& units) {
    if (!units) {
        return std::nullopt;
    }
    return *units == "m" ? tides::LevelUnits::Meters : tides::LevelUnits::Feet;
}

std::string EnvironmentText(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// The station --station names, with its distance and direction from the place.
tides::NearbyStation ChosenStation(const tides::TideDatabase& database, const std::string& text,
                                   const PlaceValues& place) {
    std::vector<tides::TideStation> matches = database.Find(text);
    if (matches.empty()) {
        throw CoreError("No tide station has the id or a name containing \"" + text + "\"");
    }
    if (matches.size() > 1) {
        std::string names;
        for (std::size_t i = 0; i < matches.size() && i < kMatchesNamed; ++i) {
            names += (i == 0 ? "" : "; ") + matches[i].id + " " + matches[i].name;
        }
        if (matches.size() > kMatchesNamed) {
            names += "; and " + std::to_string(matches.size() - kMatchesNamed) + " more";
        }
        throw UsageError("--station \"" + text + "\" matches " + std::to_string(matches.size()) +
                         " stations: " + names);
    }
    tides::TideStation& station = matches.front();
    const double km = tides::GreatCircleKm(place.PlaceLatitude, place.PlaceLongitude,
                                           station.latitudeDeg, station.longitudeDeg);
    const double bearing = tides::BearingDeg(place.PlaceLatitude, place.PlaceLongitude,
                                             station.latitudeDeg, station.longitudeDeg);
    return {std::move(station), km, bearing};
}

}  // namespace

std::string TidePlaceDirectory(const TableOptions& options) {
    if (!options.locationsPath.empty()) {
        const std::filesystem::path folder =
            std::filesystem::absolute(options.locationsPath).parent_path();
        return folder.string();
    }
    return PlaceDirectory(AppDirectory(), EnvironmentText("XDG_DATA_HOME"),
                          EnvironmentText("HOME"));
}

bool IsTidesMode(const TableOptions& options) {
    return options.stations || options.tides;
}

void RunTidesCommand(const TableOptions& options, std::ostream& standardOutput,
                     std::ostream& messages) {
    // An option out of range is reported as such even when the place is wrong too.
    const std::optional<tides::LevelUnits> units = UnitsOption(options.units);
    const auto [now, record, place] = OpenAskedPlaceMonths(options, messages);
    const std::string placeName = PlaceName(record);

    const std::shared_ptr<tides::TideDatabase> database =
        tides::OpenTideData(AppDirectory(), TidePlaceDirectory(options));
    for (const std::string& problem : database->Problems()) {
        messages << "quintrel-table: " << problem << "\n";
    }
    std::optional<tides::NearbyStation> chosen;
    std::vector<tides::NearbyStation> nearby;
    if (options.station) {
        chosen = ChosenStation(*database, *options.station, place);
    } else {
        nearby = database->Nearby(place.PlaceLatitude, place.PlaceLongitude);
        if (nearby.empty()) {
            throw CoreError(tides::NoStationText(placeName));
        }
        chosen = nearby.front();
    }
    if (options.stations) {
        std::string text;
        for (const tides::NearbyStation& station : nearby) {
            text += tides::StationLine(station) + "\n";
        }
        WriteWhole(options, standardOutput, text);
        return;
    }

    const CivilDate first{options.year.value_or(0), options.month.value_or(0), 1};
    const DaySerial firstDate = DateSerial(first.year, first.month, 1);
    const long lastIndex =
        static_cast<long>(first.year) * 12 + (first.month - 1) + options.months - 1;
    const int lastYear = static_cast<int>(lastIndex / 12);
    const int lastMonth = static_cast<int>(lastIndex % 12) + 1;
    const DaySerial lastDate = DateSerial(lastYear, lastMonth, DaysInMonth(lastYear, lastMonth));

    const PlaceTexts texts = MakePlaceTexts(place, record);
    const tides::LevelUnits shown = units.value_or(chosen->station.units);
    const std::vector<tides::PlaceTideEvent> events =
        tides::PlaceTides(*database, chosen->station, texts, firstDate, lastDate, shown);
    const tides::TideHeading heading = tides::HeadingFor(*chosen, shown);
    if (options.pdfPath) {
        // The window's tide table: a sheet a month beside that month's table.
        std::vector<TideTableSheet> sheets;
        for (int index = 0; index < options.months; ++index) {
            const long at = static_cast<long>(first.year) * 12 + (first.month - 1) + index;
            const auto year = static_cast<std::int16_t>(at / 12);
            const auto month = static_cast<std::int16_t>(at % 12 + 1);
            const MonthTable table = CalculateMonth(place, record, month, year);
            sheets.push_back({tides::TideTableTitle(placeName, month, year),
                              tides::HeadingText(heading), tides::TideTableLines(table, events)});
        }
        WriteTideTablePdf(*options.pdfPath, sheets);
        return;
    }
    WriteWhole(options, standardOutput,
               options.format == "csv"
                   ? tides::TideCsvText(heading, events)
                   : tides::TideTextTable(heading, placeName, events, firstDate, lastDate));
}

}  // namespace quintrel::cli
