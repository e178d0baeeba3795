// The month table on the main window: computing it, showing it, and the report
// toolbar's export tools.
#include <QAction>
#include <QComboBox>
#include <QKeySequence>
#include <exception>
#include <optional>

#include "app/fMain.h"
#include "appcore/CalendarSettings.h"
#include "appcore/Settings.h"
#include "astro/CoreError.h"
#include "calendar/CalendarEvents.h"
#include "calendar/IcsWriter.h"
#include "table/CalculateMonth.h"
#include "table/CsvExport.h"
#include "table/ExportName.h"
#include "table/arReport.h"
#include "ui/Exports.h"
#include "ui/MessageBoxes.h"
#include "ui/report/ReportPdf.h"
#include "ui/report/ReportViewer.h"

namespace quintrel {

namespace {

const QString kPdfExportTool = QStringLiteral("PDF Export");
const QString kCsvExportTool = QStringLiteral("CSV Export");
const QString kCalendarExportTool = QStringLiteral("Calendar Export");
const QString kTransitTool = QStringLiteral("Transit Times");
const QString kTideTableTool = QStringLiteral("Tide Table");

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
                                            state_.CurrentYear, ChosenMonthOptions()));
        lastCalc_ = wanted;
    } catch (const std::exception& error) {
        // A bad record or a year out of reach stops this calculation only; the table and
        // key of the report still on screen stay, so exports write what is shown and the
        // next request tries again.
        services_.messages->Exclamation(QStringLiteral("Calculation Error"),
                                        QString::fromStdString(error.what()), this);
    }
}

MonthOptions fMain::ChosenMonthOptions() const {
    return MonthOptions{LoadTransitPeriods(*services_.settings)};
}

void fMain::ShowReport(MonthTable table) {
    const QString placeText = cboPlaces->itemText(cboPlaces->currentIndex());
    arvReport->SetReportSource(NewMonthReport(table, SelectedRecord(), placeText.toStdString()));
    table_ = std::move(table);
    tableRecord_ = SelectedRecord();
    if (toolbarPending_) {
        // Short captions keep every tool in view at the first window's size; the tools keep
        // their full names (what a screen reader says, and what a click is told by), and
        // the tips give the full name and the shortcut.
        QAction* pdf = arvReport->InsertTool(3, kPdfExportTool);
        pdf->setIconText(QStringLiteral("PDF"));
        pdf->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
        pdf->setToolTip(QStringLiteral("PDF Export: the report as a PDF file (Ctrl+E)"));
        QAction* csv = arvReport->InsertTool(4, kCsvExportTool);
        csv->setIconText(QStringLiteral("CSV"));
        csv->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
        csv->setToolTip(QStringLiteral("CSV Export: the table as a CSV file (Ctrl+Shift+E)"));
        QAction* calendar = arvReport->InsertTool(5, kCalendarExportTool);
        calendar->setIconText(QStringLiteral("Calendar"));
        calendar->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
        calendar->setToolTip(
            QStringLiteral("Calendar Export: the periods and good days to a calendar (Ctrl+L)"));
        QAction* tides = arvReport->InsertTool(6, kTideTableTool);
        tides->setObjectName(QStringLiteral("toolTideTable"));
        tides->setToolTip(QStringLiteral(
            "Tide Table: high and low waters of a station near the place for this month (not "
            "for navigation)"));
        QAction* transit = arvReport->InsertTool(7, kTransitTool);
        transit->setObjectName(QStringLiteral("miTransit"));
        transit->setIconText(QStringLiteral("Transits"));
        transit->setCheckable(true);
        transit->setChecked(ChosenMonthOptions().transitPeriods);
        transit->setToolTip(
            QStringLiteral("Transit Times: activity times from the moon's transits, majors when "
                           "it is highest and lowest, minors at moonrise and moonset"));
        connect(transit, &QAction::toggled, this, [this](bool on) {
            SaveTransitPeriods(*services_.settings, on);
            CalculateMonth(true);
        });
        toolbarPending_ = false;
        ChainTabOrder();
    }
}

void fMain::arvReport_ToolbarClick(const QString& caption) {
    // The name comes from the table on screen, which is also what is written.
    exportProposal_.stem =
        QString::fromStdString(ExportFileStem(tableRecord_, table_.Month, table_.Year));
    if (caption == kPdfExportTool) {
        ExportPdf(
            cdPrintSetup, *services_.messages,
            [this](const std::string& path) {
                WritePdf(arvReport->Document(), QString::fromStdString(path));
            },
            &exportProposal_, this);
    } else if (caption == kCsvExportTool) {
        const ClockTexts now = services_.clockTexts();
        ExportCsv(cdPrintSetup, *services_.messages,
                  BuildCsvText(table_, now.timeText, now.dateText), &exportProposal_, this);
    } else if (caption == kCalendarExportTool) {
        ExportCalendarFile();
    } else if (caption == kTideTableTool) {
        OpenTideTable();
    }
}

void fMain::ExportCalendarFile() {
    CalendarOptions options = LoadCalendarOptions(*services_.settings);
    if (!services_.calendarOptions(this, options)) {
        return;
    }
    SaveCalendarOptions(*services_.settings, options);
    std::string text;
    try {
        // The table's own place: the selection may have moved since the last calculation.
        std::optional<CalendarTides> waters;
        if (options.tides) {
            waters = CalendarTidesOfTable();
        }
        text = BuildIcsText({table_}, tableRecord_, options, services_.clockTexts().moment,
                            waters ? &*waters : nullptr);
    } catch (const std::exception& error) {
        // Nothing the choice of file could mend (a year beyond what calendars hold), so the
        // user hears why before any file is asked for.
        services_.messages->Exclamation(QStringLiteral("Export Error"),
                                        QString::fromStdString(error.what()), this);
        return;
    }
    ExportCalendar(cdPrintSetup, *services_.messages, text, &exportProposal_, this);
}

}  // namespace quintrel
