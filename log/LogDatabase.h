#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "log/LogRecords.h"

struct sqlite3;

namespace quintrel::logbook {

/// The schema version this program writes (PRAGMA user_version). A file of a higher
/// version is opened read-only; lower versions are brought up to it when opened.
inline constexpr int kLogSchemaVersion = 1;

/// How to open the log.
struct LogOpenOptions {
    /// Today as "YYYY-MM-DD": the day's backup is named after it. Empty: the system's
    /// local date. Tests give a fixed day.
    std::string today;
    /// Copy the log into log-backups/ when no copy of today exists (at most 7 kept).
    bool dailyBackup = true;
    /// How long a change waits for another program's lock before failing with Busy.
    int busyTimeoutMs = 5000;
    /// Open for reading only even when the file could be written.
    bool readOnly = false;
};

/// The window's filter of outings and catches; every part left empty matches all.
struct LogFilter {
    std::string record;     ///< outings of this place record (UTF-8, whole text)
    std::string placeText;  ///< outings whose record contains this text (case ignored, ASCII)
    std::string species;    ///< catches whose species contains this text (case ignored,
                            ///< ASCII); for outings: those with such a catch
    std::string fromDate;   ///< "YYYY-MM-DD", the first date included
    std::string toDate;     ///< "YYYY-MM-DD", the last date included
    std::optional<OutingKind> kind;
};

/// An outing as a list row: the outing and the sums of its catches.
struct OutingRow {
    Outing outing;
    int catchEntries = 0;  ///< catch lines
    int catchCount = 0;    ///< the sum of their counts
};

/// A catch as a row of a flat list of catches, with what that list shows of its outing.
struct CatchRow {
    Catch entry;
    std::string date;    ///< the outing's date
    std::string record;  ///< the outing's place record
    OutingKind kind = OutingKind::Fishing;
};

/// Where a page of outings ends, for the next page: outings are listed by date, start
/// time and id, and the next page starts after this key. Copy it from the last row.
struct OutingCursor {
    std::string date;
    std::string start;
    std::int64_t id = 0;
};

/// What a delete removed, to put back on undo with the very same ids.
struct DeletedEntries {
    std::vector<OutingEntries> outings;  ///< whole outings removed, with all their catches
    std::vector<Catch> catches;          ///< single catches removed from outings that stay
};

/// Counts for a status line.
struct LogTotals {
    int outings = 0;
    int catchEntries = 0;
    long long catchCount = 0;
};

/// The log of outings and catches in one SQLite file, opened for the life of this object.
///
/// Every change is one transaction: it is saved whole or, on any failure (disk full, no
/// permission, a lock held too long), not at all, and the entries saved before stay. The
/// file is kept in WAL mode with foreign keys on; a second program waits up to
/// busyTimeoutMs for a lock. Not thread-safe: one object per thread.
class LogDatabase {
  public:
    /// Opens the log at `path`, creating it (and its folder's log-backups/ when backing up)
    /// when there is none. In order: a quick integrity check (a damaged file or one that is
    /// no database throws LogError(Damaged) and is left exactly as it was: see
    /// ListBackups/RestoreBackup); a file from a newer version is opened read-only with
    /// ReadOnlyReason saying so; an older version is migrated in one transaction; then
    /// the day's backup (a failure there is kept in Notices, not thrown). Throws LogError:
    /// NotALog for another program's database, NoPermission, Busy, DiskFull or Io.
    static LogDatabase Open(const std::string& path, const LogOpenOptions& options = {});

    LogDatabase(LogDatabase&& other) noexcept;
    LogDatabase& operator=(LogDatabase&& other) noexcept;
    LogDatabase(const LogDatabase&) = delete;
    LogDatabase& operator=(const LogDatabase&) = delete;
    ~LogDatabase();

    const std::string& Path() const { return path_; }
    /// Whether changes are refused; ReadOnlyReason says why for the window's message.
    bool ReadOnly() const { return !readOnlyReason_.empty(); }
    const std::string& ReadOnlyReason() const { return readOnlyReason_; }
    /// Messages of the open that are no failure (a backup that could not be made).
    const std::vector<std::string>& Notices() const { return notices_; }
    /// The schema version in the file (higher than kLogSchemaVersion when read-only).
    int FileVersion() const { return fileVersion_; }

    // Changes. Each checks its entries (CheckOuting/CheckCatch: LogError Invalid), is one
    // transaction, and throws LogError(ReadOnlyLog) on a read-only log.

    /// Stores a new outing and returns its id (outing.id is ignored).
    std::int64_t AddOuting(const Outing& outing);
    /// Replaces the stored outing of outing.id and returns it as it was, for undo.
    /// Throws NotFound when the id is not in the log.
    Outing UpdateOuting(const Outing& outing);
    /// Stores a new catch in entry.outingId and returns its id. NotFound for no such outing.
    std::int64_t AddCatch(const Catch& entry);
    /// Replaces the stored catch of entry.id (it may move to another outing) and returns it
    /// as it was.
    Catch UpdateCatch(const Catch& entry);
    /// Removes outings with all their catches, and returns what was removed. Ids not in
    /// the log are passed over.
    DeletedEntries DeleteOutings(std::span<const std::int64_t> outingIds);
    /// Removes catches and returns them.
    DeletedEntries DeleteCatches(std::span<const std::int64_t> catchIds);
    /// Puts back what a delete removed, with the same ids (ids are never reused, so they
    /// are free). Throws Invalid when a catch's outing is gone and not among them.
    void Restore(const DeletedEntries& deleted);
    /// Stores all `entries` as new outings and catches (ids ignored) in one transaction:
    /// all or none. Returns the new outing ids in the same order.
    std::vector<std::int64_t> AddEntries(std::span<const OutingEntries> entries);

    // Reading.

    LogTotals Totals() const;
    /// The number of outings the filter matches, for the model's row count.
    int CountOutings(const LogFilter& filter) const;
    /// Up to `limit` outings matching the filter, by date, start and id, after `after`
    /// (from the first when empty). Fast at any depth: it seeks, never skips rows.
    std::vector<OutingRow> OutingPage(const LogFilter& filter,
                                      const std::optional<OutingCursor>& after, int limit) const;
    /// The ids of all outings matching the filter, in list order (about 1 MB for 100,000):
    /// a model can keep them and fetch rows in blocks with OutingsById.
    std::vector<std::int64_t> OutingIds(const LogFilter& filter) const;
    /// The rows of these outings, in the order given; ids not in the log are left out.
    std::vector<OutingRow> OutingsById(std::span<const std::int64_t> ids) const;
    /// One outing; nothing when the id is not in the log.
    std::optional<Outing> FindOuting(std::int64_t id) const;
    /// The catches of an outing, by time and id (those matching the filter's species when
    /// given).
    std::vector<Catch> CatchesOf(std::int64_t outingId, const LogFilter& filter = {}) const;
    /// The ids of all catches matching the filter, by date, outing, time and id.
    std::vector<std::int64_t> CatchIds(const LogFilter& filter) const;
    /// The catches of these ids, in the order given.
    std::vector<Catch> CatchesById(std::span<const std::int64_t> ids) const;
    /// The same with their outings' date, place and kind, for a list of catches.
    std::vector<CatchRow> CatchRowsById(std::span<const std::int64_t> ids) const;
    /// Every outing matching the filter with its (matching) catches, in list order: for
    /// export, printing and statistics.
    std::vector<OutingEntries> Entries(const LogFilter& filter = {}) const;

    /// Species typed before that begin with `prefix` (case ignored, ASCII), most used
    /// first, then by name; at most `limit`. For the species box's completion.
    std::vector<std::string> SpeciesNames(std::string_view prefix = {}, int limit = 50) const;
    /// The place records of the log's outings, most recent first: for the place filter.
    std::vector<std::string> PlaceRecords() const;

  private:
    LogDatabase() = default;
    void Close() noexcept;
    void RequireWritable() const;

    sqlite3* db_ = nullptr;
    std::string path_;
    std::string readOnlyReason_;
    std::vector<std::string> notices_;
    int fileVersion_ = 0;
};

/// Copies the SQLite file at `sourcePath` whole into a new file at `targetPath` through
/// SQLite's backup API (a consistent copy even while another program writes). The copy is
/// made under a temporary name and renamed only when complete. Throws LogError.
void CopyLogFile(const std::string& sourcePath, const std::string& targetPath);

}  // namespace quintrel::logbook
