#include "locations/LocationFormChecks.h"

#include <cstdint>

#include "astro/CoreError.h"
#include "astro/NumberText.h"
#include "locations/Encoding.h"

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

}  // namespace quintrel
