#include "locations/LocationFormChecks.h"

#include <gtest/gtest.h>

#include "astro/CoreError.h"

#include <string>

namespace quintrel {
namespace {

TEST(LocationFormChecks, ProperCaseStartsWordsOnlyAfterBlanksAndControls) {
    struct Case {
        const char* name;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"lower words", "new south wales", "New South Wales"},
        {"upper words", "NEW YORK", "New York"},
        {"apostrophe is inside a word", "o'brien", "O'brien"},
        {"hyphen is inside a word", "saint-malo", "Saint-malo"},
        {"full stop is inside a word", "st.kilda", "St.kilda"},
        {"digit begins a word but is no letter", "3rd street", "3rd Street"},
        {"leading and double blanks", "  port  augusta", "  Port  Augusta"},
        {"every control separator", std::string("a\tb\nc\vd\fe\rf\0g", 13),
         std::string("A\tB\nC\vD\fE\rF\0G", 13)},
        {"accented capitals", "ÉCOLE ÉLÉMENTAIRE", "École Élémentaire"},
        {"accented first letter", "île d'orléans", "Île D'orléans"},
        {"letters of the 0x8A-0x9F range", "ŒUVRE šKODA ÿ", "Œuvre Škoda Ÿ"},
        {"sharp s has no capital", "straße", "Straße"},
        {"multiplication sign is no letter", "×A", "×a"},
        {"letters the code page lacks pass unchanged", "łódź", "łódź"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProperCase(c.text), c.expected) << c.name;
    }
}

TEST(LocationFormChecks, ProperCaseCopiesMalformedBytes) {
    EXPECT_EQ(ProperCase("ab\xFF"
                         "cd"),
              "Ab\xFF"
              "cd");
    EXPECT_EQ(ProperCase("x \xC3"), "X \xC3");
}

TEST(LocationFormChecks, NameBoxes) {
    struct Case {
        const char* name;
        const char* text;
        bool country;
        NameEntryCheck verdict;
        const char* expected;
    };
    const Case cases[] = {
        {"country in lower case", "new south wales", true, NameEntryCheck::Accepted,
         "New South Wales"},
        {"country with US and a dash", "US - Texas", true, NameEntryCheck::Accepted, "US - Texas"},
        {"country USA", "USA", true, NameEntryCheck::Accepted, "USA"},
        {"US hidden in a word", "AUSTRALIA", true, NameEntryCheck::Accepted, "AUSTRALIA"},
        {"country australia", "australia", true, NameEntryCheck::Accepted, "Australia"},
        {"lower us is no exception", "us navy", true, NameEntryCheck::Accepted, "Us Navy"},
        {"town in capitals", "NEW YORK", false, NameEntryCheck::Accepted, "New York"},
        {"town never keeps US", "USA", false, NameEntryCheck::Accepted, "Usa"},
        {"empty country", "", true, NameEntryCheck::Refused, ""},
        {"empty town", "", false, NameEntryCheck::Refused, ""},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(CheckNameEntry(text, c.country), c.verdict) << c.name;
        EXPECT_EQ(text, c.expected) << c.name;
    }
}

TEST(LocationFormChecks, NumberBoxes) {
    struct Case {
        const char* name;
        const char* text;
        int limit;
        const char* replacement;
        NumberEntryCheck verdict;
        const char* expected;
    };
    using N = NumberEntryCheck;
    const Case cases[] = {
        {"degrees above 90", "95", 90, "90", N::Limited, "90"},
        {"exactly 90", "90", 90, "90", N::Kept, "90"},
        {"longitude above 180", "181", 180, "180", N::Limited, "180"},
        {"minutes 75", "75", 59, "59", N::Limited, "59"},
        {"minutes 60", "60", 59, "59", N::Limited, "59"},
        {"minutes 59", "59", 59, "59", N::Kept, "59"},
        {"zone 13", "13", 12, "12", N::Limited, "12"},
        {"zone 12.5 reads as 12", "12.5", 12, "12", N::Kept, "12.5"},
        {"zone 12.6 reads as 13", "12.6", 12, "12", N::Limited, "12"},
        {"zone 9.5", "9.5", 12, "12", N::Kept, "9.5"},
        {"empty becomes 0", "", 59, "59", N::Kept, "0"},
        {"blanks around stay", " 7 ", 59, "59", N::Kept, " 7 "},
        {"plus sign", "+5", 59, "59", N::Kept, "+5"},
        {"huge number is simply too large", "1e99", 12, "12", N::Limited, "12"},
        {"letters", "abc", 90, "90", N::Refused, "abc"},
        {"lone minus", "-", 90, "90", N::Refused, "-"},
        {"blanks only", "   ", 90, "90", N::Refused, "   "},
        {"negative", "-5", 90, "90", N::Refused, "-5"},
        {"minus zero", "-0", 12, "12", N::Refused, "-0"},
        {"number then text", "5x", 59, "59", N::Refused, "5x"},
        {"decimal comma", "9,5", 12, "12", N::Refused, "9,5"},
        {"infinity", "inf", 12, "12", N::Refused, "inf"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(CheckNumberEntry(text, c.limit, c.replacement), c.verdict) << c.name;
        EXPECT_EQ(text, c.expected) << c.name;
    }
}

// A record from outside the location window: the file's layout and the window's ranges.
TEST(CheckLocationRecord, RefusesWhatTheLocationWindowCouldNotHaveWritten) {
    const std::string base = "1Pakistan             Karachi          + 24 52+ 67  1+   50";
    const auto with = [&](std::size_t column, std::string_view text) {
        return std::string(base).replace(column - 1, text.size(), text);
    };
    const struct {
        const char* name;
        std::string record;
        const char* refusal;  // empty: accepted
    } cases[] = {
        {"a saved record", base, ""},
        {"with rules", base + "022103021111", ""},
        {"an older record of 53", base.substr(0, 53), ""},
        {"90 degrees, 180 degrees, zone 12", with(41, " 90").replace(47, 3, "180"), ""},
        {"zone 12.5", with(55, "12.5"), ""},
        {"zone 14 east (Kiritimati)", with(55, "  14"), ""},
        {"zone 13 west", with(54, "-  13"), "Columns 55-58 (zone hours)"},
        {"zone 15 east", with(55, "  15"), "Columns 55-58 (zone hours)"},
        {"52 characters", base.substr(0, 52), "has 52 characters"},
        {"60 characters", base + "1", "has 60 characters"},
        {"favourite mark", with(1, "x"), "Column 1 (favourite mark)"},
        {"latitude sign", with(40, "N"), "Column 40 (latitude sign)"},
        {"latitude 99", with(41, " 99"), "Columns 41-43 (latitude degrees)"},
        {"minutes 60", with(44, " 60"), "Columns 44-46 (latitude minutes)"},
        {"longitude 181", with(48, "181"), "Columns 48-50 (longitude degrees)"},
        {"negative minutes", with(51, " -1"), "Columns 51-53 (longitude minutes)"},
        {"zone 9999", with(55, "9999"), "Columns 55-58 (zone hours)"},
        {"zone not a number", with(55, "  1x"), "Columns 55-58 (zone hours)"},
        {"daylight flag", with(59, "2"), "Column 59 (daylight saving)"},
        {"rule month 13", base + "022113021111", "Columns 60-71 (daylight-saving rules)"},
    };
    for (const auto& c : cases) {
        std::string error;
        try {
            CheckLocationRecord(c.record);
        } catch (const CoreError& e) {
            error = e.what();
        }
        if (*c.refusal == '\0') {
            EXPECT_EQ(error, "") << c.name;
        } else {
            EXPECT_NE(error.find(c.refusal), std::string::npos) << c.name << ": " << error;
        }
    }
}

}  // namespace
}  // namespace quintrel
