#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quintrel {

/// The name an export proposes, without folder or extension: the place's town (its
/// country when the town is blank) and the month, e.g. "Sydney 2004-01". `record` is a
/// location record (Windows-1252 bytes); the result is UTF-8. Characters a file name cannot
/// hold ('/', '\', control characters) become '_'. An empty record gives just the month.
std::string ExportFileStem(std::string_view record, std::int16_t month, std::int16_t year);

}  // namespace quintrel
