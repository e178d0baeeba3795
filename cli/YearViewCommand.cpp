#include "cli/YearViewCommand.h"

#include "cli/CommandParts.h"
#include "cli/PdfOutput.h"
#include "cli/PlaceChoice.h"
#include "table/YearView.h"

namespace quintrel::cli {

bool IsYearViewMode(const TableOptions& options) {
    return options.yearView;
}

void RunYearViewCommand(const TableOptions& options, std::ostream& /*standardOutput*/,
                        std::ostream& messages) {
    const auto [now, record, place] = OpenAskedPlaceMonths(options, messages);
    WriteYearViewPdf(*options.pdfPath,
                     BuildYearSheet(record, PlaceName(record),
                                    CheckedYear(FirstAskedMonth(options, now).second)));
}

}  // namespace quintrel::cli
