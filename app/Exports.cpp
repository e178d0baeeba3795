#include "app/Exports.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

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

// Writes the whole text, checking every step: a full disk or a vanished folder must not
// leave a cut-off file that looks like a finished export.
bool WriteInPlace(const QString& fileName, const std::string& text) {
    std::FILE* file = std::fopen(QFile::encodeName(fileName).constData(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    written = std::fflush(file) == 0 && written;
    written = std::fclose(file) == 0 && written;
    return written;
}

// Writing in place would empty the user's old export before the first byte of the new one
// is safe, and a full disk would then leave neither. So the text goes to a temporary file
// beside it, renamed over the old file only once all of it is on disk. A device or pipe
// (say /dev/null) is written to as it is; renaming over it would replace it.
bool WriteWholeFile(const QString& fileName, const std::string& text) {
    const QFileInfo target(fileName);
    if (target.exists() && !target.isFile()) {
        return WriteInPlace(fileName, text);
    }
    QSaveFile file(fileName);
    // As for the PDF: a folder that refuses the temporary file may still let an existing
    // file be rewritten.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    // Rewriting in place, commit() does not report a failed write, so every step is
    // checked here; without a commit the temporary file is removed.
    const bool written = file.write(text.data(), static_cast<qint64>(text.size())) ==
                             static_cast<qint64>(text.size()) &&
                         file.flush() && file.error() == QFileDevice::NoError;
    return written && file.commit();
}

}  // namespace

QString ExportErrorText(const QString& fileName) {
    return QStringLiteral("Unable to write to the file ") + fileName + QStringLiteral("\r\n") +
           QStringLiteral(
               "Please ensure you have selected a valid directory and file for writing.");
}

ExportOutcome ExportCsv(SaveFileDialog& dialog, MessageBoxes& messages, const std::string& csvText,
                        ExportProposal* proposal, QWidget* parent) {
    const QString fileName =
        AskForExportFile(dialog, QStringLiteral("Comma Separated Values (*.csv)|*.csv"),
                         QStringLiteral(".csv"), proposal);
    if (fileName.isEmpty()) {
        return ExportOutcome::Cancelled;
    }
    if (!WriteWholeFile(fileName, csvText)) {
        messages.Exclamation(kExportErrorTitle, ExportErrorText(fileName), parent);
        return ExportOutcome::Failed;
    }
    return ExportOutcome::Written;
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
