// The month table on the main window: computing it, showing it, and the report
// toolbar's export tools.
#include <QComboBox>
#include <QLocale>
#include <QTime>
#include <ctime>
#include <exception>

#include "app/Exports.h"
#include "app/fMain.h"
#include "appcore/CalendarSettings.h"
#include "astro/CoreError.h"
#include "calendar/IcsWriter.h"
#include "table/CalculateMonth.h"
#include "table/CsvExport.h"
#include "table/arReport.h"
#include "ui/MessageBoxes.h"
#include "ui/dlgCalendarOptions.h"
#include "ui/report/ReportPdf.h"
#include "ui/report/ReportViewer.h"

namespace quintrel {

namespace {

const QString kPdfExportTool = QStringLiteral("PDF Export");
const QString kCsvExportTool = QStringLiteral("CSV Export");
const QString kCalendarExportTool = QStringLiteral("Calendar Export");

}  // namespace

void fMain::cmdCalc_Click() {
    CalculateMonth(false);
}

void fMain::CalculateMonth(bool force) {
    if (!StartCalculation(LastCalc, State.CurrentMonth, State.CurrentYear, Places.LocationIndex,
                          force)) {
        return;
    }
    try {
        if (cboPlaces->currentIndex() < 0) {
            // Nothing to compute for: the list is empty (an empty locs.dat).
            LastCalc = {};
            return;
        }
        if (!placeError_.empty()) {
            throw CoreError(placeError_);
        }
        Table = quintrel::CalculateMonth(Place, SelectedRecord(), State.CurrentMonth,
                                         State.CurrentYear);
        tableRecord_ = SelectedRecord();
        ShowReport();
    } catch (const std::exception& error) {
        // A bad record or a year out of reach stops this calculation only. Forgetting the
        // key lets the next Calculate try again instead of keeping a table that belongs
        // to another month or place.
        LastCalc = {};
        services_.messages->Exclamation(QStringLiteral("Calculation Error"),
                                        QString::fromStdString(error.what()), this);
    }
}

void fMain::ShowReport() {
    const QString placeText = cboPlaces->itemText(cboPlaces->currentIndex());
    arvReport->SetReportSource(NewMonthReport(Table, SelectedRecord(), placeText.toStdString()));
    if (ToolbarPending) {
        arvReport->InsertTool(3, kPdfExportTool);
        arvReport->InsertTool(4, kCsvExportTool);
        arvReport->InsertTool(5, kCalendarExportTool);
        ToolbarPending = false;
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
        ExportCsv(cdPrintSetup, *services_.messages,
                  BuildCsvText(Table, ExportTimeText(), ExportDateText()), this);
    } else if (caption == kCalendarExportTool) {
        ExportCalendarFile();
    }
}

void fMain::ExportCalendarFile() {
    CalendarOptions options = LoadCalendarOptions(*services_.settings);
    const bool ok = services_.calendarOptions ? services_.calendarOptions(this, options)
                                              : dlgCalendarOptions::Ask(this, options);
    if (!ok) {
        return;
    }
    SaveCalendarOptions(*services_.settings, options);
    const std::int64_t now = services_.nowUtc ? services_.nowUtc() : std::time(nullptr);
    std::string text;
    try {
        // The table's own place: the selection may have moved since the last calculation.
        text = BuildIcsText({Table}, tableRecord_, options, now);
    } catch (const std::exception& error) {
        // Nothing the choice of file could mend (a year beyond what calendars hold), so the
        // user hears why before any file is asked for.
        services_.messages->Exclamation(QStringLiteral("Export Error"),
                                        QString::fromStdString(error.what()), this);
        return;
    }
    ExportCalendar(cdPrintSetup, *services_.messages, text, this);
}

std::string fMain::ExportTimeText() const {
    if (services_.timeText) {
        return services_.timeText();
    }
    // Hours, minutes and seconds in the user's format, without a time zone name.
    const QLocale locale = QLocale::system();
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return locale.toString(QTime::currentTime(), format.trimmed()).toStdString();
}

std::string fMain::ExportDateText() const {
    if (services_.dateText) {
        return services_.dateText();
    }
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

}  // namespace quintrel
