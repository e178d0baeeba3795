#pragma once

#include <string>
#include <string_view>

namespace quintrel {

/// The absolute directory holding the program, without a trailing separator (the root
/// directory gives ""), so callers append "/locs.dat". Taken from `executablePath` when
/// the caller passes one (e.g. argv[0] or the toolkit's idea of it), otherwise from the
/// platform (/proc/self/exe). Throws CoreError when neither gives a path.
std::string AppDirectory(std::string_view executablePath = {});

/// Whether `path` (blanks around it ignored) names an existing file. A directory, a
/// missing path or a path in a missing directory give false; never throws.
bool FileExists(std::string_view path);

/// The place list shipped with a system-wide install: "<programDirectory>/../share/
/// quintrel/locs.dat" when that file exists, otherwise locs.dat beside the program.
std::string ShippedLocationFile(std::string_view programDirectory);

/// The user's own folder for Quintrel's data: "<dataHome>/quintrel" when `dataHome`
/// ($XDG_DATA_HOME) is an absolute path, otherwise "<home>/.local/share/quintrel".
/// Throws CoreError when neither gives an absolute path.
std::string UserDataDirectory(std::string_view dataHome, std::string_view home);

/// The folder that holds locs.dat and locs.bak for the program in `programDirectory`:
/// the program's own folder when this user may write to it (a build folder, an install
/// into the user's prefix, an unpacked copy), unless it is a system-wide install (no
/// place list beside the program, the shipped one under ../share/quintrel), which even
/// root must not write into. Otherwise UserDataDirectory(dataHome, home).
std::string PlaceDirectory(std::string_view programDirectory, std::string_view dataHome,
                           std::string_view home);

/// PlaceDirectory made ready to read: when it is the user's data folder and holds neither
/// locs.dat nor locs.bak (the first start), the folder is created and the shipped list is
/// copied into it as locs.dat. Without a shipped list nothing is copied, and the caller
/// finds no list. Throws CoreError naming the path when the folder cannot be created or
/// the copy fails.
std::string PreparePlaceDirectory(std::string_view programDirectory, std::string_view dataHome,
                                  std::string_view home);

/// PreparePlaceDirectory with the running program's $XDG_DATA_HOME and $HOME.
std::string PreparePlaceDirectory(std::string_view programDirectory);

}  // namespace quintrel
