#pragma once

#include <optional>
#include <string_view>

namespace quintrel {

/// A latitude and a longitude in degrees, north and east positive.
struct GeoPosition {
    double latitude = 0;
    double longitude = 0;
};

/// An angle as the place record holds it: whole degrees and minutes, both 0 or more,
/// from the size of `degrees` rounded to the nearest minute (halves to even), so 47.999
/// gives 48 degrees 0 minutes.
struct DegreesMinutes {
    long degrees = 0;
    long minutes = 0;
};
DegreesMinutes ToDegreesMinutes(double degrees);

/// Decimal degrees as typed into a degree box: an optional sign, digits, and a fraction
/// after "." or "," ("47.88", "-93.52", "-93", "0,5"); blanks around are allowed. None for
/// anything else, a whole number without sign included (the box's own check reads those).
std::optional<double> ParseDecimalDegrees(std::string_view text);

/// A position pasted as one text (UTF-8), latitude and longitude separated by a comma,
/// a semicolon or blanks. Each coordinate is signed decimal degrees ("47.88, -93.52") or
/// carries a hemisphere letter N, S, E or W before or after it (case ignored), with an
/// optional degree sign, and optional minutes and seconds marked by ' and " (or ′ and ″):
/// "47.88° N, 93.52° W", "N47.88 W93.52", "47°52'48\"N 93°31'12\"W". Letters decide which
/// is which, so "93.52W 47.88N" is taken too; without letters the latitude comes first.
/// None when the text is not such a position or lies beyond 90 or 180 degrees.
std::optional<GeoPosition> ParsePosition(std::string_view utf8);

}  // namespace quintrel
