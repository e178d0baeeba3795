#pragma once

#include <ostream>

#include "cli/TableOptions.h"

namespace quintrel::cli {

/// The month table, the mode when no other is asked: the --months months as text or CSV,
/// each year written as soon as it is computed (a file is replaced only at the end, so a
/// failure never leaves a partial file behind as if it were done), and the report PDF when
/// asked (then the table goes out only with --format or --output).
bool IsMonthMode(const TableOptions& options);
void RunMonthCommand(const TableOptions& options, std::ostream& standardOutput,
                     std::ostream& messages);

}  // namespace quintrel::cli
