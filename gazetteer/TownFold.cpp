#include "gazetteer/TownFold.h"

#include <glib.h>

namespace quintrel {

namespace {

// Letters that decompose into no plain letter, spelt as those who type without them do.
const char* SpeltOut(gunichar c) {
    switch (c) {
        case 0x00DF:  // ß
        case 0x1E9E:
            return "ss";
        case 0x00C6:  // Æ æ
        case 0x00E6:
            return "ae";
        case 0x0152:  // Œ œ
        case 0x0153:
            return "oe";
        case 0x00D8:  // Ø ø
        case 0x00F8:
            return "o";
        case 0x0141:  // Ł ł
        case 0x0142:
        case 0x013F:  // Ŀ ŀ
        case 0x0140:
            return "l";
        case 0x0110:  // Đ đ
        case 0x0111:
        case 0x00D0:  // Ð ð
        case 0x00F0:
            return "d";
        case 0x00DE:  // Þ þ
        case 0x00FE:
            return "th";
        case 0x0131:  // ı
            return "i";
        case 0x0126:  // Ħ ħ
        case 0x0127:
            return "h";
        case 0x0166:  // Ŧ ŧ
        case 0x0167:
            return "t";
        case 0x018F:  // Ə ə
        case 0x0259:
        case 0x018E:  // Ǝ ǝ
        case 0x01DD:
            return "e";
        default:
            return nullptr;
    }
}

bool IsApostrophe(gunichar c) {
    // ' ` ´ ʻ ʼ ‘ ’
    return c == 0x27 || c == 0x60 || c == 0xB4 || c == 0x02BB || c == 0x02BC || c == 0x2018 ||
           c == 0x2019;
}

}  // namespace

std::string FoldTownText(std::string_view utf8) {
    std::string folded;
    bool wordOpen = false;
    const auto letters = [&](const char* text, std::size_t size) {
        if (!wordOpen && !folded.empty()) {
            folded += ' ';
        }
        folded.append(text, size);
        wordOpen = true;
    };
    const char* at = utf8.data();
    const char* const end = utf8.data() + utf8.size();
    while (at < end) {
        const unsigned char byte = static_cast<unsigned char>(*at);
        if (byte < 0x80) {
            ++at;
            if (g_ascii_isalnum(static_cast<gchar>(byte))) {
                const char lower = g_ascii_tolower(static_cast<gchar>(byte));
                letters(&lower, 1);
            } else if (!IsApostrophe(byte)) {
                wordOpen = false;
            }
            continue;
        }
        const gunichar c = g_utf8_get_char_validated(at, end - at);
        if (c == static_cast<gunichar>(-1) || c == static_cast<gunichar>(-2)) {
            ++at;  // not UTF-8: a break, like any other mark
            wordOpen = false;
            continue;
        }
        at = g_utf8_next_char(at);
        if (IsApostrophe(c) || g_unichar_ismark(c)) {
            continue;
        }
        if (const char* spelt = SpeltOut(c)) {
            letters(spelt, std::char_traits<char>::length(spelt));
            continue;
        }
        gunichar parts[G_UNICHAR_MAX_DECOMPOSITION_LENGTH];
        const gsize count = g_unichar_fully_decompose(c, FALSE, parts, G_N_ELEMENTS(parts));
        if (count > 0 && parts[0] < 0x80 && g_ascii_isalnum(static_cast<gchar>(parts[0]))) {
            const char lower = g_ascii_tolower(static_cast<gchar>(parts[0]));
            letters(&lower, 1);
        } else if (g_unichar_isalnum(c)) {
            gchar encoded[6];
            letters(encoded,
                    static_cast<std::size_t>(g_unichar_to_utf8(g_unichar_tolower(c), encoded)));
        } else {
            wordOpen = false;
        }
    }
    return folded;
}

bool HasLettersBeyondPlainAscii(std::string_view utf8) {
    const char* at = utf8.data();
    const char* const end = utf8.data() + utf8.size();
    while (at < end) {
        if (static_cast<unsigned char>(*at) < 0x80) {
            ++at;
            continue;
        }
        const gunichar c = g_utf8_get_char_validated(at, end - at);
        if (c == static_cast<gunichar>(-1) || c == static_cast<gunichar>(-2)) {
            return true;
        }
        if (g_unichar_isalpha(c)) {
            return true;
        }
        at = g_utf8_next_char(at);
    }
    return false;
}

std::string EnglishNamesHint(std::string_view utf8) {
    return HasLettersBeyondPlainAscii(utf8)
               ? " The town list keeps English names, some without their accents (Munich, "
                 "not München): try the English name."
               : std::string();
}

}  // namespace quintrel
