#include "log/LogFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "log/LogDatabase.h"
#include "log/LogRecords.h"

namespace quintrel::logbook {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kBackupPrefix = "log-";
constexpr std::string_view kBackupSuffix = ".sqlite";

std::string Joined(std::string_view folder, std::string_view name) {
    return (fs::path(folder) / fs::path(name)).string();
}

// The date of a copy's file name "log-YYYY-MM-DD.sqlite"; "" for any other name.
std::string BackupDate(const std::string& name) {
    if (name.size() != kBackupPrefix.size() + 10 + kBackupSuffix.size() ||
        !name.starts_with(kBackupPrefix) || !name.ends_with(kBackupSuffix)) {
        return {};
    }
    const std::string date = name.substr(kBackupPrefix.size(), 10);
    return IsLogDate(date) ? date : std::string();
}

bool SameContent(const fs::path& first, const fs::path& second) {
    std::error_code error;
    if (fs::file_size(first, error) != fs::file_size(second, error) || error) {
        return false;
    }
    std::ifstream a(first, std::ios::binary);
    std::ifstream b(second, std::ios::binary);
    return std::equal(std::istreambuf_iterator<char>(a), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(b), std::istreambuf_iterator<char>());
}

[[noreturn]] void FileFailure(const std::string& doing, const std::error_code& error) {
    const LogErrorKind kind = error == std::errc::no_space_on_device ? LogErrorKind::DiskFull
                              : error == std::errc::permission_denied ||
                                      error == std::errc::read_only_file_system ||
                                      error == std::errc::operation_not_permitted
                                  ? LogErrorKind::NoPermission
                                  : LogErrorKind::Io;
    throw LogError(kind, "Cannot " + doing + ": " + error.message());
}

}  // namespace

std::string LogPathBesidePlaceList(std::string_view placeListPath) {
    return Joined(LogFolder(placeListPath), kLogFileName);
}

std::string LogFolder(std::string_view logPath) {
    const fs::path folder = fs::path(logPath).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

std::string BackupFolder(std::string_view logPath) {
    return Joined(LogFolder(logPath), kBackupFolderName);
}

std::string PhotoFolder(std::string_view logPath) {
    return Joined(LogFolder(logPath), kPhotoFolderName);
}

std::vector<LogBackup> ListBackups(std::string_view logPath) {
    std::vector<LogBackup> backups;
    std::error_code error;
    for (fs::directory_iterator it(BackupFolder(logPath), error), end; !error && it != end;
         it.increment(error)) {
        const std::string date = BackupDate(it->path().filename().string());
        if (!date.empty() && it->is_regular_file(error)) {
            backups.push_back({it->path().string(), date});
        }
    }
    std::sort(backups.begin(), backups.end(),
              [](const LogBackup& a, const LogBackup& b) { return a.date > b.date; });
    return backups;
}

bool MakeDailyBackup(const std::string& logPath, const std::string& today) {
    const std::vector<LogBackup> existing = ListBackups(logPath);
    if (!existing.empty() && existing.front().date >= today) {
        return false;
    }
    const std::string folder = BackupFolder(logPath);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        FileFailure("make the folder " + folder, error);
    }
    CopyLogFile(logPath,
                Joined(folder, std::string(kBackupPrefix) + today + std::string(kBackupSuffix)));
    // The new copy is the newest; the oldest beyond the kept number go.
    const std::vector<LogBackup> all = ListBackups(logPath);
    for (std::size_t i = kBackupsKept; i < all.size(); ++i) {
        fs::remove(all[i].path, error);
    }
    return true;
}

std::string RestoreBackup(const std::string& backupPath, const std::string& logPath,
                          const std::string& stamp) {
    // The copy is checked and written beside the log first, so a bad copy or a full disk
    // leaves the log in use where it was.
    const std::string fresh = logPath + ".restored";
    CopyLogFile(backupPath, fresh);
    try {
        LogOpenOptions check;
        check.readOnly = true;
        check.dailyBackup = false;
        LogDatabase::Open(fresh, check);
    } catch (...) {
        std::error_code ignored;
        fs::remove(fresh, ignored);
        throw;
    }
    std::string kept;
    std::error_code error;
    if (fs::exists(logPath, error)) {
        kept = Joined(LogFolder(logPath), "log.damaged-" + stamp + ".sqlite");
        for (int n = 2; fs::exists(kept, error); ++n) {
            kept = Joined(LogFolder(logPath),
                          "log.damaged-" + stamp + "-" + std::to_string(n) + ".sqlite");
        }
        // The -wal and -shm files belong to the damaged file: left in place they would be
        // read into the restored one.
        for (const char* suffix : {"-wal", "-shm"}) {
            if (fs::exists(logPath + suffix, error)) {
                fs::rename(logPath + suffix, kept + suffix, error);
                if (error) {
                    fs::remove(fresh, error);
                    FileFailure("move " + logPath + suffix + " aside", error);
                }
            }
        }
        fs::rename(logPath, kept, error);
        if (error) {
            std::error_code ignored;
            fs::remove(fresh, ignored);
            FileFailure("move " + logPath + " aside", error);
        }
    }
    fs::rename(fresh, logPath, error);
    if (error) {
        FileFailure("put the backup in place as " + logPath, error);
    }
    return kept;
}

std::string CopyPhotoIn(const std::string& logPath, const std::string& sourcePath) {
    const fs::path source(sourcePath);
    std::error_code error;
    if (!fs::is_regular_file(source, error)) {
        throw LogError(LogErrorKind::Io, "The picture " + sourcePath + " is not a readable file");
    }
    const std::string folder = PhotoFolder(logPath);
    fs::create_directories(folder, error);
    if (error) {
        FileFailure("make the folder " + folder, error);
    }
    const std::string stem = source.stem().string();
    const std::string extension = source.extension().string();
    std::string name = source.filename().string();
    for (int n = 2; fs::exists(Joined(folder, name), error); ++n) {
        if (SameContent(source, Joined(folder, name))) {
            return name;
        }
        name = stem + "-" + std::to_string(n) + extension;
    }
    const std::string target = Joined(folder, name);
    const std::string part = target + ".part";
    fs::copy_file(source, part, fs::copy_options::overwrite_existing, error);
    if (!error) {
        fs::rename(part, target, error);
    }
    if (error) {
        std::error_code ignored;
        fs::remove(part, ignored);
        FileFailure("copy the picture " + sourcePath + " into " + folder, error);
    }
    return name;
}

std::string PhotoPath(std::string_view logPath, std::string_view photoName) {
    return Joined(PhotoFolder(logPath), photoName);
}

}  // namespace quintrel::logbook
