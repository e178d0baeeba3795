#pragma once

#include <ostream>
#include <string>

#include "cli/TableOptions.h"

namespace quintrel::cli {

/// --stations and --tides for the chosen place. The user's extra .tcd files are read from
/// the tides/ folder beside its place list (TidePlaceDirectory); each refused one is named
/// on `messages`, the others are used.
/// --stations writes the nearest tide stations (at most 10 within 100 km) as tab-separated
/// lines; --tides the highs and lows of the nearest station, or of --station, for the
/// months asked, as text or CSV (to --output or `standardOutput`).
/// Throws UsageError for --station matching several stations, and CoreError when no
/// station is near, none matches, or the years lie outside the tables.
bool IsTidesMode(const TableOptions& options);
void RunTidesCommand(const TableOptions& options, std::ostream& standardOutput,
                     std::ostream& messages);

/// The folder whose tides/ holds the user's extra harmonics files: that of the
/// --locations file, otherwise the window's place folder.
std::string TidePlaceDirectory(const TableOptions& options);

}  // namespace quintrel::cli
