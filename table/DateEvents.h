#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "astro/CivilDate.h"
#include "locations/PlaceValues.h"
#include "locations/RealClock.h"

namespace quintrel {

/// The place as the engine and the daylight-saving rule read it: its numbers as the
/// shortest decimal texts of the 32-bit values, and its location record.
struct PlaceTexts {
    std::string latitude;
    std::string longitude;
    std::string zone;
    std::string dstFlag;
    std::string_view record;
    // The two texts as the search reads them, read once for the whole month.
    double latitudeDeg = 0;
    double longitudeDeg = 0;
    PlaceClock clock;  ///< the place's real clock, daylight saving included
    // Its standard and summer offsets as the search reads them, read once; nothing where a
    // text is not a number, which the search then reads and refuses as before.
    std::optional<double> zoneHours;
    std::optional<double> summerZoneHours;
};

PlaceTexts MakePlaceTexts(const PlaceValues& place, std::string_view record);

/// Which events of a date are wanted.
struct EventsWanted {
    bool sun = false;
    bool moonRise = false;
    bool moonSet = false;
};

/// The event times of one local date as the rise and set search gives them (time text,
/// "up", "down" or ""), each on the clock in force at its instant. On a day the clock
/// moves, the events come from a search on each of the two clocks: those whose instant
/// the date holds are kept (the first when a 25-hour day holds two of a kind), "up" or
/// "down" says where the body was when the date began if it neither rises nor sets.
/// Events not asked for stay empty.
struct DateEvents {
    std::string sunRise, sunSet, moonRise, moonSet;
};

/// The event times of `date`: one daylight-saving look-up, then one rise and set search
/// per wanted event.
DateEvents EventsOneByOne(const PlaceTexts& place, DaySerial date, EventsWanted wanted);

/// Which search answers: the exact one always, or the fast one where the processor has it
/// (the same texts, see astro/FastRiseSet.h).
enum class SearchPath { Exact, Fastest };

/// The same results with one search per body: a rise and a set search of one body on one
/// date sample the very same altitudes, so both answers come from a single pass.
DateEvents EventsByBody(const PlaceTexts& place, DaySerial date, EventsWanted wanted,
                        SearchPath path = SearchPath::Fastest);

}  // namespace quintrel
