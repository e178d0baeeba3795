#include "ui/report/ReportPdf.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>

#include "astro/CoreError.h"
#include "ui/report/ReportFile.h"

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

    // The folder is checked before anything is drawn, so the common mistakes are told in
    // plain words rather than as a failed write.
    CheckDocumentPath(path, QStringLiteral("PDF"));

    // The whole PDF is made in memory and then handed to the file module, which replaces
    // an existing file only once all of it is on disk (and writes a device or pipe
    // straight through).
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
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
    buffer.close();
    WriteDocumentBytes(path, bytes);
}

}  // namespace quintrel
