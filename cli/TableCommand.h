#pragma once

#include <ostream>

#include "cli/OptionChecks.h"
#include "cli/TableOptions.h"

namespace quintrel::cli {

/// Runs the command the options ask for, once they are checked (CheckOptions): the town
/// search or zone rule, the day picture, the place list, the planner, the year at a glance,
/// the calendar, or else the month table (see each mode's ...Command.h). Output goes to
/// `standardOutput` or the --output/--pdf files; notes for the user that are not the output
/// go to `messages`. Throws UsageError for contradictory options and CoreError for bad
/// data or a file that cannot be read or written.
void RunTableCommand(const TableOptions& options, std::ostream& standardOutput,
                     std::ostream& messages);

}  // namespace quintrel::cli
