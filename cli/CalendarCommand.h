#pragma once

#include <ostream>

#include "cli/TableOptions.h"

namespace quintrel::cli {

/// --format ics: the --months months' periods and good days as one calendar (one VCALENDAR,
/// so the months are kept and written together at the end), and the report PDF when asked.
bool IsCalendarMode(const TableOptions& options);
void RunCalendarCommand(const TableOptions& options, std::ostream& standardOutput,
                        std::ostream& messages);

}  // namespace quintrel::cli
