#include "ui/dlgCalendarOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quintrel {

dlgCalendarOptions::dlgCalendarOptions(const CalendarOptions& options, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Calendar Export"));
    chkMajor_ = new QCheckBox(QStringLiteral("Major periods"), this);
    chkMajor_->setObjectName(QStringLiteral("chkMajor"));
    chkMinor_ = new QCheckBox(QStringLiteral("Minor periods"), this);
    chkMinor_->setObjectName(QStringLiteral("chkMinor"));
    chkDays_ = new QCheckBox(QStringLiteral("Good days (all-day entries)"), this);
    chkDays_->setObjectName(QStringLiteral("chkDays"));
    cboMinRating_ = new QComboBox(this);
    cboMinRating_->setObjectName(QStringLiteral("cboMinRating"));
    for (const Rating rating : kRatings) {
        const std::string_view name = RatingWord(rating);
        cboMinRating_->addItem(QString::fromLatin1(name.data(), static_cast<int>(name.size())));
    }
    chkDaylight_ = new QCheckBox(
        QStringLiteral("Only periods in daylight (sunrise - 30 min to sunset + 30 min)"), this);
    chkDaylight_->setObjectName(QStringLiteral("chkDaylight"));
    spnAlarm_ = new QSpinBox(this);
    spnAlarm_->setObjectName(QStringLiteral("spnAlarm"));
    spnAlarm_->setRange(0, kMaxAlarmMinutes);
    spnAlarm_->setSuffix(QStringLiteral(" min before"));
    spnAlarm_->setSpecialValueText(QStringLiteral("None"));
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Lowest rating of a good day:"), cboMinRating_);
    form->addRow(QStringLiteral("Reminder:"), spnAlarm_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkMajor_);
    layout->addWidget(chkMinor_);
    layout->addWidget(chkDays_);
    layout->addLayout(form);
    layout->addWidget(chkDaylight_);
    layout->addWidget(buttons_);

    chkMajor_->setChecked(options.majorPeriods);
    chkMinor_->setChecked(options.minorPeriods);
    chkDays_->setChecked(options.goodDays);
    cboMinRating_->setCurrentIndex(static_cast<int>(options.minimumRating) - 1);
    chkDaylight_->setChecked(options.daylightOnly);
    spnAlarm_->setValue(options.alarmMinutes);

    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QCheckBox* box : {chkMajor_, chkMinor_, chkDays_}) {
        connect(box, &QCheckBox::toggled, this, &dlgCalendarOptions::UpdateControls);
    }
    UpdateControls();
}

CalendarOptions dlgCalendarOptions::Options() const {
    CalendarOptions options;
    options.majorPeriods = chkMajor_->isChecked();
    options.minorPeriods = chkMinor_->isChecked();
    options.goodDays = chkDays_->isChecked();
    options.minimumRating = static_cast<Rating>(cboMinRating_->currentIndex() + 1);
    options.daylightOnly = chkDaylight_->isChecked();
    options.alarmMinutes = spnAlarm_->value();
    return options;
}

void dlgCalendarOptions::UpdateControls() {
    const CalendarChoiceStates states = ChoiceStates(Options());
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(states.canExport);
    cboMinRating_->setEnabled(states.minimumRating);
    chkDaylight_->setEnabled(states.periodChoices);
    spnAlarm_->setEnabled(states.periodChoices);
}

bool dlgCalendarOptions::Ask(QWidget* parent, CalendarOptions& options) {
    dlgCalendarOptions dialog(options, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    options = dialog.Options();
    return true;
}

}  // namespace quintrel
