#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>
#include <string>

#include "log/LogRecords.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace quintrel {

class MessageBoxes;
class OpenFileDialog;

/// The units the user sees lengths and weights in; the log keeps centimetres and kilograms.
struct LogUnits {
    bool inches = false;
    bool pounds = false;
};

/// A length or weight in the user's unit, as the forms and lists show it: one decimal.
QString LengthText(const std::optional<double>& centimetres, const LogUnits& units);
QString WeightText(const std::optional<double>& kilograms, const LogUnits& units);

/// What the catch form needs from the log window.
struct CatchFormServices {
    MessageBoxes* messages = nullptr;
    OpenFileDialog* openDialog = nullptr;
    /// Species typed before, for completion.
    QStringList species;
    /// Copies a chosen picture into the log's photo folder and returns the name to keep
    /// (throws the log's error when it cannot).
    std::function<std::string(const std::string& sourcePath)> copyPhoto;
    /// The full path of a kept photo name.
    std::function<QString(const std::string& name)> photoPath;
};

/// The form of one catch or sighting: time, species (completed from earlier entries),
/// count, length and weight in the user's units, released, method or bait, the spot's
/// position, a photo (shown in the form) and notes. OK checks the catch as the log does.
class dlgLogCatch : public QDialog {
    Q_OBJECT

  public:
    dlgLogCatch(const logbook::Catch& entry, const LogUnits& units,
                const CatchFormServices& services, QWidget* parent = nullptr);

    /// The catch as the form holds it; a length or weight that is no number is left out
    /// (accept() refuses it first).
    logbook::Catch Value() const;

    void accept() override;

  private:
    void ShowPhoto();
    /// The reason the typed numbers cannot be taken, or empty.
    QString NumberProblem() const;

    logbook::Catch entry_;
    LogUnits units_;
    CatchFormServices services_;
    QLineEdit* txtTime_ = nullptr;
    QLineEdit* txtSpecies_ = nullptr;
    QSpinBox* spnCount_ = nullptr;
    QLineEdit* txtLength_ = nullptr;
    QLineEdit* txtWeight_ = nullptr;
    QCheckBox* chkReleased_ = nullptr;
    QLineEdit* txtMethod_ = nullptr;
    QLineEdit* txtLatitude_ = nullptr;
    QLineEdit* txtLongitude_ = nullptr;
    QLabel* picPhoto_ = nullptr;
    QPlainTextEdit* txtNotes_ = nullptr;
};

}  // namespace quintrel
