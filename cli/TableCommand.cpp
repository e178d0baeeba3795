#include "cli/TableCommand.h"

#include <vector>

#include "astro/CoreError.h"
#include "cli/DayOutput.h"
#include "cli/FindCommand.h"
#include "cli/LocalClock.h"
#include "cli/PdfOutput.h"
#include "cli/PlaceChoice.h"
#include "cli/PlanCommand.h"
#include "cli/TextTable.h"
#include "gazetteer/GeonamesGazetteer.h"
#include "locations/FileIo.h"
#include "locations/PlaceValues.h"
#include "table/CalculateMonth.h"
#include "table/CsvExport.h"
#include "table/PlanOutput.h"
#include "table/ReportTexts.h"
#include "table/YearView.h"

namespace quintrel::cli {

namespace {

// Month and year come from the options, so a value out of range is a usage error.
std::int16_t CheckedMonth(int month) {
    if (month < 1 || month > 12) {
        throw UsageError("Month " + std::to_string(month) + " is not between 1 and 12");
    }
    return static_cast<std::int16_t>(month);
}

std::int16_t CheckedYear(int year) {
    if (year < 101 || year > 9998) {
        throw UsageError("Year " + std::to_string(year) + " is not between 101 and 9998");
    }
    return static_cast<std::int16_t>(year);
}

std::vector<MonthTable> CalculateMonths(const std::string& record, int firstMonth, int firstYear,
                                        int count) {
    // Every month asked for is checked before the place is read: an option out of range
    // is reported as such even when the record is bad too.
    CheckedMonth(firstMonth);
    const long lastIndex = static_cast<long>(firstYear) * 12 + (firstMonth - 1) + (count - 1);
    CheckedYear(firstYear);
    CheckedYear(static_cast<int>(lastIndex / 12));
    PlaceValues place;
    ParseSelectedLocation(record, place);
    std::vector<MonthTable> tables;
    int month = firstMonth;
    int year = firstYear;
    for (int i = 0; i < count; ++i) {
        tables.push_back(CalculateMonth(place, record, CheckedMonth(month), CheckedYear(year)));
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return tables;
}

}  // namespace

void RunTableCommand(const TableOptions& options, std::ostream& standardOutput,
                     std::ostream& messages) {
    if (options.plan && options.yearView) {
        throw UsageError("--plan and --year-view cannot be used together");
    }
    if (!options.plan && (options.from || options.places || options.minRating || options.days ||
                          options.daylightMajor || options.nearSunMinutes)) {
        throw UsageError(
            "--from, --places, --min-rating, --days, --daylight-major and --near-sun "
            "go with --plan");
    }
    if (options.yearView && options.pdfPath.empty()) {
        throw UsageError("--year-view needs --pdf FILE for the page it draws");
    }
    if (options.months < 1 && !options.plan) {
        throw UsageError("--months must be at least 1");
    }
    const int placeSources =
        (options.record ? 1 : 0) + (options.town ? 1 : 0) + (options.locationsPath.empty() ? 0 : 1);
    if (placeSources > 1) {
        throw UsageError("Only one of --record, --town and --locations can be given");
    }
    if (options.find || options.zoneRule) {
        std::string text;
        if (options.find) {
            GeonamesGazetteer gazetteer;
            text = FindText(gazetteer, *options.find);
        } else {
            text = ZoneRuleText(*options.zoneRule);
        }
        standardOutput << text << std::flush;
        if (!standardOutput) {
            throw CoreError("Cannot write to standard output");
        }
        return;
    }
    if (options.day &&
        (options.list || options.month || options.year || options.months != 1 ||
         options.formatGiven || !options.outputPath.empty() || options.plan || options.yearView)) {
        throw UsageError(
            "--day cannot be used with --list, --month, --year, --months, --format, "
            "--output, --plan or --year-view");
    }
    if (!options.day && (!options.svgPath.empty() || !options.pngPath.empty())) {
        throw UsageError("--svg and --png need --day");
    }
    LocationList places;
    if (options.town) {
        GeonamesGazetteer gazetteer;
        places = {TownRecordFor(gazetteer, *options.town)};
    } else {
        places = options.record ? RecordAsPlaceList(*options.record)
                                : ReadPlaceList(options.locationsPath);
    }
    if (options.day) {
        WriteDayPictures(
            options, options.town
                         ? places.front()
                         : places[static_cast<std::size_t>(ChoosePlace(places, options.place))]);
        return;
    }

    std::string output;
    bool writeOutput = true;
    std::vector<MonthTable> tables;
    if (options.list) {
        output = PlaceListText(places);
    } else if (options.plan) {
        const LocalMoment now = ReadLocalClock();
        const PlanRequest request = BuildPlanRequest(options, places, now);
        const PlanResult result = RunPlan(request);
        if (options.format == "csv") {
            output = BuildPlanCsv(request, result.days, now.timeText, now.dateText);
            if (result.days.empty()) {
                messages << NothingFoundText(request) << "\n";
            }
        } else {
            output = FormatPlanText(request, result);
        }
        if (!options.pdfPath.empty()) {
            if (result.days.empty()) {
                // An empty list would print as a page of headings; the message says more.
                if (options.format == "csv") {
                    messages << "No PDF written to " << options.pdfPath << "\n";
                } else {
                    messages << NothingFoundText(request) << " No PDF written to "
                             << options.pdfPath << "\n";
                }
            } else {
                WritePlanPdf(options.pdfPath, request, result.days);
            }
            writeOutput = options.formatGiven || !options.outputPath.empty();
        }
    } else if (options.yearView) {
        const std::string& record =
            places[static_cast<std::size_t>(ChoosePlace(places, options.place))];
        const int year = options.year.value_or(ReadLocalClock().year);
        WriteYearViewPdf(options.pdfPath,
                         BuildYearSheet(record, PlaceName(record), CheckedYear(year)));
        writeOutput = false;
    } else {
        const std::string& record =
            options.town ? places.front()
                         : places[static_cast<std::size_t>(ChoosePlace(places, options.place))];
        const LocalMoment now = ReadLocalClock();
        tables = CalculateMonths(record, options.month.value_or(now.month),
                                 options.year.value_or(now.year), options.months);
        if (options.format == "csv") {
            output = BuildCsvText(tables, now.timeText, now.dateText);
        } else {
            const std::string name = PlaceName(record);
            const std::string line = PlaceLineText(record);
            for (const MonthTable& table : tables) {
                output += (output.empty() ? "" : "\n") + FormatTextTable(table, name, line);
            }
        }
        if (!options.pdfPath.empty()) {
            WriteReportPdf(options.pdfPath, tables, record);
            // The PDF alone was asked for unless a format or an output file says otherwise.
            writeOutput = options.formatGiven || !options.outputPath.empty();
        }
    }

    if (!writeOutput) {
        return;
    }
    if (options.outputPath.empty()) {
        standardOutput.write(output.data(), static_cast<std::streamsize>(output.size()));
        standardOutput.flush();
        if (!standardOutput) {
            throw CoreError("Cannot write to standard output");
        }
    } else {
        ReplaceFileContent(options.outputPath, output);
    }
}

}  // namespace quintrel::cli
