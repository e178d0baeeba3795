#include "ui/Exports.h"

#include <QFile>
#include <QFileInfo>

#include "astro/CoreError.h"
#include "locations/FileIo.h"
#include "ui/MessageBoxes.h"
#include "ui/SaveFileDialog.h"

namespace quintrel {

namespace {

const QString kExportErrorTitle = QStringLiteral("Export Error");

// Asks for the export file with the shared dialog. Each export proposes its own name with
// its own extension in the folder of the last export: the name another user of the shared
// dialog left (a PDF's under the CSV filter, the tide program's) is never offered.
QString AskForExportFile(SaveFileDialog& dialog, const QString& filter, const QString& defaultExt,
                         ExportProposal* proposal) {
    dialog.Filter = filter;
    dialog.DefaultExt = defaultExt;
    dialog.ConfirmOverwrite = true;
    if (proposal != nullptr) {
        dialog.DialogTitle = QStringLiteral("Save As");
        dialog.InitDir = proposal->folder;
        dialog.FileName = proposal->stem.isEmpty() ? QString() : proposal->stem + defaultExt;
    }
    const QString chosen = ShowSaveWithRetry(dialog);
    if (proposal != nullptr && !chosen.isEmpty()) {
        proposal->folder = QFileInfo(chosen).absolutePath();
    }
    return chosen;
}

// A named pipe nobody reads would hold the window (deaf even to its close box) until
// someone did, and a device is no place for an export: both are refused before writing.
// Returns false after showing the Export Error message with the reason.
bool RefuseNonFile(MessageBoxes& messages, const QString& fileName, QWidget* parent);

// The text exports: the shared dialog with the format's filter, then the whole file,
// replaced only once the new one is complete.
ExportOutcome ExportText(SaveFileDialog& dialog, MessageBoxes& messages, const QString& filter,
                         const QString& defaultExt, const std::string& text,
                         ExportProposal* proposal, QWidget* parent) {
    const QString fileName = AskForExportFile(dialog, filter, defaultExt, proposal);
    if (fileName.isEmpty()) {
        return ExportOutcome::Cancelled;
    }
    if (!RefuseNonFile(messages, fileName, parent)) {
        return ExportOutcome::Failed;
    }
    try {
        ReplaceFileContent(QFile::encodeName(fileName).toStdString(), text);
    } catch (const CoreError&) {
        messages.Exclamation(kExportErrorTitle, ExportErrorText(fileName), parent);
        return ExportOutcome::Failed;
    }
    return ExportOutcome::Written;
}

}  // namespace

QString ExportErrorText(const QString& fileName) {
    return QStringLiteral("Unable to write to the file ") + fileName + QStringLiteral("\r\n") +
           QStringLiteral(
               "Please ensure you have selected a valid directory and file for writing.");
}

ExportOutcome ExportCsv(SaveFileDialog& dialog, MessageBoxes& messages, const std::string& csvText,
                        ExportProposal* proposal, QWidget* parent) {
    return ExportText(dialog, messages, QStringLiteral("Comma Separated Values (*.csv)|*.csv"),
                      QStringLiteral(".csv"), csvText, proposal, parent);
}

ExportOutcome ExportCalendar(SaveFileDialog& dialog, MessageBoxes& messages,
                             const std::string& calendarText, ExportProposal* proposal,
                             QWidget* parent) {
    return ExportText(dialog, messages, QStringLiteral("iCalendar (*.ics)|*.ics"),
                      QStringLiteral(".ics"), calendarText, proposal, parent);
}

ExportOutcome ExportPdf(SaveFileDialog& dialog, MessageBoxes& messages,
                        const std::function<void(const std::string& path)>& writePdf,
                        ExportProposal* proposal, QWidget* parent) {
    const QString fileName =
        AskForExportFile(dialog, QStringLiteral("Portable Document Format (*.pdf)|*.pdf"),
                         QStringLiteral(".pdf"), proposal);
    if (fileName.isEmpty()) {
        return ExportOutcome::Cancelled;
    }
    if (!RefuseNonFile(messages, fileName, parent)) {
        return ExportOutcome::Failed;
    }
    try {
        writePdf(fileName.toStdString());
    } catch (const std::exception&) {
        // The writer names what went wrong, but the user is told in the same words as for
        // the CSV file: the choice of folder and file is what they can change.
        messages.Exclamation(kExportErrorTitle, ExportErrorText(fileName), parent);
        return ExportOutcome::Failed;
    }
    return ExportOutcome::Written;
}

namespace {

bool RefuseNonFile(MessageBoxes& messages, const QString& fileName, QWidget* parent) {
    try {
        RequireRegularOrNewFile(QFile::encodeName(fileName).toStdString());
        return true;
    } catch (const CoreError& error) {
        messages.Exclamation(kExportErrorTitle,
                             ExportErrorText(fileName) + QStringLiteral("\r\n") +
                                 QString::fromStdString(error.what()),
                             parent);
        return false;
    }
}

}  // namespace

}  // namespace quintrel
