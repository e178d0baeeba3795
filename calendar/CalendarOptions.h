#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "astro/Rating.h"

namespace quintrel {

/// What a calendar export holds.
struct CalendarOptions {
    bool majorPeriods = true;  ///< one timed event per major period
    bool minorPeriods = true;  ///< one timed event per minor period
    bool goodDays = false;     ///< one all-day event per day rated at least minimumRating
    Rating minimumRating = Rating::Good;
    bool daylightOnly = false;  ///< only periods overlapping sunrise - 30 min .. sunset + 30 min
    int alarmMinutes = 0;       ///< reminder this many minutes before each period; 0: none
};

/// Which choices of the options dialog count with the entries ticked: an export without
/// any entry is refused, and a choice that no ticked entry reads is greyed out.
struct CalendarChoiceStates {
    bool canExport = false;      ///< at least one kind of entry is ticked
    bool minimumRating = false;  ///< good days are ticked
    bool periodChoices = false;  ///< daylight only and the reminder: a period kind is ticked
};
CalendarChoiceStates ChoiceStates(const CalendarOptions& options);

/// The largest reminder lead accepted: one week.
inline constexpr int kMaxAlarmMinutes = 7 * 24 * 60;

/// The event kinds of an export as the command line names them.
inline constexpr std::string_view kEventKindNames[] = {"major", "minor", "days"};

/// How long the periods of a day last, by the day's rating. Majors run from about 2 hours on
/// the best days down to 1 hour on poor days, minors half that:
///   Best 120 / 60, Good 100 / 50, Fair 80 / 40, Poor 60 / 30 minutes.
/// A day without a rating counts as Poor.
struct PeriodLengths {
    int majorMinutes = 0;
    int minorMinutes = 0;
};
PeriodLengths PeriodLengthsFor(std::string_view ratingText);

/// The same table as help text, one indented line per rating.
std::string PeriodLengthsHelp();

}  // namespace quintrel
