#include "log/LogDatabase.h"

#include <sqlite3.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <map>
#include <unordered_map>
#include <utility>

#include "log/LogFiles.h"

namespace quintrel::logbook {

namespace {

namespace fs = std::filesystem;

// The schema, one step per version: kMigrations[v] takes a file of version v to v + 1, so
// a file of any earlier version is brought up step by step. Never edit a step once
// released; add the next one. Ids use AUTOINCREMENT so that an id is never handed out
// twice: undo puts deleted entries back under their old ids.
const char* const kMigrations[] = {
    // 0 -> 1: the first log.
    R"sql(
CREATE TABLE outing(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  date TEXT NOT NULL,
  start_time TEXT NOT NULL DEFAULT '',
  end_time TEXT NOT NULL DEFAULT '',
  record TEXT NOT NULL,
  kind INTEGER NOT NULL DEFAULT 0 CHECK (kind IN (0, 1)),
  notes TEXT NOT NULL DEFAULT '');
CREATE INDEX outing_by_date ON outing(date, start_time);
CREATE INDEX outing_by_record ON outing(record, date);
CREATE TABLE catch(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  outing_id INTEGER NOT NULL REFERENCES outing(id) ON DELETE CASCADE,
  time TEXT NOT NULL DEFAULT '',
  species TEXT NOT NULL,
  count INTEGER NOT NULL DEFAULT 1 CHECK (count >= 1),
  length_cm REAL,
  weight_kg REAL,
  released INTEGER NOT NULL DEFAULT 0 CHECK (released IN (0, 1)),
  method TEXT NOT NULL DEFAULT '',
  latitude REAL,
  longitude REAL,
  photo TEXT NOT NULL DEFAULT '',
  notes TEXT NOT NULL DEFAULT '');
CREATE INDEX catch_by_outing ON catch(outing_id, time);
CREATE INDEX catch_by_species ON catch(species);
)sql",
};
static_assert(std::size(kMigrations) == kLogSchemaVersion);

LogErrorKind KindOfFailure(sqlite3* db, int code) {
    switch (code & 0xFF) {
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return LogErrorKind::Damaged;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return LogErrorKind::Busy;
        case SQLITE_FULL:
            return LogErrorKind::DiskFull;
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return LogErrorKind::NoPermission;
        case SQLITE_CONSTRAINT:
            return LogErrorKind::Invalid;
        default:
            break;
    }
    const int systemError = db != nullptr ? sqlite3_system_errno(db) : 0;
    // A file-size limit stops the writes as a full disk does.
    if (systemError == ENOSPC || systemError == EDQUOT || systemError == EFBIG) {
        return LogErrorKind::DiskFull;
    }
    if (systemError == EACCES || systemError == EPERM || systemError == EROFS) {
        return LogErrorKind::NoPermission;
    }
    return LogErrorKind::Io;
}

std::string Explanation(LogErrorKind kind) {
    switch (kind) {
        case LogErrorKind::Damaged:
            return "the file is damaged or is no log; it is kept as it is";
        case LogErrorKind::Busy:
            return "another program keeps the log locked; try again when it is done";
        case LogErrorKind::DiskFull:
            return "the disk is full; nothing of this change was saved";
        case LogErrorKind::NoPermission:
            return "the file or its folder may not be written; nothing of this change was saved";
        default:
            return "nothing of this change was saved";
    }
}

[[noreturn]] void Fail(sqlite3* db, int code, const std::string& path, const std::string& doing) {
    const LogErrorKind kind = KindOfFailure(db, code);
    const char* detail = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    throw LogError(kind, "Cannot " + doing + " the log " + path + ": " + Explanation(kind) + " (" +
                             detail + ")");
}

// A prepared statement, finalized when it goes.
class Statement {
  public:
    Statement(sqlite3* db, const std::string& path, std::string_view sql) : db_(db), path_(path) {
        const int code =
            sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr);
        if (code != SQLITE_OK) {
            Fail(db, code, path, "read");
        }
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { sqlite3_finalize(statement_); }

    Statement& Bind(int index, std::string_view text) {
        Check(sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                                SQLITE_TRANSIENT));
        return *this;
    }
    Statement& Bind(int index, std::int64_t value) {
        Check(sqlite3_bind_int64(statement_, index, value));
        return *this;
    }
    Statement& Bind(int index, const std::optional<double>& value) {
        Check(value ? sqlite3_bind_double(statement_, index, *value)
                    : sqlite3_bind_null(statement_, index));
        return *this;
    }

    /// Whether a row came; throws on failure.
    bool Step(const char* doing = "read") {
        const int code = sqlite3_step(statement_);
        if (code == SQLITE_ROW) {
            return true;
        }
        if (code != SQLITE_DONE) {
            Fail(db_, code, path_, doing);
        }
        return false;
    }
    void Run(const char* doing = "save to") {
        Step(doing);
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    void Reset() {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }

    std::string Text(int column) const {
        const auto* text = sqlite3_column_text(statement_, column);
        return text != nullptr
                   ? std::string(reinterpret_cast<const char*>(text),
                                 static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
                   : std::string();
    }
    std::int64_t Int(int column) const { return sqlite3_column_int64(statement_, column); }
    std::optional<double> Real(int column) const {
        if (sqlite3_column_type(statement_, column) == SQLITE_NULL) {
            return std::nullopt;
        }
        return sqlite3_column_double(statement_, column);
    }

  private:
    void Check(int code) {
        if (code != SQLITE_OK) {
            Fail(db_, code, path_, "read");
        }
    }

    sqlite3* db_;
    const std::string& path_;
    sqlite3_stmt* statement_ = nullptr;
};

void Execute(sqlite3* db, const std::string& path, const char* sql, const char* doing) {
    const int code = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) {
        Fail(db, code, path, doing);
    }
}

// One change: BEGIN IMMEDIATE takes the write lock at once (waiting busy_timeout for it),
// so a change never fails half-way for a lock; anything but Commit rolls back.
class Transaction {
  public:
    Transaction(sqlite3* db, const std::string& path) : db_(db), path_(path) {
        Execute(db, path, "BEGIN IMMEDIATE", "change");
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction() {
        if (!done_) {
            // A failed COMMIT may have ended the transaction already; then this is a no-op.
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }
    void Commit() {
        Execute(db_, path_, "COMMIT", "save to");
        done_ = true;
    }

  private:
    sqlite3* db_;
    const std::string& path_;
    bool done_ = false;
};

int IntPragma(sqlite3* db, const std::string& path, const char* sql) {
    Statement statement(db, path, sql);
    return statement.Step() ? static_cast<int>(statement.Int(0)) : 0;
}

std::string LocalToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

constexpr const char* kOutingColumns =
    "o.id, o.date, o.start_time, o.end_time, o.record, o.kind, o.notes";
constexpr const char* kCatchColumns =
    "c.id, c.outing_id, c.time, c.species, c.count, c.length_cm, c.weight_kg, c.released, "
    "c.method, c.latitude, c.longitude, c.photo, c.notes";

Outing ReadOuting(const Statement& row, int first = 0) {
    Outing outing;
    outing.id = row.Int(first);
    outing.date = row.Text(first + 1);
    outing.start = row.Text(first + 2);
    outing.end = row.Text(first + 3);
    outing.record = row.Text(first + 4);
    outing.kind = row.Int(first + 5) == 1 ? OutingKind::Hunting : OutingKind::Fishing;
    outing.notes = row.Text(first + 6);
    return outing;
}

Catch ReadCatch(const Statement& row) {
    Catch entry;
    entry.id = row.Int(0);
    entry.outingId = row.Int(1);
    entry.time = row.Text(2);
    entry.species = row.Text(3);
    entry.count = static_cast<int>(row.Int(4));
    entry.lengthCm = row.Real(5);
    entry.weightKg = row.Real(6);
    entry.released = row.Int(7) != 0;
    entry.method = row.Text(8);
    entry.latitude = row.Real(9);
    entry.longitude = row.Real(10);
    entry.photo = row.Text(11);
    entry.notes = row.Text(12);
    return entry;
}

// The WHERE clause of a filter over outing o (and catch c when `catchTable`), with its
// parameters in order.
struct Where {
    std::string sql;
    std::vector<std::string> texts;
    std::optional<std::int64_t> kind;
};

Where FilterClause(const LogFilter& filter, bool catchTable) {
    Where where;
    std::vector<std::string> parts;
    if (!filter.record.empty()) {
        parts.push_back("o.record = ?");
        where.texts.push_back(filter.record);
    }
    if (!filter.placeText.empty()) {
        parts.push_back("instr(lower(o.record), lower(?)) > 0");
        where.texts.push_back(filter.placeText);
    }
    if (!filter.fromDate.empty()) {
        parts.push_back("o.date >= ?");
        where.texts.push_back(filter.fromDate);
    }
    if (!filter.toDate.empty()) {
        parts.push_back("o.date <= ?");
        where.texts.push_back(filter.toDate);
    }
    if (!filter.species.empty()) {
        parts.push_back(catchTable ? "instr(lower(c.species), lower(?)) > 0"
                                   : "EXISTS (SELECT 1 FROM catch s WHERE s.outing_id = o.id "
                                     "AND instr(lower(s.species), lower(?)) > 0)");
        where.texts.push_back(filter.species);
    }
    std::string sql;
    for (const std::string& part : parts) {
        sql += (sql.empty() ? " WHERE " : " AND ") + part;
    }
    if (filter.kind) {
        sql += (sql.empty() ? " WHERE " : " AND ") + std::string("o.kind = ?");
        where.kind = static_cast<std::int64_t>(*filter.kind);
    }
    where.sql = sql;
    return where;
}

int BindWhere(Statement& statement, const Where& where, int first = 1) {
    int index = first;
    for (const std::string& text : where.texts) {
        statement.Bind(index++, text);
    }
    if (where.kind) {
        statement.Bind(index++, *where.kind);
    }
    return index;
}

constexpr const char* kOutingRowSelect =
    "SELECT o.id, o.date, o.start_time, o.end_time, o.record, o.kind, o.notes, "
    "(SELECT count(*) FROM catch k WHERE k.outing_id = o.id), "
    "(SELECT total(k.count) FROM catch k WHERE k.outing_id = o.id) FROM outing o";

OutingRow ReadOutingRow(const Statement& row) {
    OutingRow result;
    result.outing = ReadOuting(row);
    result.catchEntries = static_cast<int>(row.Int(7));
    result.catchCount = static_cast<int>(row.Int(8));
    return result;
}

void BindOuting(Statement& statement, const Outing& outing) {
    statement.Bind(1, outing.date)
        .Bind(2, outing.start)
        .Bind(3, outing.end)
        .Bind(4, outing.record)
        .Bind(5, static_cast<std::int64_t>(outing.kind))
        .Bind(6, outing.notes);
}

void BindCatch(Statement& statement, const Catch& entry) {
    statement.Bind(1, entry.outingId)
        .Bind(2, entry.time)
        .Bind(3, entry.species)
        .Bind(4, static_cast<std::int64_t>(entry.count))
        .Bind(5, entry.lengthCm)
        .Bind(6, entry.weightKg)
        .Bind(7, static_cast<std::int64_t>(entry.released ? 1 : 0))
        .Bind(8, entry.method)
        .Bind(9, entry.latitude)
        .Bind(10, entry.longitude)
        .Bind(11, entry.photo)
        .Bind(12, entry.notes);
}

constexpr const char* kInsertOuting =
    "INSERT INTO outing(date, start_time, end_time, record, kind, notes, id) "
    "VALUES(?, ?, ?, ?, ?, ?, ?)";
constexpr const char* kInsertCatch =
    "INSERT INTO catch(outing_id, time, species, count, length_cm, weight_kg, released, method, "
    "latitude, longitude, photo, notes, id) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

// Binds the id column last: NULL lets SQLite choose a new id.
void BindId(Statement& statement, int index, std::int64_t id) {
    if (id > 0) {
        statement.Bind(index, id);
    } else {
        statement.Bind(index, std::optional<double>());
    }
}

// Checks an existing file on a connection of its own that can write nothing, not even
// a checkpoint of a -wal file into it on closing: a damaged file stays exactly as it was.
// Returns its schema version. Throws LogError Damaged or NotALog.
int CheckExistingLog(const std::string& path, int busyTimeoutMs) {
    sqlite3* db = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    struct Closer {
        sqlite3* db;
        ~Closer() { sqlite3_close_v2(db); }
    } closer{db};
    if (opened != SQLITE_OK) {
        Fail(db, opened, path, "open");
    }
    sqlite3_busy_timeout(db, busyTimeoutMs);
    const std::string damaged = "The log " + path +
                                " is damaged or is no log and was not opened; the file is kept "
                                "as it is. Start again from the newest backup in " +
                                BackupFolder(path) + ".";
    int version = 0;
    try {
        version = IntPragma(db, path, "PRAGMA user_version");
        Statement quick(db, path, "PRAGMA quick_check(1)");
        if (!quick.Step() || quick.Text(0) != "ok") {
            throw LogError(LogErrorKind::Damaged, damaged);
        }
    } catch (const LogError& failure) {
        if (failure.Kind() == LogErrorKind::Damaged) {
            throw LogError(LogErrorKind::Damaged, damaged);
        }
        throw;
    }
    if (version == 0 && IntPragma(db, path, "SELECT count(*) FROM sqlite_master") > 0) {
        throw LogError(LogErrorKind::NotALog,
                       "The file " + path + " is a database of another program, not a log");
    }
    return version;
}

}  // namespace

LogDatabase LogDatabase::Open(const std::string& path, const LogOpenOptions& options) {
    LogDatabase log;
    log.path_ = path;
    std::error_code error;
    const bool exists = fs::exists(path, error);
    if (!exists) {
        if (options.readOnly) {
            throw LogError(LogErrorKind::Io, "There is no log " + path);
        }
        const fs::path folder = fs::path(path).parent_path();
        if (!folder.empty() && !fs::create_directories(folder, error) && error) {
            throw LogError(LogErrorKind::NoPermission, "Cannot make the folder " + folder.string() +
                                                           " for the log " + path + ": " +
                                                           error.message());
        }
    } else if (!fs::is_regular_file(path, error)) {
        throw LogError(LogErrorKind::NotALog, "The log " + path + " is not a file");
    }
    const int flags =
        SQLITE_OPEN_NOMUTEX |
        (options.readOnly ? SQLITE_OPEN_READONLY
                          : SQLITE_OPEN_READWRITE | (exists ? 0 : SQLITE_OPEN_CREATE));
    const int opened = sqlite3_open_v2(path.c_str(), &log.db_, flags, nullptr);
    if (opened != SQLITE_OK) {
        const LogErrorKind kind = KindOfFailure(log.db_, opened) == LogErrorKind::Io && !exists
                                      ? LogErrorKind::NoPermission
                                      : KindOfFailure(log.db_, opened);
        const std::string detail = log.db_ != nullptr ? sqlite3_errmsg(log.db_) : "";
        throw LogError(kind, "Cannot " + std::string(exists ? "open" : "create") + " the log " +
                                 path + ": " + Explanation(kind) + " (" + detail + ")");
    }
    sqlite3_extended_result_codes(log.db_, 1);
    sqlite3_busy_timeout(log.db_, options.busyTimeoutMs);

    log.fileVersion_ = exists ? CheckExistingLog(path, options.busyTimeoutMs) : 0;

    if (log.fileVersion_ > kLogSchemaVersion) {
        log.readOnlyReason_ = "The log " + path +
                              " was written by a newer version of Quintrel; it is shown but "
                              "cannot be changed here.";
    } else if (options.readOnly) {
        log.readOnlyReason_ = "The log " + path + " is opened for reading only.";
    } else if (sqlite3_db_readonly(log.db_, "main") == 1) {
        log.readOnlyReason_ =
            "The log " + path + " may not be written; it is shown but cannot be changed.";
    }
    if (log.ReadOnly()) {
        Execute(log.db_, path, "PRAGMA query_only = 1", "open");
        return log;
    }

    Execute(log.db_, path, "PRAGMA foreign_keys = ON", "open");
    // WAL: readers never wait for a writer, and a commit is one append; FULL syncs it, so
    // a committed change survives a crash of the program and of the machine.
    Statement journal(log.db_, path, "PRAGMA journal_mode = WAL");
    journal.Step("open");
    journal.Reset();
    Execute(log.db_, path, "PRAGMA synchronous = FULL", "open");

    if (log.fileVersion_ < kLogSchemaVersion) {
        Transaction transaction(log.db_, path);
        // Another program may have migrated it while this one waited for the lock.
        int version = IntPragma(log.db_, path, "PRAGMA user_version");
        for (; version < kLogSchemaVersion; ++version) {
            Execute(log.db_, path, kMigrations[version], "update");
        }
        Execute(log.db_, path,
                ("PRAGMA user_version = " + std::to_string(kLogSchemaVersion)).c_str(), "update");
        transaction.Commit();
        log.fileVersion_ = kLogSchemaVersion;
    }

    if (options.dailyBackup) {
        try {
            MakeDailyBackup(path, options.today.empty() ? LocalToday() : options.today);
        } catch (const std::exception& failure) {
            log.notices_.push_back(std::string("No backup was made today: ") + failure.what());
        }
    }
    return log;
}

LogDatabase::LogDatabase(LogDatabase&& other) noexcept {
    *this = std::move(other);
}

LogDatabase& LogDatabase::operator=(LogDatabase&& other) noexcept {
    if (this != &other) {
        Close();
        db_ = std::exchange(other.db_, nullptr);
        path_ = std::move(other.path_);
        readOnlyReason_ = std::move(other.readOnlyReason_);
        notices_ = std::move(other.notices_);
        fileVersion_ = other.fileVersion_;
    }
    return *this;
}

LogDatabase::~LogDatabase() {
    Close();
}

void LogDatabase::Close() noexcept {
    if (db_ != nullptr) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

void LogDatabase::RequireWritable() const {
    if (ReadOnly()) {
        throw LogError(LogErrorKind::ReadOnlyLog, readOnlyReason_);
    }
}

std::int64_t LogDatabase::AddOuting(const Outing& outing) {
    RequireWritable();
    CheckOuting(outing);
    Transaction transaction(db_, path_);
    Statement insert(db_, path_, kInsertOuting);
    BindOuting(insert, outing);
    BindId(insert, 7, 0);
    insert.Run();
    const std::int64_t id = sqlite3_last_insert_rowid(db_);
    transaction.Commit();
    return id;
}

Outing LogDatabase::UpdateOuting(const Outing& outing) {
    RequireWritable();
    CheckOuting(outing);
    Transaction transaction(db_, path_);
    const std::optional<Outing> before = FindOuting(outing.id);
    if (!before) {
        throw LogError(LogErrorKind::NotFound, "The outing is no longer in the log");
    }
    Statement update(db_, path_,
                     "UPDATE outing SET date = ?, start_time = ?, end_time = ?, record = ?, "
                     "kind = ?, notes = ? WHERE id = ?");
    BindOuting(update, outing);
    update.Bind(7, outing.id);
    update.Run();
    transaction.Commit();
    return *before;
}

std::int64_t LogDatabase::AddCatch(const Catch& entry) {
    RequireWritable();
    CheckCatch(entry);
    Transaction transaction(db_, path_);
    if (!FindOuting(entry.outingId)) {
        throw LogError(LogErrorKind::NotFound, "The catch's outing is no longer in the log");
    }
    Statement insert(db_, path_, kInsertCatch);
    BindCatch(insert, entry);
    BindId(insert, 13, 0);
    insert.Run();
    const std::int64_t id = sqlite3_last_insert_rowid(db_);
    transaction.Commit();
    return id;
}

Catch LogDatabase::UpdateCatch(const Catch& entry) {
    RequireWritable();
    CheckCatch(entry);
    Transaction transaction(db_, path_);
    const std::vector<Catch> before = CatchesById(std::span(&entry.id, 1));
    if (before.empty()) {
        throw LogError(LogErrorKind::NotFound, "The catch is no longer in the log");
    }
    if (!FindOuting(entry.outingId)) {
        throw LogError(LogErrorKind::NotFound, "The catch's outing is no longer in the log");
    }
    Statement update(db_, path_,
                     "UPDATE catch SET outing_id = ?, time = ?, species = ?, count = ?, "
                     "length_cm = ?, weight_kg = ?, released = ?, method = ?, latitude = ?, "
                     "longitude = ?, photo = ?, notes = ? WHERE id = ?");
    BindCatch(update, entry);
    update.Bind(13, entry.id);
    update.Run();
    transaction.Commit();
    return before.front();
}

DeletedEntries LogDatabase::DeleteOutings(std::span<const std::int64_t> outingIds) {
    RequireWritable();
    Transaction transaction(db_, path_);
    DeletedEntries deleted;
    Statement remove(db_, path_, "DELETE FROM outing WHERE id = ?");
    for (const std::int64_t id : outingIds) {
        std::optional<Outing> outing = FindOuting(id);
        if (!outing) {
            continue;
        }
        deleted.outings.push_back({std::move(*outing), CatchesOf(id)});
        remove.Bind(1, id);
        remove.Run();
    }
    transaction.Commit();
    return deleted;
}

DeletedEntries LogDatabase::DeleteCatches(std::span<const std::int64_t> catchIds) {
    RequireWritable();
    Transaction transaction(db_, path_);
    DeletedEntries deleted;
    deleted.catches = CatchesById(catchIds);
    Statement remove(db_, path_, "DELETE FROM catch WHERE id = ?");
    for (const Catch& entry : deleted.catches) {
        remove.Bind(1, entry.id);
        remove.Run();
    }
    transaction.Commit();
    return deleted;
}

void LogDatabase::Restore(const DeletedEntries& deleted) {
    RequireWritable();
    Transaction transaction(db_, path_);
    Statement insertOuting(db_, path_, kInsertOuting);
    Statement insertCatch(db_, path_, kInsertCatch);
    const auto putCatch = [&](const Catch& entry) {
        CheckCatch(entry);
        if (!FindOuting(entry.outingId)) {
            throw LogError(LogErrorKind::Invalid,
                           "The catch cannot be put back: its outing is no longer in the log");
        }
        BindCatch(insertCatch, entry);
        BindId(insertCatch, 13, entry.id);
        insertCatch.Run();
    };
    for (const OutingEntries& entries : deleted.outings) {
        CheckOuting(entries.outing);
        BindOuting(insertOuting, entries.outing);
        BindId(insertOuting, 7, entries.outing.id);
        insertOuting.Run();
        for (const Catch& entry : entries.catches) {
            putCatch(entry);
        }
    }
    for (const Catch& entry : deleted.catches) {
        putCatch(entry);
    }
    transaction.Commit();
}

std::vector<std::int64_t> LogDatabase::AddEntries(std::span<const OutingEntries> entries) {
    RequireWritable();
    for (const OutingEntries& outing : entries) {
        CheckOuting(outing.outing);
        for (const Catch& entry : outing.catches) {
            CheckCatch(entry);
        }
    }
    Transaction transaction(db_, path_);
    Statement insertOuting(db_, path_, kInsertOuting);
    Statement insertCatch(db_, path_, kInsertCatch);
    std::vector<std::int64_t> ids;
    ids.reserve(entries.size());
    for (const OutingEntries& outing : entries) {
        BindOuting(insertOuting, outing.outing);
        BindId(insertOuting, 7, 0);
        insertOuting.Run();
        ids.push_back(sqlite3_last_insert_rowid(db_));
        for (Catch entry : outing.catches) {
            entry.outingId = ids.back();
            BindCatch(insertCatch, entry);
            BindId(insertCatch, 13, 0);
            insertCatch.Run();
        }
    }
    transaction.Commit();
    return ids;
}

LogTotals LogDatabase::Totals() const {
    LogTotals totals;
    Statement statement(db_, path_,
                        "SELECT (SELECT count(*) FROM outing), count(*), total(count) FROM catch");
    if (statement.Step()) {
        totals.outings = static_cast<int>(statement.Int(0));
        totals.catchEntries = static_cast<int>(statement.Int(1));
        totals.catchCount = statement.Int(2);
    }
    return totals;
}

int LogDatabase::CountOutings(const LogFilter& filter) const {
    const Where where = FilterClause(filter, false);
    Statement statement(db_, path_, "SELECT count(*) FROM outing o" + where.sql);
    BindWhere(statement, where);
    return statement.Step() ? static_cast<int>(statement.Int(0)) : 0;
}

std::vector<OutingRow> LogDatabase::OutingPage(const LogFilter& filter,
                                               const std::optional<OutingCursor>& after,
                                               int limit) const {
    const Where where = FilterClause(filter, false);
    std::string sql = kOutingRowSelect + where.sql;
    if (after) {
        sql += (where.sql.empty() ? " WHERE " : " AND ") +
               std::string("(o.date, o.start_time, o.id) > (?, ?, ?)");
    }
    sql += " ORDER BY o.date, o.start_time, o.id LIMIT ?";
    Statement statement(db_, path_, sql);
    int index = BindWhere(statement, where);
    if (after) {
        statement.Bind(index, after->date).Bind(index + 1, after->start).Bind(index + 2, after->id);
        index += 3;
    }
    statement.Bind(index, static_cast<std::int64_t>(limit));
    std::vector<OutingRow> rows;
    while (statement.Step()) {
        rows.push_back(ReadOutingRow(statement));
    }
    return rows;
}

std::vector<std::int64_t> LogDatabase::OutingIds(const LogFilter& filter) const {
    const Where where = FilterClause(filter, false);
    Statement statement(
        db_, path_,
        "SELECT o.id FROM outing o" + where.sql + " ORDER BY o.date, o.start_time, o.id");
    BindWhere(statement, where);
    std::vector<std::int64_t> ids;
    while (statement.Step()) {
        ids.push_back(statement.Int(0));
    }
    return ids;
}

std::vector<OutingRow> LogDatabase::OutingsById(std::span<const std::int64_t> ids) const {
    Statement statement(db_, path_, std::string(kOutingRowSelect) + " WHERE o.id = ?");
    std::vector<OutingRow> rows;
    rows.reserve(ids.size());
    for (const std::int64_t id : ids) {
        statement.Bind(1, id);
        if (statement.Step()) {
            rows.push_back(ReadOutingRow(statement));
        }
        statement.Reset();
    }
    return rows;
}

std::optional<Outing> LogDatabase::FindOuting(std::int64_t id) const {
    Statement statement(db_, path_,
                        "SELECT " + std::string(kOutingColumns) + " FROM outing o WHERE o.id = ?");
    statement.Bind(1, id);
    if (!statement.Step()) {
        return std::nullopt;
    }
    return ReadOuting(statement);
}

std::vector<Catch> LogDatabase::CatchesOf(std::int64_t outingId, const LogFilter& filter) const {
    std::string sql =
        "SELECT " + std::string(kCatchColumns) + " FROM catch c WHERE c.outing_id = ?";
    if (!filter.species.empty()) {
        sql += " AND instr(lower(c.species), lower(?)) > 0";
    }
    Statement statement(db_, path_, sql + " ORDER BY c.time, c.id");
    statement.Bind(1, outingId);
    if (!filter.species.empty()) {
        statement.Bind(2, filter.species);
    }
    std::vector<Catch> catches;
    while (statement.Step()) {
        catches.push_back(ReadCatch(statement));
    }
    return catches;
}

std::vector<std::int64_t> LogDatabase::CatchIds(const LogFilter& filter) const {
    const Where where = FilterClause(filter, true);
    Statement statement(db_, path_,
                        "SELECT c.id FROM catch c JOIN outing o ON o.id = c.outing_id" + where.sql +
                            " ORDER BY o.date, o.start_time, o.id, c.time, c.id");
    BindWhere(statement, where);
    std::vector<std::int64_t> ids;
    while (statement.Step()) {
        ids.push_back(statement.Int(0));
    }
    return ids;
}

std::vector<Catch> LogDatabase::CatchesById(std::span<const std::int64_t> ids) const {
    Statement statement(db_, path_,
                        "SELECT " + std::string(kCatchColumns) + " FROM catch c WHERE c.id = ?");
    std::vector<Catch> catches;
    catches.reserve(ids.size());
    for (const std::int64_t id : ids) {
        statement.Bind(1, id);
        if (statement.Step()) {
            catches.push_back(ReadCatch(statement));
        }
        statement.Reset();
    }
    return catches;
}

std::vector<CatchRow> LogDatabase::CatchRowsById(std::span<const std::int64_t> ids) const {
    Statement statement(db_, path_,
                        "SELECT " + std::string(kCatchColumns) +
                            ", o.date, o.record, o.kind FROM catch c JOIN outing o ON o.id = "
                            "c.outing_id WHERE c.id = ?");
    std::vector<CatchRow> rows;
    rows.reserve(ids.size());
    for (const std::int64_t id : ids) {
        statement.Bind(1, id);
        if (statement.Step()) {
            rows.push_back({ReadCatch(statement), statement.Text(13), statement.Text(14),
                            statement.Int(15) == 1 ? OutingKind::Hunting : OutingKind::Fishing});
        }
        statement.Reset();
    }
    return rows;
}

std::vector<OutingEntries> LogDatabase::Entries(const LogFilter& filter) const {
    const Where where = FilterClause(filter, false);
    Statement outings(db_, path_,
                      "SELECT " + std::string(kOutingColumns) + " FROM outing o" + where.sql +
                          " ORDER BY o.date, o.start_time, o.id");
    BindWhere(outings, where);
    std::vector<OutingEntries> entries;
    std::unordered_map<std::int64_t, std::size_t> positions;
    while (outings.Step()) {
        positions.emplace(outings.Int(0), entries.size());
        entries.push_back({ReadOuting(outings), {}});
    }
    // One pass over the catches in (outing, time, id) order, through the index.
    std::string sql = "SELECT " + std::string(kCatchColumns) + " FROM catch c";
    if (!filter.species.empty()) {
        sql += " WHERE instr(lower(c.species), lower(?)) > 0";
    }
    Statement catches(db_, path_, sql + " ORDER BY c.outing_id, c.time, c.id");
    if (!filter.species.empty()) {
        catches.Bind(1, filter.species);
    }
    while (catches.Step()) {
        const auto found = positions.find(catches.Int(1));
        if (found != positions.end()) {
            entries[found->second].catches.push_back(ReadCatch(catches));
        }
    }
    return entries;
}

std::vector<std::string> LogDatabase::SpeciesNames(std::string_view prefix, int limit) const {
    Statement statement(db_, path_,
                        "SELECT species FROM catch WHERE substr(lower(species), 1, length(?)) = "
                        "lower(?) GROUP BY species ORDER BY count(*) DESC, species LIMIT ?");
    statement.Bind(1, prefix).Bind(2, prefix).Bind(3, static_cast<std::int64_t>(limit));
    std::vector<std::string> names;
    while (statement.Step()) {
        names.push_back(statement.Text(0));
    }
    return names;
}

std::vector<std::string> LogDatabase::PlaceRecords() const {
    Statement statement(
        db_, path_, "SELECT record FROM outing GROUP BY record ORDER BY max(date) DESC, record");
    std::vector<std::string> records;
    while (statement.Step()) {
        records.push_back(statement.Text(0));
    }
    return records;
}

void CopyLogFile(const std::string& sourcePath, const std::string& targetPath) {
    sqlite3* source = nullptr;
    sqlite3* target = nullptr;
    const std::string partPath = targetPath + ".part";
    const auto cleanUp = [&] {
        sqlite3_close_v2(source);
        sqlite3_close_v2(target);
    };
    int code = sqlite3_open_v2(sourcePath.c_str(), &source, SQLITE_OPEN_READONLY, nullptr);
    if (code != SQLITE_OK) {
        const LogErrorKind kind = KindOfFailure(source, code);
        cleanUp();
        throw LogError(kind, "Cannot read " + sourcePath + ": " + Explanation(kind));
    }
    sqlite3_busy_timeout(source, 5000);
    std::error_code error;
    fs::remove(partPath, error);
    code = sqlite3_open_v2(partPath.c_str(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                           nullptr);
    if (code == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
        if (backup == nullptr) {
            code = sqlite3_errcode(target);
        } else {
            // Whole in one step: the copy is consistent and made as fast as it can be.
            code = sqlite3_backup_step(backup, -1);
            const int finished = sqlite3_backup_finish(backup);
            code = code == SQLITE_DONE ? finished : code;
        }
    }
    if (code == SQLITE_OK) {
        // The copy is a plain rollback-journal file that needs no -wal beside it.
        code = sqlite3_exec(target, "PRAGMA journal_mode = DELETE", nullptr, nullptr, nullptr);
    }
    const LogErrorKind kind = code == SQLITE_OK ? LogErrorKind::Io : KindOfFailure(target, code);
    const std::string detail = code == SQLITE_OK ? "" : sqlite3_errstr(code);
    cleanUp();
    if (code == SQLITE_OK) {
        fs::rename(partPath, targetPath, error);
        if (!error) {
            return;
        }
    }
    fs::remove(partPath, error);
    throw LogError(kind, "Cannot copy the log " + sourcePath + " to " + targetPath + ": " +
                             Explanation(kind) + (detail.empty() ? "" : " (" + detail + ")"));
}

}  // namespace quintrel::logbook
