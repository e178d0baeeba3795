#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quintrel {

/// One character decoded from UTF-8: its code point and the bytes it took.
struct Utf8Character {
    char32_t code = 0;
    std::size_t length = 1;
    bool valid = false;
};

/// Decodes the UTF-8 sequence starting at byte `at` (< text.size()). The one rule for
/// malformed input (stray continuation bytes, overlong forms, surrogates, code points
/// beyond U+10FFFF, cut-off sequences): the lead byte alone comes back, not valid, so
/// each bad byte is dealt with on its own.
Utf8Character DecodeUtf8At(std::string_view text, std::size_t at);

/// The number of characters of UTF-8 text as DecodeUtf8At steps through it: each malformed
/// byte counts as one, as it becomes one "?" in Windows-1252.
std::size_t Utf8Length(std::string_view utf8);

/// The byte length of the first `characters` characters of UTF-8 text (all of it when it
/// is shorter), counted as Utf8Length counts.
std::size_t Utf8PrefixBytes(std::string_view utf8, std::size_t characters);

/// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t code);

/// Windows-1252 bytes (as stored in locs.dat) to UTF-8 for display. The five bytes that
/// code page leaves undefined map to the C1 control of the same number.
std::string Cp1252ToUtf8(std::string_view bytes);

/// UTF-8 text to Windows-1252 bytes; characters the code page cannot hold, and malformed
/// UTF-8, become "?".
std::string Utf8ToCp1252(std::string_view utf8);

/// Text safe to print in a message or on a terminal: UTF-8 with every control character
/// (C0, DEL, C1) and every malformed byte written as a visible escape ("\x1b", "\u0085",
/// "\xff"), so a record or an argument can neither steer the terminal nor break a line.
std::string PrintableText(std::string_view utf8);

/// PrintableText of Windows-1252 bytes, e.g. a location record.
std::string PrintableRecord(std::string_view cp1252);

}  // namespace quintrel
