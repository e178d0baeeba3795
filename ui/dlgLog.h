#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "log/LogDatabase.h"
#include "ui/dlgLogCatch.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace quintrel::tides {
class TideDatabase;
}

namespace quintrel {

class CatchListModel;
class MessageBoxes;
class OpenFileDialog;
class OutingListModel;
class SaveFileDialog;
class SettingsStore;
class dlgDayPicture;
class dlgLogCharts;

/// What the log window needs from the main window; pointers outlive the window.
struct LogServices {
    SettingsStore* settings = nullptr;
    MessageBoxes* messages = nullptr;
    SaveFileDialog* saveDialog = nullptr;  ///< the main window's shared save-file dialog
    OpenFileDialog* openDialog = nullptr;
    /// The log file: log.sqlite beside the place list in use.
    std::string logPath;
    /// The place list's records (Windows-1252), read when a form opens.
    const std::vector<std::string>* places = nullptr;
    /// "YYYY-MM-DD" of the day's backup; empty: the computer's date.
    std::string today;
    /// The tide stations, opened when the charts first need them; none (or a null
    /// answer): no tide chart.
    std::function<std::shared_ptr<const tides::TideDatabase>()> tideData;
};

/// The log window: the outings (filtered by place, species, dates and kind) in a list that
/// reads the log a block at a time, the catches of the chosen outing below, forms to add
/// and edit both, delete with undo until the window closes, CSV import and export, the
/// printed year of catches, the charts, and an outing's day picture on double-click.
class dlgLog : public QDialog {
    Q_OBJECT

  public:
    /// Opens the log and the window over it. A damaged log is said so, kept, and the
    /// newest backup offered; a log that cannot be opened is reported and nothing is
    /// returned. The window deletes itself when closed.
    static dlgLog* Open(const LogServices& services, QWidget* parent = nullptr);
    ~dlgLog() override;

    logbook::LogDatabase& Database() { return *database_; }
    /// The filter the filter row holds.
    logbook::LogFilter Filter() const;
    /// Lists the outings again under the filter row's filter.
    void ApplyFilter();
    /// The outing and catch chosen in the lists (0: none).
    std::int64_t ChosenOuting() const;
    std::int64_t ChosenCatch() const;
    void ChooseOuting(int row);

    void cmdAddOuting_Click();
    void cmdEditOuting_Click();
    void cmdDeleteOuting_Click();
    void cmdAddCatch_Click();
    void cmdEditCatch_Click();
    void cmdDeleteCatch_Click();
    void cmdUndo_Click();
    void cmdImport_Click();
    void cmdExport_Click();
    void cmdPrint_Click();
    void cmdPdf_Click();
    void cmdCharts_Click();
    /// The day picture of the outing at `row` of the list.
    void ShowDayPicture(int row);

    dlgLogCharts* ChartsWindow() const;
    dlgDayPicture* DayWindow() const;

  private:
    dlgLog(const LogServices& services, logbook::LogDatabase database, QWidget* parent);
    void BuildControls();
    void Refresh();
    void ShowCatches();
    void UpdateButtons();
    void FillPlaceFilter();
    LogUnits Units() const;
    std::vector<std::string> PlaceRecords() const;
    CatchFormServices FormServices() const;
    /// Runs a change of the log; a failure is shown and false returned.
    bool Change(const QString& title, const std::function<void()>& change);
    int YearToPrint();

    LogServices services_;
    std::unique_ptr<logbook::LogDatabase> database_;
    /// What each delete removed, the last at the back, for Undo Delete.
    std::vector<logbook::DeletedEntries> deleted_;
    OutingListModel* outings_ = nullptr;
    CatchListModel* catches_ = nullptr;
    QComboBox* cboPlace_ = nullptr;
    QLineEdit* txtSpecies_ = nullptr;
    QLineEdit* txtFrom_ = nullptr;
    QLineEdit* txtTo_ = nullptr;
    QComboBox* cboKind_ = nullptr;
    QComboBox* cboLengthUnit_ = nullptr;
    QComboBox* cboWeightUnit_ = nullptr;
    QTableView* lstOutings_ = nullptr;
    QTableView* lstCatches_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    std::vector<QPushButton*> changeButtons_;
    QPushButton* cmdEditOuting_ = nullptr;
    QPushButton* cmdDeleteOuting_ = nullptr;
    QPushButton* cmdAddCatch_ = nullptr;
    QPushButton* cmdEditCatch_ = nullptr;
    QPushButton* cmdDeleteCatch_ = nullptr;
    QPushButton* cmdUndo_ = nullptr;
    /// The place records of the place filter, index 1 on ("All places" first).
    std::vector<std::string> filterRecords_;
    QPointer<dlgLogCharts> charts_;
    QPointer<dlgDayPicture> dayWindow_;
};

}  // namespace quintrel
