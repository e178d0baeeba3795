#include "locations/PlaceMatch.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "astro/CoreError.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"

namespace quintrel {

namespace {

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

}  // namespace quintrel
