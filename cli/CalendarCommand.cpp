#include "cli/CalendarCommand.h"

#include <ctime>
#include <optional>
#include <vector>

#include "calendar/IcsWriter.h"
#include "cli/CommandParts.h"
#include "cli/OptionChecks.h"
#include "cli/PdfOutput.h"
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
                             *options.minRating + "\"");
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
    std::vector<MonthTable> tables;
    ForEachAskedMonth(options, now, place, record,
                      [&](MonthTable& table) { tables.push_back(std::move(table)); });
    if (options.pdfPath) {
        WriteReportPdf(*options.pdfPath, tables, record);
    }
    if (output) {
        output->Write(BuildIcsText(tables, record, calendar, std::time(nullptr)));
        output->Finish();
    }
}

}  // namespace quintrel::cli
