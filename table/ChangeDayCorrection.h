#pragma once

#include <string>

namespace quintrel {

// On the two days where daylight saving starts or ends, a whole day is computed on the
// advanced clock. These corrections move the events that really happen on standard time
// back by one hour: on the first day those before 02:00, on the last day those from 04:00.
// A time moved before 00:00 becomes the no-event marker ":".

/// Correction for a time of a neighbouring day (the previous day's moonrise, the next
/// day's moonset): applies to any text whose first two characters are digits.
void CorrectNeighbourTime(std::string& timeText, bool isStartDay, bool isEndDay);

/// Correction for a time of the day itself: applies to any text other than ":", "up",
/// "down" and "" (the texts that name no time).
void CorrectOwnTime(std::string& timeText, bool isStartDay, bool isEndDay);

/// The same correction on a number of hours after midnight of the advanced clock: where on
/// the day's shown clock a moment of that day lands. On the first day the result falls
/// below 0 for the moments the day before owns.
double CorrectedHours(double hours, bool isStartDay, bool isEndDay);

}  // namespace quintrel
