#include "locations/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

#include "astro/CoreError.h"

namespace quintrel {

namespace {

constexpr std::chrono::milliseconds kRetryInterval{5};

}  // namespace

std::string LockFilePath(const std::string& path) {
    std::string target = path;
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {
        target = resolved;
        std::free(resolved);
    }
    return target + ".lock";
}

FileLock::FileLock(const std::string& path, std::chrono::milliseconds timeout) {
    const std::string lockPath = LockFilePath(path);
    // Never through a link someone put in the lock file's place.
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EINTR) {
            continue;
        }
        if (error != EWOULDBLOCK) {
            ::close(fd);  // no locks on this file system
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            throw CoreError("Cannot save \"" + path +
                            "\": another program has been writing it for " +
                            std::to_string(timeout.count() / 1000) + " seconds and still holds \"" +
                            lockPath + "\"");
        }
        std::this_thread::sleep_for(kRetryInterval);
    }
    fd_ = fd;
}

FileLock::~FileLock() {
    if (fd_ >= 0) {
        ::close(fd_);  // closing the last descriptor releases the lock
    }
}

}  // namespace quintrel
