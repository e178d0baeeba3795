#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "log/LogRecords.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPlainTextEdit;

namespace quintrel {

class MessageBoxes;

/// The form of one outing: date, start and end, place, kind and notes. The place is chosen
/// from the place list and kept as its record text; OK checks the outing as the log does
/// and keeps the form open with the reason when it is refused.
class dlgLogOuting : public QDialog {
    Q_OBJECT

  public:
    /// `placeRecords` are the place list's records as UTF-8; an outing whose place has
    /// left the list keeps it as one more choice.
    dlgLogOuting(const logbook::Outing& outing, const std::vector<std::string>& placeRecords,
                 MessageBoxes& messages, QWidget* parent = nullptr);

    /// The outing as the form holds it (the id of the one given).
    logbook::Outing Value() const;

    void accept() override;

  private:
    logbook::Outing outing_;
    std::vector<std::string> records_;
    MessageBoxes& messages_;
    QDateEdit* dtpDate_ = nullptr;
    QLineEdit* txtStart_ = nullptr;
    QLineEdit* txtEnd_ = nullptr;
    QComboBox* cboPlace_ = nullptr;
    QComboBox* cboKind_ = nullptr;
    QPlainTextEdit* txtNotes_ = nullptr;
};

}  // namespace quintrel
