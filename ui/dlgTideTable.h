#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "table/MonthTable.h"
#include "tides/TideTable.h"

class QAction;
class QComboBox;
class QLabel;

namespace quintrel {

class MessageBoxes;
class ReportViewer;
class SettingsStore;
struct ReportDocument;

/// The tide table window beside the month report: the month's highs and lows of a station
/// near the place, a line a day with the table's rating and times, in a report viewer
/// (print, zoom, copy) with "PDF Export" and "CSV Export". A chooser above offers the ten
/// nearest stations within 100 km; the choice is kept for the place in the settings. A
/// place with none that near says so and shows no tides. The lines come from the tides
/// library; the window only shows them.
class dlgTideTable : public QDialog {
    Q_OBJECT

  public:
    struct Exports {
        std::function<void(const ReportDocument&, QWidget*)> pdf;
        std::function<void(const std::string& csvText, QWidget*)> csv;
    };

    /// `record` and `table` are the month report's place and table; `placeText` is the
    /// place list's display text.
    dlgTideTable(std::shared_ptr<const tides::TideDatabase> tideData, std::string record,
                 QString placeText, MonthTable table, SettingsStore& settings,
                 MessageBoxes& messages, Exports exports, QWidget* parent = nullptr);

    QComboBox* cboStation = nullptr;
    QLabel* lblStation = nullptr;
    /// Shown only for a place without a station near enough, saying so.
    QLabel* lblNoStation = nullptr;
    ReportViewer* arvTides = nullptr;
    QAction* toolPdf = nullptr;
    QAction* toolCsv = nullptr;

    /// The station shown, if any.
    const std::optional<tides::NearbyStation>& Station() const { return station_; }
    /// The events shown (empty without a station).
    const std::vector<tides::PlaceTideEvent>& Events() const { return events_; }

  private:
    void ChooseStation(int index);
    void ShowTable();

    std::shared_ptr<const tides::TideDatabase> data_;
    std::string record_;
    QString placeText_;
    MonthTable table_;
    SettingsStore& settings_;
    MessageBoxes& messages_;
    Exports exports_;
    std::vector<tides::NearbyStation> offered_;
    std::optional<tides::NearbyStation> station_;
    std::vector<tides::PlaceTideEvent> events_;
};

}  // namespace quintrel
