#pragma once

#include <ostream>

#include "cli/TableOptions.h"

namespace quintrel::cli {

/// --year-view: the year at a glance of the chosen place for --year, drawn into the --pdf
/// file.
bool IsYearViewMode(const TableOptions& options);
void RunYearViewCommand(const TableOptions& options, std::ostream& standardOutput,
                        std::ostream& messages);

}  // namespace quintrel::cli
