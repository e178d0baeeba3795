#include <gtest/gtest.h>

#include <string>

#include "locations/Encoding.h"

namespace quintrel {
namespace {

TEST(Encoding, CodePageBytesBecomeTheirCharacters) {
    const struct {
        const char* name;
        std::string cp1252;
        std::string utf8;
    } cases[] = {
        {"Ascii", "Boston (USA)", "Boston (USA)"},
        {"DegreeAndMinuteMarks", "33\xBA  52\xB4", "33\u00BA  52\u00B4"},
        {"Latin1Letters",
         "M\xFCnchen S\xE3o Paulo Hag\xE5t\xF1"
         "a",
         "München São Paulo Hagåtña"},
        {"EuroAndQuotes", "\x80 \x93x\x94 \x85", "\u20AC \u201Cx\u201D \u2026"},
        {"ScaronAndYdieresis", "\x8A\x9F", "\u0160\u0178"},
        {"UndefinedBytesAsControls", "\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},
        {"Empty", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8) << c.name;
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.name;
    }
}

TEST(Encoding, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Encoding, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
    const struct {
        const char* name;
        std::string utf8;
        std::string cp1252;
    } cases[] = {
        {"Cyrillic", "Москва", "??????"},       {"VietnameseMixed", "Hà Nội", "H\xE0 N?i"},
        {"Emoji", "Fish \U0001F41F", "Fish ?"}, {"StrayContinuationByte", "a\x80z", "a?z"},
        {"CutOffSequence", "a\xC3", "a?"},      {"OverlongSlash", "\xC0\xAF", "??"},
        {"Surrogate", "\xED\xA0\x80", "???"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.name;
    }
}

TEST(PrintableText, ControlCharactersAndBadBytesBecomeVisibleEscapes) {
    const struct {
        const char* name;
        std::string_view in;
        std::string_view out;
    } cases[] = {
        {"plain", "Paris (France)", "Paris (France)"},
        {"letters beyond ASCII", "M\xC3\xBCnchen \xE2\x82\xAC", "M\xC3\xBCnchen \xE2\x82\xAC"},
        {"terminal escape", "\x1B[31mred", "\\x1b[31mred"},
        {"line breaks and tab", "a\r\n\tb", "a\\x0d\\x0a\\x09b"},
        {"delete", "\x7F", "\\x7f"},
        {"C1 control", "\xC2\x85", "\\u0085"},
        {"malformed byte", "caf\xE9", "caf\\xe9"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PrintableText(c.in), c.out) << c.name;
    }
    // A record's Windows-1252 bytes come out as UTF-8: e-acute, and 0x81 as a C1 control.
    EXPECT_EQ(PrintableRecord("caf\xE9\x81"), "caf\xC3\xA9\\u0081");
}

}  // namespace
}  // namespace quintrel

namespace quintrel {
namespace {

// Characters are counted and cut as the record will hold them: a malformed byte is one
// character, as it becomes one "?".
TEST(Utf8Length, CountsCharactersAsTheRecordHoldsThem) {
    const struct {
        std::string_view text;
        std::size_t length;
        std::size_t bytesOfFirstTwo;
    } cases[] = {
        {"", 0, 0},
        {"Oslo", 4, 2},
        {"Tromsø", 6, 2},
        {"\xc3\xa9t\xc3\xa9", 3, 3},          // été
        {"\xe2\x82\xac\xe2\x82\xac!", 3, 6},  // €€!
        {"\x80\x80x", 3, 2},                  // stray continuation bytes
        {"\xc3", 1, 1},                       // cut-off sequence
        {"\xe2\x82"
         "ab",
         4, 2},  // cut-off three-byte sequence before letters
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8Length(c.text), c.length) << PrintableText(c.text);
        EXPECT_EQ(Utf8PrefixBytes(c.text, 2), c.bytesOfFirstTwo) << PrintableText(c.text);
        EXPECT_EQ(Utf8ToCp1252(c.text).size(), c.length) << PrintableText(c.text);
    }
}

}  // namespace
}  // namespace quintrel
