#include "ui/dlgLogOuting.h"

#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>

#include "log/LogCsv.h"
#include "ui/MessageBoxes.h"

namespace quintrel {

using namespace logbook;

namespace {

// Typing "2026-11-01" into a date field: the year moves on to the month by itself after
// four digits, so the dash typed next would jump on to the day and the date would come
// out as 2026-<old month>-11. A dash is taken only after digits typed into the part the
// cursor is in; right after such a move it is dropped.
class DateDashFilter : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* edit = static_cast<QDateEdit*>(watched);
        const QString text = static_cast<QKeyEvent*>(event)->text();
        const int section = edit->currentSectionIndex();
        if (section != section_) {
            section_ = section;
            typed_ = false;
        }
        if (text == QStringLiteral("-")) {
            if (!typed_) {
                return true;
            }
            typed_ = false;
            section_ = section + 1;
            return false;
        }
        if (text.size() == 1 && text.front().isDigit()) {
            typed_ = true;
        }
        return false;
    }

  private:
    int section_ = -1;
    bool typed_ = false;
};

}  // namespace

dlgLogOuting::dlgLogOuting(const Outing& outing, const std::vector<std::string>& placeRecords,
                           MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), outing_(outing), records_(placeRecords), messages_(messages) {
    setObjectName(QStringLiteral("dlgLogOuting"));
    setWindowTitle(outing.id == 0 ? QStringLiteral("New Outing") : QStringLiteral("Edit Outing"));
    if (!outing.record.empty() &&
        std::find(records_.begin(), records_.end(), outing.record) == records_.end()) {
        records_.insert(records_.begin(), outing.record);
    }
    auto* form = new QFormLayout(this);
    dtpDate_ = new QDateEdit(this);
    dtpDate_->setObjectName(QStringLiteral("dtpDate"));
    dtpDate_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dtpDate_->setCalendarPopup(true);
    dtpDate_->setDateRange(QDate(101, 1, 1), QDate(9998, 12, 31));
    dtpDate_->installEventFilter(new DateDashFilter(dtpDate_));
    const QDate date = QDate::fromString(QString::fromStdString(outing.date), Qt::ISODate);
    dtpDate_->setDate(date.isValid() ? date : QDate::currentDate());
    form->addRow(QStringLiteral("&Date:"), dtpDate_);
    const auto timeBox = [this](const char* name, const std::string& text) {
        auto* box = new QLineEdit(QString::fromStdString(text), this);
        box->setObjectName(QString::fromLatin1(name));
        box->setPlaceholderText(QStringLiteral("hh:mm"));
        box->setMaxLength(5);
        return box;
    };
    txtStart_ = timeBox("txtStart", outing.start);
    txtEnd_ = timeBox("txtEnd", outing.end);
    form->addRow(QStringLiteral("&Start:"), txtStart_);
    form->addRow(QStringLiteral("&End:"), txtEnd_);
    cboPlace_ = new QComboBox(this);
    cboPlace_->setObjectName(QStringLiteral("cboPlace"));
    for (const std::string& record : records_) {
        cboPlace_->addItem(QString::fromStdString(PlaceNameOfRecord(record)));
    }
    const auto chosen = std::find(records_.begin(), records_.end(), outing.record);
    cboPlace_->setCurrentIndex(
        chosen == records_.end() ? 0 : static_cast<int>(chosen - records_.begin()));
    // A list of hundreds of places: typing any part of a name offers the places holding it.
    cboPlace_->setEditable(true);
    cboPlace_->setInsertPolicy(QComboBox::NoInsert);
    cboPlace_->completer()->setCompletionMode(QCompleter::PopupCompletion);
    cboPlace_->completer()->setFilterMode(Qt::MatchContains);
    cboPlace_->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    form->addRow(QStringLiteral("&Place:"), cboPlace_);
    cboKind_ = new QComboBox(this);
    cboKind_->setObjectName(QStringLiteral("cboKind"));
    cboKind_->addItems({QStringLiteral("Fishing"), QStringLiteral("Hunting")});
    cboKind_->setCurrentIndex(static_cast<int>(outing.kind));
    form->addRow(QStringLiteral("&Kind:"), cboKind_);
    txtNotes_ = new QPlainTextEdit(QString::fromStdString(outing.notes), this);
    txtNotes_->setObjectName(QStringLiteral("txtNotes"));
    txtNotes_->setTabChangesFocus(true);
    form->addRow(QStringLiteral("&Notes:"), txtNotes_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &dlgLogOuting::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

Outing dlgLogOuting::Value() const {
    Outing outing = outing_;
    outing.date = dtpDate_->date().toString(Qt::ISODate).toStdString();
    outing.start = txtStart_->text().trimmed().toStdString();
    outing.end = txtEnd_->text().trimmed().toStdString();
    // The text typed names the place; one that names none of the list leaves it empty.
    const int place = cboPlace_->findText(cboPlace_->currentText().trimmed(), Qt::MatchFixedString);
    outing.record = place >= 0 ? records_[static_cast<std::size_t>(place)] : std::string();
    outing.kind = static_cast<OutingKind>(std::max(0, cboKind_->currentIndex()));
    outing.notes = txtNotes_->toPlainText().toStdString();
    return outing;
}

void dlgLogOuting::accept() {
    try {
        CheckOuting(Value());
    } catch (const LogError& error) {
        messages_.Exclamation(windowTitle(), QString::fromStdString(error.what()), this);
        return;
    }
    QDialog::accept();
}

}  // namespace quintrel
