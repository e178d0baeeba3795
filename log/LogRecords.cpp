#include "log/LogRecords.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "astro/CivilDate.h"

namespace quintrel::logbook {

namespace {

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Digits(std::string_view text) {
    int value = 0;
    for (const char c : text) {
        value = value * 10 + (c - '0');
    }
    return value;
}

// Above any real fish or game, in centimetres or kilograms; catches a unit typed wrong.
constexpr double kLargestMeasure = 100000;

void Require(bool condition, const std::string& message) {
    if (!condition) {
        throw LogError(LogErrorKind::Invalid, message);
    }
}

}  // namespace

std::string_view KindName(OutingKind kind) {
    return kind == OutingKind::Hunting ? "hunting" : "fishing";
}

std::optional<OutingKind> KindFromName(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "fishing") {
        return OutingKind::Fishing;
    }
    if (lower == "hunting") {
        return OutingKind::Hunting;
    }
    return std::nullopt;
}

bool IsLogDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !AllDigits(text.substr(0, 4)) ||
        !AllDigits(text.substr(5, 2)) || !AllDigits(text.substr(8, 2))) {
        return false;
    }
    const int year = Digits(text.substr(0, 4));
    const int month = Digits(text.substr(5, 2));
    const int day = Digits(text.substr(8, 2));
    return year >= 101 && year <= 9998 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

bool IsLogTime(std::string_view text) {
    return MinutesOfDay(text) >= 0;
}

int MinutesOfDay(std::string_view time) {
    if (time.size() != 5 || time[2] != ':' || !AllDigits(time.substr(0, 2)) ||
        !AllDigits(time.substr(3, 2))) {
        return -1;
    }
    const int hours = Digits(time.substr(0, 2));
    const int minutes = Digits(time.substr(3, 2));
    return hours < 24 && minutes < 60 ? hours * 60 + minutes : -1;
}

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

void CheckOuting(const Outing& outing) {
    Require(IsLogDate(outing.date),
            "The date \"" + outing.date + "\" is not a date YYYY-MM-DD of the years 101 to 9998");
    Require(outing.start.empty() || IsLogTime(outing.start),
            "The start \"" + outing.start + "\" is not a time hh:mm");
    Require(outing.end.empty() || IsLogTime(outing.end),
            "The end \"" + outing.end + "\" is not a time hh:mm");
    Require(!outing.record.empty(), "The outing has no place");
}

void CheckCatch(const Catch& entry) {
    Require(entry.time.empty() || IsLogTime(entry.time),
            "The time \"" + entry.time + "\" is not a time hh:mm");
    Require(!entry.species.empty(), "The species is empty");
    Require(entry.count >= 1, "The count must be 1 or more");
    const auto measure = [](const std::optional<double>& value) {
        return !value || (std::isfinite(*value) && *value >= 0 && *value <= kLargestMeasure);
    };
    Require(measure(entry.lengthCm), "The length must be a number from 0 to 100000 cm");
    Require(measure(entry.weightKg), "The weight must be a number from 0 to 100000 kg");
    Require(entry.latitude.has_value() == entry.longitude.has_value(),
            "The spot needs both latitude and longitude");
    Require(!entry.latitude || (std::isfinite(*entry.latitude) && std::abs(*entry.latitude) <= 90),
            "The latitude must be from -90 to 90 degrees");
    Require(
        !entry.longitude || (std::isfinite(*entry.longitude) && std::abs(*entry.longitude) <= 180),
        "The longitude must be from -180 to 180 degrees");
    Require(entry.photo.empty() || IsPlainFileName(entry.photo),
            "The photo \"" + entry.photo + "\" is not a plain file name");
}

std::string DecimalText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    // to_chars may choose exponent form for very large or small values; the files keep
    // plain decimals.
    if (text.find('e') != std::string::npos) {
        const auto fixed =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
        text.assign(buffer, fixed.ptr);
    }
    return text;
}

std::optional<double> ParseNumber(std::string_view text) {
    std::size_t at = text.starts_with('-') ? 1 : 0;
    const std::size_t digitsStart = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        ++at;
    }
    bool anyDigit = at > digitsStart;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fraction = ++at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            ++at;
        }
        anyDigit = anyDigit || at > fraction;
    }
    if (!anyDigit || at != text.size()) {
        return std::nullopt;
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace quintrel::logbook
