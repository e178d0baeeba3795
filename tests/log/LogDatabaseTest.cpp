#include "log/LogDatabase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "log/LogFiles.h"
#include "tests/log/ScratchFolder.h"
#include "tests/table/TablePlaces.h"

namespace quintrel::logbook {
namespace {

LogOpenOptions NoBackup() {
    LogOpenOptions options;
    options.dailyBackup = false;
    return options;
}

using quintrel::testing::kBoston;
using quintrel::testing::ReadBytes;
using quintrel::testing::ScratchFolder;
using quintrel::testing::WriteBytes;

LogOpenOptions Day(const std::string& today) {
    LogOpenOptions options;
    options.today = today;
    return options;
}

Outing MakeOuting(const std::string& date, const std::string& start = "06:00",
                  OutingKind kind = OutingKind::Fishing) {
    Outing outing;
    outing.date = date;
    outing.start = start;
    outing.end = "10:00";
    outing.record = kBoston;
    outing.kind = kind;
    return outing;
}

Catch MakeCatch(std::int64_t outingId, const std::string& species, const std::string& time) {
    Catch entry;
    entry.outingId = outingId;
    entry.species = species;
    entry.time = time;
    entry.lengthCm = 42.5;
    return entry;
}

// Runs one SQL statement on the file through a connection of its own; returns the first
// column of the first row as text.
std::string Query(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_stmt* statement = nullptr;
    std::string result;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0) != nullptr) {
        result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}

LogErrorKind KindOfOpening(const std::string& path) {
    try {
        LogDatabase::Open(path, Day("2026-05-01"));
    } catch (const LogError& error) {
        return error.Kind();
    }
    ADD_FAILURE() << "opened " << path;
    return LogErrorKind::Io;
}

TEST(LogDatabase, NewLogHasTheSchemaVersionWalAndForeignKeys) {
    ScratchFolder folder;
    const std::string path = folder / "log.sqlite";
    {
        LogDatabase log = LogDatabase::Open(path, Day("2026-05-01"));
        EXPECT_FALSE(log.ReadOnly());
        EXPECT_EQ(log.FileVersion(), kLogSchemaVersion);
        // A catch of no outing is refused, not stored with a dangling reference.
        try {
            log.AddCatch(MakeCatch(999, "Pike", "07:00"));
            ADD_FAILURE() << "a catch without an outing was stored";
        } catch (const LogError& error) {
            EXPECT_EQ(error.Kind(), LogErrorKind::NotFound);
        }
    }
    EXPECT_EQ(Query(path, "PRAGMA user_version"), std::to_string(kLogSchemaVersion));
    EXPECT_EQ(Query(path, "PRAGMA journal_mode"), "wal");
}

TEST(LogDatabase, EditsReturnWhatTheyReplacedAndDeletesComeBackWithTheirIds) {
    ScratchFolder folder;
    LogDatabase log = LogDatabase::Open(folder / "log.sqlite", Day("2026-05-01"));
    const std::int64_t outing = log.AddOuting(MakeOuting("2025-06-01"));
    const std::int64_t pike = log.AddCatch(MakeCatch(outing, "Pike", "07:00"));
    const std::int64_t perch = log.AddCatch(MakeCatch(outing, "Perch", "06:30"));

    Outing changed = *log.FindOuting(outing);
    changed.notes = "windy";
    EXPECT_EQ(log.UpdateOuting(changed).notes, "");
    Catch bigger = log.CatchesById(std::span(&pike, 1)).front();
    bigger.weightKg = 3.25;
    EXPECT_FALSE(log.UpdateCatch(bigger).weightKg.has_value());

    const std::vector<OutingEntries> before = log.Entries();
    ASSERT_EQ(before.size(), 1u);
    EXPECT_EQ(before[0].outing.notes, "windy");
    // Catches are listed by time.
    ASSERT_EQ(before[0].catches.size(), 2u);
    EXPECT_EQ(before[0].catches[0].id, perch);

    const DeletedEntries deletedCatch = log.DeleteCatches(std::vector<std::int64_t>{pike});
    EXPECT_EQ(log.Totals().catchEntries, 1);
    const DeletedEntries deletedOuting = log.DeleteOutings(std::vector<std::int64_t>{outing});
    EXPECT_EQ(log.Totals().outings, 0);
    EXPECT_EQ(log.Totals().catchEntries, 0);
    // A new entry meanwhile must not take the deleted ids.
    const std::int64_t other = log.AddOuting(MakeOuting("2025-06-02"));
    EXPECT_GT(other, outing);
    log.Restore(deletedOuting);
    log.Restore(deletedCatch);
    std::vector<OutingEntries> after = log.Entries();
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0], before[0]);
}

TEST(LogDatabase, AFailingChangeLeavesNothingOfItself) {
    ScratchFolder folder;
    LogDatabase log = LogDatabase::Open(folder / "log.sqlite", Day("2026-05-01"));
    const std::int64_t outing = log.AddOuting(MakeOuting("2025-06-01"));
    const std::int64_t kept = log.AddCatch(MakeCatch(outing, "Pike", "07:00"));
    // Putting back a catch whose id is taken fails at the second catch, after the first
    // was inserted in the same transaction.
    DeletedEntries restore;
    restore.catches.push_back(MakeCatch(outing, "Perch", "08:00"));
    restore.catches.back().id = kept + 100;
    restore.catches.push_back(MakeCatch(outing, "Roach", "08:30"));
    restore.catches.back().id = kept;
    EXPECT_THROW(log.Restore(restore), LogError);
    EXPECT_EQ(log.Totals().catchEntries, 1);
    // A bad entry in a batch stores none of the batch.
    std::vector<OutingEntries> batch(2);
    batch[0].outing = MakeOuting("2025-06-02");
    batch[1].outing = MakeOuting("2025-13-02");
    EXPECT_THROW(log.AddEntries(batch), LogError);
    EXPECT_EQ(log.Totals().outings, 1);
}

TEST(LogDatabase, PagesWithACursorWalkTheFilteredListInOrder) {
    ScratchFolder folder;
    LogDatabase log = LogDatabase::Open(folder / "log.sqlite", Day("2026-05-01"));
    std::vector<OutingEntries> batch;
    for (int i = 0; i < 23; ++i) {
        OutingEntries entries;
        // Several outings share a date and start, so the id decides among them.
        entries.outing =
            MakeOuting("2025-07-0" + std::to_string(i % 9 + 1), i % 2 == 0 ? "06:00" : "05:00",
                       i % 3 == 0 ? OutingKind::Hunting : OutingKind::Fishing);
        entries.catches.push_back(MakeCatch(0, i % 4 == 0 ? "Northern Pike" : "Perch", "07:00"));
        batch.push_back(entries);
    }
    log.AddEntries(batch);

    struct Case {
        const char* name;
        LogFilter filter;
    };
    LogFilter pike;
    pike.species = "pike";
    LogFilter hunting;
    hunting.kind = OutingKind::Hunting;
    LogFilter dates;
    dates.fromDate = "2025-07-03";
    dates.toDate = "2025-07-05";
    LogFilter place;
    place.placeText = "boston";
    const Case cases[] = {
        {"all", {}}, {"species", pike}, {"kind", hunting}, {"dates", dates}, {"place", place}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::int64_t> ids = log.OutingIds(c.filter);
        EXPECT_EQ(static_cast<int>(ids.size()), log.CountOutings(c.filter));
        std::vector<std::int64_t> paged;
        std::optional<OutingCursor> cursor;
        for (;;) {
            const std::vector<OutingRow> page = log.OutingPage(c.filter, cursor, 4);
            if (page.empty()) {
                break;
            }
            for (const OutingRow& row : page) {
                paged.push_back(row.outing.id);
            }
            const Outing& last = page.back().outing;
            cursor = OutingCursor{last.date, last.start, last.id};
        }
        EXPECT_EQ(paged, ids);
        const std::vector<OutingRow> rows = log.OutingsById(ids);
        ASSERT_EQ(rows.size(), ids.size());
        for (std::size_t i = 1; i < rows.size(); ++i) {
            const Outing& a = rows[i - 1].outing;
            const Outing& b = rows[i].outing;
            EXPECT_LE(std::tie(a.date, a.start, a.id), std::tie(b.date, b.start, b.id));
        }
    }
    EXPECT_EQ(log.CountOutings(pike), 6);
    const std::vector<CatchRow> pikes = log.CatchRowsById(log.CatchIds(pike));
    ASSERT_EQ(pikes.size(), 6u);
    EXPECT_EQ(pikes.front().date, "2025-07-01");
    EXPECT_EQ(pikes.front().kind, OutingKind::Hunting);
    EXPECT_EQ(log.CountOutings(hunting), 8);
    EXPECT_EQ(log.OutingPage({}, std::nullopt, 100).front().catchCount, 1);
}

TEST(LogDatabase, SpeciesCompletionOffersTheMostUsedFirst) {
    ScratchFolder folder;
    LogDatabase log = LogDatabase::Open(folder / "log.sqlite", Day("2026-05-01"));
    const std::int64_t outing = log.AddOuting(MakeOuting("2025-06-01"));
    for (const char* species : {"Perch", "Pike", "Pike", "Zander", "perch", "Pike"}) {
        log.AddCatch(MakeCatch(outing, species, "07:00"));
    }
    EXPECT_EQ(log.SpeciesNames("p"), (std::vector<std::string>{"Pike", "Perch", "perch"}));
    EXPECT_EQ(log.SpeciesNames("", 2), (std::vector<std::string>{"Pike", "Perch"}));
    EXPECT_EQ(log.PlaceRecords(), std::vector<std::string>{kBoston});
}

TEST(LogDatabase, ALogOfANewerVersionIsOpenedReadOnly) {
    ScratchFolder folder;
    const std::string path = folder / "log.sqlite";
    {
        LogDatabase log = LogDatabase::Open(path, Day("2026-05-01"));
        log.AddOuting(MakeOuting("2025-06-01"));
    }
    Query(path, "PRAGMA user_version = " + std::to_string(kLogSchemaVersion + 1));
    LogDatabase log = LogDatabase::Open(path, Day("2026-05-02"));
    EXPECT_TRUE(log.ReadOnly());
    EXPECT_NE(log.ReadOnlyReason().find("newer version"), std::string::npos);
    EXPECT_EQ(log.Entries().size(), 1u);
    try {
        log.AddOuting(MakeOuting("2025-06-02"));
        ADD_FAILURE() << "a read-only log took a change";
    } catch (const LogError& error) {
        EXPECT_EQ(error.Kind(), LogErrorKind::ReadOnlyLog);
    }
    EXPECT_EQ(Query(path, "PRAGMA user_version"), std::to_string(kLogSchemaVersion + 1));
}

TEST(LogDatabase, AnEmptyFileIsMigratedAndForeignFilesAreRefusedUntouched) {
    ScratchFolder folder;
    // An empty file is a database of version 0: it is brought up to date.
    const std::string empty = folder / "empty.sqlite";
    WriteBytes(empty, "");
    EXPECT_EQ(LogDatabase::Open(empty, Day("2026-05-01")).FileVersion(), kLogSchemaVersion);

    const std::string foreign = folder / "foreign.sqlite";
    Query(foreign, "CREATE TABLE other(x)");
    EXPECT_EQ(KindOfOpening(foreign), LogErrorKind::NotALog);

    struct Case {
        const char* name;
        std::string bytes;
    };
    std::string damagedPage = [&] {
        const std::string good = folder / "good.sqlite";
        {
            LogDatabase log = LogDatabase::Open(good, Day("2026-05-01"));
            std::vector<OutingEntries> batch(200);
            for (OutingEntries& entries : batch) {
                entries.outing = MakeOuting("2025-06-01");
                entries.outing.notes = std::string(300, 'n');
            }
            log.AddEntries(batch);
        }
        std::string bytes = ReadBytes(good);
        // Page 3 onwards overwritten: the header still reads, the tree does not.
        for (std::size_t i = 2 * 4096; i < 4 * 4096 && i < bytes.size(); ++i) {
            bytes[i] = static_cast<char>(0x5A);
        }
        return bytes;
    }();
    const Case cases[] = {{"text", "this is no database at all, just words\n"},
                          {"damaged pages", damagedPage}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder / "damaged.sqlite";
        WriteBytes(path, c.bytes);
        EXPECT_EQ(KindOfOpening(path), LogErrorKind::Damaged);
        EXPECT_EQ(ReadBytes(path), c.bytes);
    }
}

TEST(LogDatabase, OneBackupADaySevenKeptAndADamagedLogStartsAgainFromOne) {
    ScratchFolder folder;
    const std::string path = folder / "log.sqlite";
    for (int day = 1; day <= 9; ++day) {
        LogDatabase log = LogDatabase::Open(path, Day("2026-05-0" + std::to_string(day)));
        log.AddOuting(MakeOuting("2025-06-0" + std::to_string(day)));
        // A second opening the same day makes no second copy.
        LogDatabase::Open(path, Day("2026-05-0" + std::to_string(day)));
    }
    const std::vector<LogBackup> backups = ListBackups(path);
    ASSERT_EQ(backups.size(), static_cast<std::size_t>(kBackupsKept));
    EXPECT_EQ(backups.front().date, "2026-05-09");
    EXPECT_EQ(backups.back().date, "2026-05-03");
    // The copy of the 9th was made at opening, before that day's outing.
    EXPECT_EQ(LogDatabase::Open(backups.front().path, NoBackup()).Totals().outings, 8);

    const std::string damaged = "garbage, not a log";
    WriteBytes(path, damaged);
    WriteBytes(path + "-wal", "stale");
    EXPECT_EQ(KindOfOpening(path), LogErrorKind::Damaged);
    const std::string kept = RestoreBackup(backups.front().path, path, "20260509-1200");
    EXPECT_EQ(ReadBytes(kept), damaged);
    EXPECT_EQ(ReadBytes(kept + "-wal"), "stale");
    EXPECT_FALSE(std::filesystem::exists(path + "-wal"));
    EXPECT_EQ(LogDatabase::Open(path, Day("2026-05-09")).Totals().outings, 8);
}

TEST(LogDatabase, AChangeWaitsForALockAndFailsCleanlyWhenItStays) {
    ScratchFolder folder;
    const std::string path = folder / "log.sqlite";
    LogOpenOptions options = Day("2026-05-01");
    options.busyTimeoutMs = 50;
    LogDatabase log = LogDatabase::Open(path, options);
    sqlite3* other = nullptr;
    sqlite3_open(path.c_str(), &other);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    try {
        log.AddOuting(MakeOuting("2025-06-01"));
        ADD_FAILURE() << "a change went through a held lock";
    } catch (const LogError& error) {
        EXPECT_EQ(error.Kind(), LogErrorKind::Busy);
        EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
    }
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    log.AddOuting(MakeOuting("2025-06-01"));
    EXPECT_EQ(log.Totals().outings, 1);
}

TEST(LogFiles, PhotosAreCopiedInUnderTheirOwnNameUnlessAnotherPictureHasIt) {
    ScratchFolder folder;
    const std::string log = folder / "log.sqlite";
    std::filesystem::create_directories(folder / "a");
    std::filesystem::create_directories(folder / "b");
    WriteBytes(folder / "a/pike.jpg", "first picture");
    WriteBytes(folder / "b/pike.jpg", "second picture");
    EXPECT_EQ(CopyPhotoIn(log, folder / "a/pike.jpg"), "pike.jpg");
    EXPECT_EQ(CopyPhotoIn(log, folder / "a/pike.jpg"), "pike.jpg");
    EXPECT_EQ(CopyPhotoIn(log, folder / "b/pike.jpg"), "pike-2.jpg");
    EXPECT_EQ(ReadBytes(PhotoPath(log, "pike-2.jpg")), "second picture");
    EXPECT_THROW(CopyPhotoIn(log, folder / "missing.jpg"), LogError);
    EXPECT_EQ(LogPathBesidePlaceList("/data/places/locs.dat"), "/data/places/log.sqlite");
    EXPECT_EQ(LogPathBesidePlaceList("locs.dat"), "./log.sqlite");
}

TEST(LogRecords, ChecksAndUnits) {
    EXPECT_TRUE(IsLogDate("2024-02-29"));
    EXPECT_FALSE(IsLogDate("2023-02-29"));
    EXPECT_FALSE(IsLogDate("0100-01-01"));
    EXPECT_EQ(MinutesOfDay("23:59"), 1439);
    EXPECT_EQ(MinutesOfDay("24:00"), -1);
    EXPECT_EQ(MinutesOfDay("7:00"), -1);
    EXPECT_DOUBLE_EQ(CentimetresFromInches(InchesFromCentimetres(50.8)), 50.8);
    EXPECT_DOUBLE_EQ(InchesFromCentimetres(2.54), 1.0);
    EXPECT_DOUBLE_EQ(KilogramsFromPounds(1.0), 0.45359237);
    EXPECT_EQ(DecimalText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(ParseNumber("0.30000000000000004"), 0.1 + 0.2);
    for (const char* bad : {"", "-", ".", "1e3", "1,5", " 1", "inf", "0x10"}) {
        EXPECT_FALSE(ParseNumber(bad).has_value()) << bad;
    }
}

}  // namespace
}  // namespace quintrel::logbook
