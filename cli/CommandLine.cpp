#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "calendar/CalendarOptions.h"
#include "cli/AccuracyNote.h"
#include "cli/LogCommand.h"
#include "cli/TableCommand.h"
#include "locations/Encoding.h"
#include "table/ReportTexts.h"
#include "table/TableYears.h"

namespace quintrel::cli {

namespace {

std::vector<std::string> Names(const auto& names) {
    return {std::begin(names), std::end(names)};
}

// Turns --ics-events as typed into the export's choices; the names were checked while
// parsing. (--min-rating is shared with the planner and read by the table command.)
void ApplyEventKinds(const std::vector<std::string>& kinds, CalendarOptions& calendar) {
    if (!kinds.empty()) {
        calendar.majorPeriods = calendar.minorPeriods = calendar.goodDays = false;
        for (const std::string& kind : kinds) {
            calendar.majorPeriods = calendar.majorPeriods || kind == "major";
            calendar.minorPeriods = calendar.minorPeriods || kind == "minor";
            calendar.goodDays = calendar.goodDays || kind == "days";
        }
    }
}

}  // namespace

int RunCommandLine(int argc, const char* const* argv, std::ostream& standardOutput,
                   std::ostream& standardError) {
    TableOptions options;
    // Every number is taken as text and read as decimal below (DecimalOption): the option
    // parser would read "010" as octal and "0x10" as hexadecimal.
    std::optional<std::string> monthText;
    std::optional<std::string> yearText;
    std::string monthsText = "1";
    std::optional<std::string> nearSunText;
    std::optional<std::string> alarmText;
    CLI::App app{"Sun and moon times, moon phase, activity times and day ratings of a month.",
                 "quintrel-table"};
    app.add_option("--locations", options.locationsPath,
                   "Locations file (default: the window's place list, see PLACES below)")
        ->type_name("FILE");
    const std::string placesHelp =
        "PLACES:\n"
        "  Without --locations the window's own place list is read: locs.dat beside the\n"
        "  program when you may write to its folder (a build or an install into your own\n"
        "  prefix), otherwise $XDG_DATA_HOME/quintrel/locs.dat (by default\n"
        "  ~/.local/share/quintrel/locs.dat), copied from the shipped list on first use.\n"
        "  A missing locs.dat is restored from locs.bak in the same folder.\n\n"
        "PLANNER:\n"
        "  --plan computes --months months (1-24, default 1) from --from for every place of\n"
        "  --places and lists the days passing every filter, by date and then by rating.\n\n"
        "TIDES:\n"
        "  --tides predicts from the harmonics of Debian's xtide-data (public domain, from\n"
        "  NOAA) and any .tcd files in a tides/ folder beside the place list. Times are on\n"
        "  the place's clock, heights above the station's datum. Not for navigation.\n";
    app.add_option("--record", options.record,
                   "A location record exactly as a line of locs.dat; stands for a list of "
                   "that one place")
        ->type_name("RECORD");
    app.add_option("--place", options.place,
                   "Position in the sorted list, from 0, or part of \"Country (Town)\" "
                   "(case ignored)")
        ->type_name("N|TEXT")
        ->capture_default_str();
    app.add_flag("--list", options.list, "List the places with their positions");
    app.add_option("--find", options.find,
                   "List the towns whose names begin with TEXT (accents ignored), each with "
                   "the location record it would get")
        ->type_name("TEXT");
    app.add_option("--town", options.town,
                   "Compute for the town TEXT finds best, as --find would store it (add the "
                   "state or country when several towns share the name)")
        ->type_name("TEXT");
    app.add_option("--zone-rule", options.zoneRule,
                   "Print the zone and daylight-saving rule the place list would keep for an "
                   "IANA time zone, for places north and south of the equator")
        ->type_name("ZONE");
    app.add_option("--month", monthText, "Month 1-12 (default: this month)")->type_name("M");
    app.add_option("--year", yearText,
                   "Year " + std::to_string(kFirstTableYear) + "-" +
                       std::to_string(kLastTableYear) + " (default: this year)")
        ->type_name("Y");
    app.add_option("--months", monthsText,
                   "Number of consecutive months, at most " + std::to_string(kMaxMonths))
        ->type_name("COUNT")
        ->capture_default_str();
    CLI::Option* format = app.add_option("--format", options.format, "Output format")
                              ->check(CLI::IsMember({"text", "csv", "ics"}))
                              ->type_name("FORMAT")
                              ->capture_default_str();
    app.add_option("--output", options.outputPath, "Output file (default: standard output)")
        ->type_name("FILE");
    app.add_option("--pdf", options.pdfPath,
                   "Also write the printable report as a PDF file; the table then goes to "
                   "standard output only with --format or --output. With --day: the day "
                   "picture")
        ->type_name("FILE");
    app.add_option("--day", options.day,
                   "Draw the picture of one day (sun and moon over the day, light, activity "
                   "periods) instead of a table; needs --svg, --png or --pdf")
        ->type_name("YYYY-MM-DD");
    app.add_option("--svg", options.svgPath, "With --day: write the day picture as SVG")
        ->type_name("FILE");
    app.add_option("--png", options.pngPath, "With --day: write the day picture as PNG")
        ->type_name("FILE");
    app.set_version_flag("--version", "quintrel-table " + VersionNumberText());

    app.add_flag("--plan", options.plan,
                 "List the best days ahead at several places instead of one month's table");
    app.add_option("--from", options.from, "First month searched by --plan (default: this month)")
        ->type_name("YYYY-MM");
    app.add_option("--places", options.places,
                   "Places searched by --plan: favourites, all, or place texts as for --place, "
                   "separated by commas (default: favourites; the --record place)")
        ->type_name("favourites|all|TEXT[,TEXT...]");
    app.add_option("--min-rating", options.minRating,
                   "--plan: the lowest rating listed; --format ics: the lowest rating that gets "
                   "an all-day entry (default: Good)")
        ->type_name("Poor|Fair|Good|Best");
    app.add_option("--days", options.days,
                   "--plan: the days of the week listed, e.g. sat,sun (or weekend, all)")
        ->type_name("DAYS");
    app.add_flag("--daylight-major", options.daylightMajor,
                 "--plan: only days with a major period from 30 min before sunrise to 30 min "
                 "after sunset");
    app.add_option("--near-sun", nearSunText,
                   "--plan: only days with a major or minor period within MINUTES of sunrise or "
                   "sunset")
        ->type_name("MINUTES");
    app.add_flag("--year-view", options.yearView,
                 "Draw the year at a glance of --place for --year into the --pdf file");
    app.add_flag("--stations", options.stations,
                 "List the tide stations within 100 km of the place, nearest first (at most "
                 "10): distance km, id, name, latitude, longitude, separated by tabs");
    app.add_flag("--tides", options.tides,
                 "List the high and low waters of the place's nearest tide station for the "
                 "months asked, as text or csv (not for navigation)");
    app.add_option("--station", options.station,
                   "--tides: the station with this id, or whose name contains TEXT")
        ->type_name("ID|TEXT");
    app.add_option("--units", options.units,
                   "--tides: heights in metres or feet (default: the station's units)")
        ->type_name("m|ft");

    // --min-rating serves both the planner and the calendar, so it is listed above.
    std::vector<std::string> icsEvents;
    const std::vector<CLI::Option*> calendarOptions{
        app.add_option("--ics-events", icsEvents,
                       "With --format ics: the entries to write, any of major, minor, days "
                       "(default: major,minor)")
            ->delimiter(',')
            ->check(CLI::IsMember(Names(kEventKindNames)))
            ->type_name("KINDS"),
        app.add_flag("--daylight-only", options.calendar.daylightOnly,
                     "With --format ics: only periods that overlap sunrise - 30 min to "
                     "sunset + 30 min"),
        app.add_option("--alarm", alarmText,
                       "With --format ics: a reminder this many minutes before each period "
                       "(0-" +
                           std::to_string(kMaxAlarmMinutes) + ")")
            ->type_name("MINUTES")};
    app.add_option("--log", options.logPath,
                   "The log of outings and catches (default: log.sqlite beside the place list)")
        ->type_name("FILE");
    app.add_option("--log-import", options.logImport,
                   "Add the catches of a CSV file to the log: all lines or none")
        ->type_name("CSV");
    app.add_option("--log-export", options.logExport,
                   "Write the whole log as CSV, one line per catch (- for standard output)")
        ->type_name("CSV");
    app.add_flag("--log-stats", options.logStats,
                 "Catches per outing by day rating and by minutes from the nearest major or "
                 "minor time, as --format text or csv");
    app.footer(
        placesHelp + "\n" + kLogHelp +
        "\nCALENDAR:\n"
        "  With --format ics the periods become calendar entries in UTC, centred on the\n"
        "  table's times and lasting by the day's rating:\n" +
        PeriodLengthsHelp() +
        "  Entries keep their identity, so importing the same month again updates them.\n\n" +
        kAccuracyNote);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        standardOutput << app.help();
        return kExitDone;
    } catch (const CLI::CallForVersion& version) {
        standardOutput << version.what() << "\n";
        return kExitDone;
    } catch (const CLI::ParseError& error) {
        // The parser's messages quote the arguments as typed.
        standardError << "quintrel-table: " << PrintableText(error.what()) << " (see --help)\n";
        return kExitUsageError;
    }
    options.formatGiven = format->count() > 0;
    for (const CLI::Option* option : calendarOptions) {
        options.calendarOptionsGiven = options.calendarOptionsGiven || option->count() > 0;
    }
    ApplyEventKinds(icsEvents, options.calendar);

    try {
        if (monthText) {
            options.month = DecimalOption("--month", *monthText);
        }
        if (yearText) {
            options.year = DecimalOption("--year", *yearText);
        }
        options.months = DecimalOption("--months", monthsText);
        if (nearSunText) {
            options.nearSunMinutes = DecimalOption("--near-sun", *nearSunText);
        }
        if (alarmText) {
            options.calendar.alarmMinutes = DecimalOption("--alarm", *alarmText);
            if (options.calendar.alarmMinutes < 0 ||
                options.calendar.alarmMinutes > kMaxAlarmMinutes) {
                throw UsageError("--alarm must be from 0 to " + std::to_string(kMaxAlarmMinutes) +
                                 " minutes");
            }
        }
        RunTableCommand(options, standardOutput, standardError);
    } catch (const UsageError& error) {
        standardError << "quintrel-table: " << error.what() << " (see --help)\n";
        return kExitUsageError;
    } catch (const std::exception& error) {
        standardError << "quintrel-table: " << error.what() << "\n";
        return kExitDataError;
    }
    return kExitDone;
}

}  // namespace quintrel::cli
