#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quintrel::logbook {

/// The log's file name; it lives in the folder of the place list in use.
inline constexpr std::string_view kLogFileName = "log.sqlite";
/// The folders beside the log: its daily copies and the photos of its catches.
inline constexpr std::string_view kBackupFolderName = "log-backups";
inline constexpr std::string_view kPhotoFolderName = "log-photos";
/// How many daily copies are kept; the oldest go first.
inline constexpr int kBackupsKept = 7;

/// The log beside the place list `placeListPath` (a locs.dat, or a --locations file):
/// "<its folder>/log.sqlite"; a bare file name gives "log.sqlite" in the working folder.
std::string LogPathBesidePlaceList(std::string_view placeListPath);
/// The folder of `logPath` ("." for a bare name).
std::string LogFolder(std::string_view logPath);
std::string BackupFolder(std::string_view logPath);
std::string PhotoFolder(std::string_view logPath);

/// One daily copy of the log.
struct LogBackup {
    std::string path;  ///< the copy's file
    std::string date;  ///< "YYYY-MM-DD", the day it was made
};

/// The daily copies of the log at `logPath` ("log-backups/log-YYYY-MM-DD.sqlite"), newest
/// first; none when the folder is missing. Never throws for a missing or unreadable folder.
std::vector<LogBackup> ListBackups(std::string_view logPath);

/// Makes today's copy of the open log when there is none yet and keeps the newest
/// kBackupsKept. Returns false (and changes nothing) when a copy of `today` exists.
/// Throws LogError when the folder or the copy cannot be written; a half-made copy is
/// removed.
bool MakeDailyBackup(const std::string& logPath, const std::string& today);

/// Starts the log again from the copy `backupPath`: the log file in use (and its -wal and
/// -shm files) is renamed to "log.damaged-<stamp>.sqlite" beside it and kept, and the copy
/// becomes a new log.sqlite. Returns the name the old file was kept under ("" when there
/// was none). `stamp` names the kept file (e.g. "20260412-0930"); give the time of day.
/// Throws LogError when the copy is unreadable or no file can be written; the log in use
/// is then left where it was.
std::string RestoreBackup(const std::string& backupPath, const std::string& logPath,
                          const std::string& stamp);

/// Copies the picture at `sourcePath` into log-photos/ beside the log and returns the name
/// to store in the catch. The file keeps its name unless another picture has it already:
/// then "-2", "-3", ... is put before the extension; the same picture again gives the
/// name it already has. Throws LogError when the source cannot be read or the copy written
/// (a half-made copy is removed).
std::string CopyPhotoIn(const std::string& logPath, const std::string& sourcePath);
/// The full path of a photo name stored in a catch.
std::string PhotoPath(std::string_view logPath, std::string_view photoName);

}  // namespace quintrel::logbook
