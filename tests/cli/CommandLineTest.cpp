// The command line's own logic, without starting the program: which place a choice
// picks, and which command lines are refused before any data is read.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "astro/CoreError.h"
#include "cli/CommandLine.h"
#include "cli/PlaceChoice.h"

namespace quintrel::cli {
namespace {

const LocationList kPlaces = {
    "1Pakistan             Karachi          + 24 52+ 67  1+   50",
    "1USA - Massachusetts  Boston           + 42 21- 71  4-   51022103021111",
    "1USA - Massachusetts  Boston Harbour   + 42 21- 71  4-   51022103021111",
    "1USA - Pennsylvania   Philadelphia     + 40  0- 75  0-   50",
};

TEST(ChoosePlace, PositionsAndTextsPickOnePlace) {
    struct Case {
        const char* choice;
        int position;
    };
    const Case cases[] = {
        {"0", 0},
        {"3", 3},
        {"karachi", 0},
        {"PHILA", 3},
        // A place whose whole text equals the choice wins over longer ones.
        {"usa - massachusetts (boston)", 1},
        {"harbour", 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChoosePlace(kPlaces, c.choice), c.position) << c.choice;
    }
}

TEST(ChoosePlace, ChoicesThatPickNoSinglePlaceAreErrors) {
    struct Case {
        const char* choice;
        const char* message;  // part of it
    };
    const Case cases[] = {
        {"4", "no place 4: the list has 4 places"},
        {"Atlantis", "No place matches \"Atlantis\""},
        {"boston", "1 USA - Massachusetts (Boston); 2 USA - Massachusetts (Boston Harbour)"},
        {"-1", "No place matches"},
    };
    for (const Case& c : cases) {
        try {
            ChoosePlace(kPlaces, c.choice);
            ADD_FAILURE() << c.choice << " was accepted";
        } catch (const CoreError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos)
                << c.choice << ": " << error.what();
        }
    }
    EXPECT_THROW(ChoosePlace({}, "0"), CoreError);
}

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

Outcome RunWith(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "quintrel-table");
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunCommandLine(static_cast<int>(arguments.size()), arguments.data(), out, err);
    return {code, out.str(), err.str()};
}

TEST(CommandLine, ContradictionsAreUsageErrorsBeforeAnyDataIsRead) {
    struct Case {
        std::vector<const char*> arguments;
        const char* message;
    };
    const Case cases[] = {
        {{"--months", "0", "--record", kPlaces[0].c_str()}, "--months must be from 1 to 1200"},
        {{"--months", "1201", "--record", kPlaces[0].c_str()}, "--months must be from 1 to 1200"},
        {{"--year", "0x10", "--record", kPlaces[0].c_str()}, "--year must be a whole number"},
        {{"--month", "1e1", "--record", kPlaces[0].c_str()}, "--month must be a whole number"},
        {{"--months", " 2", "--record", kPlaces[0].c_str()}, "--months must be a whole number"},
        {{"--output", "", "--record", kPlaces[0].c_str()}, "--output needs a file name"},
        {{"--pdf", "", "--record", kPlaces[0].c_str()}, "--pdf needs a file name"},
        {{"--record", kPlaces[0].c_str(), "--locations", "/no/such/file"},
         "Only one of --record, --town and --locations can be given"},
        {{"--town", "tromso", "--record", kPlaces[0].c_str()},
         "Only one of --record, --town and --locations can be given"},
        {{"--format", "html"}, "--format"},
        {{"--colour"}, "--colour"},
        {{"--month", "May"}, "--month"},
        {{"--record", kPlaces[0].c_str(), "--month", "13"}, "Month 13"},
        {{"--record", kPlaces[0].c_str(), "--year", "12000"}, "Year 12000"},
    };
    for (const Case& c : cases) {
        const Outcome run = RunWith(c.arguments);
        EXPECT_EQ(run.exitCode, kExitUsageError) << c.message;
        EXPECT_TRUE(run.out.empty()) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("(see --help)\n"), std::string::npos) << run.err;
    }
}

// The option parser alone would read a leading zero as octal: 010 as 8, 08 not at all.
TEST(CommandLine, NumbersAreDecimalWhateverTheirLeadingZeros) {
    struct Case {
        std::vector<const char*> dates;
        const char* title;
    };
    const Case cases[] = {
        {{"--year", "02004", "--month", "010"}, "for October 2004\n"},
        {{"--year", "2004", "--month", "08"}, "for August 2004\n"},
        {{"--year", "+2004", "--month", "09", "--months", "01"}, "for September 2004\n"},
    };
    for (const Case& c : cases) {
        std::vector<const char*> arguments = {"--record", kPlaces[0].c_str()};
        arguments.insert(arguments.end(), c.dates.begin(), c.dates.end());
        const Outcome run = RunWith(arguments);
        EXPECT_EQ(run.exitCode, kExitDone) << run.err;
        EXPECT_NE(run.out.find(c.title), std::string::npos) << c.title;
    }
}

// Minutes too: every number option goes through the one decimal reader.
TEST(CommandLine, MinuteOptionsAreDecimalToo) {
    struct Case {
        std::vector<const char*> options;
        int exitCode;
        const char* text;  // part of the output, or of the message for a refusal
    };
    const Case cases[] = {
        {{"--format", "ics", "--alarm", "010"}, kExitDone, "TRIGGER:-PT10M"},
        {{"--format", "ics", "--alarm", "08"}, kExitDone, "TRIGGER:-PT8M"},
        {{"--format", "ics", "--alarm", "0x10"}, kExitUsageError, "--alarm must be a whole number"},
        {{"--format", "ics", "--alarm", "10081"}, kExitUsageError, "--alarm must be from 0 to"},
        {{"--plan", "--near-sun", "010"}, kExitDone, "within 10 min of sunrise"},
        {{"--plan", "--near-sun", "08"}, kExitDone, "within 8 min of sunrise"},
        {{"--plan", "--near-sun", "1e2"}, kExitUsageError, "--near-sun must be a whole number"},
    };
    for (const Case& c : cases) {
        std::vector<const char*> arguments = {
            "--record", kPlaces[0].c_str(), "--from", "2026-01", "--month", "1", "--year", "2026"};
        if (std::string(c.options[0]) == "--format") {
            arguments.erase(arguments.begin() + 2, arguments.begin() + 4);
        } else {
            arguments.resize(4);
        }
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const Outcome run = RunWith(arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.options[2] << " " << run.err;
        const std::string& where = c.exitCode == kExitDone ? run.out : run.err;
        EXPECT_NE(where.find(c.text), std::string::npos) << c.text << "\n" << run.err;
    }
}

TEST(CommandLine, ARecordStandsForAOnePlaceList) {
    const Outcome run = RunWith({"--record", kPlaces[0].c_str(), "--list"});
    EXPECT_EQ(run.exitCode, kExitDone) << run.err;
    EXPECT_EQ(run.out,
              "0  Pakistan (Karachi)  24\xC2\xBA  52\xC2\xB4 North, 67\xC2\xBA   1\xC2\xB4 East, "
              "GMT +5 hours\n");
    EXPECT_EQ(RunWith({"--record", "1Pakistan", "--list"}).exitCode, kExitDataError);
}

}  // namespace
}  // namespace quintrel::cli
