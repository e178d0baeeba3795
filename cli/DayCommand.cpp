#include "cli/DayCommand.h"

#include <QString>
#include <charconv>

#include "astro/CivilDate.h"
#include "cli/CommandParts.h"
#include "cli/OptionChecks.h"
#include "cli/PdfOutput.h"
#include "cli/PlaceChoice.h"
#include "table/DayPicture.h"
#include "ui/report/DayPictureDocument.h"
#include "ui/report/ReportImage.h"
#include "ui/report/ReportPdf.h"

namespace quintrel::cli {

namespace {

bool ReadPart(std::string_view text, std::size_t digits, int& value) {
    if (text.size() != digits) {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

DayArgument ParseDayArgument(std::string_view text) {
    DayArgument day;
    const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' &&
                        ReadPart(text.substr(0, 4), 4, day.year) &&
                        ReadPart(text.substr(5, 2), 2, day.month) &&
                        ReadPart(text.substr(8, 2), 2, day.day);
    if (!shaped || day.month < 1 || day.month > 12 || day.day < 1 ||
        day.day > DaysInMonth(day.year, day.month)) {
        throw UsageError("--day " + std::string(text) + " is not a date of the form YYYY-MM-DD");
    }
    return day;
}

void WriteDayPictures(const TableOptions& options, const std::string& record) {
    const DayArgument date = ParseDayArgument(*options.day);
    if (options.svgPath.empty() && options.pngPath.empty() && !options.pdfPath) {
        throw UsageError("--day needs --svg, --png or --pdf");
    }
    const DayView view(record, date.year, date.month, date.day);
    EnsureGuiApplication();
    const ReportDocument document = RecordDayPicture(view.Picture(), PlaceName(record), record);
    if (!options.svgPath.empty()) {
        WriteSvg(document, QString::fromStdString(options.svgPath));
    }
    if (!options.pngPath.empty()) {
        WritePng(document, QString::fromStdString(options.pngPath));
    }
    if (options.pdfPath) {
        WritePdf(document, QString::fromStdString(*options.pdfPath));
    }
}

bool IsDayMode(const TableOptions& options) {
    return options.day.has_value();
}

void RunDayCommand(const TableOptions& options, std::ostream& /*standardOutput*/,
                   std::ostream& messages) {
    const LocationList places = ReadPlaces(options, messages);
    WriteDayPictures(options, ChosenRecord(options, places));
}

}  // namespace quintrel::cli
