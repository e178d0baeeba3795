#pragma once

// Places used by the month table tests, as location records and as the values the
// window would parse from them.

#include <string>
#include <string_view>

#include "locations/PlaceValues.h"

namespace quintrel::testing {

/// A location record: favourite flag "1", the country and town padded to their columns,
/// then `tail` (the fixed columns from 40 on, as they appear in locs.dat).
inline std::string MakeRecord(std::string_view country, std::string_view town,
                              std::string_view tail) {
    std::string record = "1";
    record += country;
    record.resize(22, ' ');
    record += town;
    record.resize(39, ' ');
    record += tail;
    return record;
}

inline PlaceValues ValuesOf(std::string_view record) {
    PlaceValues place;
    ParseSelectedLocation(record, place);
    return place;
}

// 40 N 75 W, five hours behind Greenwich, no daylight saving.
inline const std::string kPhiladelphia =
    MakeRecord("USA - Pennsylvania", "Philadelphia", "+ 40  0- 75  0-   50");
// 70 N 20 E, one hour ahead, no daylight saving: polar day and polar night.
inline const std::string kTromso = MakeRecord("Norway", "Tromso", "+ 70  0+ 20  0+   10");

// The places of the golden tables, exactly as their lines in locs.dat.
inline const std::string kBoston =
    "1USA - Massachusetts  Boston           + 42 21- 71  4-   51022103021111";
inline const std::string kChristchurch =
    "1New Zealand          Christchurch     - 43 32+172 38+  121025109031104";
inline const std::string kKarachi = "1Pakistan             Karachi          + 24 52+ 67  1+   50";

}  // namespace quintrel::testing
