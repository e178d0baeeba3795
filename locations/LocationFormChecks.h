#pragma once

#include <string>
#include <string_view>

namespace quintrel {

/// Proper case of UTF-8 text: the first letter of every word upper case, every other letter
/// lower case. Words begin at the start and after a space, tab, line feed, vertical tab,
/// form feed, carriage return or NUL only, so "o'brien" gives "O'brien" and "saint-malo"
/// gives "Saint-malo". Letters are those of the Windows-1252 repertoire (the record can
/// hold no others); other characters and malformed bytes pass unchanged.
std::string ProperCase(std::string_view utf8);

/// Outcome of a name box's check.
enum class NameEntryCheck { Accepted, Refused };

/// The check of txtCountry (keepWhenContainsUS true) and txtCity as the focus leaves them:
/// an empty text is refused; otherwise the text becomes its proper case, unless
/// keepWhenContainsUS is set and it contains the capitals "US" ("USA", "AUSTRALIA").
NameEntryCheck CheckNameEntry(std::string& text, bool keepWhenContainsUS);

/// Outcome of a number box's check.
enum class NumberEntryCheck {
    Kept,     ///< the text stands (an empty text has become "0")
    Limited,  ///< the number was above the limit; the text is now the replacement
    Refused,  ///< not a number, or negative: the focus must stay in the box
};

/// The check of a number box as the focus leaves it. An empty text becomes "0". The text is
/// read as a number (blanks around allowed) and rounded to a whole number, halves to even;
/// above `limit` the text becomes `replacement`, otherwise it stays as typed. A text that
/// is no number (letters, a lone "-", blanks only) or carries a minus sign is refused and
/// left as it is: the sign of a place comes from its check boxes, and a second sign in the
/// record would change the value.
NumberEntryCheck CheckNumberEntry(std::string& text, int limit, std::string_view replacement);

/// The offsets from Greenwich that real places keep: from 12 hours behind (west, sign "-")
/// to 14 ahead (Kiritimati), in whole hours as the number boxes compare them.
inline constexpr int kMostZoneHoursWest = 12;
inline constexpr int kMostZoneHoursEast = 14;

/// The largest zone number allowed with a zone sign ('-' west, anything else east).
constexpr int ZoneHoursLimit(char sign) {
    return sign == '-' ? kMostZoneHoursWest : kMostZoneHoursEast;
}

/// The checks a location record typed outside the location window (on the command line)
/// must pass: the layout of a line of locs.dat (59 or 71 bytes, or an older 53 to 58; "0"
/// or "1" in column 1; "+", "-" or blank in the sign columns; "0" or "1" in column 59;
/// usable daylight-saving rules in a 71-byte record) and the ranges the location window
/// allows: degrees of latitude up to 90, of longitude up to 180, minutes up to 59, zone up
/// to 12 hours west and 14 east (ZoneHoursLimit), no number negative (the sign columns carry the
/// signs). Windows-1252 bytes. Throws CoreError naming the column and quoting the record
/// (PrintableRecord).
void CheckLocationRecord(std::string_view record);

}  // namespace quintrel
