#include "astro/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "astro/CivilDate.h"
#include "astro/CoreError.h"

namespace quintrel {
namespace {

TEST(NumberText, ReadsNumbersWithBlanksAndSigns) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {{"10", 10}, {"  -33.85 ", -33.85}, {"+9.5", 9.5}, {"\t150\t", 150},
                          {"0", 0},   {"-0.25", -0.25}};
    for (const auto& c : cases) {
        EXPECT_EQ(ReadNumber(c.text), c.expected) << c.text;
    }
}

TEST(NumberText, RejectsTextThatIsNotANumber) {
    for (const char* text : {"", "   ", "-", "+", "abc", "1.2.3", "12a", "+-3", "nan", "inf"}) {
        try {
            ReadNumber(text);
            FAIL() << "accepted \"" << text << "\"";
        } catch (const CoreError& error) {
            EXPECT_NE(std::string(error.what()).find(std::string("\"") + text + "\""),
                      std::string::npos)
                << error.what();
        }
    }
}

TEST(NumberText, SingleTextIsShortestRoundTripWithoutExponent) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {-33.85f, "-33.85"}, {10.0f, "10"},     {9.5f, "9.5"},      {0.0f, "0"},
        {-0.0f, "0"},        {42.35f, "42.35"}, {1e-5f, "0.00001"}, {-71.066666f, "-71.066666"}};
    for (const auto& c : cases) {
        EXPECT_EQ(SingleToText(c.value), c.text);
        EXPECT_EQ(ReadSingle(SingleToText(c.value)), c.value == 0 ? 0.0f : c.value);
    }
}

TEST(NumberText, SingleTextIgnoresDecimalCommaLocale) {
    // A user whose locale writes 9,5 must still get records and zone texts with a point.
    const char* previous = std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(SingleToText(9.5f), "9.5");
    EXPECT_EQ(ReadNumber("9.5"), 9.5);
    if (previous != nullptr) {
        std::setlocale(LC_ALL, "C");
    }
}

TEST(NumberText, TwoDigitsKeepsTheLastTwoCharactersOfZeroAndTheNumber) {
    const struct {
        long long value;
        const char* expected;
    } cases[] = {{0, "00"},   {5, "05"},   {12, "12"}, {99, "99"},
                 {100, "00"}, {123, "23"}, {-3, "-3"}, {-12, "12"}};
    for (const auto& c : cases) {
        EXPECT_EQ(TwoDigits(c.value), c.expected) << c.value;
    }
}

TEST(NumberText, RoundsHalfToEven) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(ToInt16(77.5), 78);
    EXPECT_EQ(ToInt16(26.5), 26);
    EXPECT_THROW(ToInt16(32767.6), CoreError);
    EXPECT_THROW(ToInt32(std::nan("")), CoreError);
}

TEST(CivilDate, SerialsMatchTheSpreadsheetEpoch) {
    EXPECT_EQ(DateSerial(1899, 12, 30), 0);
    EXPECT_EQ(DateSerial(2000, 1, 1), 36526);
    const auto date = DateFromSerial(DateSerial(2004, 2, 29));
    EXPECT_EQ(date.year, 2004);
    EXPECT_EQ(date.month, 2);
    EXPECT_EQ(date.day, 29);
    EXPECT_EQ(WeekdayOf(DateSerial(2003, 3, 8)), 7);  // a Saturday
    EXPECT_EQ(WeekdayOf(DateSerial(2004, 2, 1)), 1);  // a Sunday
    EXPECT_THROW(DateSerial(2003, 2, 29), CoreError);
}

TEST(CivilDate, DaysInMonthFollowsGregorianLeapYears) {
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2004, 2), 29);
    EXPECT_EQ(DaysInMonth(2003, 2), 28);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_EQ(DaysInMonth(2003, 12), 31);
    EXPECT_EQ(DaysInMonth(2003, 4), 30);
}

}  // namespace
}  // namespace quintrel
