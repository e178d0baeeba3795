#pragma once

#include <string>
#include <string_view>

namespace quintrel {

/// The whole content of a file as bytes. Throws CoreError naming the path when it cannot
/// be opened or read.
std::string ReadWholeFile(const std::string& path);

/// Replaces (or creates) the file at `path` with `bytes` so that it is never seen half
/// written: the bytes go to a new temporary file in the same directory, which is flushed
/// to disk and then renamed over `path`. Throws CoreError naming the path on failure, after
/// removing the temporary file; `path` itself is then untouched.
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
