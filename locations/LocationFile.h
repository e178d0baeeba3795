#pragma once

#include <string>
#include <string_view>

#include "locations/LocationList.h"

namespace quintrel {

/// "<directory>/locs.dat": the place file beside the program.
std::string LocationFilePath(std::string_view directory);

/// "<directory>/locs.bak": the place file as it was before the last save.
std::string LocationBackupPath(std::string_view directory);

/// Splits file text at every CR LF pair: n separators give n + 1 entries, so a file that
/// ends with CR LF gives an empty last entry. A lone LF or CR is part of a record.
LocationList SplitLocationText(std::string_view text);

/// Reads the place file at `path`: its records with empty lines dropped (which sets
/// LocationsChanged, as the file's final line break always gives one), sorted. Throws
/// CoreError naming the path when the file cannot be read, is not a regular file (a pipe
/// is refused at once) or holds more than kMaxLocations places.
LocationState ReadLocationFile(const std::string& path);

/// Reads locs.dat from `directory` into state.Locations, first restoring it from locs.bak
/// when only the backup exists. Empty lines are dropped (which sets LocationsChanged, as
/// the file's final line break always gives one) and the list is sorted. LocationIndex is
/// left alone: SelectableLocationIndex says which entry to show.
/// Returns false, changing nothing, when neither file exists. Throws CoreError naming the
/// path when a file cannot be read or restored, when locs.dat is a folder, or when the file
/// holds more than kMaxLocations places; the state and both files are then unchanged.
bool LoadLocations(std::string_view directory, LocationState& state);

/// When LocationsChanged is set: copies locs.dat to locs.bak and writes the list to
/// locs.dat, each record followed by CR LF, then clears LocationsChanged. Every file is
/// written to a temporary file in the same directory, flushed to disk and renamed into
/// place, so a crash or a full disk never leaves a truncated locs.dat or locs.bak.
/// Throws CoreError naming the path on failure; the list, LocationsChanged and both files
/// are then left as they were.
void SaveLocations(std::string_view directory, LocationState& state);

}  // namespace quintrel
