#pragma once

#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace quintrel {

class MessageBoxes;
class SaveFileDialog;

/// How an export ended.
enum class ExportOutcome {
    Written,    ///< the file was written completely
    Cancelled,  ///< the user cancelled the dialog (or it could not be opened twice)
    Failed,     ///< the "Export Error" message was shown
};

/// What an export proposes in the dialog: the folder exports last went to (empty: the
/// dialog's own) and a name without extension ("Sydney 2004-01"). A written export
/// records its folder here for the next one.
struct ExportProposal {
    QString folder;
    QString stem;
};

/// The text of the "Export Error" message for the file `fileName`.
QString ExportErrorText(const QString& fileName);

/// Asks for a file with the shared dialog (filter "Comma Separated Values (*.csv)|*.csv",
/// default extension ".csv"; with a `proposal`, its name plus ".csv" in its folder, else
/// title, directory and preset name as the dialog's last user left them) and writes
/// `csvText` to it byte for byte through ReplaceFileContent. If that fails, the "Export
/// Error" message is shown and an existing file is left as it was. Never throws.
ExportOutcome ExportCsv(SaveFileDialog& dialog, MessageBoxes& messages, const std::string& csvText,
                        ExportProposal* proposal = nullptr, QWidget* parent = nullptr);

/// Asks for a file as ExportCsv does (filter "iCalendar (*.ics)|*.ics", default extension
/// ".ics") and writes `calendarText` to it the same way. Never throws.
ExportOutcome ExportCalendar(SaveFileDialog& dialog, MessageBoxes& messages,
                             const std::string& calendarText, ExportProposal* proposal = nullptr,
                             QWidget* parent = nullptr);

/// Asks for a file as ExportCsv does (filter "Portable Document Format (*.pdf)|*.pdf",
/// default extension ".pdf") and calls `writePdf` with the chosen path (UTF-8). Any
/// exception from `writePdf` (normally quintrel::CoreError) shows the "Export Error"
/// message. Never throws.
ExportOutcome ExportPdf(SaveFileDialog& dialog, MessageBoxes& messages,
                        const std::function<void(const std::string& path)>& writePdf,
                        ExportProposal* proposal = nullptr, QWidget* parent = nullptr);

}  // namespace quintrel
