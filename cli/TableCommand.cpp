#include "cli/TableCommand.h"

#include <array>

#include "cli/CalendarCommand.h"
#include "cli/DayCommand.h"
#include "cli/FindCommand.h"
#include "cli/ListCommand.h"
#include "cli/LogCommand.h"
#include "cli/MonthCommand.h"
#include "cli/PlanCommand.h"
#include "cli/TidesCommand.h"
#include "cli/YearViewCommand.h"

namespace quintrel::cli {

namespace {

struct Mode {
    bool (*asked)(const TableOptions& options);
    void (*run)(const TableOptions& options, std::ostream& standardOutput, std::ostream& messages);
};

// The modes, tried in this order; the first one asked runs. The order settles which wins
// when options of two modes are given and CheckOptions lets them pass (--find with
// anything, --list with --plan); the month table asks for nothing and comes last.
//
// To add a mode: give it its own XxxCommand.{h,cpp} with IsXxxMode and RunXxxCommand (the
// runner reads its places and clock itself through CommandParts.h), add its options to
// the option table in CommandLine.cpp and their TableOptions fields, the options that
// contradict it to CheckOptions, and a line here.
constexpr std::array kModes{
    Mode{IsLogMode, RunLogCommand},     Mode{IsFindMode, RunFindCommand},
    Mode{IsDayMode, RunDayCommand},     Mode{IsListMode, RunListCommand},
    Mode{IsPlanMode, RunPlanCommand},   Mode{IsYearViewMode, RunYearViewCommand},
    Mode{IsTidesMode, RunTidesCommand}, Mode{IsCalendarMode, RunCalendarCommand},
    Mode{IsMonthMode, RunMonthCommand},
};

}  // namespace

void RunTableCommand(const TableOptions& options, std::ostream& standardOutput,
                     std::ostream& messages) {
    CheckOptions(options);
    for (const Mode& mode : kModes) {
        if (mode.asked(options)) {
            mode.run(options, standardOutput, messages);
            return;
        }
    }
}

}  // namespace quintrel::cli
