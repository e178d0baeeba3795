#pragma once

#include <QString>

class QWidget;

namespace quintrel {

/// The dialog that picks an existing file to read (a CSV file to import, a photo), behind
/// an interface so that tests can answer it.
class OpenFileDialog {
  public:
    virtual ~OpenFileDialog() = default;

    /// Shows the dialog modally: `filter` as "description|pattern" (as SaveFileDialog's).
    /// Returns the chosen file's full path, or an empty text on cancel.
    virtual QString ShowOpen(const QString& title, const QString& filter,
                             QWidget* parent = nullptr) = 0;
};

/// The real dialog: Qt's own file dialog, opening in the folder chosen last.
class QtOpenFileDialog : public OpenFileDialog {
  public:
    QString ShowOpen(const QString& title, const QString& filter,
                     QWidget* parent = nullptr) override;

  private:
    QString folder_;
};

}  // namespace quintrel
