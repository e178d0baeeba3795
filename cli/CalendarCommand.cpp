#include "cli/CalendarCommand.h"

#include <ctime>
#include <optional>
#include <vector>

#include "calendar/IcsWriter.h"
#include "cli/CommandParts.h"
#include "cli/OptionChecks.h"
#include "cli/PdfOutput.h"
#include "locations/Encoding.h"
#include "table/Planner.h"

namespace quintrel::cli {

namespace {

// The calendar's choices with the shared --min-rating read as the planner reads it, so
// both accept the same names and say the same when a name is wrong.
CalendarOptions CalendarChoices(const TableOptions& options) {
    CalendarOptions calendar = options.calendar;
    if (options.minRating) {
        const std::optional<Rating> rating = ParseRating(*options.minRating);
        if (!rating) {
            throw UsageError("--min-rating must be " + std::string(kRatingChoices) + ", not \"" +
                             PrintableText(*options.minRating) + "\"");
        }
        calendar.minimumRating = *rating;
    }
    return calendar;
}

}  // namespace

bool IsCalendarMode(const TableOptions& options) {
    return options.format == "ics";
}

void RunCalendarCommand(const TableOptions& options, std::ostream& standardOutput,
                        std::ostream& /*messages*/) {
    const LocalMoment now = ReadLocalClock();
    CheckAskedMonths(options, now);
    const LocationList places = ReadPlaces(options);
    const std::string& record = ChosenRecord(options, places);
    PlaceValues place;
    ParseSelectedLocation(record, place);

    std::optional<TableOutput> output;
    if (!options.pdfPath || options.formatGiven || options.outputPath) {
        output.emplace(options.outputPath, standardOutput);
    }
    // Checked before anything is computed.
    const CalendarOptions calendar = CalendarChoices(options);
    // One VCALENDAR over all the months, its entries written a month at a time as they
    // are computed (the PDF too), so a century never lies in memory at once.
    std::optional<IcsStreamWriter> writer;
    if (output) {
        writer.emplace(record, calendar, std::time(nullptr),
                       [&output](std::string_view piece) { output->Write(piece); });
    }
    std::optional<ReportPdfStream> pdf;
    if (options.pdfPath) {
        pdf.emplace(*options.pdfPath, record, LastAskedMonth(options, now, place, record));
    }
    std::vector<MonthTable> pending;
    ForEachAskedMonth(options, now, place, record, [&](MonthTable& table) {
        if (writer) {
            pending.assign(1, table);
            writer->AddMonths(pending);
        }
        if (pdf) {
            pdf->Add(table);
        }
    });
    if (pdf) {
        pdf->Finish();
    }
    if (writer) {
        writer->Finish();
        output->Finish();
    }
}

}  // namespace quintrel::cli
