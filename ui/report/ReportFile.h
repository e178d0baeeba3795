#pragma once

#include <QByteArray>
#include <QString>

namespace quintrel {

/// Refuses, before anything is drawn, the paths a document file cannot be written to: no
/// name, a folder that does not exist, a folder in place of the file. Throws CoreError
/// "Unable to write the <kind> file <path>: <reason>" (kind "PDF", "PNG", "SVG").
void CheckDocumentPath(const QString& path, const QString& kind);

/// Writes a finished document's bytes through the file module: an existing file is replaced
/// only once all of it is on disk, a device or pipe is written straight through. Throws
/// CoreError naming the path on any failure.
void WriteDocumentBytes(const QString& path, const QByteArray& bytes);

}  // namespace quintrel
