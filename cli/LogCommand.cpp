#include "cli/LogCommand.h"

#include <set>
#include <string_view>

#include "cli/CommandLine.h"
#include "cli/PlaceChoice.h"
#include "cli/TableCommand.h"
#include "locations/AppPaths.h"
#include "locations/Encoding.h"
#include "locations/FileIo.h"
#include "log/LogCsv.h"
#include "log/LogDatabase.h"
#include "log/LogFiles.h"
#include "log/LogStatistics.h"

namespace quintrel::cli {

namespace {

using namespace quintrel::logbook;

// The options that may stand beside the log's own.
const std::set<std::string, std::less<>> kAllowedWithLog = {
    "--log", "--log-import", "--log-export", "--log-stats", "--format", "--locations", "--record"};

void CheckCombination(const LogOptions& log, const TableOptions& table, const CLI::App& app) {
    const int actions = (log.importPath ? 1 : 0) + (log.exportPath ? 1 : 0) + (log.stats ? 1 : 0);
    if (actions != 1) {
        throw UsageError(actions == 0 ? "--log needs one of --log-import, --log-export, --log-stats"
                                      : "Give only one of --log-import, --log-export, --log-stats");
    }
    for (const CLI::Option* option : app.get_options()) {
        if (option->count() > 0 && !kAllowedWithLog.contains(option->get_name())) {
            throw UsageError(option->get_name() + " does not go with the log options");
        }
    }
    if (table.formatGiven && !log.stats) {
        throw UsageError("--format goes with --log-stats only among the log options");
    }
    if (log.stats && table.format != "text" && table.format != "csv") {
        throw UsageError("--log-stats writes --format text or csv");
    }
    for (const std::optional<std::string>* path :
         {&log.logPath, &log.importPath, &log.exportPath}) {
        if (*path && path->value().empty()) {
            throw UsageError("A log option has an empty file name");
        }
    }
}

// The place of the Place column, chosen from the list as --place chooses; the list is
// read at the first line that needs it.
class PlaceLookup {
  public:
    explicit PlaceLookup(const TableOptions& table) : table_(table) {}

    std::string operator()(std::string_view text) {
        if (!loaded_) {
            places_ = table_.record ? RecordAsPlaceList(*table_.record)
                                    : ReadPlaceList(table_.locationsPath);
            loaded_ = true;
        }
        return Cp1252ToUtf8(places_[static_cast<std::size_t>(ChoosePlace(places_, text))]);
    }

  private:
    const TableOptions& table_;
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
    "  Longitude, Photo, Record, Start, End, Kind, Outing notes.\n";

void AddLogOptions(CLI::App& app, LogOptions& options) {
    app.add_option("--log", options.logPath,
                   "The log of outings and catches (default: log.sqlite beside the place list)")
        ->type_name("FILE");
    app.add_option("--log-import", options.importPath,
                   "Add the catches of a CSV file to the log: all lines or none")
        ->type_name("CSV");
    app.add_option("--log-export", options.exportPath,
                   "Write the whole log as CSV, one line per catch (- for standard output)")
        ->type_name("CSV");
    app.add_flag("--log-stats", options.stats,
                 "Catches per outing by day rating and by minutes from the nearest major or "
                 "minor time, as --format text or csv");
}

bool LogModeAsked(const LogOptions& options) {
    return options.logPath || options.importPath || options.exportPath || options.stats;
}

std::string LogPathFor(const LogOptions& log, const TableOptions& table) {
    if (log.logPath) {
        return *log.logPath;
    }
    if (!table.locationsPath.empty()) {
        return LogPathBesidePlaceList(table.locationsPath);
    }
    return LogPathBesidePlaceList(PreparePlaceDirectory(AppDirectory()) + "/locs.dat");
}

int RunLogCommand(const LogOptions& log, const TableOptions& table, const CLI::App& app,
                  std::ostream& standardOutput, std::ostream& messages) {
    CheckCombination(log, table, app);
    const std::string path = LogPathFor(log, table);
    if (log.importPath) {
        const std::string text = ReadWholeFile(*log.importPath);
        PlaceLookup lookup(table);
        LogImport parsed;
        try {
            parsed = ParseLogCsv(text, [&](std::string_view place) { return lookup(place); });
        } catch (const LogCsvError& error) {
            messages << error.what() << "\n";
            return kExitDataError;
        }
        LogDatabase database = LogDatabase::Open(path);
        for (const std::string& notice : database.Notices()) {
            messages << "quintrel-table: " << notice << "\n";
        }
        database.AddEntries(parsed.outings);
        standardOutput << "Imported " << parsed.catchEntries << " catches in "
                       << parsed.outings.size() << " outings\n";
        return kExitDone;
    }
    const LogDatabase database = LogDatabase::Open(path, ForReading());
    if (log.exportPath) {
        const std::string text = LogCsvText(database.Entries());
        if (*log.exportPath == "-") {
            standardOutput << text;
        } else {
            ReplaceFileContent(*log.exportPath, text);
        }
        return kExitDone;
    }
    const LogStatistics statistics = ComputeStatistics(database.Entries());
    if (statistics.tooFewOutings) {
        messages << "quintrel-table: " << TooFewOutingsNote(statistics) << "\n";
    }
    standardOutput << (table.format == "csv" ? StatisticsCsv(statistics)
                                             : StatisticsText(statistics));
    return kExitDone;
}

}  // namespace quintrel::cli
