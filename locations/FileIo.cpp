#include "locations/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
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

// Closes the descriptor when the reader leaves, however it leaves.
struct Descriptor {
    int fd;
    ~Descriptor() { ::close(fd); }
};

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

std::string ReadWholeFile(const std::string& path, std::size_t limitBytes) {
    // Without O_NONBLOCK, opening a named pipe waits for a writer that may never come;
    // with it the open returns at once and the check below refuses the pipe.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        ThrowFileError("open", path, errno);
    }
    const Descriptor file{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ThrowFileError("read", path, errno);
    }
    // A device or pipe in place of the file could be read forever.
    if (!S_ISREG(info.st_mode)) {
        throw CoreError("Cannot read \"" + path + "\": not a regular file");
    }
    const auto tooLong = [&] {
        return CoreError("Cannot read \"" + path + "\": it is longer than " +
                         std::to_string(limitBytes) + " bytes");
    };
    if (static_cast<std::uintmax_t>(info.st_size) > limitBytes) {
        throw tooLong();
    }
    std::string content;
    content.reserve(static_cast<std::size_t>(info.st_size));
    std::vector<char> buffer(1 << 16);
    while (true) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowFileError("read", path, errno);
        }
        if (got == 0) {
            break;
        }
        // The file may still be growing while it is read.
        if (content.size() + static_cast<std::size_t>(got) > limitBytes) {
            throw tooLong();
        }
        content.append(buffer.data(), static_cast<std::size_t>(got));
    }
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

void ReplaceFileContent(const std::string& path, std::string_view bytes) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        if (S_ISDIR(info.st_mode)) {
            throw CoreError("Cannot write \"" + path + "\": it is a folder");
        }
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) {
            ThrowFileError("write", path, errno);
        }
        const Descriptor device{fd};
        if (!WriteAll(fd, bytes)) {
            ThrowFileError("write", path, errno);
        }
        return;
    }
    // Through a link, the file it points to is the one replaced, and the link stays.
    std::string target = path;
    struct stat linkInfo {};
    if (::lstat(path.c_str(), &linkInfo) == 0 && S_ISLNK(linkInfo.st_mode)) {
        std::error_code error;
        const std::filesystem::path resolved = std::filesystem::canonical(path, error);
        if (!error) {
            target = resolved.string();
        }
    }
    WriteFileAtomically(target, bytes);
}

void DiscardTemporary(const std::string& temporaryPath) noexcept {
    if (!temporaryPath.empty()) {
        ::unlink(temporaryPath.c_str());
    }
}

}  // namespace quintrel
