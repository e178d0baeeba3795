#include "ui/report/ReportPdf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "astro/CoreError.h"

namespace quintrel {

namespace {

// Twips: the pages are recorded in them, so the PDF painter needs no scaling at all.
constexpr int kTwipsPerInch = 1440;

[[noreturn]] void Fail(const QString& path, const QString& reason) {
    throw CoreError(QStringLiteral("Unable to write the PDF file %1: %2")
                        .arg(QDir::toNativeSeparators(path), reason)
                        .toStdString());
}

}  // namespace

void WritePdf(const ReportDocument& document, const QString& path) {
    WritePdf(std::vector<const ReportDocument*>{&document}, path);
}

void WritePdf(const std::vector<const ReportDocument*>& documents, const QString& path) {
    bool anyPage = false;
    for (const ReportDocument* document : documents) {
        if (document && !document->pages.empty())
            anyPage = true;
    }
    if (!anyPage)
        Fail(path, QStringLiteral("there is no report to write"));

    // QPdfWriter opened on a path reports nothing when the file cannot be created, so the
    // file is opened here and the writer only ever sees a device that works. QSaveFile
    // also leaves an existing file untouched when writing fails half-way.
    const QFileInfo info(path);
    if (path.trimmed().isEmpty())
        Fail(path, QStringLiteral("no file name given"));
    if (!info.absoluteDir().exists())
        Fail(path, QStringLiteral("the folder does not exist"));
    if (info.isDir())
        Fail(path, QStringLiteral("it is a folder"));
    QSaveFile saveFile(path);
    // A folder that refuses the temporary file may still let an existing file be rewritten.
    saveFile.setDirectWriteFallback(true);
    // A device or pipe (/dev/null, /dev/stdout) is written through: the temporary file would
    // be renamed over it, putting a plain file in its place.
    const bool special = info.exists() && !info.isFile();
    QFile specialFile(path);
    QFileDevice& file = special ? static_cast<QFileDevice&>(specialFile) : saveFile;
    if (!file.open(QIODevice::WriteOnly))
        Fail(path, file.errorString());

    {
        QPdfWriter writer(&file);
        writer.setResolution(kTwipsPerInch);
        writer.setCreator(QStringLiteral("Quintrel"));
        const ReportDocument* first = nullptr;
        for (const ReportDocument* document : documents) {
            if (document && !document->pages.empty()) {
                first = document;
                break;
            }
        }
        // Several months: the title names the whole span, not the first month alone.
        const ReportDocument* last = first;
        for (const ReportDocument* document : documents) {
            if (document && !document->pages.empty()) {
                last = document;
            }
        }
        const qsizetype lastFor = last->title.lastIndexOf(QStringLiteral(" for "));
        writer.setTitle(last == first || lastFor < 0 || last->title == first->title
                            ? first->title
                            : first->title + QStringLiteral(" to ") + last->title.mid(lastFor + 5));
        writer.setPageLayout(first->pageLayout);

        QPainter painter;
        if (!painter.begin(&writer))
            Fail(path, QStringLiteral("the PDF writer could not start"));
        bool firstPage = true;
        for (const ReportDocument* document : documents) {
            if (!document)
                continue;
            for (const ReportPage& page : document->pages) {
                if (!firstPage) {
                    writer.setPageLayout(document->pageLayout);
                    writer.newPage();
                }
                firstPage = false;
                DrawReportPage(painter, page);
            }
        }
        painter.end();
    }
    // Rewriting in place, commit() does not report a failed write (a full disk), so the
    // last buffered bytes are pushed out and any error is caught here first.
    if (!file.flush() || file.error() != QFileDevice::NoError)
        Fail(path, file.errorString());
    if (!special && !saveFile.commit())
        Fail(path, saveFile.errorString());
}

}  // namespace quintrel
