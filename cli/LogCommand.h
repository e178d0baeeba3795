#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>

#include "cli/TableOptions.h"

namespace quintrel::cli {

/// The log's options as parsed.
struct LogOptions {
    std::optional<std::string> logPath;     ///< --log; none: log.sqlite beside the place list
    std::optional<std::string> importPath;  ///< --log-import CSV
    std::optional<std::string> exportPath;  ///< --log-export CSV ("-": standard output)
    bool stats = false;                     ///< --log-stats
};

/// Adds --log, --log-import, --log-export and --log-stats to the parser.
void AddLogOptions(CLI::App& app, LogOptions& options);

/// Whether the command line asks for the log mode (any of the four options).
bool LogModeAsked(const LogOptions& options);

/// The log file the options name: --log, else log.sqlite beside the --locations file, else
/// beside the window's own place list (the folder of its locs.dat).
std::string LogPathFor(const LogOptions& log, const TableOptions& table);

/// Runs the log mode: exactly one of --log-import, --log-export, --log-stats, with only
/// --log, --locations, --record and (for --log-stats) --format text|csv beside it.
/// - import: every line is checked before any is stored, and all are stored in one
///   change; a bad line is written to `messages` as "line L, column C: reason" and the
///   exit code is kExitDataError. Success prints "Imported N catches in M outings".
/// - export: the whole log as CSV, into a file replaced only once complete.
/// - stats: the numbers of the first two charts as text or CSV; with fewer than 5 outings
///   a note on `messages`.
/// Returns the exit code. Throws UsageError for options that do not go together, and
/// CoreError (LogError) for a log or file that cannot be read or written.
int RunLogCommand(const LogOptions& log, const TableOptions& table, const CLI::App& app,
                  std::ostream& standardOutput, std::ostream& messages);

/// The help text of the log options, for the end of --help.
extern const char* const kLogHelp;

}  // namespace quintrel::cli
