#include "app/Exports.h"

#include <QFile>

#include "astro/CoreError.h"
#include "locations/FileIo.h"

#include "ui/MessageBoxes.h"
#include "ui/SaveFileDialog.h"

namespace quintrel {

namespace {

const QString kExportErrorTitle = QStringLiteral("Export Error");

// Asks for the export file with the shared dialog, keeping its title, folder and name.
QString AskForExportFile(SaveFileDialog& dialog, const QString& filter, const QString& defaultExt) {
    dialog.Filter = filter;
    dialog.DefaultExt = defaultExt;
    dialog.ConfirmOverwrite = true;
    return ShowSaveWithRetry(dialog);
}

}  // namespace

QString ExportErrorText(const QString& fileName) {
    return QStringLiteral("Unable to write to the file ") + fileName + QStringLiteral("\r\n") +
           QStringLiteral(
               "Please ensure you have selected a valid directory and file for writing.");
}

ExportOutcome ExportCsv(SaveFileDialog& dialog, MessageBoxes& messages, const std::string& csvText,
                        QWidget* parent) {
    const QString fileName = AskForExportFile(
        dialog, QStringLiteral("Comma Separated Values (*.csv)|*.csv"), QStringLiteral(".csv"));
    if (fileName.isEmpty()) {
        return ExportOutcome::Cancelled;
    }
    try {
        ReplaceFileContent(QFile::encodeName(fileName).toStdString(), csvText);
    } catch (const CoreError&) {
        messages.Exclamation(kExportErrorTitle, ExportErrorText(fileName), parent);
        return ExportOutcome::Failed;
    }
    return ExportOutcome::Written;
}

ExportOutcome ExportPdf(SaveFileDialog& dialog, MessageBoxes& messages,
                        const std::function<void(const std::string& path)>& writePdf,
                        QWidget* parent) {
    const QString fileName = AskForExportFile(
        dialog, QStringLiteral("Portable Document Format (*.pdf)|*.pdf"), QStringLiteral(".pdf"));
    if (fileName.isEmpty()) {
        return ExportOutcome::Cancelled;
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

}  // namespace quintrel
