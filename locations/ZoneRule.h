#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quintrel {

/// One change of a zone's clocks, as the time-zone database records it.
struct ZoneTransition {
    std::int64_t utcSeconds = 0;  ///< the instant, in seconds since 1970-01-01 00:00 UTC
    int offsetBefore = 0;         ///< seconds ahead of Greenwich before the change
    int offsetAfter = 0;          ///< seconds ahead of Greenwich after it
};

/// The zone columns of a location record for a real time zone.
struct ZoneRuleResult {
    char zoneSign = '+';    ///< column 54
    std::string zoneHours;  ///< columns 55-58 without blanks ("12", "9.5", "5.75"); empty
                            ///< when the standard offset does not fit the record
    bool dst = false;       ///< column 59
    std::string startRule;  ///< columns 60-65 when dst, e.g. "025109"
    std::string endRule;    ///< columns 66-71 when dst
    /// One plain line when the record cannot hold the zone's real clock, saying why and
    /// what the table will do instead; empty when it holds it exactly.
    std::string note;
};

/// The day the month table must treat as the day of a clock change, and the hour shown
/// with it. The table moves the clock in the small hours of that day, so a change late in
/// the evening (Easter Island's 22:00, Egypt's "24:00") belongs to the next day.
struct ChangeDay {
    std::int32_t day = 0;  ///< day count, 0 = 30 December 1899
    int hour = 0;          ///< 0-23, on the clock as it reads before the change
};
ChangeDay ChangeDayOf(const ZoneTransition& transition);

/// The record's zone and daylight-saving rule for a zone of `standardOffset` seconds
/// whose clock changes at `transitions` (any order; those whose change day falls outside
/// `firstYear` .. `firstYear + years - 1` are ignored). `north` is the side of the equator
/// the place lies on (latitude above 0), which decides how the table reads the rule.
///
/// A rule is given only when one start and one end rule, each the first to fourth or last
/// weekday of a month, reproduce the change day of every transition in those years, and
/// every change moves the clock by exactly one hour between two clocks. A zone whose
/// database calls the later clock standard (Ireland) is read from the earlier one. Without
/// a rule the result keeps `standardOffset` all year and `note` says why.
ZoneRuleResult DeriveZoneRule(int standardOffset, const std::vector<ZoneTransition>& transitions,
                              bool north, int firstYear, int years = 10);

}  // namespace quintrel
