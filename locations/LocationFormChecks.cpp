#include "locations/LocationFormChecks.h"

#include <cstdint>

#include "astro/CoreError.h"
#include "astro/NumberText.h"
#include "locations/DaylightSaving.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"

namespace quintrel {

namespace {

// Upper and lower case pairs of the Windows-1252 letters outside ASCII: the Latin-1 block
// (without the signs x and / at D7 and F7) and the five pairs of the 0x8A..0x9F range.
struct CasePair {
    char32_t upper;
    char32_t lower;
};
constexpr CasePair kExtraPairs[] = {
    {0x0160, 0x0161}, {0x0152, 0x0153}, {0x017D, 0x017E}, {0x0178, 0x00FF}};

char32_t ToUpper(char32_t c) {
    if (c >= U'a' && c <= U'z') {
        return c - 0x20;
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
        return c - 0x20;
    }
    for (const auto& pair : kExtraPairs) {
        if (c == pair.lower) {
            return pair.upper;
        }
    }
    return c;
}

char32_t ToLower(char32_t c) {
    if (c >= U'A' && c <= U'Z') {
        return c + 0x20;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return c + 0x20;
    }
    for (const auto& pair : kExtraPairs) {
        if (c == pair.upper) {
            return pair.lower;
        }
    }
    return c;
}

bool IsWordSeparator(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\v' || c == U'\f' || c == U'\r' ||
           c == 0;
}

}  // namespace

std::string ProperCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    bool wordStart = true;
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8Character d = DecodeUtf8At(utf8, at);
        if (!d.valid) {
            out += utf8[at];
            wordStart = false;
        } else {
            AppendUtf8(out, wordStart ? ToUpper(d.code) : ToLower(d.code));
            wordStart = IsWordSeparator(d.code);
        }
        at += d.length;
    }
    return out;
}

NameEntryCheck CheckNameEntry(std::string& text, bool keepWhenContainsUS) {
    if (text.empty()) {
        return NameEntryCheck::Refused;
    }
    if (!(keepWhenContainsUS && text.find("US") != std::string::npos)) {
        text = ProperCase(text);
    }
    return NameEntryCheck::Accepted;
}

NumberEntryCheck CheckNumberEntry(std::string& text, int limit, std::string_view replacement) {
    if (text.empty()) {
        text.assign(1, '0');
    }
    const std::optional<double> value = TryReadNumber(text);
    if (!value) {
        return NumberEntryCheck::Refused;
    }
    // "-0" reads as zero but would still put a second sign into the record.
    if (TrimBlanks(text).front() == '-') {
        return NumberEntryCheck::Refused;
    }
    // Compared after rounding, so 12.5 (which rounds to 12) passes a limit of 12. Done in
    // double so that "1e99" is simply too large instead of overflowing a 16-bit number.
    if (RoundHalfEven(*value) > limit) {
        text = std::string(replacement);
        return NumberEntryCheck::Limited;
    }
    return NumberEntryCheck::Kept;
}

void CheckLocationRecord(std::string_view record) {
    const std::size_t length = record.size();
    const bool older =
        length >= LocationColumns::LongitudeMinutes.last && length < kRecordLengthWithoutRules;
    if (length != kRecordLengthWithoutRules && length != kRecordLengthWithRules && !older) {
        throw CoreError("The record \"" + PrintableRecord(record) + "\" has " +
                        std::to_string(length) +
                        " characters; a line of locs.dat has 59 or 71 (or 53 to 58)");
    }
    const auto refuse = [&](RecordColumns columns, const char* field, const std::string& rule) {
        const bool one = columns.first == columns.last;
        const std::string where =
            one ? "Column " + std::to_string(columns.first)
                : "Columns " + std::to_string(columns.first) + "-" + std::to_string(columns.last);
        throw CoreError(where + " (" + field + ") of the record \"" + PrintableRecord(record) +
                        (one ? "\" holds \"" : "\" hold \"") +
                        PrintableRecord(ColumnText(record, columns)) + "\": " + rule);
    };
    const auto oneOf = [&](RecordColumns column, const char* field, std::string_view allowed,
                           const char* rule) {
        const std::string_view text = ColumnText(record, column);
        if (!text.empty() && allowed.find(text.front()) == std::string_view::npos) {
            refuse(column, field, rule);
        }
    };
    oneOf(LocationColumns::Favourite, "favourite mark", "01", "must be 0 or 1");
    oneOf(LocationColumns::LatitudeSign, "latitude sign", "+- ", "must be +, - or blank");
    oneOf(LocationColumns::LongitudeSign, "longitude sign", "+- ", "must be +, - or blank");
    oneOf(LocationColumns::ZoneSign, "zone sign", "+- ", "must be +, - or blank");
    oneOf(LocationColumns::DstFlag, "daylight saving", "01", "must be 0 or 1");

    const struct {
        RecordColumns columns;
        const char* field;
        int limit;
    } numbers[] = {
        {LocationColumns::LatitudeDegrees, "latitude degrees", 90},
        {LocationColumns::LatitudeMinutes, "latitude minutes", 59},
        {LocationColumns::LongitudeDegrees, "longitude degrees", 180},
        {LocationColumns::LongitudeMinutes, "longitude minutes", 59},
        {LocationColumns::ZoneHours, "zone hours",
         ZoneHoursLimit(SignCharacter(record, LocationColumns::ZoneSign))},
    };
    for (const auto& number : numbers) {
        // The location window's own check, so a record from elsewhere meets the same rule.
        std::string text(ColumnText(record, number.columns));
        if (CheckNumberEntry(text, number.limit, "") != NumberEntryCheck::Kept) {
            refuse(number.columns, number.field,
                   "must be a number from 0 to " + std::to_string(number.limit));
        }
    }
    if (length == kRecordLengthWithRules && !DstRulesUsable(record)) {
        refuse(RecordColumns{LocationColumns::DstStartRule.first, LocationColumns::DstEndRule.last},
               "daylight-saving rules",
               "hour 00-23, week 1-5, weekday 1-7 and month 01-12 expected");
    }
}

}  // namespace quintrel
