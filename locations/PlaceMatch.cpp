#include "locations/PlaceMatch.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <string>

#include "astro/CoreError.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"

namespace quintrel {

namespace {

// A message of thousands of matches would bury the few lines that help.
constexpr std::size_t kMatchesShown = 20;

bool IsWholeNumber(std::string_view text) {
    return !text.empty() && text.size() <= 9 &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// Windows-1252 lower case: ASCII, and the accented capitals 0xC0-0xDE except the
// multiplication sign, which sit 0x20 above their small letters as in Latin-1.
char LowerCp1252(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
        return static_cast<char>(byte + 0x20);
    }
    return c;
}

std::string Lower(std::string_view cp1252) {
    std::string lower(cp1252);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerCp1252);
    return lower;
}

// Latitude and longitude in whole minutes of arc, signed; none when a column is not a
// number (a damaged record is shown, but never taken for another place).
std::optional<std::pair<long, long>> PositionMinutes(std::string_view record) {
    namespace C = LocationColumns;
    try {
        const auto minutes = [&](RecordColumns sign, RecordColumns degrees,
                                 RecordColumns arcMinutes) {
            return ColumnSign(record, sign) * std::lround(ColumnSingle(record, degrees) * 60.0F +
                                                          ColumnSingle(record, arcMinutes));
        };
        return std::pair{minutes(C::LatitudeSign, C::LatitudeDegrees, C::LatitudeMinutes),
                         minutes(C::LongitudeSign, C::LongitudeDegrees, C::LongitudeMinutes)};
    } catch (const CoreError&) {
        return std::nullopt;
    }
}

}  // namespace

bool IsSameTown(std::string_view a, std::string_view b) {
    if (Lower(FieldText(a, LocationColumns::Town)) != Lower(FieldText(b, LocationColumns::Town))) {
        return false;
    }
    const auto first = PositionMinutes(a);
    const auto second = PositionMinutes(b);
    return first && second && std::labs(first->first - second->first) <= 1 &&
           std::labs(first->second - second->second) <= 1;
}

int FindSameTown(const LocationList& places, std::string_view record) {
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (IsSameTown(places[i], record)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<int> MatchPlaces(const LocationList& places, std::string_view utf8Text) {
    const std::string wanted = Lower(Utf8ToCp1252(utf8Text));
    std::vector<int> matches;
    if (wanted.find_first_not_of(' ') == std::string::npos) {
        return matches;
    }
    for (std::size_t i = 0; i < places.size(); ++i) {
        const std::string name = Lower(LocationDisplayText(places[i]));
        if (name == wanted) {
            return {static_cast<int>(i)};
        }
        if (name.find(wanted) != std::string::npos) {
            matches.push_back(static_cast<int>(i));
        }
    }
    return matches;
}

int ChoosePlace(const LocationList& places, std::string_view utf8Choice) {
    if (places.empty()) {
        throw PlaceChoiceError("The place list is empty", PlaceChoiceProblem::EmptyList, false);
    }
    if (IsWholeNumber(utf8Choice)) {
        const long position = std::stol(std::string(utf8Choice));
        if (position >= static_cast<long>(places.size())) {
            throw PlaceChoiceError("There is no place " + std::string(utf8Choice) +
                                       ": the list has " + std::to_string(places.size()) +
                                       " places, numbered from 0",
                                   PlaceChoiceProblem::NoSuchPosition, false);
        }
        return static_cast<int>(position);
    }
    const std::vector<int> matches = MatchPlaces(places, utf8Choice);
    if (matches.empty()) {
        throw PlaceChoiceError("No place matches \"" + PrintableText(utf8Choice) + "\"",
                               PlaceChoiceProblem::NoMatch, false);
    }
    if (matches.size() > 1) {
        std::string message = "Several places match \"" + PrintableText(utf8Choice) + "\":";
        const std::size_t shown = std::min(matches.size(), kMatchesShown);
        for (std::size_t i = 0; i < shown; ++i) {
            message += (i == 0 ? " " : "; ") + std::to_string(matches[i]) + " " +
                       PrintableText(Cp1252ToUtf8(
                           LocationDisplayText(places[static_cast<std::size_t>(matches[i])])));
        }
        if (matches.size() > shown) {
            message += "; and " + std::to_string(matches.size() - shown) + " more";
        }
        throw PlaceChoiceError(message, PlaceChoiceProblem::SeveralMatch, matches.size() > shown);
    }
    return matches.front();
}

}  // namespace quintrel
