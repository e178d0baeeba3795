#pragma once

#include <stdexcept>
#include <string_view>

#include "cli/TableOptions.h"

namespace quintrel::cli {

/// A command line that contradicts itself; reported with exit code 2.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

/// A date "YYYY-MM-DD" of the calendar. Throws UsageError for anything else ("2025-02-30").
struct DayArgument {
    int year = 0, month = 0, day = 0;
};
DayArgument ParseDayArgument(std::string_view text);

/// The whole number in an option's text, read as decimal whatever its leading zeros
/// ("08" is 8, "02004" is 2004); a sign is allowed. Throws UsageError naming the option
/// for anything else ("0x10", "1e3", "", blanks) or a number beyond int.
int DecimalOption(std::string_view option, std::string_view text);

/// Checks the options against each other before anything is read or computed: options of
/// one mode given without it, two modes at once, a month count beyond kMaxMonths, an empty
/// file name. Throws UsageError saying what goes with what. What needs the clock or the
/// data (the months being in the calendar, a place existing) is checked by the runners.
void CheckOptions(const TableOptions& options);

}  // namespace quintrel::cli
