#include "ui/dlgTideTable.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <exception>
#include <utility>

#include "appcore/TideSettings.h"
#include "tides/TideTexts.h"
#include "ui/MessageBoxes.h"
#include "ui/report/ReportViewer.h"
#include "ui/report/TideTableDocument.h"

namespace quintrel {

dlgTideTable::dlgTideTable(std::shared_ptr<const tides::TideDatabase> tideData, std::string record,
                           QString placeText, MonthTable table, SettingsStore& settings,
                           MessageBoxes& messages, Exports exports, QWidget* parent)
    : QDialog(parent),
      data_(std::move(tideData)),
      record_(std::move(record)),
      placeText_(std::move(placeText)),
      table_(std::move(table)),
      settings_(settings),
      messages_(messages),
      exports_(std::move(exports)) {
    setObjectName(QStringLiteral("dlgTideTable"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* chooser = new QHBoxLayout;
    chooser->setContentsMargins(8, 6, 8, 2);
    lblStation = new QLabel(tr("Tide &station:"), this);
    lblStation->setObjectName(QStringLiteral("lblStation"));
    cboStation = new QComboBox(this);
    cboStation->setObjectName(QStringLiteral("cboStation"));
    cboStation->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    lblStation->setBuddy(cboStation);
    chooser->addWidget(lblStation);
    chooser->addWidget(cboStation, 1);
    layout->addLayout(chooser);
    lblNoStation = new QLabel(this);
    lblNoStation->setObjectName(QStringLiteral("lblNoStation"));
    lblNoStation->setWordWrap(true);
    lblNoStation->setContentsMargins(8, 4, 8, 4);
    QFont bold = lblNoStation->font();
    bold.setBold(true);
    lblNoStation->setFont(bold);
    lblNoStation->hide();
    layout->addWidget(lblNoStation);
    arvTides = new ReportViewer(this);
    arvTides->setObjectName(QStringLiteral("arvTides"));
    layout->addWidget(arvTides);
    toolPdf = arvTides->InsertTool(3, QStringLiteral("PDF Export"));
    toolPdf->setObjectName(QStringLiteral("toolPdfExport"));
    toolCsv = arvTides->InsertTool(4, QStringLiteral("CSV Export"));
    toolCsv->setObjectName(QStringLiteral("toolCsvExport"));
    connect(toolPdf, &QAction::triggered, this, [this] {
        if (exports_.pdf && station_) {
            exports_.pdf(arvTides->Document(), this);
        }
    });
    connect(toolCsv, &QAction::triggered, this, [this] {
        if (exports_.csv && station_) {
            exports_.csv(
                tides::TideCsvText(tides::HeadingFor(*station_, station_->station.units), events_),
                this);
        }
    });

    const std::string placeName = placeText_.toStdString();
    setWindowTitle(
        QString::fromStdString(tides::TideTableTitle(placeName, table_.Month, table_.Year)));
    try {
        const tides::PlaceStations stations =
            tides::StationsForPlace(*data_, record_, LoadKeptStation(settings_, record_));
        offered_ = stations.offered;
        station_ = stations.chosen;
    } catch (const std::exception& error) {
        messages_.Exclamation(tr("Tide Table"), QString::fromStdString(error.what()), this);
    }
    if (offered_.empty()) {
        cboStation->addItem(QString::fromStdString(tides::NoStationText(placeName)));
        cboStation->setEnabled(false);
        lblNoStation->setText(QString::fromStdString(tides::NoStationText(placeName) + "."));
        lblNoStation->show();
        toolPdf->setEnabled(false);
        toolCsv->setEnabled(false);
    }
    for (const tides::NearbyStation& offer : offered_) {
        cboStation->addItem(QString::fromStdString(tides::StationOfferText(offer)));
        if (station_ && offer.station.id == station_->station.id) {
            cboStation->setCurrentIndex(cboStation->count() - 1);
        }
    }
    connect(cboStation, &QComboBox::activated, this, &dlgTideTable::ChooseStation);
    resize(900, 800);
    ShowTable();
    arvTides->SetZoom(90);
}

void dlgTideTable::ChooseStation(int index) {
    if (index < 0 || index >= static_cast<int>(offered_.size())) {
        return;
    }
    station_ = offered_[static_cast<std::size_t>(index)];
    SaveKeptStation(settings_, record_, station_->station.id);
    ShowTable();
}

void dlgTideTable::ShowTable() {
    events_.clear();
    if (!station_) {
        arvTides->SetDocument(ReportDocument{});
        return;
    }
    TideTableSheet sheet;
    sheet.title = tides::TideTableTitle(placeText_.toStdString(), table_.Month, table_.Year);
    sheet.stationLine = tides::HeadingText(tides::HeadingFor(*station_, station_->station.units));
    try {
        const auto [first, last] = tides::MonthDates(table_.Month, table_.Year);
        events_ = tides::PlaceRecordTides(*data_, *station_, record_, first, last);
    } catch (const std::exception& error) {
        // A year outside the tables: say so on the page; no tides are shown.
        sheet.stationLine += "\n" + std::string(error.what());
    }
    sheet.lines = tides::TideTableLines(table_, events_);
    const int zoom = arvTides->Zoom();
    arvTides->SetDocument(TideTableDocument(sheet));
    arvTides->SetZoom(zoom);
}

}  // namespace quintrel
