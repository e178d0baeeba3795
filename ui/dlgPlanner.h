#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <thread>

#include "locations/LocationList.h"
#include "table/PlannerForm.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;

namespace quintrel {

class MessageBoxes;
class PlanListModel;
class SaveFileDialog;
class SettingsStore;

/// What the planner window needs from the main window; pointers outlive the window.
struct PlannerServices {
    SettingsStore* settings = nullptr;
    MessageBoxes* messages = nullptr;
    SaveFileDialog* saveDialog = nullptr;  ///< the main window's shared save-file dialog
    const LocationState* places = nullptr;
    /// The month and year the main window shows: where a search starts.
    std::function<std::pair<std::int16_t, std::int16_t>()> shownMonthYear;
    /// Shows a place (its record) and a month in the main window's report with the day's
    /// line selected; false when the main window cannot (the place has been deleted since
    /// the search).
    std::function<bool(const std::string& record, std::int16_t month, std::int16_t year,
                       std::int16_t day)>
        showPlaceMonth;
    /// Today as PlanDateKey gives it: the search leaves out the days before it.
    std::function<int()> today;
    /// The time and date texts of the CSV preamble.
    std::function<std::string()> timeText;
    std::function<std::string()> dateText;
    /// The tide times of the tide filter, asked for on the window's thread when a search
    /// uses it; may be empty (no place then has tides).
    std::function<TideTimesSource()> tideTimes;
};

/// The planner window: its controls mirror PlannerChoices, Search runs the planner on a
/// worker thread with a progress bar and Cancel, and the days found are listed; a
/// double-click shows that place and month in the main window. Print, PDF Export and CSV
/// Export write the list; Year at a Glance shows the year of the chosen result's place.
class dlgPlanner : public QDialog {
    Q_OBJECT

  public:
    explicit dlgPlanner(const PlannerServices& services, QWidget* parent = nullptr);
    ~dlgPlanner() override;

    /// Reads the window's controls into choices (first month and year included).
    PlannerChoices Choices() const;
    /// Sets the controls from choices.
    void SetChoices(const PlannerChoices& choices);
    /// Refills the ticked list from the main window's places and puts the From month at
    /// the month the main window shows; called each time the window is opened.
    void Prepare();

    /// Starts a search (cmdSearch); a problem with the choices is shown in a message box.
    void cmdSearch_Click();
    /// Asks the running search to stop (cmdCancel).
    void cmdCancel_Click();
    bool Searching() const { return !finished_; }
    /// Waits for a running search to end (for tests and closing).
    void WaitForSearch();

  protected:
    /// Enter on a result shows it, as a double click does. Typing in the place list finds
    /// the place whose name holds the letters typed; a blank among them is part of the
    /// name, so only a Space on its own ticks a box.
    bool eventFilter(QObject* watched, QEvent* event) override;

  public:
    const std::vector<PlanDay>& Days() const;

    void cmdPrint_Click();
    void cmdPdf_Click();
    void cmdCsv_Click();
    void cmdYear_Click();
    /// The result at `row` in the main window: its place and month.
    void ShowResult(int row);

  protected:
    void done(int result) override;

  private:
    void BuildControls();
    void SaveChoices();
    void UpdateButtons();
    void SearchFinished(std::shared_ptr<PlanResult> result, const QString& error);
    int ChosenRow() const;
    /// Says so and returns false when the list is too long to print.
    bool ListFitsAReport();

    PlannerServices services_;
    QButtonGroup* placeGroup_ = nullptr;
    QListWidget* lstPlaces_ = nullptr;
    QComboBox* cboFromMonth_ = nullptr;
    QSpinBox* spnFromYear_ = nullptr;
    QSpinBox* spnMonths_ = nullptr;
    QComboBox* cboMinRating_ = nullptr;
    QCheckBox* chkDays_[7] = {};
    QCheckBox* chkDaylightMajor_ = nullptr;
    QCheckBox* chkPast_ = nullptr;
    /// The letters typed into the place list, and when the last one came.
    QString typed_;
    QElapsedTimer typedTimer_;
    QCheckBox* chkNearSun_ = nullptr;
    QSpinBox* spnNearSun_ = nullptr;
    QCheckBox* chkNearTide_ = nullptr;
    QSpinBox* spnNearTide_ = nullptr;
    QPushButton* cmdSearch_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QProgressBar* prgSearch_ = nullptr;
    QLabel* lblResult_ = nullptr;
    QTableView* lstResults_ = nullptr;
    PlanListModel* model_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    QPushButton* cmdPdf_ = nullptr;
    QPushButton* cmdCsv_ = nullptr;
    QPushButton* cmdYear_ = nullptr;

    /// Ticked names that the place list does not hold.
    std::vector<std::string> tickedElsewhere_;
    PlanRequest request_;
    std::stop_source stop_;
    std::jthread worker_;
    bool finished_ = true;
};

}  // namespace quintrel
