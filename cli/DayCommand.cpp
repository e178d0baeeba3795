#include "cli/DayCommand.h"

#include <QString>
#include <charconv>

#include "astro/CalendarNames.h"
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

void WriteDayPictures(const TableOptions& options, const std::string& record) {
    const DayArgument date = ParseDayArgument(*options.day);
    if (options.svgPath.empty() && options.pngPath.empty() && !options.pdfPath) {
        throw UsageError("--day needs --svg, --png or --pdf");
    }
    const DayView view(record, date.year, date.month, date.day, MonthOptions{options.transit});
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
