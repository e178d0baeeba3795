// The day picture window opened from a day line of the month report.
#include <QComboBox>
#include <exception>

#include "app/Exports.h"
#include "app/fMain.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"
#include "table/DayPicture.h"
#include "ui/MessageBoxes.h"
#include "ui/dlgDayPicture.h"
#include "ui/report/ReportPdf.h"
#include "ui/report/ReportViewer.h"

namespace quintrel {

void fMain::OpenDayPicture(int row) {
    const arReport* report = arvReport->ReportSource();
    if (!report || row < 1 || row > static_cast<int>(report->Table().rows.size())) {
        return;
    }
    // The place of the report shown, which the selection may have left since. After a
    // failed calculation the key is cleared and no longer names the report's place.
    const MonthTable& table = report->Table();
    const std::size_t index = static_cast<std::size_t>(LastCalc.Index);
    if (LastCalc.Month != table.Month || LastCalc.Year != table.Year ||
        index >= Places.Locations.size()) {
        return;
    }
    const std::string record = Places.Locations[index];
    try {
        DayView view(record, table.Year, table.Month, row);
        const QString placeText = QString::fromStdString(Cp1252ToUtf8(LocationDisplayText(record)));
        auto exportPdf = [this](const ReportDocument& document, QWidget* parent) {
            ExportPdf(
                cdPrintSetup, *services_.messages,
                [&document](const std::string& path) {
                    WritePdf(document, QString::fromStdString(path));
                },
                parent);
        };
        if (dayWindow_) {
            dayWindow_->close();
        }
        dayWindow_ =
            new dlgDayPicture(std::move(view), placeText, *services_.messages, exportPdf, this);
        dayWindow_->setAttribute(Qt::WA_DeleteOnClose);
        dayWindow_->show();
    } catch (const std::exception& error) {
        services_.messages->Exclamation(QStringLiteral("Day Picture"),
                                        QString::fromStdString(error.what()), this);
    }
}

}  // namespace quintrel
