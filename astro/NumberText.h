#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quintrel {

/// Reads a decimal number with optional blanks around it and an optional sign.
/// Never depends on the locale. Throws CoreError naming the text when it is not a number.
double ReadNumber(std::string_view text);

/// ReadNumber for readers to whom a text that is not a number is an ordinary case (a
/// hand-edited setting, a damaged rule, a half-typed entry): no value instead of an error.
std::optional<double> TryReadNumber(std::string_view text);

/// TryReadNumber rounded half to even, when it lies within [lowest, highest].
std::optional<std::int32_t> TryReadWholeNumber(std::string_view text, std::int32_t lowest,
                                               std::int32_t highest);

/// Like ReadNumber, but rounds the text straight to a 32-bit float.
float ReadSingle(std::string_view text);

/// Reads a whole number (blanks around allowed); a decimal text is rounded half to even.
/// Throws CoreError when the text is not a number or does not fit in 32 bits.
std::int32_t ReadWholeNumber(std::string_view text);

/// The shortest decimal text that reads back to the same float, never with an exponent
/// ("-33.85", "10", "0.5").
std::string SingleToText(float value);

/// "0" and the number, cut to its last two characters: 5 -> "05", 12 -> "12".
std::string TwoDigits(long long value);

/// The shortest decimal text that reads back to the same double ("0.1", "40000", "1e+300"),
/// never following the locale.
std::string DoubleToText(double value);

/// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

/// RoundHalfEven into a 16-bit integer; throws CoreError on overflow.
std::int16_t ToInt16(double value);

/// RoundHalfEven into a 32-bit integer; throws CoreError on overflow.
std::int32_t ToInt32(double value);

/// Removes leading and trailing blanks (spaces and tabs).
std::string_view TrimBlanks(std::string_view text);

}  // namespace quintrel
