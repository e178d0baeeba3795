#include "table/ExportName.h"

#include <gtest/gtest.h>

namespace quintrel {
namespace {

// Country in columns 2-22, town in 23-38 (Windows-1252 bytes).
std::string RecordOf(const std::string& country, const std::string& town) {
    std::string record = "1" + country;
    record.resize(22, ' ');
    record += town;
    record.resize(59, ' ');
    return record;
}

TEST(ExportName, TownAndMonthMakeAFileName) {
    struct Case {
        const char* name;
        std::string record;
        std::int16_t month, year;
        std::string stem;
    };
    const Case cases[] = {
        {"town and month", RecordOf("Australia - NSW", "Sydney"), 1, 2004, "Sydney 2004-01"},
        {"two-digit month", RecordOf("France", "Paris"), 12, 2026, "Paris 2026-12"},
        {"accented town in UTF-8",
         RecordOf("Canada",
                  "Qu\xE9"
                  "bec"),
         3, 2010,
         "Qu\xC3\xA9"
         "bec 2010-03"},
        {"slashes cannot be in a name", RecordOf("USA", "A/B\\C"), 5, 2000, "A_B_C 2000-05"},
        {"blank town: the country", RecordOf("Fiji", ""), 7, 2001, "Fiji 2001-07"},
        {"no record: the month", "", 2, 2020, "2020-02"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExportFileStem(c.record, c.month, c.year), c.stem) << c.name;
    }
}

}  // namespace
}  // namespace quintrel
