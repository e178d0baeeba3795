#include "table/CsvExport.h"

#include <gtest/gtest.h>

namespace quintrel {
namespace {

DayRow Row(std::int16_t day, const char* dayName) {
    DayRow row;
    row.Day = day;
    row.DayName = dayName;
    row.SRise = "never";
    row.SSet = "sets";
    row.MRise = "09:05";
    row.MSet = ":";
    row.Phase = "7";
    row.WaxWan = "+";
    row.Maj1 = "01:10";
    row.Maj2 = "13:36";
    row.Min1 = "07:23";
    row.Min2 = ":";
    row.Rating = "Good";
    row.Stars = "***";
    return row;
}

TEST(CsvExport, PreambleCarriesVersionTimeAndDate) {
    EXPECT_EQ(CsvPreamble("14:05:09", "06/12/2026"),
              "Quintrel (Version " QUINTREL_PROJECT_VERSION
              ") Data Extract done at 14:05:09 on 06/12/2026");
}

TEST(CsvExport, DayLineWritesStoredTextsAfterTheTablesOwnDate) {
    MonthTable table;
    table.Month = 1;
    table.Year = 2004;
    EXPECT_EQ(CsvDayLine(table, Row(5, "Monday")),
              "20040105,Monday,never,sets,09:05,:,7,+,01:10,13:36,07:23,:,Good,***");
    table.Month = 11;
    table.Year = 987;
    EXPECT_EQ(CsvDayLine(table, Row(30, "Sunday")).substr(0, 16), "9871130,Sunday,n");
}

TEST(CsvExport, WholeFileEndsEveryLineWithCrLf) {
    MonthTable table;
    table.Month = 2;
    table.Year = 2024;
    table.rows = {Row(1, "Thursday"), Row(2, "Friday")};
    const std::string text = BuildCsvText(table, "08:00:00", "2024-02-03");
    EXPECT_EQ(text,
              "Quintrel (Version " QUINTREL_PROJECT_VERSION
              ") Data Extract done at 08:00:00 on 2024-02-03\r\n"
              "Date,Day,Sun Rise,Sun Set,Moon Rise,Moon Set,% Lit,Wax/Wan,Major1,Major2,Minor1,"
              "Minor2,Rating,Stars\r\n"
              "20240201,Thursday,never,sets,09:05,:,7,+,01:10,13:36,07:23,:,Good,***\r\n"
              "20240202,Friday,never,sets,09:05,:,7,+,01:10,13:36,07:23,:,Good,***\r\n");
}

TEST(CsvExport, SeveralMonthsShareOnePreambleAndHeader) {
    MonthTable december;
    december.Month = 12;
    december.Year = 2024;
    december.rows = {Row(31, "Tuesday")};
    MonthTable january;
    january.Month = 1;
    january.Year = 2025;
    january.rows = {Row(1, "Wednesday")};
    const std::string text = BuildCsvText({december, january}, "t", "d");
    const auto lineStart = [&](std::size_t line) {
        std::size_t at = 0;
        for (std::size_t i = 0; i < line; ++i) {
            at = text.find("\r\n", at) + 2;
        }
        return text.substr(at, 8);
    };
    EXPECT_EQ(text.find("Quintrel"), 0u);
    EXPECT_EQ(text.find("Quintrel", 1), std::string::npos);
    EXPECT_EQ(text.find("Date,Day"), text.rfind("Date,Day"));
    EXPECT_EQ(lineStart(2), "20241231");
    EXPECT_EQ(lineStart(3), "20250101");
    EXPECT_EQ(text.size(), text.rfind("\r\n") + 2);
}

TEST(CsvExport, EmptyTableGivesHeadingsOnly) {
    const std::string text = BuildCsvText(MonthTable{}, "t", "d");
    EXPECT_EQ(text, CsvPreamble("t", "d") + "\r\n" + CsvHeader() + "\r\n");
}

}  // namespace
}  // namespace quintrel
