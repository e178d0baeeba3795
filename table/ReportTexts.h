#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quintrel {

/// The program's version as "1.3.0", from the build's version numbers.
std::string VersionNumberText();

/// "Quintrel - Version 1.3.0": the report's top line.
std::string ReportVersionText();

/// "Quintrel For " + place + " for " + full month name + " " + year. `placeText` is the
/// place list's display text (UTF-8), e.g. "Australia (Sydney)".
std::string ReportTitleText(std::string_view placeText, std::int16_t month, std::int16_t year);

/// "Lattitude: ..., Longitude: ..., GMT +10 hours" for a location record (Windows-1252
/// bytes), as UTF-8 display text. An empty record gives empty latitude, longitude and
/// zone parts. Throws CoreError naming the record when a number column is not a number.
std::string PlaceLineText(std::string_view record);

}  // namespace quintrel
