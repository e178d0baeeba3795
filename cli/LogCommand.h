#pragma once

#include <ostream>
#include <string>

#include "cli/TableOptions.h"

namespace quintrel::cli {

/// --log-import, --log-export, --log-stats (with --log FILE): the log of outings and
/// catches. Exactly one of the three; CheckLogOptions says what goes with them.
bool IsLogMode(const TableOptions& options);
/// - import: every line is checked before any is stored, and all are stored in one change;
///   a bad line throws LogCsvError ("line L, column C: reason"), and nothing is stored.
///   Success prints "Imported N catches in M outings".
/// - export: the whole log as CSV, into a file replaced only once complete ("-": standard
///   output).
/// - stats: the numbers of the first two charts as --format text or csv, to --output or
///   standard output; with fewer than 5 outings a note on `messages`.
/// Throws CoreError (LogError) for a log or file that cannot be read or written.
void RunLogCommand(const TableOptions& options, std::ostream& standardOutput,
                   std::ostream& messages);

/// Throws UsageError unless the log options asked go together: one action, only --log,
/// --locations or --record beside it, and --format text|csv and --output with --log-stats
/// only. Nothing when no log option is given.
void CheckLogOptions(const TableOptions& options);

/// The log file the options name: --log, else log.sqlite beside the --locations file, else
/// beside the window's own place list (the folder of its locs.dat).
std::string LogPathFor(const TableOptions& options);

/// The help text of the log options, for the end of --help.
extern const char* const kLogHelp;

}  // namespace quintrel::cli
