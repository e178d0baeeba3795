#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quintrel {

/// The largest file ReadWholeFile reads unless the caller names another limit: far above
/// any place list or settings file, far below what would exhaust memory.
inline constexpr std::size_t kReadLimitBytes = 64 * 1024 * 1024;

/// The whole content of a regular file as bytes. A named pipe, device or folder is refused
/// at once (a pipe is never waited on), and so is a file longer than `limitBytes`.
/// Throws CoreError naming the path when the file cannot be opened or read.
std::string ReadWholeFile(const std::string& path, std::size_t limitBytes = kReadLimitBytes);

/// Replaces (or creates) the file at `path` with `bytes`, the one way every output file of
/// the program is written:
/// - a regular file (or a new one) is never seen half written: the bytes go to a temporary
///   file in the same folder, flushed to disk and renamed over it, keeping its permissions;
/// - through a symbolic link, the file it points to is replaced and the link stays;
/// - a device or pipe (/dev/null, /dev/stdout, a fifo) is written straight through, since
///   renaming over it would put a plain file in its place.
/// Throws CoreError naming the path on any failure; an existing file is then left as it
/// was and no temporary file remains.
void ReplaceFileContent(const std::string& path, std::string_view bytes);

/// ReplaceFileContent for a path known to be (or become) a regular file: temporary file,
/// flush, rename, with nothing resolved or written through.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

/// The first half of WriteFileAtomically: writes and flushes the temporary file and
/// returns its path, for callers that must finish several files before renaming any.
std::string WriteTemporarySibling(const std::string& path, std::string_view bytes);

/// The second half: renames a file made by WriteTemporarySibling over `path`, flushing
/// the directory entry. Throws CoreError naming `path` on failure (the temporary file is
/// then removed).
void CommitTemporarySibling(const std::string& temporaryPath, const std::string& path);

/// Removes a temporary file left by a step that failed; never throws.
void DiscardTemporary(const std::string& temporaryPath) noexcept;

}  // namespace quintrel
