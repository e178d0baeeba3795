#pragma once

#include <QDialog>

#include "calendar/CalendarOptions.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QSpinBox;

namespace quintrel {

/// The choices of a calendar export, asked before the file: which entries, the lowest
/// rating of a good day, daylight periods only, and the reminder. Shows and returns a
/// CalendarOptions; which controls are enabled follows ChoiceStates.
class dlgCalendarOptions : public QDialog {
    Q_OBJECT

  public:
    explicit dlgCalendarOptions(const CalendarOptions& options, QWidget* parent = nullptr);

    /// The choices as the controls show them.
    CalendarOptions Options() const;

    /// Opens the dialog modally with `options`; on OK stores the choices in `options` and
    /// returns true, on Cancel leaves them and returns false.
    static bool Ask(QWidget* parent, CalendarOptions& options);

  private:
    void UpdateControls();

    QCheckBox* chkMajor_ = nullptr;
    QCheckBox* chkMinor_ = nullptr;
    QCheckBox* chkDays_ = nullptr;
    QCheckBox* chkTides_ = nullptr;
    QComboBox* cboMinRating_ = nullptr;
    QCheckBox* chkDaylight_ = nullptr;
    QSpinBox* spnAlarm_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace quintrel
