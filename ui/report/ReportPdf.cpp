#include "ui/report/ReportPdf.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>

#include <QFile>
#include <QFileInfo>
#include <fstream>
#include <optional>

#include "astro/CoreError.h"
#include "locations/FileIo.h"
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
        writer.setTitle(SpanTitle(first->title, last->title));
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

QString SpanTitle(const QString& first, const QString& last) {
    const qsizetype lastFor = last.lastIndexOf(QStringLiteral(" for "));
    return lastFor < 0 || last == first ? first
                                        : first + QStringLiteral(" to ") + last.mid(lastFor + 5);
}

namespace {

// The PDF writer's output, handed on as it comes: to a temporary file renamed over the
// path at the end, or straight to a device or pipe. A failure is kept for Finish to report,
// as the writer only sees that a write failed.
class PdfSink : public QIODevice {
  public:
    explicit PdfSink(const QString& path) : path_(QFile::encodeName(path).toStdString()) {
        const QFileInfo info(path);
        if (info.exists() && !info.isFile()) {
            device_.open(path_, std::ios::binary);
            if (!device_) {
                throw CoreError("Cannot write \"" + path_ + "\"");
            }
        } else {
            file_.emplace(path_);
        }
        open(QIODevice::WriteOnly);
    }

    void Commit() {
        if (!error_.empty()) {
            throw CoreError(error_);
        }
        if (file_) {
            file_->Commit();
            return;
        }
        device_.flush();
        if (!device_) {
            throw CoreError("Cannot write \"" + path_ + "\"");
        }
    }

  protected:
    qint64 readData(char* /*data*/, qint64 /*size*/) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        try {
            const std::string_view bytes(data, static_cast<std::size_t>(size));
            if (file_) {
                file_->Append(bytes);
            } else if (!device_.write(bytes.data(), size)) {
                throw CoreError("Cannot write \"" + path_ + "\"");
            }
            return size;
        } catch (const CoreError& error) {
            if (error_.empty()) {
                error_ = error.what();
            }
            return -1;
        }
    }

  private:
    std::string path_;
    std::optional<AtomicFileWriter> file_;
    std::ofstream device_;
    std::string error_;
};

}  // namespace

struct PdfStream::Parts {
    QString path;
    QString title;
    std::unique_ptr<PdfSink> sink;
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
    bool anyPage = false;
};

PdfStream::PdfStream(const QString& path, const QString& title)
    : parts_(std::make_unique<Parts>()) {
    CheckDocumentPath(path, QStringLiteral("PDF"));
    parts_->path = path;
    parts_->title = title;
    parts_->sink = std::make_unique<PdfSink>(path);
}

PdfStream::~PdfStream() {
    if (parts_->painter.isActive()) {
        parts_->painter.end();
    }
}

void PdfStream::Add(const ReportDocument& document) {
    Parts& parts = *parts_;
    for (const ReportPage& page : document.pages) {
        if (!parts.writer) {
            // The paper of the first page is known only now.
            parts.writer = std::make_unique<QPdfWriter>(parts.sink.get());
            parts.writer->setResolution(kTwipsPerInch);
            parts.writer->setCreator(QStringLiteral("Quintrel"));
            parts.writer->setTitle(parts.title);
            parts.writer->setPageLayout(document.pageLayout);
            if (!parts.painter.begin(parts.writer.get())) {
                Fail(parts.path, QStringLiteral("the PDF writer could not start"));
            }
        } else {
            parts.writer->setPageLayout(document.pageLayout);
            parts.writer->newPage();
        }
        parts.anyPage = true;
        DrawReportPage(parts.painter, page);
    }
}

void PdfStream::Finish() {
    Parts& parts = *parts_;
    if (!parts.anyPage) {
        Fail(parts.path, QStringLiteral("there is no report to write"));
    }
    parts.painter.end();
    parts.writer.reset();
    parts.sink->close();
    parts.sink->Commit();
}

}  // namespace quintrel
