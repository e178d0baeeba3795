#include "astro/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "astro/CoreError.h"

namespace quintrel {

namespace {

// from_chars rejects a leading '+', which people and old records do write.
std::string_view StripPlus(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
            return {};
        }
    }
    return text;
}

template <typename T>
std::optional<T> TryReadFloating(std::string_view original) {
    const std::string_view text = StripPlus(TrimBlanks(original));
    T value{};
    if (text.empty()) {
        return std::nullopt;
    }
    const auto* first = text.data();
    const auto* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc() || end != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

template <typename T>
T ReadFloating(std::string_view text) {
    const std::optional<T> value = TryReadFloating<T>(text);
    if (!value) {
        throw CoreError("\"" + std::string(text) + "\" is not a number");
    }
    return *value;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<double> TryReadNumber(std::string_view text) {
    return TryReadFloating<double>(text);
}

std::optional<std::int32_t> TryReadWholeNumber(std::string_view text, std::int32_t lowest,
                                               std::int32_t highest) {
    const std::optional<double> value = TryReadNumber(text);
    if (!value) {
        return std::nullopt;
    }
    const double rounded = RoundHalfEven(*value);
    if (!(rounded >= lowest && rounded <= highest)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

double ReadNumber(std::string_view text) {
    return ReadFloating<double>(text);
}

float ReadSingle(std::string_view text) {
    return ReadFloating<float>(text);
}

std::int32_t ReadWholeNumber(std::string_view text) {
    return ToInt32(ReadNumber(text));
}

std::string SingleToText(float value) {
    if (value == 0.0f) {
        return "0";  // no "-0"
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

std::string TwoDigits(long long value) {
    // Hours and minutes of the tables, thousands a month: no number text needed.
    if (value >= 0 && value <= 99) {
        return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
    }
    const std::string text = "0" + std::to_string(value);
    return text.substr(text.size() - 2);
}

std::string DoubleToText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

double RoundHalfEven(double value) {
    return std::nearbyint(value);
}

std::int16_t ToInt16(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max())) {
        throw CoreError("Overflow: " + DoubleToText(value) + " does not fit in 16 bits");
    }
    return static_cast<std::int16_t>(rounded);
}

std::int32_t ToInt32(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        throw CoreError("Overflow: " + DoubleToText(value) + " does not fit in 32 bits");
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace quintrel
