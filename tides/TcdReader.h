#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tides/TideData.h"

namespace quintrel::tides {

// The one place that talks to libtcd. libtcd keeps a single open file and its tables in
// global state, so every call here takes one process-wide lock and opens the file it
// needs when another one is open. Nothing of libtcd's leaves this module: what it reads
// is copied into the plain structures of TideData.h.

/// What stays in memory of a harmonics file: its constituent table and the index of its
/// usable records (UsableStations).
struct TcdIndex {
    std::string path;
    ConstituentTable table;
    std::vector<StationHeader> stations;
};

/// Opens the TCD file `path` and reads its constituent table and station index. Throws
/// CoreError naming the file when libtcd cannot open it or CheckConstituentTable refuses
/// it. Only for trusted files; see ProbeTideFile for the others.
TcdIndex ReadTcdIndex(const std::string& path);

/// Reads record `record` of `path` whole, for harmonics file number `file` of the caller.
/// Nothing for a record that is no tide station (a current, or levels in unknown units).
/// Phases are referred to UTC (the file's are to each station's meridian) and a station
/// without an id gets "<file name without .tcd>#<record>". Throws CoreError when the
/// record cannot be read or CheckStation refuses it.
std::optional<TideStation> ReadTcdStation(const std::string& path, int file, int record,
                                          const ConstituentTable& table);

/// Opens and reads every record of `path` in a child process that may run for at most
/// `limitMs` milliseconds, so that a file libtcd chokes on cannot take this process
/// down. Nothing when the file reads cleanly; otherwise a one-line message naming it
/// (a crash, a hang, a file libtcd or the checks refuse).
std::optional<std::string> ProbeTideFile(const std::string& path, int limitMs = 5000);

}  // namespace quintrel::tides
