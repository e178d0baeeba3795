#pragma once

#include <QFileDialog>
#include <QPointer>

#include "ui/OpenFileDialog.h"

class QWidget;

namespace quintrel {

/// The real open dialog: Qt's own QFileDialog (the same everywhere), for an existing file,
/// opening over the active window.
class QtOpenFileDialog : public OpenFileDialog {
  public:
    QtOpenFileDialog() = default;
    ~QtOpenFileDialog() override;

    void ShowOpen() override;

    /// The QFileDialog of the last or current ShowOpen (made on first use), so tests can
    /// drive it. Apply() brings its properties up to date, as ShowOpen does.
    QFileDialog& Dialog();
    void Apply();

  private:
    QPointer<QFileDialog> dialog_;
};

}  // namespace quintrel
