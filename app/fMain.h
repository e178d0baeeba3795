#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>

#include "app/MainWindowServices.h"
#include "appcore/AppState.h"
#include "locations/LocationList.h"
#include "locations/PlaceValues.h"
#include "table/LastCalculation.h"
#include "table/MonthTable.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace quintrel {

class ClickableLabel;
class dlgDayPicture;
class dlgLocations;
class ReportViewer;
class SaveFileDialog;

/// The main window: month, year and place on one row of controls along the top, the month
/// table's report below. Loads the places and the settings when it opens, writes them back
/// when it closes.
class fMain : public QWidget {
    Q_OBJECT

  public:
    explicit fMain(const MainWindowServices& services, QWidget* parent = nullptr);
    ~fMain() override;

    // The controls, under the names the rest of the program and the tests use.
    ReportViewer* arvReport = nullptr;
    QLabel* lblDate = nullptr;
    QComboBox* cboMonth = nullptr;
    QLabel* lblYr = nullptr;
    QLineEdit* txtYear = nullptr;
    ClickableLabel* lblPlus = nullptr;
    ClickableLabel* lblMinus = nullptr;
    QPushButton* cmdPlace = nullptr;
    QComboBox* cboPlaces = nullptr;
    QPushButton* cmdCalc = nullptr;
    QPushButton* cmdTides = nullptr;
    QPushButton* cmdAbout = nullptr;
    QPushButton* cmdExit = nullptr;

    /// The place menu and its items: 0 "Add Location", 1 "Edit Location",
    /// 2 "Delete Location".
    QMenu* popAddEditDel = nullptr;
    std::array<QAction*, 3> miAddEditDel{};
    /// The tide menu and its items: 0 "Run WXTides", 1 a separator, 2 "Setup".
    QMenu* popTides = nullptr;
    std::array<QAction*, 3> miTides{};

    /// The shared save-file dialog of the exports and the tide set-up.
    SaveFileDialog& cdPrintSetup;

    /// Start-up: month list, settings, places, window size, month and year, first table.
    /// Returns false when neither locs.dat nor locs.bak exists; the missing-file message
    /// has then been shown, nothing has been written, and the program must end.
    bool Form_Load();

    /// The resize rule: minimum size, Exit and About on the right edge, the report filling
    /// the rest, and the size recorded unless loading or minimised.
    void Form_Resize();

    /// Close-down: places, then settings, then the acknowledgement window. Runs once, from
    /// Exit or from the window's close box.
    void Form_Unload();

    /// Computes and shows the month table unless month, year and place are those of the
    /// last calculation (`force` recomputes anyway). A calculation that fails is reported
    /// in a message box; the program carries on.
    void CalculateMonth(bool force);

    // Month and year.
    void FillMonthList();
    void cboMonth_Click();
    void cboMonth_Change();
    void txtYear_GotFocus();
    void txtYear_Validate();
    void lblPlus_Click();
    void lblMinus_Click();

    // Places.
    bool LoadLocations(bool readFile);
    void SaveLocations();
    void cboPlaces_Click();
    void cboPlaces_Change();
    void cmdPlace_Click();
    void UpdatePlaceMenu();
    void miAddEditDel_Click(int index);
    void AddLocation();
    void EditLocation();
    void DeleteLocation();
    void StoreLocation(bool ok, const std::string& record, bool isNew);

    // Buttons, tides and the report toolbar.
    void cmdCalc_Click();
    void cmdExit_Click();
    void cmdAbout_Click();
    void cmdTides_Click();
    void UpdateTidesMenu();
    void miTides_Click(int index);
    void arvReport_ToolbarClick(const QString& caption);
    /// Opens the day picture of the report's row `row` (1-based) in its own window,
    /// replacing one opened before.
    void OpenDayPicture(int row);

    /// The application state: month, year, window size and tide program path.
    AppState State;
    /// The place list, the selected position (LocationIndex) and whether the list differs
    /// from locs.dat (LocationsChanged).
    LocationState Places;
    /// The location record of the selected place; empty when none is selected.
    std::string SelectedRecord() const;

    /// The selected place's values, filled whenever the selection moves.
    PlaceValues Place;
    /// The month table last computed (empty before the first calculation).
    MonthTable Table;
    LastCalculation LastCalc;
    /// True only inside Form_Load: the resize rule does not record sizes meanwhile.
    bool Loading = false;
    /// The export tools still have to be added to the report toolbar (once per run).
    bool ToolbarPending = false;

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
    void ShowReport();
    void ShowYearEntry(const struct YearEntry& entry);
    std::int16_t ThisYear() const;
    std::string ExportTimeText() const;
    std::string ExportDateText() const;
    bool FormSetup(std::string& record, int mode);
    void CentreOnScreen();
    /// A saved size larger than the whole desktop goes back to the default size.
    void KeepSavedSizeOnTheDesktop();

    MainWindowServices services_;
    bool unloaded_ = false;
    /// Why the selected place's record could not be read; empty when it could.
    std::string placeError_;
    /// The location window: made on first use, hidden between uses.
    dlgLocations* locationWindow_ = nullptr;
    /// The day picture window, while one is open.
    QPointer<dlgDayPicture> dayWindow_;
};

}  // namespace quintrel
