#pragma once

#include <QString>

class QWidget;

namespace quintrel {

/// The message boxes the program shows, behind an interface so that tests can answer
/// them. Each box is modal; `parent` (optional) is the window it belongs to.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;

    /// Critical-error icon, OK button.
    virtual void Critical(const QString& title, const QString& text, QWidget* parent = nullptr) = 0;

    /// Exclamation (warning) icon, OK button.
    virtual void Exclamation(const QString& title, const QString& text,
                             QWidget* parent = nullptr) = 0;

    /// Information icon, OK button: news that is not a problem ("Imported 12 catches").
    virtual void Information(const QString& title, const QString& text,
                             QWidget* parent = nullptr) = 0;

    /// Question icon, OK and Cancel buttons. True only when the user chose OK.
    virtual bool Question(const QString& title, const QString& text, QWidget* parent = nullptr) = 0;
};

}  // namespace quintrel
