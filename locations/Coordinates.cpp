#include "locations/Coordinates.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "astro/NumberText.h"

namespace quintrel {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The marks phones and maps put into positions, each as one ASCII stand-in: 'd' for the
// degree sign (and the ordinal sign often typed for it), ' and " for minutes and seconds.
// None when the text holds any other character beyond ASCII.
std::optional<std::string> WithAsciiMarks(std::string_view utf8) {
    std::string text;
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        const auto byte = static_cast<unsigned char>(utf8[at]);
        if (byte < 0x80) {
            text += static_cast<char>(byte == 'd' || byte == 'D' ? '?' : byte);
            continue;
        }
        const std::string_view rest = utf8.substr(at);
        if (rest.starts_with("\xC2\xB0") || rest.starts_with("\xC2\xBA")) {
            text += 'd';
            at += 1;
        } else if (rest.starts_with("\xE2\x80\xB2") || rest.starts_with("\xE2\x80\x99")) {
            text += '\'';  // prime, or the closing quote a word processor makes of '
            at += 2;
        } else if (rest.starts_with("\xE2\x80\xB3") || rest.starts_with("\xE2\x80\x9D")) {
            text += '"';
            at += 2;
        } else {
            return std::nullopt;
        }
    }
    return text;
}

// Reads an unsigned decimal number ("47", "47.88", ".5") at `at`, moving past it.
std::optional<double> ReadUnsigned(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() &&
           (std::isdigit(static_cast<unsigned char>(text[at])) != 0 || text[at] == '.')) {
        ++at;
    }
    double value = 0;
    const char* first = text.data() + start;
    const char* last = text.data() + at;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (start == at || error != std::errc() || end != last) {
        at = start;
        return std::nullopt;
    }
    return value;
}

void SkipBlanks(std::string_view text, std::size_t& at) {
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
}

// A hemisphere letter at `at` (not the start of a longer word), moving past it.
char ReadHemisphere(std::string_view text, std::size_t& at) {
    if (at >= text.size()) {
        return 0;
    }
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[at])));
    const bool alone =
        at + 1 == text.size() || std::isalpha(static_cast<unsigned char>(text[at + 1])) == 0;
    if ((letter == 'N' || letter == 'S' || letter == 'E' || letter == 'W') && alone) {
        ++at;
        return letter;
    }
    return 0;
}

struct Coordinate {
    double degrees = 0;  ///< signed by a minus or a hemisphere letter
    char axis = 0;       ///< 'N' latitude, 'E' longitude, 0 unknown
};

// One coordinate: [letter] [sign] degrees [d] [minutes '] [seconds "] [letter].
std::optional<Coordinate> ReadCoordinate(std::string_view text, std::size_t& at) {
    SkipBlanks(text, at);
    char hemisphere = ReadHemisphere(text, at);
    SkipBlanks(text, at);
    double sign = 1;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        sign = text[at] == '-' ? -1 : 1;
        ++at;
    }
    const auto degrees = ReadUnsigned(text, at);
    if (!degrees) {
        return std::nullopt;
    }
    double value = *degrees;
    bool whole = std::floor(*degrees) == *degrees;
    std::size_t after = at;
    SkipBlanks(text, after);
    const bool degreeSign = after < text.size() && text[after] == 'd';
    if (degreeSign) {
        at = after + 1;
    }
    // Minutes, then seconds, each only with its mark and only after a whole part.
    for (const auto& [mark, size] : {std::pair{'\'', 60.0}, std::pair{'"', 3600.0}}) {
        std::size_t next = at;
        SkipBlanks(text, next);
        const auto part = ReadUnsigned(text, next);
        if (!part) {
            break;
        }
        SkipBlanks(text, next);
        if (next >= text.size() || text[next] != mark) {
            break;
        }
        if (!whole || *part >= 60) {
            return std::nullopt;
        }
        value += *part / size;
        whole = std::floor(*part) == *part;
        at = next + 1;
    }
    if (hemisphere == 0) {
        std::size_t next = at;
        SkipBlanks(text, next);
        hemisphere = ReadHemisphere(text, next);
        if (hemisphere != 0) {
            at = next;
        }
    }
    if (hemisphere != 0 && sign < 0) {
        return std::nullopt;  // "-47 S" says the side twice
    }
    Coordinate coordinate;
    coordinate.degrees = sign * value;
    if (hemisphere == 'S' || hemisphere == 'W') {
        coordinate.degrees = -value;
    }
    if (hemisphere != 0) {
        coordinate.axis = hemisphere == 'N' || hemisphere == 'S' ? 'N' : 'E';
    }
    return coordinate;
}

}  // namespace

DegreesMinutes ToDegreesMinutes(double degrees) {
    const auto minutes = static_cast<long>(RoundHalfEven(std::abs(degrees) * 60.0));
    return {minutes / 60, minutes % 60};
}

std::optional<double> ParseDecimalDegrees(std::string_view text) {
    std::string number(text);
    const auto first = number.find_first_not_of(" \t");
    const auto last = number.find_last_not_of(" \t");
    if (first == std::string::npos) {
        return std::nullopt;
    }
    number = number.substr(first, last - first + 1);
    double sign = 1;
    if (number.starts_with('-') || number.starts_with('+')) {
        sign = number.front() == '-' ? -1 : 1;
        number.erase(0, 1);
    } else if (number.find_first_of(".,") == std::string::npos) {
        return std::nullopt;  // a plain whole number: the box's usual text
    }
    if (const auto comma = number.find(','); comma != std::string::npos) {
        number[comma] = '.';
    }
    std::size_t at = 0;
    const auto value = ReadUnsigned(number, at);
    if (!value || at != number.size()) {
        return std::nullopt;
    }
    return sign * *value;
}

std::optional<GeoPosition> ParsePosition(std::string_view utf8) {
    const auto text = WithAsciiMarks(utf8);
    if (!text) {
        return std::nullopt;
    }
    std::size_t at = 0;
    const auto first = ReadCoordinate(*text, at);
    if (!first) {
        return std::nullopt;
    }
    const std::size_t end = at;
    SkipBlanks(*text, at);
    if (at < text->size() && (text->at(at) == ',' || text->at(at) == ';')) {
        ++at;
    } else if (at == end && first->axis == 0) {
        return std::nullopt;  // "47.88-93.52": two bare numbers need something between them
    }
    const auto second = ReadCoordinate(*text, at);
    if (!second) {
        return std::nullopt;
    }
    SkipBlanks(*text, at);
    if (at != text->size() || (first->axis != 0 && first->axis == second->axis)) {
        return std::nullopt;
    }
    GeoPosition position{first->degrees, second->degrees};
    if (first->axis == 'E' || second->axis == 'N') {
        position = {second->degrees, first->degrees};
    }
    if (std::abs(position.latitude) > 90 || std::abs(position.longitude) > 180) {
        return std::nullopt;
    }
    return position;
}

}  // namespace quintrel
