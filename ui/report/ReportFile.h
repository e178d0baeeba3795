#pragma once

#include <QString>
#include <functional>

class QIODevice;

namespace quintrel {

/// Writes a document file at `path` through `write`, which fills the device it is given and
/// returns false when it could not. The bytes go to a temporary file put in the old one's
/// place only when all is written, so a failure keeps the file that was there; a folder that
/// refuses the temporary file falls back to rewriting in place. A device or pipe
/// (/dev/null, /dev/stdout) is written through, never replaced by a plain file.
/// Throws CoreError naming the path and the reason, with `kind` ("PDF", "PNG") in the message.
void WriteReportFile(const QString& path, const QString& kind,
                     const std::function<bool(QIODevice&)>& write);

}  // namespace quintrel
