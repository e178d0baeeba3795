#pragma once

#include <QFileDialog>
#include <QPointer>
#include <QString>

#include "ui/SaveFileDialog.h"

class QWidget;

namespace quintrel {

/// The real save dialog: one QFileDialog (Qt's own, not the desktop's, so it behaves the
/// same everywhere) kept for the life of its owner, so the folder the user last browsed
/// to is kept too.
class QtSaveFileDialog : public SaveFileDialog {
  public:
    explicit QtSaveFileDialog(QWidget* parent = nullptr);
    ~QtSaveFileDialog() override;

    void ShowSave() override;

    /// Opens the dialog over `window` from now on (the dialog may be made before the window).
    /// Without it, the first ShowSave opens over the active window and stays with it.
    void SetParentWindow(QWidget* window);

    /// The QFileDialog itself, so tests can drive it. Its properties are brought up to date
    /// with Apply(), which ShowSave also calls.
    QFileDialog& Dialog();

    /// Copies the properties onto the QFileDialog.
    void Apply();

    /// Reads the accepted selection back as ShowSave does: the chosen path with the default
    /// extension added when the typed name has none.
    QString AcceptedPath();

  private:
    void MakeDialog(QWidget* parent);

    // Owned here, but parented to the window for placement; the pointer notices if the
    // window goes first and takes the dialog with it.
    QPointer<QFileDialog> dialog_;
};

/// Shows the file list in detail with its size, type and date columns as wide as their
/// contents.
void ShowWholeColumns(QFileDialog& dialog);

/// "description|pattern" to Qt's "description (pattern)". A description that already ends
/// in the pattern in brackets is kept as it is; a filter without a bar is passed through.
QString ToQtNameFilter(const QString& filter);

/// `path` with `defaultExt` added when its file name has no extension. `defaultExt` may
/// start with a dot or not; a whole file name as default ("WXTide32.exe") only lends its
/// extension. Empty paths stay empty.
QString WithDefaultExtension(const QString& path, const QString& defaultExt);

}  // namespace quintrel
