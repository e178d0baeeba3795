#include "locations/Encoding.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace quintrel {

namespace {

// Bytes 0x80-0x9F of Windows-1252. Zero marks the five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D); they map to the C1 control of the same number.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

char32_t CodePointOfByte(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] != 0) {
        return kHighControls[byte - 0x80];
    }
    return byte;  // the rest of the code page coincides with Latin-1
}

// The byte that holds `cp`, or '?' when the code page has none.
char ByteOfCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(cp);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        const bool undefinedByte = kHighControls[i] == 0;
        if ((!undefinedByte && kHighControls[i] == cp) || (undefinedByte && cp == 0x80 + i)) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

}  // namespace

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

Utf8Character DecodeUtf8At(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        return {lead, 1, true};
    }
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return {};
    }
    if (at + length > text.size()) {
        return {};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return {};
        }
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return {};
    }
    return {code, length, true};
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        AppendUtf8(out, CodePointOfByte(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8Character c = DecodeUtf8At(utf8, at);
        out += c.valid ? ByteOfCodePoint(c.code) : '?';
        at += c.length;
    }
    return out;
}

std::size_t Utf8Length(std::string_view utf8) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < utf8.size(); at += DecodeUtf8At(utf8, at).length) {
        ++characters;
    }
    return characters;
}

std::size_t Utf8PrefixBytes(std::string_view utf8, std::size_t characters) {
    std::size_t at = 0;
    for (std::size_t seen = 0; seen < characters && at < utf8.size(); ++seen) {
        at += DecodeUtf8At(utf8, at).length;
    }
    return at;
}

std::string PrintableText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8Character c = DecodeUtf8At(utf8, at);
        char escape[8];
        if (!c.valid || c.code < 0x20 || c.code == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02x",
                          static_cast<unsigned>(static_cast<unsigned char>(utf8[at])));
            out += escape;
        } else if (c.code >= 0x80 && c.code <= 0x9F) {
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c.code));
            out += escape;
        } else {
            out.append(utf8.substr(at, c.length));
        }
        at += c.length;
    }
    return out;
}

std::string PrintableRecord(std::string_view cp1252) {
    return PrintableText(Cp1252ToUtf8(cp1252));
}

}  // namespace quintrel
