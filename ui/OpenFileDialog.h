#pragma once

#include <QString>

namespace quintrel {

/// A dialog that picks an existing file, behind an interface so that tests can answer it.
/// Unlike the save dialog it never adds an extension: the path chosen is the file's own.
class OpenFileDialog {
  public:
    virtual ~OpenFileDialog() = default;

    /// Entries of a description and a file pattern, each pair separated by bars:
    /// "WXTide32 Progam File (WXTide32.exe)|WXTide32.exe|Any program (*)|*".
    QString Filter;
    /// The entry of Filter shown first, from 0.
    int FilterIndex = 0;
    /// The caption of the dialog window.
    QString DialogTitle;
    /// The directory the dialog opens in; empty = wherever it was last.
    QString InitDir;
    /// On entry the name shown first; on return the full path of the chosen file, empty
    /// on cancel.
    QString FileName;

    /// Shows the dialog modally; returns when the user has chosen an existing file or
    /// cancelled.
    virtual void ShowOpen() = 0;

    /// Asks for one file with this caption and filter, opening where the last one was
    /// chosen; the chosen file's full path, or an empty text on cancel.
    QString AskForFile(const QString& title, const QString& filter) {
        DialogTitle = title;
        Filter = filter;
        FilterIndex = 0;
        FileName.clear();
        ShowOpen();
        return FileName;
    }
};

}  // namespace quintrel
