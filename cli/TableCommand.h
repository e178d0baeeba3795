#pragma once

#include <ostream>
#include <stdexcept>

#include "cli/TableOptions.h"

namespace quintrel::cli {

/// A command line that contradicts itself; reported with exit code 2.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// Runs the command: lists the places, or computes every asked month in full and only
/// then writes the result (text or CSV to `standardOutput` or the output file, and the
/// PDF when asked), so a failure never leaves a partial table behind as if it were done.
/// With --plan it lists the best days instead (see PlanCommand.h); with --year-view it
/// writes the year at a glance to the --pdf file. Notes for the user that are not the
/// output (a search that found nothing, written as CSV) go to `messages`.
/// Throws UsageError for contradictory options and CoreError for bad data or a file that
/// cannot be read or written.
void RunTableCommand(const TableOptions& options, std::ostream& standardOutput,
                     std::ostream& messages);

}  // namespace quintrel::cli
