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

}  // namespace quintrel
