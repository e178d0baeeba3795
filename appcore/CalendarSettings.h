#pragma once

#include "calendar/CalendarOptions.h"

namespace quintrel {

class SettingsStore;

/// Where the calendar export's choices live in the store (beside the main settings).
inline constexpr const char* kCalendarSettingsSection = "Calendar";

/// Reads "Major", "Minor", "Days" ("1" or "0"), "MinRating" ("Poor" .. "Best"),
/// "DaylightOnly" ("1" or "0"), "Alarm" (minutes, 0 .. kMaxAlarmMinutes) and "Tides"
/// ("1" or "0"). A missing key,
/// or a value the program could not have written, gives that choice's default
/// (CalendarOptions{}). Never throws for bad stored text.
CalendarOptions LoadCalendarOptions(SettingsStore& store);

/// Writes the seven keys in the same form.
void SaveCalendarOptions(SettingsStore& store, const CalendarOptions& options);

}  // namespace quintrel
