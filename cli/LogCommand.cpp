#include "cli/LogCommand.h"

#include <string_view>

#include "cli/CommandParts.h"
#include "cli/OptionChecks.h"
#include "cli/PlaceChoice.h"
#include "cli/TidesCommand.h"
#include "locations/AppPaths.h"
#include "locations/Encoding.h"
#include "locations/FileIo.h"
#include "log/LogCsv.h"
#include "log/LogDatabase.h"
#include "log/LogFiles.h"
#include "log/LogStatistics.h"
#include "log/LogTides.h"
#include "tides/TideFiles.h"

namespace quintrel::cli {

namespace {

using namespace quintrel::logbook;

// The place of the Place column, chosen from the list as --place chooses; the list is
// read at the first line that needs it.
class PlaceLookup {
  public:
    PlaceLookup(const TableOptions& options, std::ostream& messages)
        : options_(options), messages_(messages) {}

    std::string operator()(std::string_view text) {
        if (!loaded_) {
            places_ = ReadPlaces(options_, messages_);
            loaded_ = true;
        }
        return Cp1252ToUtf8(places_[static_cast<std::size_t>(ChoosePlace(places_, text))]);
    }

  private:
    const TableOptions& options_;
    std::ostream& messages_;
    LocationList places_;
    bool loaded_ = false;
};

LogOpenOptions ForReading() {
    LogOpenOptions options;
    options.readOnly = true;
    options.dailyBackup = false;
    return options;
}

}  // namespace

const char* const kLogHelp =
    "LOG:\n"
    "  --log-import, --log-export and --log-stats work on the log of outings and catches,\n"
    "  log.sqlite beside the place list (or the --log file). An import stores every line or,\n"
    "  when one is wrong, none (\"line L, column C: reason\"). Columns: Date, Time, Place,\n"
    "  Species, Count, Length (cm), Weight (kg), Released, Method, Notes, Latitude,\n"
    "  Longitude, Photo, Record, Start, End, Kind, Outing notes. --log-stats adds the catches\n"
    "  by hours from the nearest high or low water at each place's nearest tide station.\n";

bool IsLogMode(const TableOptions& options) {
    return options.logPath || options.logImport || options.logExport || options.logStats;
}

void CheckLogOptions(const TableOptions& options) {
    if (!IsLogMode(options)) {
        return;
    }
    const int actions =
        (options.logImport ? 1 : 0) + (options.logExport ? 1 : 0) + (options.logStats ? 1 : 0);
    if (actions != 1) {
        throw UsageError(actions == 0 ? "--log needs one of --log-import, --log-export, --log-stats"
                                      : "Give only one of --log-import, --log-export, --log-stats");
    }
    if (options.list || options.find || options.town || options.zoneRule || options.day ||
        options.plan || options.yearView || options.month || options.year || options.months != 1 ||
        options.pdfPath || options.calendarOptionsGiven || options.minRating ||
        options.place != "0" || options.stations || options.tides) {
        throw UsageError(
            "The log options go only with --log, --locations, --record, and "
            "--format and --output for --log-stats");
    }
    if (!options.logStats && (options.formatGiven || options.outputPath)) {
        throw UsageError("--format and --output go with --log-stats among the log options");
    }
    if (options.format == "ics") {
        throw UsageError("--log-stats writes --format text or csv");
    }
    for (const std::optional<std::string>* path :
         {&options.logPath, &options.logImport, &options.logExport}) {
        if (*path && path->value().empty()) {
            throw UsageError("A log option needs a file name");
        }
    }
}

std::string LogPathFor(const TableOptions& options) {
    if (options.logPath) {
        return *options.logPath;
    }
    if (!options.locationsPath.empty()) {
        return LogPathBesidePlaceList(options.locationsPath);
    }
    return LogPathBesidePlaceList(PreparePlaceDirectory(AppDirectory()) + "/locs.dat");
}

void RunLogCommand(const TableOptions& options, std::ostream& standardOutput,
                   std::ostream& messages) {
    const std::string path = LogPathFor(options);
    if (options.logImport) {
        PlaceLookup lookup(options, messages);
        // Every line is read and checked before the log is opened: a bad file changes
        // nothing, not even the day's backup.
        const LogImport parsed = ParseLogCsv(ReadWholeFile(*options.logImport),
                                             [&](std::string_view place) { return lookup(place); });
        LogDatabase database = LogDatabase::Open(path);
        for (const std::string& notice : database.Notices()) {
            messages << "quintrel-table: " << notice << "\n";
        }
        database.AddEntries(parsed.outings);
        standardOutput << "Imported " << parsed.catchEntries << " catches in "
                       << parsed.outings.size() << " outings\n";
        return;
    }
    const LogDatabase database = LogDatabase::Open(path, ForReading());
    if (options.logExport) {
        const std::string text = LogCsvText(database.Entries());
        if (*options.logExport == "-") {
            standardOutput << text;
        } else {
            ReplaceFileContent(*options.logExport, text);
        }
        return;
    }
    // The tide chart takes each place's nearest station, as --tides does.
    const std::shared_ptr<tides::TideDatabase> tideData =
        tides::OpenTideData(AppDirectory(), TidePlaceDirectory(options));
    for (const std::string& problem : tideData->Problems()) {
        messages << "quintrel-table: " << problem << "\n";
    }
    const LogTideStages tideStages(tideData, nullptr);
    StatisticsOptions statisticsOptions{options.transit};
    if (!tideData->Empty()) {
        statisticsOptions.tides = &tideStages;
    }
    const LogStatistics statistics = ComputeStatistics(database.Entries(), statisticsOptions);
    if (statistics.tooFewOutings) {
        messages << "quintrel-table: " << TooFewOutingsNote(statistics) << "\n";
    }
    if (options.format == "csv" && !NoTideStationNote(statistics).empty()) {
        messages << "quintrel-table: " << NoTideStationNote(statistics) << "\n";
    }
    WriteWhole(options, standardOutput,
               options.format == "csv" ? StatisticsCsv(statistics) : StatisticsText(statistics));
}

}  // namespace quintrel::cli
