// --day's date on any text: a date of the calendar, or a usage error; nothing else.

#include "FuzzSupport.h"
#include "astro/CivilDate.h"
#include "cli/OptionChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quintrel;
    try {
        const cli::DayArgument day = cli::ParseDayArgument(fuzz::AsText(data, size));
        fuzz::Require(day.month >= 1 && day.month <= 12 && day.day >= 1 &&
                          day.day <= DaysInMonth(day.year, day.month),
                      "a date outside the calendar", fuzz::AsText(data, size));
    } catch (const cli::UsageError&) {
    }
    return 0;
}
