#pragma once

#include <QString>
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

}  // namespace quintrel
