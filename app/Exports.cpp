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

// Asks for the export file with the shared dialog, keeping its title, folder and name.
QString AskForExportFile(SaveFileDialog& dialog, const QString& filter, const QString& defaultExt) {
    dialog.Filter = filter;
    dialog.DefaultExt = defaultExt;
    dialog.ConfirmOverwrite = true;
    return ShowSaveWithRetry(dialog);
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

// The text exports: the shared dialog with the format's filter, then the whole file.
ExportOutcome ExportText(SaveFileDialog& dialog, MessageBoxes& messages, const QString& filter,
                         const QString& defaultExt, const std::string& text, QWidget* parent) {
    const QString fileName = AskForExportFile(dialog, filter, defaultExt);
    if (fileName.isEmpty()) {
        return ExportOutcome::Cancelled;
    }
    if (!WriteWholeFile(fileName, text)) {
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
                        QWidget* parent) {
    return ExportText(dialog, messages, QStringLiteral("Comma Separated Values (*.csv)|*.csv"),
                      QStringLiteral(".csv"), csvText, parent);
}

ExportOutcome ExportCalendar(SaveFileDialog& dialog, MessageBoxes& messages,
                             const std::string& calendarText, QWidget* parent) {
    return ExportText(dialog, messages, QStringLiteral("iCalendar (*.ics)|*.ics"),
                      QStringLiteral(".ics"), calendarText, parent);
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
