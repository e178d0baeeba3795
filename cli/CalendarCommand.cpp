#include "cli/CalendarCommand.h"

#include <ctime>
#include <optional>
#include <vector>

#include "calendar/IcsWriter.h"
#include "cli/CommandParts.h"
#include "cli/OptionChecks.h"
#include "cli/PdfOutput.h"
#include "cli/PlaceChoice.h"
#include "cli/TidesCommand.h"
#include "locations/AppPaths.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"
#include "table/Planner.h"
#include "tides/TideFiles.h"
#include "tides/TideTable.h"
#include "tides/TideTexts.h"

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

// The high and low waters of the asked months from the place's nearest station; nothing,
// said on standard error, when no station is near enough (the other entries are written).
std::optional<CalendarTides> CalendarTidesFor(const TableOptions& options, const LocalMoment& now,
                                              const std::string& record, std::ostream& messages) {
    const std::shared_ptr<tides::TideDatabase> database =
        tides::OpenTideData(AppDirectory(), TidePlaceDirectory(options));
    for (const std::string& problem : database->Problems()) {
        messages << "quintrel-table: " << problem << "\n";
    }
    const tides::PlaceStations stations = tides::StationsForPlace(*database, record, "");
    if (!stations.chosen) {
        messages << "quintrel-table: " << tides::NoStationText(PlaceName(record)) << "\n";
        return std::nullopt;
    }
    const tides::NearbyStation& station = *stations.chosen;
    CalendarTides result;
    result.stationLine = tides::HeadingText(tides::HeadingFor(station, station.station.units));
    result.unitsSymbol = tides::UnitsSymbol(station.station.units);
    const auto [firstMonth, firstYear] = FirstAskedMonth(options, now);
    const auto [lastMonth, lastYear] = MonthAfter(firstMonth, firstYear, options.months - 1);
    result.events = tides::PlaceRecordTides(*database, station, record,
                                            tides::MonthDates(firstMonth, firstYear).first,
                                            tides::MonthDates(lastMonth, lastYear).second);
    return result;
}

}  // namespace

bool IsCalendarMode(const TableOptions& options) {
    return options.format == "ics";
}

void RunCalendarCommand(const TableOptions& options, std::ostream& standardOutput,
                        std::ostream& messages) {
    const auto [now, record, place] = OpenAskedPlaceMonths(options, messages);

    std::optional<TableOutput> output;
    if (TextOutputAsked(options)) {
        output.emplace(options.outputPath, standardOutput);
    }
    // Checked before anything is computed.
    const CalendarOptions calendar = CalendarChoices(options);
    // One VCALENDAR over all the months, its entries written a month at a time as they
    // are computed (the PDF too), so a century never lies in memory at once.
    std::optional<CalendarTides> waters;
    if (calendar.tides && output) {
        waters = CalendarTidesFor(options, now, record, messages);
    }
    std::optional<IcsStreamWriter> writer;
    if (output) {
        writer.emplace(
            record, calendar, std::time(nullptr),
            [&output](std::string_view piece) { output->Write(piece); },
            waters ? &*waters : nullptr);
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
