#include "ui/dlgLogCatch.h"

#include <QCheckBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include "ui/MessageBoxes.h"
#include "ui/OpenFileDialog.h"

namespace quintrel {

using namespace logbook;

namespace {

QString OneDecimal(double value) {
    // Never through the locale: a number typed back must read with a point.
    return QString::number(value, 'f', 1);
}

QString OptionalNumber(const std::optional<double>& value) {
    return value ? QString::fromStdString(DecimalText(*value)) : QString();
}

constexpr int kPhotoSide = 240;

}  // namespace

QString LengthText(const std::optional<double>& centimetres, const LogUnits& units) {
    if (!centimetres) {
        return {};
    }
    return units.inches ? OneDecimal(InchesFromCentimetres(*centimetres)) + QStringLiteral(" in")
                        : OneDecimal(*centimetres) + QStringLiteral(" cm");
}

QString WeightText(const std::optional<double>& kilograms, const LogUnits& units) {
    if (!kilograms) {
        return {};
    }
    return units.pounds
               ? QString::number(PoundsFromKilograms(*kilograms), 'f', 2) + QStringLiteral(" lb")
               : QString::number(*kilograms, 'f', 2) + QStringLiteral(" kg");
}

dlgLogCatch::dlgLogCatch(const Catch& entry, const LogUnits& units,
                         const CatchFormServices& services, QWidget* parent)
    : QDialog(parent), entry_(entry), units_(units), services_(services) {
    setObjectName(QStringLiteral("dlgLogCatch"));
    setWindowTitle(entry.id == 0 ? QStringLiteral("New Catch") : QStringLiteral("Edit Catch"));
    auto* columns = new QHBoxLayout(this);
    auto* form = new QFormLayout;
    columns->addLayout(form, 1);
    const auto line = [this](const char* name, const QString& text) {
        auto* box = new QLineEdit(text, this);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };
    txtTime_ = line("txtTime", QString::fromStdString(entry.time));
    txtTime_->setPlaceholderText(QStringLiteral("hh:mm"));
    txtTime_->setMaxLength(5);
    form->addRow(QStringLiteral("&Time:"), txtTime_);
    txtSpecies_ = line("txtSpecies", QString::fromStdString(entry.species));
    auto* completer = new QCompleter(services_.species, this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    txtSpecies_->setCompleter(completer);
    form->addRow(QStringLiteral("&Species:"), txtSpecies_);
    spnCount_ = new QSpinBox(this);
    spnCount_->setObjectName(QStringLiteral("spnCount"));
    spnCount_->setRange(1, 100000);
    spnCount_->setValue(std::max(1, entry.count));
    form->addRow(QStringLiteral("&Count:"), spnCount_);
    // The typed numbers stay in the unit shown; converting back and forth would change the
    // stored value a little at each edit, so an untouched field keeps the stored value.
    txtLength_ = line(
        "txtLength",
        entry.lengthCm
            ? OneDecimal(units.inches ? InchesFromCentimetres(*entry.lengthCm) : *entry.lengthCm)
            : QString());
    form->addRow(units.inches ? QStringLiteral("&Length (in):") : QStringLiteral("&Length (cm):"),
                 txtLength_);
    txtWeight_ = line(
        "txtWeight",
        entry.weightKg
            ? QString::number(units.pounds ? PoundsFromKilograms(*entry.weightKg) : *entry.weightKg,
                              'f', 2)
            : QString());
    form->addRow(units.pounds ? QStringLiteral("&Weight (lb):") : QStringLiteral("&Weight (kg):"),
                 txtWeight_);
    chkReleased_ = new QCheckBox(QStringLiteral("&Released"), this);
    chkReleased_->setObjectName(QStringLiteral("chkReleased"));
    chkReleased_->setChecked(entry.released);
    form->addRow(QString(), chkReleased_);
    txtMethod_ = line("txtMethod", QString::fromStdString(entry.method));
    form->addRow(QStringLiteral("&Method or bait:"), txtMethod_);
    txtLatitude_ = line("txtLatitude", OptionalNumber(entry.latitude));
    txtLatitude_->setPlaceholderText(QStringLiteral("decimal degrees, north +"));
    txtLongitude_ = line("txtLongitude", OptionalNumber(entry.longitude));
    txtLongitude_->setPlaceholderText(QStringLiteral("decimal degrees, east +"));
    form->addRow(QStringLiteral("Spot l&atitude:"), txtLatitude_);
    form->addRow(QStringLiteral("Spot l&ongitude:"), txtLongitude_);
    txtNotes_ = new QPlainTextEdit(QString::fromStdString(entry.notes), this);
    txtNotes_->setObjectName(QStringLiteral("txtNotes"));
    txtNotes_->setTabChangesFocus(true);
    form->addRow(QStringLiteral("&Notes:"), txtNotes_);

    auto* photoColumn = new QVBoxLayout;
    columns->addLayout(photoColumn);
    picPhoto_ = new QLabel(this);
    picPhoto_->setObjectName(QStringLiteral("picPhoto"));
    picPhoto_->setFixedSize(kPhotoSide, kPhotoSide);
    picPhoto_->setAlignment(Qt::AlignCenter);
    picPhoto_->setFrameShape(QFrame::StyledPanel);
    photoColumn->addWidget(picPhoto_);
    auto* photoButtons = new QHBoxLayout;
    auto* choose = new QPushButton(QStringLiteral("P&hoto..."), this);
    choose->setObjectName(QStringLiteral("cmdPhoto"));
    choose->setAutoDefault(false);
    auto* remove = new QPushButton(QStringLiteral("No Photo"), this);
    remove->setObjectName(QStringLiteral("cmdNoPhoto"));
    remove->setAutoDefault(false);
    photoButtons->addWidget(choose);
    photoButtons->addWidget(remove);
    photoColumn->addLayout(photoButtons);
    photoColumn->addStretch();
    connect(choose, &QPushButton::clicked, this, [this] {
        const QString source = services_.openDialog->AskForFile(
            QStringLiteral("Photo of the Catch"),
            QStringLiteral("Pictures (*.jpg *.jpeg *.png *.bmp *.gif *.webp)|*.jpg *.jpeg *.png "
                           "*.bmp *.gif *.webp"));
        if (source.isEmpty()) {
            return;
        }
        try {
            entry_.photo = services_.copyPhoto(source.toStdString());
        } catch (const std::exception& error) {
            services_.messages->Exclamation(windowTitle(), QString::fromStdString(error.what()),
                                            this);
        }
        ShowPhoto();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        entry_.photo.clear();
        ShowPhoto();
    });
    ShowPhoto();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &dlgLogCatch::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void dlgLogCatch::ShowPhoto() {
    if (entry_.photo.empty()) {
        picPhoto_->setPixmap({});
        picPhoto_->setText(QStringLiteral("No photo"));
        return;
    }
    const QPixmap photo(services_.photoPath(entry_.photo));
    if (photo.isNull()) {
        picPhoto_->setPixmap({});
        picPhoto_->setText(
            QStringLiteral("%1\n(cannot be shown)").arg(QString::fromStdString(entry_.photo)));
        return;
    }
    picPhoto_->setPixmap(
        photo.scaled(kPhotoSide, kPhotoSide, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

QString dlgLogCatch::NumberProblem() const {
    const std::pair<QLineEdit*, const char*> fields[] = {{txtLength_, "length"},
                                                         {txtWeight_, "weight"},
                                                         {txtLatitude_, "latitude"},
                                                         {txtLongitude_, "longitude"}};
    for (const auto& [box, name] : fields) {
        const QString text = box->text().trimmed();
        if (!text.isEmpty() && !ParseNumber(text.toStdString())) {
            return QStringLiteral("The %1 \"%2\" is not a number (use a point for decimals).")
                .arg(QString::fromLatin1(name), text);
        }
    }
    return {};
}

Catch dlgLogCatch::Value() const {
    Catch entry = entry_;
    const auto number = [](QLineEdit* box) -> std::optional<double> {
        const QString text = box->text().trimmed();
        return text.isEmpty() ? std::nullopt : ParseNumber(text.toStdString());
    };
    entry.time = txtTime_->text().trimmed().toStdString();
    entry.species = txtSpecies_->text().trimmed().toStdString();
    entry.count = spnCount_->value();
    const std::optional<double> length = number(txtLength_);
    const std::optional<double> weight = number(txtWeight_);
    // An untouched field keeps what the log holds, to the last digit.
    const auto unchanged = [](QLineEdit* box) { return !box->isModified(); };
    if (!unchanged(txtLength_) || !entry_.lengthCm) {
        entry.lengthCm =
            length && units_.inches ? std::optional(CentimetresFromInches(*length)) : length;
    }
    if (!unchanged(txtWeight_) || !entry_.weightKg) {
        entry.weightKg =
            weight && units_.pounds ? std::optional(KilogramsFromPounds(*weight)) : weight;
    }
    entry.released = chkReleased_->isChecked();
    entry.method = txtMethod_->text().trimmed().toStdString();
    entry.latitude = number(txtLatitude_);
    entry.longitude = number(txtLongitude_);
    entry.notes = txtNotes_->toPlainText().toStdString();
    return entry;
}

void dlgLogCatch::accept() {
    QString problem = NumberProblem();
    if (problem.isEmpty()) {
        try {
            CheckCatch(Value());
        } catch (const LogError& error) {
            problem = QString::fromStdString(error.what());
        }
    }
    if (!problem.isEmpty()) {
        services_.messages->Exclamation(windowTitle(), problem, this);
        return;
    }
    QDialog::accept();
}

}  // namespace quintrel
