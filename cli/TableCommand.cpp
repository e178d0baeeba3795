#include "cli/TableCommand.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "astro/CoreError.h"
#include "cli/DayOutput.h"
#include "cli/LocalClock.h"
#include "cli/PdfOutput.h"
#include "cli/PlaceChoice.h"
#include "cli/TextTable.h"
#include "locations/FileIo.h"
#include "locations/PlaceDescription.h"
#include "locations/PlaceValues.h"
#include "table/CalculateMonth.h"
#include "table/CsvExport.h"

namespace quintrel::cli {

namespace {

std::string PlaceLine(std::string_view record) {
    PlaceDescription texts;
    DescribeLocation(record, texts);
    const PlaceDescription shown = DescriptionToUtf8(texts);
    return "Lattitude: " + shown.latitudeText + ", Longitude: " + shown.longitudeText + ", " +
           shown.zoneText;
}

std::int16_t CheckedMonth(int month) {
    if (month < 1 || month > 12) {
        throw CoreError("Month " + std::to_string(month) + " is not between 1 and 12");
    }
    return static_cast<std::int16_t>(month);
}

std::int16_t CheckedYear(int year) {
    if (year < 101 || year > 9998) {
        throw CoreError("Year " + std::to_string(year) + " is not between 101 and 9998");
    }
    return static_cast<std::int16_t>(year);
}

std::vector<MonthTable> CalculateMonths(const std::string& record, int firstMonth, int firstYear,
                                        int count) {
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

// Writes the whole text to a file so that a failure (a full disk) never costs the user the
// file that was there: the text goes to a temporary file renamed over the old one once it
// is all on disk. A device or pipe (/dev/stdout) is written to as it is: it can be neither
// replaced nor removed.
void WriteFile(const std::string& path, const std::string& text) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        std::ofstream out(path, std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            throw CoreError("Cannot write to the file " + path);
        }
        return;
    }
    // Through a link, the file it points to is the one replaced, and the link stays.
    std::string target = path;
    if (fs::is_symlink(path, error)) {
        const fs::path resolved = fs::canonical(path, error);
        if (!error) {
            target = resolved.string();
        }
    }
    WriteFileAtomically(target, text);
}

}  // namespace

void RunTableCommand(const TableOptions& options, std::ostream& standardOutput) {
    if (options.months < 1) {
        throw UsageError("--months must be at least 1");
    }
    if (options.record && !options.locationsPath.empty()) {
        throw UsageError("--record and --locations cannot be used together");
    }
    if (options.day && (options.list || options.month || options.year || options.months != 1 ||
                        options.formatGiven || !options.outputPath.empty())) {
        throw UsageError(
            "--day cannot be used with --list, --month, --year, --months, --format or --output");
    }
    if (!options.day && (!options.svgPath.empty() || !options.pngPath.empty())) {
        throw UsageError("--svg and --png need --day");
    }
    const LocationList places =
        options.record ? RecordAsPlaceList(*options.record) : ReadPlaceList(options.locationsPath);
    if (options.day) {
        WriteDayPictures(options,
                         places[static_cast<std::size_t>(ChoosePlace(places, options.place))]);
        return;
    }

    std::string output;
    bool writeOutput = true;
    std::vector<MonthTable> tables;
    if (options.list) {
        output = PlaceListText(places);
    } else {
        const std::string& record =
            places[static_cast<std::size_t>(ChoosePlace(places, options.place))];
        const LocalMoment now = ReadLocalClock();
        tables = CalculateMonths(record, options.month.value_or(now.month),
                                 options.year.value_or(now.year), options.months);
        if (options.format == "csv") {
            output = BuildCsvText(tables, now.timeText, now.dateText);
        } else {
            const std::string name = PlaceName(record);
            const std::string line = PlaceLine(record);
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
        WriteFile(options.outputPath, output);
    }
}

}  // namespace quintrel::cli
