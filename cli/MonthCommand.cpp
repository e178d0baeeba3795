#include "cli/MonthCommand.h"

#include <optional>
#include <vector>

#include "cli/CommandParts.h"
#include "cli/PdfOutput.h"
#include "cli/PlaceChoice.h"
#include "cli/TextTable.h"
#include "table/CsvExport.h"
#include "table/ReportTexts.h"

namespace quintrel::cli {

bool IsMonthMode(const TableOptions& /*options*/) {
    return true;
}

void RunMonthCommand(const TableOptions& options, std::ostream& standardOutput,
                     std::ostream& messages) {
    const auto [now, record, place] = OpenAskedPlaceMonths(options, messages);

    // The PDF alone was asked for unless a format or an output file says otherwise.
    std::optional<TableOutput> output;
    if (TextOutputAsked(options)) {
        output.emplace(options.outputPath, standardOutput);
    }
    const bool csv = options.format == "csv";
    if (output && csv) {
        output->Write(BuildCsvText(std::vector<MonthTable>{}, now.timeText, now.dateText));
    }
    const std::string name = PlaceName(record);
    const std::string line = PlaceLineText(record);
    // The PDF is drawn month by month too, so a long run holds one year of months.
    std::optional<ReportPdfStream> pdf;
    if (options.pdfPath) {
        pdf.emplace(*options.pdfPath, record, LastAskedMonth(options, now, place, record));
    }
    bool first = true;
    ForEachAskedMonth(options, now, place, record, [&](MonthTable& table) {
        if (output) {
            output->Write(csv ? CsvDayLines(table)
                              : (first ? "" : "\n") + FormatTextTable(table, name, line));
        }
        first = false;
        if (pdf) {
            pdf->Add(table);
        }
    });
    if (pdf) {
        pdf->Finish();
    }
    if (output) {
        output->Finish();
    }
}

}  // namespace quintrel::cli
