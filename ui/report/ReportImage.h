#pragma once

#include <QImage>
#include <QString>

#include "ui/report/ReportDocument.h"

namespace quintrel {

/// The first page of `document` as a picture of `dotsPerInch` on white.
QImage RenderFirstPage(const ReportDocument& document, double dotsPerInch);

/// Writes the first page of `document` as a PNG file of `dotsPerInch` (150 suits a screen
/// or a letter). Throws CoreError naming the path, like the PDF writer, when the document
/// has no page or the file cannot be written.
void WritePng(const ReportDocument& document, const QString& path, double dotsPerInch = 150);

/// Writes the first page of `document` as an SVG file: vector lines and text, the page's
/// real size. Fails like WritePng.
void WriteSvg(const ReportDocument& document, const QString& path);

}  // namespace quintrel
