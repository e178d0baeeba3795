#pragma once

#include <ostream>

namespace quintrel::cli {

/// Exit codes of quintrel-table.
inline constexpr int kExitDone = 0;
inline constexpr int kExitDataError = 1;  ///< bad data, or a file that cannot be read or written
inline constexpr int kExitUsageError =
    2;  ///< a command line that does not parse or contradicts itself

/// Parses the arguments of quintrel-table (`argv[0]` is the program name) and runs the
/// command: help and results go to `standardOutput`, one-line messages to `standardError`.
/// Returns the exit code. Never throws.
int RunCommandLine(int argc, const char* const* argv, std::ostream& standardOutput,
                   std::ostream& standardError);

}  // namespace quintrel::cli
