// The day picture window opened from a day line of the month report.
#include <QComboBox>
#include <exception>

#include "app/fMain.h"
#include "appcore/TideSettings.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"
#include "table/DayPicture.h"
#include "tides/DayTides.h"
#include "tides/TideTable.h"
#include "ui/Exports.h"
#include "ui/MessageBoxes.h"
#include "ui/dlgDayPicture.h"
#include "ui/report/ReportPdf.h"
#include "ui/report/ReportViewer.h"

namespace quintrel {

void fMain::AddTidesToDays(DayView& view, const std::string& record) {
    const std::shared_ptr<const tides::TideDatabase> tideData = TideData();
    if (!tideData) {
        return;
    }
    const tides::PlaceStations stations =
        tides::StationsForPlace(*tideData, record, LoadKeptStation(*services_.settings, record));
    if (!stations.chosen) {
        return;  // no station within reach: the picture shows no tides
    }
    view.SetAddition([tideData, station = *stations.chosen, record](DayPicture& picture) {
        tides::AddDayTides(*tideData, station, record, picture);
    });
}

void fMain::OpenDayPicture(int row) {
    const arReport* report = arvReport->ReportSource();
    if (!report || row < 1 || row > static_cast<int>(report->Table().rows.size())) {
        return;
    }
    const MonthTable& table = report->Table();
    // The place the table on screen was computed for, which the selection may have left.
    const std::string record = tableRecord_;
    if (record.empty()) {
        return;
    }
    try {
        DayView view(record, table.Year, table.Month, row, ChosenMonthOptions());
        AddTidesToDays(view, record);
        const QString placeText = QString::fromStdString(Cp1252ToUtf8(LocationDisplayText(record)));
        auto exportPdf = [this](const ReportDocument& document, QWidget* parent) {
            ExportPdf(
                cdPrintSetup, *services_.messages,
                [&document](const std::string& path) {
                    WritePdf(document, QString::fromStdString(path));
                },
                nullptr, parent);
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
