#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "astro/CoreError.h"

namespace quintrel {

/// The largest file ReadWholeFile reads unless the caller names another limit: far above
/// any place list or settings file, far below what would exhaust memory.
inline constexpr std::size_t kReadLimitBytes = 64 * 1024 * 1024;

/// A file longer than its reader allows; thrown before the content is read.
class FileTooLarge : public CoreError {
  public:
    FileTooLarge(const std::string& message, std::uint64_t sizeBytes)
        : CoreError(message), SizeBytes(sizeBytes) {}
    std::uint64_t SizeBytes;  ///< the size found, or maxBytes + 1 for a file still growing
};

/// The whole content of a regular file as bytes. A file larger than `maxBytes` throws
/// FileTooLarge before anything is read (and a file growing past it while being read, once
/// the limit is reached), so a huge file costs neither time nor memory. Throws CoreError
/// naming the path when it cannot be opened or read, or is a pipe, device or folder (a
/// pipe is refused at once, never waited on, and a device never read without end).
std::string ReadWholeFile(const std::string& path, std::size_t maxBytes = kReadLimitBytes);

/// Throws CoreError naming `path` unless it is a regular file or does not exist yet:
/// writing to a named pipe waits for a reader that may never come, and a device is no
/// place for a document.
void RequireRegularOrNewFile(const std::string& path);

/// The file a replacement of `path` must land on: the target of a symbolic link (so the
/// link and everyone sharing it see the change), `path` itself otherwise. Throws CoreError
/// naming the file when replacing it would be wrong: it is read-only, or it has further
/// hard links (renaming a new file over it would split them, leaving the others with the
/// old content).
std::string ReplaceableTarget(const std::string& path);

/// Replaces (or creates) the file at `path` with `bytes` so that it is never seen half
/// written: the bytes go to a new temporary file in the same directory, which is flushed
/// to disk and then renamed over `path`. A symbolic link is written through to its target
/// (the temporary file is made beside the target). A new file gets the usual permissions
/// less the umask, a replaced one keeps its own. Throws CoreError naming the path on
/// failure or when ReplaceableTarget refuses it, after removing the temporary file; the
/// file itself is then untouched.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

/// WriteFileAtomically, the one way every output file of the program is written, except
/// that a device or pipe (/dev/null, /dev/stdout, a fifo a script reads) is written
/// straight through, since renaming over it would put a plain file in its place. Callers
/// that must not wait on a pipe check RequireRegularOrNewFile first.
void ReplaceFileContent(const std::string& path, std::string_view bytes);

/// The first half of WriteFileAtomically: writes and flushes the temporary file and
/// returns its path, for callers that must finish several files before renaming any.
std::string WriteTemporarySibling(const std::string& path, std::string_view bytes);

/// The second half: renames a file made by WriteTemporarySibling over `path` (over its
/// target for a link), flushing the directory entry. Throws CoreError naming `path` on
/// failure (the temporary file is then removed).
void CommitTemporarySibling(const std::string& temporaryPath, const std::string& path);

/// WriteFileAtomically for text made piece by piece: Append writes each piece to the
/// temporary file at once (so no more than a piece is held in memory), Commit flushes and
/// renames it over `path`. Destroyed without a Commit, it removes the temporary file and
/// `path` stays as it was. The same rules for links and refusals apply, checked when it is
/// made. Append and Commit throw CoreError naming `path`.
class AtomicFileWriter {
  public:
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
    void Append(std::string_view bytes);
    void Commit();
    /// Flushes and closes the temporary file and hands its path over, to be renamed later
    /// with CommitTemporarySibling (or removed with DiscardTemporary).
    std::string Release();

  private:
    std::string path_;
    std::string temporary_;
    int fd_ = -1;
};

/// Removes a temporary file left by a step that failed; never throws.
void DiscardTemporary(const std::string& temporaryPath) noexcept;

/// Removes temporary files of `path` (its name, a dot and six letters or digits, as
/// WriteTemporarySibling makes them) last modified more than `age` ago: what a save that
/// was killed half way leaves behind. Younger ones may belong to a save running now.
/// For a symbolic link, those beside its target too, where a save through it makes them.
/// Returns how many were removed; never throws.
int RemoveStaleTemporaries(const std::string& path,
                           std::chrono::seconds age = std::chrono::seconds(60)) noexcept;

/// What identifies one state of a file: size, modification time and a digest of the
/// content. Two stamps differ when any of them does, so an edit within the same second
/// that keeps the size is still seen.
struct FileStamp {
    bool Exists = false;
    std::uint64_t SizeBytes = 0;
    std::int64_t ModifiedNs = 0;
    std::uint64_t ContentDigest = 0;
    bool operator==(const FileStamp&) const = default;
};

/// The stamp of the file at `path` whose content is `bytes` (as just read or written);
/// a missing file gives a stamp with Exists false. Never throws.
FileStamp StampFile(const std::string& path, std::string_view bytes) noexcept;

}  // namespace quintrel
