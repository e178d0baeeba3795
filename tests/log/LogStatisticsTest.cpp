#include "log/LogStatistics.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "table/CalculateMonth.h"
#include "tests/table/TablePlaces.h"

namespace quintrel::logbook {
namespace {

using quintrel::testing::kBoston;
using quintrel::testing::kPhiladelphia;
using quintrel::testing::ValuesOf;

StatisticsOptions TwoThreads() {
    StatisticsOptions options;
    options.threads = 2;
    return options;
}

std::string Clock(int minutes) {
    const auto two = [](int n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    return two(minutes / 60) + ":" + two(minutes % 60);
}

int Minutes(const std::string& text) {
    return std::stoi(text.substr(0, 2)) * 60 + std::stoi(text.substr(3, 2));
}

TEST(LogStatistics, BandsHoldTheirUpperEdge) {
    const std::pair<double, int> cases[] = {{0, 0},  {30, 0},  {30.5, 1}, {60, 1},
                                            {61, 2}, {120, 2}, {121, 3},  {1e9, 3}};
    for (const auto& [minutes, band] : cases) {
        EXPECT_EQ(MinuteBand(minutes), band) << minutes;
    }
    // Tide bands in hours: an hour from high water is still "0-1".
    const std::pair<double, const char*> tideCases[] = {{0, "0-1"},   {60, "0-1"},  {60.5, "1-2"},
                                                        {120, "1-2"}, {179, "2-3"}, {180, "2-3"},
                                                        {181, "3+"},  {500, "3+"}};
    for (const auto& [minutes, band] : tideCases) {
        EXPECT_EQ(kTideBandNames[static_cast<std::size_t>(TideBand(minutes))], band) << minutes;
    }
}

// A tide source answering from a table of (date, minute) and saying which places have a
// station; it keeps what it was asked.
class TableTides final : public TideStageSource {
  public:
    std::map<std::string, bool> stations;
    std::map<std::pair<DaySerial, int>, double> minutes;
    mutable std::vector<std::pair<DaySerial, int>> asked;

    bool HasStation(const std::string& record) const override { return stations.at(record); }
    std::vector<std::optional<double>> MinutesFromTurns(const std::vector<TideQuery>& queries,
                                                        int) const override {
        std::vector<std::optional<double>> answers;
        for (const TideQuery& query : queries) {
            EXPECT_TRUE(stations.at(*query.record));
            asked.emplace_back(query.date, query.minuteOfDay);
            const auto found = minutes.find({query.date, query.minuteOfDay});
            answers.push_back(found == minutes.end() ? std::nullopt
                                                     : std::optional<double>(found->second));
        }
        return answers;
    }
};

TEST(LogStatistics, TideChartCountsCatchesAtPlacesWithAStation) {
    const auto outingAt = [](const std::string& record, const std::string& date,
                             const std::string& start, const std::string& end,
                             std::vector<std::pair<std::string, int>> catches) {
        OutingEntries outing;
        outing.outing.record = record;
        outing.outing.date = date;
        outing.outing.start = start;
        outing.outing.end = end;
        for (const auto& [time, count] : catches) {
            Catch entry;
            entry.species = "Bass";
            entry.time = time;
            entry.count = count;
            outing.catches.push_back(entry);
        }
        return outing;
    };
    const DaySerial may10 = DateSerial(2025, 5, 10);
    TableTides tides;
    tides.stations = {{kBoston, true}, {kPhiladelphia, false}};
    // 22:00 on the 10th; 00:30 and an untimed catch belong to an outing past midnight, so
    // 00:30 is asked on the 11th; 05:00 lies beyond the tables.
    tides.minutes = {{{may10, 22 * 60}, 45}, {{may10 + 1, 30}, 150}, {{may10 + 2, 6 * 60}, 200}};
    const std::vector<OutingEntries> entries = {
        outingAt(kBoston, "2025-05-10", "21:00", "01:00", {{"22:00", 2}, {"00:30", 3}, {"", 4}}),
        outingAt(kBoston, "2025-05-12", "", "", {{"06:00", 1}, {"05:00", 7}}),
        outingAt(kPhiladelphia, "2025-05-10", "", "", {{"12:00", 5}})};
    StatisticsOptions options = TwoThreads();
    options.tides = &tides;
    const LogStatistics statistics = ComputeStatistics(entries, options);

    EXPECT_EQ(tides.asked,
              (std::vector<std::pair<DaySerial, int>>{
                  {may10, 22 * 60}, {may10 + 1, 30}, {may10 + 2, 6 * 60}, {may10 + 2, 5 * 60}}));
    ASSERT_TRUE(HasTideChart(statistics));
    EXPECT_EQ(statistics.tideOutings, 2);
    EXPECT_EQ(statistics.tideCatches, 6);
    const long long expected[] = {2, 0, 3, 1};
    for (std::size_t i = 0; i < kTideBandNames.size(); ++i) {
        EXPECT_EQ((*statistics.byTide)[i].catches, expected[i]) << kTideBandNames[i];
    }
    EXPECT_DOUBLE_EQ((*statistics.byTide)[2].share, 0.5);
    EXPECT_EQ(statistics.placesWithoutTides, std::vector<std::string>{kPhiladelphia});
    EXPECT_EQ(NoTideStationNote(statistics),
              "No tide station within 100 km of USA - Pennsylvania (Philadelphia): the tide "
              "chart leaves their catches out");
    const std::string csv = StatisticsCsv(statistics);
    const std::size_t third = csv.find("\r\n\r\n", csv.find("Minutes,"));
    ASSERT_NE(third, std::string::npos);
    EXPECT_EQ(csv.substr(third + 4),
              "Hours from high or low water,Catches,Share\r\n"
              "0-1,2,0.333\r\n"
              "1-2,0,0.000\r\n"
              "2-3,3,0.500\r\n"
              "3+,1,0.167\r\n");

    // Only places without a station: no tide chart, no third table, and the note.
    tides.stations[kBoston] = false;
    const LogStatistics inland = ComputeStatistics(entries, options);
    EXPECT_FALSE(HasTideChart(inland));
    EXPECT_EQ(StatisticsCsv(inland).find("Hours from"), std::string::npos);
    EXPECT_EQ(inland.placesWithoutTides.size(), 2u);
    EXPECT_NE(StatisticsText(inland).find("No tide station within 100 km of USA - Massachusetts "
                                          "(Boston) and USA - Pennsylvania (Philadelphia)"),
              std::string::npos);
}

TEST(LogStatistics, MoonPhaseBinsFollowTheLitShareAndItsDirection) {
    struct Case {
        double percent;
        bool waxing;
        const char* phase;
    };
    const Case cases[] = {{0, true, "New moon"},           {1, false, "New moon"},
                          {14.6, true, "Waxing crescent"}, {50, true, "First quarter"},
                          {85, true, "Waxing gibbous"},    {100, true, "Full moon"},
                          {99, false, "Full moon"},        {85, false, "Waning gibbous"},
                          {50, false, "Last quarter"},     {14.6, false, "Waning crescent"}};
    for (const Case& c : cases) {
        EXPECT_EQ(kMoonPhaseNames[static_cast<std::size_t>(MoonPhaseBin(c.percent, c.waxing))],
                  c.phase)
            << c.percent << (c.waxing ? " waxing" : " waning");
    }
}

// Outings on the days of June 2025 at Boston whose first major time is well inside the
// day, each with catches at set distances from it; the expected numbers come from the
// month table itself.
TEST(LogStatistics, CatchesAndHoursAreSetAgainstTheMonthTable) {
    const MonthTable june = CalculateMonth(ValuesOf(kBoston), kBoston, 6, 2025);
    std::vector<OutingEntries> entries;
    std::map<std::string, std::pair<int, long long>> byRating;  // outings, catches
    for (const DayRow& row : june.rows) {
        if (row.Maj1.size() != 5 || Minutes(row.Maj1) < 180 || Minutes(row.Maj1) > 1200 ||
            entries.size() == 6) {
            continue;
        }
        const int major = Minutes(row.Maj1);
        OutingEntries outing;
        outing.outing.date =
            "2025-06-" + std::string(row.Day < 10 ? "0" : "") + std::to_string(row.Day);
        outing.outing.record = kBoston;
        outing.outing.start = Clock(major - 60);
        outing.outing.end = Clock(major + 60);
        // 30 minutes away is still the first band; 31 the second; 121 the last.
        for (const auto& [offset, count] :
             std::vector<std::pair<int, int>>{{30, 1}, {-31, 2}, {61, 3}, {121, 4}}) {
            Catch entry;
            entry.species = "Pike";
            entry.time = Clock(major + offset);
            entry.count = count;
            outing.catches.push_back(entry);
        }
        byRating[row.Rating].first += 1;
        byRating[row.Rating].second += 10;
        entries.push_back(outing);
    }
    ASSERT_EQ(entries.size(), 6u);

    const LogStatistics statistics = ComputeStatistics(entries, TwoThreads());
    EXPECT_EQ(statistics.outings, 6);
    EXPECT_FALSE(statistics.tooFewOutings);
    EXPECT_EQ(statistics.catches, 60);
    for (std::size_t i = 0; i < kRatingNames.size(); ++i) {
        const auto [outings, catches] = byRating[std::string(kRatingNames[i])];
        EXPECT_EQ(statistics.byRating[i].outings, outings) << kRatingNames[i];
        EXPECT_EQ(statistics.byRating[i].catches, catches) << kRatingNames[i];
    }
    EXPECT_EQ(statistics.byMinutes[0].catches, 6);
    EXPECT_EQ(statistics.byMinutes[1].catches, 12);
    EXPECT_EQ(statistics.byMinutes[2].catches, 18);
    EXPECT_EQ(statistics.byMinutes[3].catches, 24);
    EXPECT_DOUBLE_EQ(statistics.byMinutes[3].share, 0.4);
    // Two hours around the major time: 61 minutes within 30 of it, 59 beyond.
    EXPECT_EQ(statistics.minutesFished, 6 * 120);
    EXPECT_DOUBLE_EQ(statistics.byMinutes[0].hoursShare, 61.0 / 120);
    EXPECT_DOUBLE_EQ(statistics.byMinutes[1].hoursShare, 59.0 / 120);
    long long phaseCatches = 0;
    for (const PhaseRow& row : statistics.byMoonPhase) {
        phaseCatches += row.catches;
    }
    EXPECT_EQ(phaseCatches, 60);

    // Without start and end the hours run from the first to the last catch; a single
    // catch stands for an hour around it.
    std::vector<OutingEntries> untimed(entries.begin(), entries.begin() + 2);
    for (OutingEntries& outing : untimed) {
        outing.outing.start.clear();
        outing.outing.end.clear();
        outing.catches.resize(1);
    }
    const LogStatistics few = ComputeStatistics(untimed);
    EXPECT_TRUE(few.tooFewOutings);
    EXPECT_EQ(few.minutesFished, 120);
    EXPECT_EQ(few.byMinutes[0].minutesFished, 2 * 31);
}

TEST(LogStatistics, CsvLayout) {
    LogStatistics statistics;
    statistics.byRating[0] = {3, 10, 10.0 / 3};
    statistics.byRating[4] = {1, 0, 0};
    statistics.byMinutes[0] = {2, 2.0 / 3, 0.25, 15};
    statistics.byMinutes[3] = {1, 1.0 / 3, 0.75, 45};
    EXPECT_EQ(StatisticsCsv(statistics),
              "Rating,Outings,Catches,Per outing\r\n"
              "Best,3,10,3.33\r\n"
              "Good,0,0,0.00\r\n"
              "Fair,0,0,0.00\r\n"
              "Poor,0,0,0.00\r\n"
              "None,1,0,0.00\r\n"
              "\r\n"
              "Minutes,Catches,Share,Hours share\r\n"
              "0-30,2,0.667,0.250\r\n"
              "30-60,0,0.000,0.000\r\n"
              "60-120,0,0.000,0.000\r\n"
              "120+,1,0.333,0.750\r\n");
}

// With transit-based activity times the bands follow that table: a catch at its minor time
// (moonrise or moonset) is in the first band, though the usual table puts no period within
// 40 minutes of it.
TEST(LogStatistics, TransitBasedTimesGiveTheBandsOfTheirOwnTable) {
    const MonthTable usual = CalculateMonth(ValuesOf(kBoston), kBoston, 6, 2025);
    const MonthTable transit =
        CalculateMonth(ValuesOf(kBoston), kBoston, 6, 2025, MonthOptions{true});
    std::vector<OutingEntries> entries;
    for (std::size_t i = 0; i < transit.rows.size() && entries.size() < 5; ++i) {
        const std::string& minor = transit.rows[i].Min1;
        if (minor.size() != 5 || Minutes(minor) < 180 || Minutes(minor) > 1200) {
            continue;
        }
        const DayRow& row = usual.rows[i];
        bool farFromUsual = true;
        for (const std::string* time : {&row.Maj1, &row.Maj2, &row.Min1, &row.Min2}) {
            if (time->size() == 5 && std::abs(Minutes(*time) - Minutes(minor)) <= 40) {
                farFromUsual = false;
            }
        }
        if (!farFromUsual) {
            continue;
        }
        OutingEntries outing;
        outing.outing.date =
            "2025-06-" + std::string(row.Day < 10 ? "0" : "") + std::to_string(row.Day);
        outing.outing.record = kBoston;
        Catch entry;
        entry.species = "Bass";
        entry.time = minor;
        outing.catches.push_back(entry);
        entries.push_back(outing);
    }
    ASSERT_GE(entries.size(), 2u);
    StatisticsOptions options = TwoThreads();
    options.transitActivityTimes = true;
    EXPECT_EQ(ComputeStatistics(entries, options).byMinutes[0].catches,
              static_cast<long long>(entries.size()));
    EXPECT_EQ(ComputeStatistics(entries, TwoThreads()).byMinutes[0].catches, 0);
}

}  // namespace
}  // namespace quintrel::logbook
