#include "locations/FileIo.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <random>
#include <utility>
#include <vector>

namespace quintrel {

namespace {

constexpr std::size_t kTemporarySuffixLength = 6;  // ".XXXXXX", as mkstemp made them

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

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

std::string KindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISFIFO(mode)) {
        return "a named pipe";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "a device";
}

[[noreturn]] void ThrowTooLarge(const std::string& path, std::uint64_t size, std::size_t limit) {
    throw FileTooLarge(
        "Cannot read \"" + path + "\": it is longer than " + std::to_string(limit) + " bytes",
        size);
}

}  // namespace

std::string ReadWholeFile(const std::string& path, std::size_t maxBytes) {
    // Without O_NONBLOCK, opening a named pipe waits for a writer that may never come;
    // with it the open returns at once and the pipe is refused below.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        ThrowFileError("open", path, errno);
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        ThrowFileError("read", path, errno);
    }
    // A device or pipe in place of the file could be read forever.
    if (!S_ISREG(info.st_mode)) {
        throw CoreError("Cannot read \"" + path + "\": not a regular file");
    }
    // The size is known before the first byte is read: a huge file is refused at once.
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        ThrowTooLarge(path, static_cast<std::uint64_t>(info.st_size), maxBytes);
    }
    std::string content;
    content.reserve(static_cast<std::size_t>(info.st_size));
    std::vector<char> buffer(1 << 16);
    while (true) {
        const ssize_t got = ::read(file.get(), buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            ThrowFileError("read", path, errno);
        }
        if (got == 0) {
            return content;
        }
        // A file that grows while it is read stops here.
        if (static_cast<std::size_t>(got) > maxBytes - content.size()) {
            ThrowTooLarge(path, std::uint64_t{maxBytes} + 1, maxBytes);
        }
        content.append(buffer.data(), static_cast<std::size_t>(got));
    }
}

namespace {

// The permissions a file made by open(..., 0666) would get, without changing the umask
// (which the whole process shares, other threads included).
mode_t NewFileMode() {
    mode_t mask = 022;
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        while (std::fgets(line, sizeof line, status) != nullptr) {
            if (std::strncmp(line, "Umask:", 6) == 0) {
                mask = static_cast<mode_t>(std::strtoul(line + 6, nullptr, 8));
                break;
            }
        }
        std::fclose(status);
    }
    return 0666 & ~mask;
}

// A new, empty file "<path>.XXXXXX" that did not exist before, open for writing.
int CreateTemporary(const std::string& path, std::string& temporary) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path + '.';
        for (std::size_t i = 0; i < kTemporarySuffixLength; ++i) {
            temporary += kLetters[pick(random)];
        }
        // Made private first; it gets its final permissions once it is written.
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

bool IsTemporaryName(std::string_view name, std::string_view base) {
    if (name.size() != base.size() + 1 + kTemporarySuffixLength || !name.starts_with(base) ||
        name[base.size()] != '.') {
        return false;
    }
    for (const char c : name.substr(base.size() + 1)) {
        const bool letterOrDigit =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!letterOrDigit) {
            return false;
        }
    }
    return true;
}

}  // namespace

void RequireRegularOrNewFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        throw CoreError("Cannot write \"" + path + "\": it is " + KindOf(info.st_mode) +
                        ", not a file");
    }
}

std::string ReplaceableTarget(const std::string& path) {
    std::string target = path;
    struct stat link {};
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        // realpath needs the target to exist; a dangling link is followed one step, which
        // is where a new file would appear through it.
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            target = resolved;
            std::free(resolved);
        } else {
            std::string pointee(PATH_MAX, '\0');
            const ssize_t length = ::readlink(path.c_str(), pointee.data(), pointee.size());
            if (length > 0) {
                pointee.resize(static_cast<std::size_t>(length));
                target = pointee.front() == '/' ? pointee : DirectoryOf(path) + '/' + pointee;
            }
        }
    }
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) {
        return target;  // a new file: nothing to keep
    }
    const std::string named =
        target == path ? "\"" + path + "\"" : "\"" + path + "\" (\"" + target + "\")";
    if (!S_ISREG(info.st_mode)) {
        throw CoreError("Cannot replace " + named + ": it is " + KindOf(info.st_mode) +
                        ", not a file");
    }
    // Permission bits, not access(): the superuser may write anything, but a file someone
    // marked read-only is still not meant to change.
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
        (::geteuid() != 0 && ::access(target.c_str(), W_OK) != 0)) {
        throw CoreError("Cannot replace " + named + ": the file is read-only");
    }
    if (info.st_nlink > 1) {
        throw CoreError("Cannot replace " + named + ": it has " +
                        std::to_string(info.st_nlink - 1) +
                        " other hard link(s), which would keep the old content");
    }
    return target;
}

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)) {
    const std::string target = ReplaceableTarget(path_);
    fd_ = CreateTemporary(target, temporary_);
    if (fd_ < 0) {
        ThrowFileError("write", path_, errno);
    }
    // Keep the permissions of the file being replaced; a new file gets what any program
    // creating it would, the user's umask applied.
    struct stat existing {};
    const mode_t mode =
        ::stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : NewFileMode();
    if (::fchmod(fd_, mode) != 0) {
        const int error = errno;
        ::close(std::exchange(fd_, -1));
        ::unlink(temporary_.c_str());
        ThrowFileError("write", path_, error);
    }
}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    DiscardTemporary(temporary_);
}

void AtomicFileWriter::Append(std::string_view bytes) {
    if (!WriteAll(fd_, bytes)) {
        ThrowFileError("write", path_, errno);
    }
}

std::string AtomicFileWriter::Release() {
    const int fd = std::exchange(fd_, -1);
    int error = ::fsync(fd) != 0 ? errno : 0;
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        ThrowFileError("write", path_, error);  // the destructor removes the file
    }
    return std::exchange(temporary_, std::string());
}

void AtomicFileWriter::Commit() {
    CommitTemporarySibling(Release(), path_);
}

std::string WriteTemporarySibling(const std::string& path, std::string_view bytes) {
    AtomicFileWriter writer(path);
    writer.Append(bytes);
    return writer.Release();
}

void CommitTemporarySibling(const std::string& temporaryPath, const std::string& path) {
    std::string target;
    try {
        target = ReplaceableTarget(path);
    } catch (...) {
        ::unlink(temporaryPath.c_str());
        throw;
    }
    if (::rename(temporaryPath.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporaryPath.c_str());
        ThrowFileError("replace", path, error);
    }
    FlushDirectory(DirectoryOf(target));
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
        const Descriptor device(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
        if (device.get() < 0 || !WriteAll(device.get(), bytes)) {
            ThrowFileError("write", path, errno);
        }
        return;
    }
    WriteFileAtomically(path, bytes);
}

void DiscardTemporary(const std::string& temporaryPath) noexcept {
    if (!temporaryPath.empty()) {
        ::unlink(temporaryPath.c_str());
    }
}

namespace {

int RemoveStaleTemporariesBeside(const std::string& path, std::chrono::seconds age) noexcept {
    const std::string directory = DirectoryOf(path);
    const std::string base = path.substr(path.find_last_of('/') + 1);
    DIR* folder = ::opendir(directory.c_str());
    if (folder == nullptr) {
        return 0;
    }
    const std::time_t cutoff = std::time(nullptr) - static_cast<std::time_t>(age.count());
    int removed = 0;
    while (const dirent* entry = ::readdir(folder)) {
        if (!IsTemporaryName(entry->d_name, base)) {
            continue;
        }
        const std::string candidate = directory + '/' + entry->d_name;
        struct stat info {};
        // Only plain files of ours: never follow a link someone put there.
        if (::lstat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_mtime < cutoff && ::unlink(candidate.c_str()) == 0) {
            ++removed;
        }
    }
    ::closedir(folder);
    return removed;
}

}  // namespace

int RemoveStaleTemporaries(const std::string& path, std::chrono::seconds age) noexcept {
    int removed = RemoveStaleTemporariesBeside(path, age);
    // A save through a link makes its temporary file beside the link's target.
    struct stat link {};
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            const std::string target = resolved;
            std::free(resolved);
            removed += RemoveStaleTemporariesBeside(target, age);
        }
    }
    return removed;
}

FileStamp StampFile(const std::string& path, std::string_view bytes) noexcept {
    FileStamp stamp;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return stamp;
    }
    stamp.Exists = true;
    stamp.SizeBytes = static_cast<std::uint64_t>(info.st_size);
    stamp.ModifiedNs = std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
    stamp.ContentDigest = std::hash<std::string_view>{}(bytes);
    return stamp;
}

}  // namespace quintrel
