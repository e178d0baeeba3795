#pragma once

#include <chrono>
#include <string>

namespace quintrel {

/// How long a writer waits for another process to finish with the same file. A save
/// holds the lock for a few tens of milliseconds, so even dozens of windows closing
/// together are through well within it; only a writer that hangs holds it longer.
inline constexpr std::chrono::milliseconds kFileLockTimeout{10'000};

/// "<file>.lock", the lock file of `path`: beside the target when `path` is a symbolic
/// link, so windows that reach one file through different links share one lock.
std::string LockFilePath(const std::string& path);

/// An exclusive lock, across processes, on the read-modify-write of one file: an
/// advisory lock (flock) on its lock file, held from construction to destruction.
///
/// The kernel lets go of the lock when its holder ends, however it ends (SIGKILL, a
/// crash, a power cut), so a lock file left behind never blocks anyone: it is not
/// removed, since removing it while another process waits on it would let a third one
/// take a lock of its own on a new file. Where no lock can be had at all (a folder
/// without write permission, a file system without locks), the writer goes on without
/// one: it is alone there, or its write will fail with a message of its own.
class FileLock {
  public:
    /// Waits up to `timeout` for the lock of `path`. Throws CoreError naming the file
    /// when another process still holds it after that.
    explicit FileLock(const std::string& path,
                      std::chrono::milliseconds timeout = kFileLockTimeout);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    /// Whether the lock is held (false where no lock could be had at all).
    bool Held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

}  // namespace quintrel
