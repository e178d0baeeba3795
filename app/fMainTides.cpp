// The "Tides" button of the main window: its menu starts the outside tide program or
// asks where it is. And the tide table beside the month report, from the tide data
// opened on first use.
#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QPushButton>
#include <exception>

#include "app/TideLauncher.h"
#include "app/fMain.h"
#include "appcore/SettingsStore.h"
#include "appcore/TideSettings.h"
#include "calendar/CalendarEvents.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"
#include "table/ExportName.h"
#include "tides/PlaceTides.h"
#include "tides/TideFiles.h"
#include "tides/TideTexts.h"
#include "ui/Exports.h"
#include "ui/MessageBoxes.h"
#include "ui/dlgTideTable.h"
#include "ui/report/ReportPdf.h"
#include "ui/report/ReportViewer.h"

namespace quintrel {

void fMain::cmdTides_Click() {
    raise();
    activateWindow();
    popTides->popup(cmdTides->mapToGlobal(QPoint(0, cmdTides->height())));
}

void fMain::UpdateTidesMenu() {
    const bool chosen = IsRunTidesEnabled(state_);
    miTides[kMiTidesRun]->setEnabled(chosen);
    // A greyed item alone leaves the user guessing what is missing.
    const QString why = chosen ? QString() : RunTidesUnavailableText();
    miTides[kMiTidesRun]->setToolTip(why);
    miTides[kMiTidesRun]->setStatusTip(why);
    cmdTides->setToolTip(chosen ? QStringLiteral("Start the tide program, or choose it (Setup)")
                                : why);
}

void fMain::miTides_Click(int index) {
    if (index == kMiTidesRun) {
        RunTideProgram(*services_.programStarter, *services_.messages, state_, this);
    } else if (index == kMiTidesSetup) {
        LocateTideProgram(*services_.openDialog, *services_.messages, state_, this);
        UpdateTidesMenu();
    }
}

std::shared_ptr<const tides::TideDatabase> fMain::TideData() {
    if (!tideData_) {
        try {
            std::shared_ptr<tides::TideDatabase> tideData = tides::OpenTideData(
                QCoreApplication::applicationDirPath().toStdString(), services_.placeDirectory);
            if (!tideData->Problems().empty()) {
                QString text;
                for (const std::string& problem : tideData->Problems()) {
                    text += QString::fromStdString(problem) + QLatin1Char('\n');
                }
                services_.messages->Exclamation(QStringLiteral("Tide Data"), text.trimmed(), this);
            }
            tideData_ = std::move(tideData);
        } catch (const std::exception& error) {
            services_.messages->Exclamation(QStringLiteral("Tide Data"),
                                            QString::fromStdString(error.what()), this);
        }
    }
    return tideData_;
}

std::optional<CalendarTides> fMain::CalendarTidesOfTable() {
    const std::shared_ptr<const tides::TideDatabase> tideData = TideData();
    if (!tideData || tableRecord_.empty()) {
        return std::nullopt;
    }
    const tides::PlaceStations stations = tides::StationsForPlace(
        *tideData, tableRecord_, LoadKeptStation(*services_.settings, tableRecord_));
    if (!stations.chosen) {
        const std::string place = Cp1252ToUtf8(LocationDisplayText(tableRecord_));
        services_.messages->Exclamation(
            QStringLiteral("Calendar Export"),
            QString::fromStdString(tides::NoStationText(place) + "; the calendar has no tides."),
            this);
        return std::nullopt;
    }
    const tides::NearbyStation& station = *stations.chosen;
    CalendarTides waters;
    waters.stationLine = tides::HeadingText(tides::HeadingFor(station, station.station.units));
    waters.unitsSymbol = tides::UnitsSymbol(station.station.units);
    const auto [first, last] = tides::MonthDates(table_.Month, table_.Year);
    waters.events = tides::PlaceRecordTides(*tideData, station, tableRecord_, first, last);
    return waters;
}

void fMain::OpenTideTable() {
    const arReport* report = arvReport->ReportSource();
    if (!report || tableRecord_.empty()) {
        return;
    }
    const std::shared_ptr<const tides::TideDatabase> tideData = TideData();
    if (!tideData) {
        return;
    }
    const std::string record = tableRecord_;
    const QString placeText = QString::fromStdString(Cp1252ToUtf8(LocationDisplayText(record)));
    const std::string stem =
        ExportFileStem(record, report->Table().Month, report->Table().Year) + "-tides";
    dlgTideTable::Exports exports;
    exports.pdf = [this, stem](const ReportDocument& document, QWidget* parent) {
        ExportProposal proposal{exportProposal_.folder, QString::fromStdString(stem)};
        ExportPdf(
            cdPrintSetup, *services_.messages,
            [&document](const std::string& path) {
                WritePdf(document, QString::fromStdString(path));
            },
            &proposal, parent);
    };
    exports.csv = [this, stem](const std::string& text, QWidget* parent) {
        ExportProposal proposal{exportProposal_.folder, QString::fromStdString(stem)};
        ExportCsv(cdPrintSetup, *services_.messages, text, &proposal, parent);
    };
    auto* window =
        new dlgTideTable(tideData, record, placeText, report->Table(), *services_.settings,
                         *services_.messages, std::move(exports), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

}  // namespace quintrel
