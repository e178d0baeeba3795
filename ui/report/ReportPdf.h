#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "ui/report/ReportDocument.h"

namespace quintrel {

/// Writes the pages of `document` to a PDF file at `path`: vector text with the fonts
/// embedded, the paper size the pages were laid out for, the report title as the PDF title.
/// Throws CoreError naming the path when the directory does not exist or the file cannot
/// be written.
void WritePdf(const ReportDocument& document, const QString& path);

/// Writes several documents into one PDF, one after another, each on its own paper size.
/// Throws CoreError naming the path as the single-document form does, and for an empty list.
void WritePdf(const std::vector<const ReportDocument*>& documents, const QString& path);

/// The title of a PDF holding documents titled `first` to `last`: the first title, with
/// the span's end ("... for January 2026 to December 2125") when they differ.
QString SpanTitle(const QString& first, const QString& last);

/// WritePdf for documents that come one at a time: each one's pages go to the file as they
/// are drawn, so a PDF of a century of months never lies in memory. `title` is known
/// before the first page (the PDF carries it at its start). The file is replaced when
/// Finish returns (a device or pipe is written straight through); a stream destroyed
/// before that leaves the file as it was. Throws CoreError naming the path.
class PdfStream {
  public:
    PdfStream(const QString& path, const QString& title);
    ~PdfStream();
    PdfStream(const PdfStream&) = delete;
    PdfStream& operator=(const PdfStream&) = delete;
    void Add(const ReportDocument& document);
    void Finish();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

}  // namespace quintrel
