#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/MainWindowServices.h"
#include "appcore/AppState.h"
#include "locations/LocationFile.h"
#include "locations/LocationList.h"
#include "locations/PlaceValues.h"
#include "table/CalculateMonth.h"
#include "table/LastCalculation.h"
#include "table/MonthTable.h"
#include "ui/Exports.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace quintrel {

namespace tides {
class TideDatabase;
}

class DayView;
struct CalendarTides;
class dlgDayPicture;
class dlgLog;
class OpenFileDialog;
class dlgPlanner;
class ReportViewer;
class SaveFileDialog;

/// The main window: month, year and place on one row of controls along the top, the month
/// table's report below. Loads the places and the settings when it opens, writes them back
/// when it closes.
class fMain : public QWidget {
    Q_OBJECT

  public:
    /// `services` must be complete (every pointer set, every function given); main.cpp
    /// passes the real ones, the tests their fakes.
    explicit fMain(const MainWindowServices& services, QWidget* parent = nullptr);
    ~fMain() override;

    /// Start-up: month list, settings, places, window size, month and year, first table.
    /// Returns false when neither locs.dat nor locs.bak exists; the missing-file message
    /// has then been shown, nothing has been written, and the program must end.
    bool Form_Load();

    /// Close-down asked for by the system (SIGTERM, SIGHUP): places and settings saved as
    /// Form_Unload saves them, without questions or the acknowledgement window (nobody may
    /// be there to answer). Ending the program is left to the caller.
    void CloseForSystem();

    /// The application state: month, year, window size and tide program path.
    const AppState& State() const { return state_; }
    /// The place list, the selected position and whether the list differs from locs.dat.
    const LocationState& Places() const { return places_; }
    /// The selected place's values, filled whenever the selection moves.
    const PlaceValues& Place() const { return place_; }
    /// The month table on screen (empty before the first calculation that succeeded).
    const MonthTable& Table() const { return table_; }
    /// The location record of the selected place; empty when none is selected.
    std::string SelectedRecord() const;

    /// Selects the place whose record is `record`, the month and the year, and shows their
    /// table, as if the user had chosen them. Returns false, changing nothing, when the
    /// place is no longer in the list or the year is not one to show. A `day` (1..31) has
    /// its line selected in the report.
    bool ShowPlaceMonth(const std::string& record, std::int16_t month, std::int16_t year,
                        std::int16_t day = 0);
    /// The planner window, once the Planner button has opened it.
    dlgPlanner* PlannerWindow() const { return plannerWindow_; }
    /// The log window, while one is open.
    dlgLog* LogWindow() const;

    /// The outer size of the window in twips, as saved and as the resize rule sees it.
    std::int32_t OuterWidthTwips() const;
    std::int32_t OuterHeightTwips() const;
    /// Sets the outer size in twips; the resize rule runs after each assignment.
    void SetOuterWidthTwips(std::int32_t width);
    void SetOuterHeightTwips(std::int32_t height);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void BuildMenus();
    void ConnectEvents();

    /// The resize rule: minimum size, Exit and About on the right edge, the report filling
    /// the rest, and the size recorded unless loading or minimised.
    void Form_Resize();
    /// Close-down: places, then settings, then the acknowledgement window. Runs once, from
    /// Exit or from the window's close box. Returns false, having done nothing else, when
    /// the places could not be saved and the user chose to keep the window open.
    bool Form_Unload();

    /// Computes and shows the month table unless month, year and place are those of the
    /// last calculation (`force` recomputes anyway). A calculation that fails is reported
    /// in a message box; the program carries on.
    void CalculateMonth(bool force);
    void ShowReport(MonthTable table);
    /// How the tables are computed, from the saved choice (the report's Transit Times tool).
    MonthOptions ChosenMonthOptions() const;

    // Month and year.
    void FillMonthList();
    void cboMonth_Click();
    void cboMonth_Change();
    void txtYear_GotFocus();
    void txtYear_Validate();
    void lblPlus_Click();
    void lblMinus_Click();
    void ShowYearEntry(const struct YearEntry& entry);
    /// Recomputes the report for the month, year and place now chosen (not while loading).
    void ShowChosenMonth();

    // Places.
    bool LoadLocations(bool readFile);
    /// The close-down save (merging another window's changes); false when it failed and
    /// the user, asked when `interactive`, chose to keep the window open.
    bool SaveLocations(bool interactive);
    void cboPlaces_Click();
    void cboPlaces_Change();
    /// The place box's completer: any part of "Country (Town)", case ignored.
    void SetUpPlaceCompletion();
    /// Typed text in the place box, on Enter (`entered`) or on leaving it: one matching
    /// place is selected; several are offered in the completion list (on Enter); none puts
    /// the place in effect back, saying so on Enter.
    void cboPlaces_Resolve(bool entered);
    void cmdPlace_Click();
    void UpdatePlaceMenu();
    void miAddEditDel_Click(int index);
    void AddLocation();
    void EditLocation();
    void DeleteLocation();
    void StoreLocation(bool ok, const std::string& record, bool isNew);
    /// When `record` is a town the list already holds, offers to open that one instead;
    /// true when the user took the offer (the existing place is then selected).
    bool OfferExistingPlace(const std::string& record);

    // Buttons, tides and the report toolbar.
    void cmdCalc_Click();
    void cmdExit_Click();
    void cmdAbout_Click();
    void cmdTides_Click();
    void UpdateTidesMenu();
    void miTides_Click(int index);
    /// The tide data, opened on first use (not at start-up); null when it cannot be.
    std::shared_ptr<const tides::TideDatabase> TideData();
    /// "Tide Table": the tides of the report's place and month in their own window.
    void OpenTideTable();
    /// The high and low waters of the table's month for a calendar export, from the
    /// place's chosen station; nothing, said in a message, when the place has none.
    std::optional<CalendarTides> CalendarTidesOfTable();
    void arvReport_ToolbarClick(const QString& caption);
    /// "Calendar Export": the options dialog, then the file, for the table shown.
    void ExportCalendarFile();
    /// Opens the day picture of the report's row `row` (1-based) in its own window,
    /// replacing one opened before.
    void OpenDayPicture(int row);
    /// The tides of the place's chosen station in each day the picture shows, when it has one.
    void AddTidesToDays(DayView& view, const std::string& record);

    // The planner: its button at the right end of the report toolbar, and its window.
    void BuildPlannerButton();
    /// Tab order: month, year, place, Calculate, the report and its tools in toolbar
    /// order, then Tides, About and Exit. Run again whenever tools are added.
    void ChainTabOrder();
    void cmdPlanner_Click();

    // The log: its button beside the planner's, and its window.
    void BuildLogButton();
    void cmdLog_Click();

    /// A first window (no saved size) widened, within the desktop, to show every tool of
    /// the report's toolbar.
    void WidenForTools();
    void CentreOnScreen();
    /// The primary screen's available size in twips.
    QSize AvailableTwips() const;
    /// A saved size larger than the whole desktop goes back to the default size.
    void KeepSavedSizeOnTheDesktop();

    /// The close-down both Form_Unload and CloseForSystem run; `interactive` asks and
    /// thanks, the system's close-down does neither.
    bool CloseDown(bool interactive);

    // The controls, under the object names the tests find them by.
    ReportViewer* arvReport = nullptr;
    QLabel* lblDate = nullptr;
    QComboBox* cboMonth = nullptr;
    QLabel* lblYr = nullptr;
    QLineEdit* txtYear = nullptr;
    QToolButton* lblPlus = nullptr;
    QToolButton* lblMinus = nullptr;
    QPushButton* cmdPlace = nullptr;
    QComboBox* cboPlaces = nullptr;
    QPushButton* cmdCalc = nullptr;
    QPushButton* cmdTides = nullptr;
    QPushButton* cmdAbout = nullptr;
    QPushButton* cmdExit = nullptr;
    /// The place menu: 0 "Add Location", 1 "Edit Location", 2 "Delete Location".
    QMenu* popAddEditDel = nullptr;
    std::array<QAction*, 3> miAddEditDel{};
    /// The tide menu: 0 "Run WXTides", 1 a separator, 2 "Setup".
    QMenu* popTides = nullptr;
    std::array<QAction*, 3> miTides{};

    MainWindowServices services_;
    /// The shared save-file dialog of the exports and the tide set-up.
    SaveFileDialog& cdPrintSetup;
    /// How much larger than the design's the desktop's text is (1 at the usual font): the
    /// top row's font, places and sizes grow by it.
    double textScale_ = 1.0;
    AppState state_;
    /// What a first run starts with; also stands in for a saved size beyond the desktop.
    AppState firstRun_;
    LocationState places_;
    PlaceValues place_;
    MonthTable table_;
    /// The location record the table on screen was computed for.
    std::string tableRecord_;
    LastCalculation lastCalc_;
    /// True only inside Form_Load: the resize rule does not record sizes meanwhile.
    bool loading_ = false;
    /// The export tools still have to be added to the report toolbar (once per run).
    bool toolbarPending_ = false;
    bool unloaded_ = false;
    /// locs.dat as this window last read or wrote it, to notice another window's saves.
    LocationFileSnapshot placesOnDisk_;
    /// The folder and name the next export proposes.
    ExportProposal exportProposal_;
    /// Why the selected place's record could not be read; empty when it could.
    std::string placeError_;
    /// The day picture window, while one is open.
    QPointer<dlgDayPicture> dayWindow_;
    QPushButton* cmdPlanner = nullptr;
    /// The planner window: made on first use, hidden between uses.
    dlgPlanner* plannerWindow_ = nullptr;
    std::shared_ptr<const tides::TideDatabase> tideData_;
    QPushButton* cmdLog = nullptr;
    QPointer<dlgLog> logWindow_;
    /// The open-file dialog of the log window when the services bring none.
    std::unique_ptr<OpenFileDialog> ownOpenDialog_;
};

}  // namespace quintrel
