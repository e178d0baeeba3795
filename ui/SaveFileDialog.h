#pragma once

#include <QString>
#include <stdexcept>

namespace quintrel {

/// Raised by SaveFileDialog::ShowSave when the dialog cannot be opened (for example
/// because the preset file name is not acceptable). Callers clear the file name and try
/// once more.
class SaveDialogError : public std::runtime_error {
  public:
    explicit SaveDialogError(const std::string& message) : std::runtime_error(message) {}
};

/// The one save-file dialog of the main window, shared by the two exports and the tide
/// program set-up. Its properties are kept from one use to the next until a user of the
/// dialog changes them, so an export that follows the tide set-up opens with the set-up's
/// title, directory and file name.
class SaveFileDialog {
  public:
    virtual ~SaveFileDialog() = default;

    /// One entry: a description and a file pattern separated by a bar,
    /// e.g. "Comma Separated Values (*.csv)|*.csv".
    QString Filter;
    /// Added to a typed name that has no extension (".csv"; a leading dot is optional).
    QString DefaultExt;
    /// The caption of the dialog window.
    QString DialogTitle;
    /// The directory the dialog opens in; empty = wherever it was last.
    QString InitDir;
    /// On entry the name shown first; on return the full path chosen, empty on cancel.
    QString FileName;
    /// Ask before an existing file is chosen to be replaced. The exports set it: one Enter
    /// on the name kept from the other export must not write a PDF over a CSV unasked.
    /// The tide set-up clears it, as there the chosen file is an existing program.
    bool ConfirmOverwrite = false;

    /// Shows the dialog modally and returns when the user closes it. On OK, FileName holds
    /// the full path (the file need not exist); on cancel FileName is empty.
    /// Throws SaveDialogError when the dialog cannot be opened.
    virtual void ShowSave() = 0;
};

/// Shows the dialog; if it cannot be opened, clears the preset file name and shows it once
/// more. A second failure counts as a cancel. Returns the chosen path, empty on cancel.
QString ShowSaveWithRetry(SaveFileDialog& dialog);

}  // namespace quintrel
