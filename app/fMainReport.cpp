// The month table on the main window: computing it, showing it, and the report
// toolbar's export tools.
#include <QComboBox>
#include <exception>

#include "app/Exports.h"
#include "app/fMain.h"
#include "astro/CoreError.h"
#include "table/CalculateMonth.h"
#include "table/CsvExport.h"
#include "table/arReport.h"
#include "ui/MessageBoxes.h"
#include "ui/report/ReportPdf.h"
#include "ui/report/ReportViewer.h"

namespace quintrel {

namespace {

const QString kPdfExportTool = QStringLiteral("PDF Export");
const QString kCsvExportTool = QStringLiteral("CSV Export");

}  // namespace

void fMain::cmdCalc_Click() {
    CalculateMonth(false);
}

void fMain::CalculateMonth(bool force) {
    const LastCalculation wanted{state_.CurrentMonth, state_.CurrentYear, places_.LocationIndex};
    if (!IsCalculationDue(lastCalc_, wanted, force) || cboPlaces->currentIndex() < 0) {
        return;  // the table shown is still right, or there is no place (empty locs.dat)
    }
    try {
        if (!placeError_.empty()) {
            throw CoreError(placeError_);
        }
        ShowReport(quintrel::CalculateMonth(place_, SelectedRecord(), state_.CurrentMonth,
                                            state_.CurrentYear));
        lastCalc_ = wanted;
    } catch (const std::exception& error) {
        // A bad record or a year out of reach stops this calculation only; the table and
        // key of the report still on screen stay, so exports write what is shown and the
        // next request tries again.
        services_.messages->Exclamation(QStringLiteral("Calculation Error"),
                                        QString::fromStdString(error.what()), this);
    }
}

void fMain::ShowReport(MonthTable table) {
    const QString placeText = cboPlaces->itemText(cboPlaces->currentIndex());
    arvReport->SetReportSource(NewMonthReport(table, SelectedRecord(), placeText.toStdString()));
    table_ = std::move(table);
    if (toolbarPending_) {
        arvReport->InsertTool(3, kPdfExportTool);
        arvReport->InsertTool(4, kCsvExportTool);
        toolbarPending_ = false;
    }
    arvReport->SetZoom(75);
}

void fMain::arvReport_ToolbarClick(const QString& caption) {
    if (caption == kPdfExportTool) {
        ExportPdf(
            cdPrintSetup, *services_.messages,
            [this](const std::string& path) {
                WritePdf(arvReport->Document(), QString::fromStdString(path));
            },
            this);
    } else if (caption == kCsvExportTool) {
        const ClockTexts now = services_.clockTexts();
        ExportCsv(cdPrintSetup, *services_.messages,
                  BuildCsvText(table_, now.timeText, now.dateText), this);
    }
}

}  // namespace quintrel
