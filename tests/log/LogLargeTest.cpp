// A log at the size ten keen years reach: 100,000 catches in 10,000 outings at 20 places.
// Soak only (it takes a while): the export round trip, the list walked page by page, the
// statistics counting every catch, and the file whole after it all.

#include <gtest/gtest.h>

#include <random>

#include "astro/CivilDate.h"

#include "log/LogCsv.h"
#include "log/LogDatabase.h"
#include "log/LogStatistics.h"
#include "tests/log/ScratchFolder.h"
#include "tests/table/TablePlaces.h"

namespace quintrel::logbook {
namespace {

std::string TwoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::vector<OutingEntries> TenYears() {
    std::mt19937 random(7);
    std::vector<OutingEntries> entries(10000);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        Outing& outing = entries[i].outing;
        // Every outing its own date and start: the CSV file tells outings apart by those.
        const DaySerial day = DateSerial(2015, 1, 1) + static_cast<DaySerial>(i % 3650);
        const CivilDate date = DateFromSerial(day);
        outing.date =
            std::to_string(date.year) + "-" + TwoDigits(date.month) + "-" + TwoDigits(date.day);
        const int start = 3 + static_cast<int>(i / 3650) * 4;
        outing.start = TwoDigits(start) + ":00";
        outing.end = TwoDigits(start + 5) + ":00";
        const int place = static_cast<int>(random() % 20);
        outing.record = quintrel::testing::MakeRecord(
            "Testland", "Place " + TwoDigits(place),
            "+ " + TwoDigits(30 + place) + "  0- " + TwoDigits(60 + place) + "  0-   40");
        outing.kind = place % 4 == 0 ? OutingKind::Hunting : OutingKind::Fishing;
        for (int c = 0; c < 10; ++c) {
            Catch entry;
            entry.species = c % 2 == 0 ? "Pike" : "Walleye";
            entry.time =
                TwoDigits(start + c / 2) + ":" + TwoDigits(static_cast<int>(random() % 60));
            entry.count = 1 + c % 2;
            entry.weightKg = static_cast<double>(random() % 5000) / 1000;
            entries[i].catches.push_back(entry);
        }
    }
    return entries;
}

LogOpenOptions NoBackup() {
    LogOpenOptions options;
    options.dailyBackup = false;
    return options;
}

TEST(LogLarge, HundredThousandCatchesRoundTripPageAndCount) {
    quintrel::testing::ScratchFolder folder;
    LogDatabase log = LogDatabase::Open(folder / "log.sqlite", NoBackup());
    log.AddEntries(TenYears());
    EXPECT_EQ(log.Totals().catchEntries, 100000);

    const std::string exported = LogCsvText(log.Entries());
    LogDatabase copy = LogDatabase::Open(folder / "copy.sqlite", NoBackup());
    copy.AddEntries(
        ParseLogCsv(exported, [](std::string_view) -> std::string { return {}; }).outings);
    // Compared whole: a diff of two 15 MB texts would take longer than the test.
    EXPECT_TRUE(LogCsvText(copy.Entries()) == exported);

    const std::vector<std::int64_t> ids = log.OutingIds({});
    std::vector<std::int64_t> paged;
    std::optional<OutingCursor> cursor;
    for (std::vector<OutingRow> page; !(page = log.OutingPage({}, cursor, 500)).empty();) {
        for (const OutingRow& row : page) {
            paged.push_back(row.outing.id);
        }
        cursor =
            OutingCursor{page.back().outing.date, page.back().outing.start, page.back().outing.id};
    }
    EXPECT_EQ(paged, ids);

    const LogStatistics statistics = ComputeStatistics(log.Entries());
    EXPECT_EQ(statistics.outings, 10000);
    EXPECT_EQ(statistics.catches, 150000);
    long long banded = 0;
    for (const MinutesRow& row : statistics.byMinutes) {
        banded += row.catches;
    }
    EXPECT_EQ(banded, 150000);
    EXPECT_EQ(statistics.minutesFished, 10000LL * 5 * 60);
}

}  // namespace
}  // namespace quintrel::logbook
