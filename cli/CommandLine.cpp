#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <string>
#include <vector>

#include "calendar/CalendarOptions.h"
#include "cli/AccuracyNote.h"
#include "cli/TableCommand.h"
#include "table/ReportTexts.h"

namespace quintrel::cli {

namespace {

std::vector<std::string> Names(const auto& names) {
    return {std::begin(names), std::end(names)};
}

// Turns the calendar options as typed into the export's choices; they were checked
// against the allowed names while parsing.
void ApplyCalendarChoices(const std::vector<std::string>& kinds, const std::string& minimumRating,
                          CalendarOptions& calendar) {
    if (!kinds.empty()) {
        calendar.majorPeriods = calendar.minorPeriods = calendar.goodDays = false;
        for (const std::string& kind : kinds) {
            calendar.majorPeriods = calendar.majorPeriods || kind == "major";
            calendar.minorPeriods = calendar.minorPeriods || kind == "minor";
            calendar.goodDays = calendar.goodDays || kind == "days";
        }
    }
    if (!minimumRating.empty()) {
        calendar.minimumRating = *RatingFromText(minimumRating);
    }
}

}  // namespace

int RunCommandLine(int argc, const char* const* argv, std::ostream& standardOutput,
                   std::ostream& standardError) {
    TableOptions options;
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
        "  A missing locs.dat is restored from locs.bak in the same folder.\n";
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
    app.add_option("--month", options.month, "Month 1-12 (default: this month)")->type_name("M");
    app.add_option("--year", options.year, "Year (default: this year)")->type_name("Y");
    app.add_option("--months", options.months, "Number of consecutive months")
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
                   "standard output only with --format or --output")
        ->type_name("FILE");
    app.set_version_flag("--version", "quintrel-table " + VersionNumberText());

    std::vector<std::string> icsEvents;
    std::string minimumRating;
    const std::vector<CLI::Option*> calendarOptions{
        app.add_option("--ics-events", icsEvents,
                       "With --format ics: the entries to write, any of major, minor, days "
                       "(default: major,minor)")
            ->delimiter(',')
            ->check(CLI::IsMember(Names(kEventKindNames)))
            ->type_name("KINDS"),
        app.add_option("--min-rating", minimumRating,
                       "With --format ics: the lowest rating that gets an all-day entry "
                       "(default: Good)")
            ->check(CLI::IsMember(Names(kRatingNames)))
            ->type_name("RATING"),
        app.add_flag("--daylight-only", options.calendar.daylightOnly,
                     "With --format ics: only periods that overlap sunrise - 30 min to "
                     "sunset + 30 min"),
        app.add_option("--alarm", options.calendar.alarmMinutes,
                       "With --format ics: a reminder this many minutes before each period")
            ->check(CLI::Range(0, kMaxAlarmMinutes))
            ->type_name("MINUTES")};
    app.footer(
        placesHelp +
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
        standardError << "quintrel-table: " << error.what() << " (see --help)\n";
        return kExitUsageError;
    }
    options.formatGiven = format->count() > 0;
    for (const CLI::Option* option : calendarOptions) {
        options.calendarOptionsGiven = options.calendarOptionsGiven || option->count() > 0;
    }
    ApplyCalendarChoices(icsEvents, minimumRating, options.calendar);

    try {
        RunTableCommand(options, standardOutput);
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
