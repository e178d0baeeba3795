#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "cli/OptionChecks.h"
#include "cli/TableOptions.h"

namespace quintrel::cli {

/// Writes the day picture of `options.day` for the place of `record` to each file asked for
/// (--svg, --png, --pdf). Every picture is drawn before any file is written. Throws
/// UsageError when no file is asked for, CoreError for a day out of reach or a file that
/// cannot be written.
void WriteDayPictures(const TableOptions& options, const std::string& record);

/// --day: the day picture of the chosen place.
bool IsDayMode(const TableOptions& options);
void RunDayCommand(const TableOptions& options, std::ostream& standardOutput,
                   std::ostream& messages);

}  // namespace quintrel::cli
