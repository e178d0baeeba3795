#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <string>

#include "gazetteer/TownSearch.h"
#include "locations/LocationForm.h"

class QCheckBox;
class QComboBox;
class QCompleter;
class QStringListModel;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quintrel {

/// The location maintenance window: the user enters a new place or changes one. The
/// rules live in LocationForm; this class shows them and passes the user's actions on.
/// The main window creates it once and only hides it between uses.
///
/// Above the fields, "Find a town" searches the gazetteer as the user types and fills the
/// fields from the town picked in its drop-down; "Fill time zone from the coordinates"
/// takes the zone of the town nearest to the position typed in.
class dlgLocations : public QDialog {
    Q_OBJECT

  public:
    /// `gazetteer` is the town list to search; none means the one of libgeonames, opened
    /// on the first search. It must outlive the window.
    explicit dlgLocations(QWidget* parent = nullptr, Gazetteer* gazetteer = nullptr);
    ~dlgLocations() override;

    /// Fills the controls from `record` (Windows-1252 bytes; mode 1 = new place, any
    /// other value = edit) and shows the window modally over its parent. Returns true
    /// when the user pressed OK with complete entries; `record` then holds the new record
    /// (59 or 71 bytes). Returns false, with `record` unchanged, on Cancel or close.
    bool FormSetup(std::string& record, int mode);

  public slots:
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdFillZone_Click();
    /// Escape, the close box and Cancel: closes the window without a new record.
    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void CreateFindControls();
    void txtFind_Edited(const QString& text);
    void PickTown(int row);
    /// Empties the town search once the user changes a field by hand.
    void ClearFind();
    void SetTabOrder();
    void NameControls();
    void ConnectControls();
    void FillLists();
    /// Copies the whole LocationForm state into the widgets without raising their signals.
    void ShowForm();
    void ShowLengths();
    /// Runs the check of the box that has the focus, if any; false when it must keep it.
    bool ValidateFocusBox();
    void RefuseFocus(QLineEdit* box);
    QLineEdit* Box(FormBox box) const { return boxes_[static_cast<std::size_t>(box)]; }
    int BoxIndexOf(const QObject* object) const;

    LocationForm form_;
    std::unique_ptr<Gazetteer> ownGazetteer_;
    TownSearch search_;
    bool okFlag_ = false;
    // Set when a box refused a focus change caused by a mouse press, so that the press
    // that caused it is swallowed instead of clicking the control under the mouse.
    bool swallowNextPress_ = false;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* lblFind = nullptr;
    QLabel* lblCountryLength = nullptr;
    QLabel* lblCityLength = nullptr;
    QLabel* lblNote = nullptr;
    QLineEdit* txtFind = nullptr;
    QCompleter* findCompleter_ = nullptr;
    QStringListModel* findModel_ = nullptr;
    QPushButton* cmdFillZone = nullptr;
    QLineEdit* txtCountry = nullptr;
    QLineEdit* txtCity = nullptr;
    QLineEdit* txtDLatt = nullptr;
    QLineEdit* txtMLatt = nullptr;
    QLineEdit* txtDLong = nullptr;
    QLineEdit* txtMLong = nullptr;
    QLineEdit* txtZone = nullptr;
    QCheckBox* chkN = nullptr;
    QCheckBox* chkS = nullptr;
    QCheckBox* chkE = nullptr;
    QCheckBox* chkW = nullptr;
    QCheckBox* chkP = nullptr;
    QCheckBox* chkM = nullptr;
    QCheckBox* chkFavourite = nullptr;
    QCheckBox* chkDST = nullptr;
    QFrame* frDST = nullptr;
    QComboBox* cboHrStart = nullptr;
    QComboBox* cboWkStart = nullptr;
    QComboBox* cboDayStart = nullptr;
    QComboBox* cboMthStart = nullptr;
    QComboBox* cboHrEnd = nullptr;
    QComboBox* cboWkEnd = nullptr;
    QComboBox* cboDayEnd = nullptr;
    QComboBox* cboMthEnd = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    std::array<QLineEdit*, 7> boxes_{};  // in FormBox order
    std::array<QCheckBox*, 6> signs_{};  // in SignBox order
    std::array<QComboBox*, 8> lists_{};  // in RuleList order
};

}  // namespace quintrel
