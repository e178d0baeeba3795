#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tides/TideDatabase.h"

namespace quintrel::tides {

// Where Quintrel's harmonics come from; the one list of them.

/// The harmonics file of Debian's xtide-data package (public domain, from NOAA).
inline constexpr std::string_view kXtideDataFile =
    "/usr/share/xtide/harmonics-dwf-20191229-free.tcd";
/// The name of the world file Quintrel ships (stations xtide-data lacks).
inline constexpr std::string_view kWorldFileName = "world-tides.tcd";
/// The folder beside the place list where a user may put more .tcd files.
inline constexpr std::string_view kUserTideFolder = "tides";

/// The shipped harmonics files that exist, in the order they are searched: xtide-data's,
/// then the world file beside the program (a build or an install into a folder) or in
/// "<programDirectory>/../share/quintrel/" (a system-wide install).
std::vector<std::string> ShippedTideFiles(std::string_view programDirectory);

/// The ".tcd" files (any case) in "<placeDirectory>/tides", sorted by name; none when
/// the folder does not exist.
std::vector<std::string> UserTideFiles(std::string_view placeDirectory);

/// Opens the shipped files and those of the user that pass ProbeTideFile (each read
/// whole in a child process first, at most `probeLimitMs`); each refused file's message
/// is in the result's Problems().
std::shared_ptr<TideDatabase> OpenTideData(std::string_view programDirectory,
                                           std::string_view placeDirectory,
                                           int probeLimitMs = 5000);

}  // namespace quintrel::tides
