#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include <ostream>

#include "table/CalculateMonth.h"
#include "table/CsvExport.h"
#include "tests/table/TablePlaces.h"

namespace quintrel {
namespace {

// Month tables worked out independently of this code, as the header line and day lines
// of the export, every line ended by CR LF.
struct GoldenCase {
    const char* file;
    const std::string* record;
    int month;
    int year;
};

void PrintTo(const GoldenCase& c, std::ostream* out) {
    *out << c.file;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "cannot read " << path;
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << path << ": last line without CR LF";
        if (end == std::string::npos) {
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

class GoldenTable : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenTable, EveryDayLineMatches) {
    const GoldenCase& c = GetParam();
    const std::vector<std::string> golden =
        ReadLines(std::string(QUINTREL_TEST_DATA_DIR) + "/golden/" + c.file);
    const MonthTable table =
        CalculateMonth(testing::ValuesOf(*c.record), *c.record, static_cast<std::int16_t>(c.month),
                       static_cast<std::int16_t>(c.year));
    ASSERT_EQ(golden.size(), table.rows.size() + 1);
    EXPECT_EQ(golden[0], CsvHeader());
    for (const DayRow& row : table.rows) {
        EXPECT_EQ(CsvDayLine(table, row), golden[static_cast<std::size_t>(row.Day)])
            << c.file << " day " << row.Day;
    }
}

TEST_P(GoldenTable, ExportFileIsPreambleThenTheGoldenBytes) {
    const GoldenCase& c = GetParam();
    std::ifstream in(std::string(QUINTREL_TEST_DATA_DIR) + "/golden/" + c.file, std::ios::binary);
    std::stringstream golden;
    golden << in.rdbuf();
    const MonthTable table =
        CalculateMonth(testing::ValuesOf(*c.record), *c.record, static_cast<std::int16_t>(c.month),
                       static_cast<std::int16_t>(c.year));
    EXPECT_EQ(BuildCsvText(table, "10:11:12", "07/12/2026"),
              CsvPreamble("10:11:12", "07/12/2026") + "\r\n" + golden.str());
}

INSTANTIATE_TEST_SUITE_P(
    MonthTable, GoldenTable,
    ::testing::Values(GoldenCase{"boston_2025_03.csv", &testing::kBoston, 3, 2025},
                      GoldenCase{"christchurch_2025_04.csv", &testing::kChristchurch, 4, 2025},
                      GoldenCase{"christchurch_2025_09.csv", &testing::kChristchurch, 9, 2025},
                      GoldenCase{"karachi_2024_02.csv", &testing::kKarachi, 2, 2024}),
    [](const auto& testInfo) {
        std::string name = testInfo.param.file;
        return name.substr(0, name.find('.'));
    });

}  // namespace
}  // namespace quintrel
