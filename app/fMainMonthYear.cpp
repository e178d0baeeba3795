// The month list and the year box of the main window.
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include "app/fMain.h"
#include "appcore/MonthYear.h"
#include "astro/NumberText.h"

namespace quintrel {

namespace {

bool IsBlank(const QString& text) {
    return TrimBlanks(text.toStdString()).empty();
}

}  // namespace

void fMain::FillMonthList() {
    const QSignalBlocker quiet(cboMonth);
    cboMonth->clear();
    for (std::int16_t month = 1; month <= 12; ++month) {
        cboMonth->addItem(QString::fromStdString(MonthListText(month)), int{month});
    }
    cboMonth->setCurrentIndex(-1);
}

void fMain::cboMonth_Click() {
    const QVariant month = cboMonth->currentData();
    if (month.isValid()) {
        state_.CurrentMonth = static_cast<std::int16_t>(month.toInt());
        ShowChosenMonth();
    }
}

void fMain::cboMonth_Change() {
    if (!IsBlank(cboMonth->currentText())) {
        return;  // other typed text changes nothing; the month in effect stays
    }
    const int entry = state_.CurrentMonth - 1;
    cboMonth->setCurrentIndex(entry);
    // Selecting the entry already selected raises no change: show its text again here.
    cboMonth->setEditText(cboMonth->itemText(entry));
    cboMonth_Click();
}

void fMain::txtYear_GotFocus() {
    // Deferred: a mouse click that brought the focus would otherwise place the cursor
    // and undo the selection straight away.
    QTimer::singleShot(0, txtYear, [box = txtYear] {
        if (box->hasFocus() && !box->text().isEmpty()) {
            box->selectAll();
        }
    });
}

void fMain::ShowYearEntry(const YearEntry& entry) {
    const QString text = QString::fromStdString(entry.boxText);
    if (txtYear->text() != text) {
        txtYear->setText(text);
    }
    state_.CurrentYear = entry.currentYear;
    ShowChosenMonth();
}

void fMain::ShowChosenMonth() {
    // The report follows the controls: a month table takes well under a millisecond, and
    // a report left from the month before looks current but is not.
    if (!loading_) {
        CalculateMonth(false);
    }
}

void fMain::txtYear_Validate() {
    ShowYearEntry(
        ValidateYearText(txtYear->text().toStdString(), services_.thisYear(), state_.CurrentYear));
}

void fMain::lblPlus_Click() {
    ShowYearEntry(
        IncreaseYear(txtYear->text().toStdString(), services_.thisYear(), state_.CurrentYear));
}

void fMain::lblMinus_Click() {
    ShowYearEntry(
        DecreaseYear(txtYear->text().toStdString(), services_.thisYear(), state_.CurrentYear));
}

bool fMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->keyCombination() ==
            QKeyCombination(Qt::ControlModifier, Qt::Key_E)) {
        // The boxes' line editing takes Ctrl+E (end of line) on this desktop; here it is
        // PDF Export, and the window starts with the focus in the month box.
        event->ignore();
        return true;
    }
    if (watched == txtYear) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                key == Qt::Key_Up ? lblPlus_Click() : lblMinus_Click();
                return true;
            }
        } else if (event->type() == QEvent::FocusIn) {
            txtYear_GotFocus();
        } else if (event->type() == QEvent::FocusOut) {
            // The check runs when the focus goes to another control of this window, not
            // when another window or a pop-up takes it for a while.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                txtYear_Validate();
            }
        }
    }
    if (watched == cboPlaces && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            cboPlaces_Resolve(false);
        }
        // Tabbing through selects the whole name and scrolls to its end; leaving, show the
        // start again, where the country is.
        cboPlaces->lineEdit()->setCursorPosition(0);
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace quintrel
