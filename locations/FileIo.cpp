#include "locations/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "astro/CoreError.h"

namespace quintrel {

namespace {

[[noreturn]] void ThrowFileError(const std::string& action, const std::string& path, int error) {
    throw CoreError("Cannot " + action + " \"" + path + "\": " + std::strerror(error));
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a rename durable; a failure here cannot undo the rename, so it is not reported.
void FlushDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
    // Without O_NONBLOCK, opening a named pipe waits for a writer that may never come;
    // with it the open returns at once and the check below refuses the pipe.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        ThrowFileError("open", path, errno);
    }
    struct stat info {};
    // A device or pipe in place of the file could be read forever.
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        ThrowFileError("read", path, error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        throw CoreError("Cannot read \"" + path + "\": not a regular file");
    }
    std::string content;
    std::vector<char> buffer(1 << 16);
    while (true) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int error = errno;
            ::close(fd);
            ThrowFileError("read", path, error);
        }
        if (got == 0) {
            break;
        }
        content.append(buffer.data(), static_cast<std::size_t>(got));
    }
    ::close(fd);
    return content;
}

std::string WriteTemporarySibling(const std::string& path, std::string_view bytes) {
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        ThrowFileError("write", path, errno);
    }
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat existing {};
    const mode_t mode = ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
    int error = 0;
    if (::fchmod(fd, mode) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        ThrowFileError("write", path, error);
    }
    return temporary;
}

void CommitTemporarySibling(const std::string& temporaryPath, const std::string& path) {
    if (::rename(temporaryPath.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporaryPath.c_str());
        ThrowFileError("replace", path, error);
    }
    FlushDirectory(DirectoryOf(path));
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    CommitTemporarySibling(WriteTemporarySibling(path, bytes), path);
}

void DiscardTemporary(const std::string& temporaryPath) noexcept {
    if (!temporaryPath.empty()) {
        ::unlink(temporaryPath.c_str());
    }
}

}  // namespace quintrel
