#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calendar/CalendarOptions.h"

namespace quintrel::cli {

/// The most consecutive months one command computes: a century.
inline constexpr int kMaxMonths = 1200;

/// What the command line asked for, as parsed; nothing here is checked against data yet.
struct TableOptions {
    std::string locationsPath;              ///< empty: locs.dat beside the program
    std::optional<std::string> record;      ///< a location record standing for a one-place list
    std::string place = "0";                ///< position from 0, or part of "Country (Town)"
    bool list = false;                      ///< print the places with their positions
    std::optional<int> month;               ///< 1..12; empty: this month
    std::optional<int> year;                ///< empty: this year
    int months = 1;                         ///< consecutive months to compute, 1..kMaxMonths
    std::string format = "text";            ///< "text", "csv" or "ics"
    bool formatGiven = false;               ///< --format was on the command line
    std::optional<std::string> outputPath;  ///< none: standard output
    std::optional<std::string> pdfPath;     ///< none: no PDF
    std::optional<std::string> find;        ///< list the towns matching this text
    std::optional<std::string> town;        ///< compute for the best town matching this text
    std::optional<std::string> zoneRule;    ///< print the record's zone columns for this zone
    CalendarOptions calendar;               ///< what --format ics writes
    bool calendarOptionsGiven = false;  ///< an --ics-events, --daylight-only or --alarm was given
    std::optional<std::string> day;     ///< "YYYY-MM-DD": the day picture of that date
    std::string svgPath;                ///< day picture as SVG; empty: none
    std::string pngPath;                ///< day picture as PNG; empty: none
    // The planner and the year at a glance.
    bool plan = false;                ///< search the best days instead of one table
    std::optional<std::string> from;  ///< first month searched, "YYYY-MM"; empty: this month
    /// "favourites", "all" or TEXT[,TEXT...]; empty: the favourites, or the --record place
    std::optional<std::string> places;
    /// --plan: the lowest rating listed; --format ics: the lowest rating of a good day
    std::optional<std::string> minRating;
    std::optional<std::string> days;  ///< weekdays, "sat,sun"
    bool daylightMajor = false;
    std::optional<int> nearSunMinutes;
    std::optional<int> nearTideMinutes;
    bool yearView = false;  ///< the year at a glance of --place for --year
    bool transit = false;   ///< activity times from the moon's transits
    // Tides.
    bool stations = false;               ///< list the tide stations near the place
    bool tides = false;                  ///< the highs and lows of the place's station
    std::optional<std::string> station;  ///< --tides: a station id or part of its name
    std::optional<std::string> units;    ///< --tides: "m" or "ft"; empty: the station's
    // The log of outings and catches.
    std::optional<std::string> logPath;    ///< --log; none: log.sqlite beside the place list
    std::optional<std::string> logImport;  ///< --log-import CSV
    std::optional<std::string> logExport;  ///< --log-export CSV ("-": standard output)
    bool logStats = false;                 ///< --log-stats
};

}  // namespace quintrel::cli
