#pragma once

#include <ostream>
#include <stdexcept>
#include <string_view>

#include "cli/TableOptions.h"

namespace quintrel::cli {

/// A command line that contradicts itself; reported with exit code 2.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// The whole number in an option's text, read as decimal whatever its leading zeros
/// ("08" is 8, "02004" is 2004); a sign is allowed. Throws UsageError naming the option
/// for anything else ("0x10", "1e3", "", blanks) or a number beyond int.
int DecimalOption(std::string_view option, std::string_view text);

/// Runs the command: lists the places, or computes the asked months one after another,
/// writing each as soon as it is computed (text or CSV to `standardOutput`, or to a
/// temporary file renamed over the output file at the end, so a failure never leaves a
/// partial file behind as if it were done), and the PDF when asked. Every month is checked
/// to be in the calendar before the first is computed.
/// With --plan it lists the best days instead (see PlanCommand.h); with --year-view it
/// writes the year at a glance to the --pdf file. Notes for the user that are not the
/// output (a search that found nothing, written as CSV) go to `messages`.
/// Throws UsageError for contradictory options (more than kMaxMonths months, an empty
/// file name) and CoreError for bad data or a file that cannot be read or written.
void RunTableCommand(const TableOptions& options, std::ostream& standardOutput,
                     std::ostream& messages);

}  // namespace quintrel::cli
