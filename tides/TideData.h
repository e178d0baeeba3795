#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quintrel::tides {

/// Seconds since 1970-01-01 00:00 UTC.
using UtcSeconds = std::int64_t;

/// The constituent table of one harmonics file: each constituent's speed and, for every
/// year the file covers, its equilibrium argument (V0+u at 00:00 UTC on 1 January) and
/// node factor (f).
struct ConstituentTable {
    std::vector<std::string> names;
    std::vector<double> speedDegPerHour;
    int startYear = 0;  ///< the first year of the tables
    int yearCount = 0;  ///< how many years follow it
    /// [constituent * yearCount + (year - startYear)], degrees and plain factors.
    std::vector<float> equilibriumDeg;
    std::vector<float> nodeFactor;

    int EndYear() const { return startYear + yearCount - 1; }
    bool CoversYear(int year) const { return year >= startYear && year <= EndYear(); }
};

/// What the index of a harmonics file holds for every record, read without the
/// constants: enough to find the records near a place.
struct StationHeader {
    int record = 0;            ///< the record's number in its file, from 0
    bool isReference = false;  ///< a reference station (constants) or a subordinate one
    int referenceRecord = -1;  ///< a subordinate station's reference station
    double latitudeDeg = 0;    ///< north positive
    double longitudeDeg = 0;   ///< east positive
    std::string name;
};

/// One constituent of a reference station: amplitude in the station's level units, phase
/// (epoch) in degrees, already referred to UTC.
struct StationConstituent {
    int constituent = 0;  ///< index into ConstituentTable
    double amplitude = 0;
    double phaseDeg = 0;
};

/// The high- and low-water corrections of a subordinate station, as the harmonics file
/// defines them: each event of its reference station moves by its time offset, and its
/// height becomes height * multiplier + adder (the adder in the subordinate station's
/// level units, the reference height first converted to them).
struct SubordinateOffsets {
    int highMinutes = 0;
    double highMultiplier = 1;
    double highAdder = 0;
    int lowMinutes = 0;
    double lowMultiplier = 1;
    double lowAdder = 0;
};

/// Length units of tide levels.
enum class LevelUnits { Feet, Meters };

/// A tide station read whole: a reference station with its constants, or a subordinate
/// one with its offsets and the number of its reference record in the same file.
struct TideStation {
    int file = 0;    ///< which harmonics file of the TideDatabase (0 = the first)
    int record = 0;  ///< its record number in that file
    std::string id;  ///< the authority's id ("9447130"), or one made from file and record
    std::string name;
    double latitudeDeg = 0;
    double longitudeDeg = 0;
    LevelUnits units = LevelUnits::Feet;
    std::string datum;  ///< what the heights are above ("Mean Lower Low Water")
    bool isReference = true;
    // Reference stations:
    double datumOffset = 0;  ///< Z0, the mean level above the datum, in `units`
    std::vector<StationConstituent> constituents;
    // Subordinate stations:
    int referenceRecord = -1;
    SubordinateOffsets offsets;
};

/// A high or low water.
struct TideExtreme {
    UtcSeconds utc = 0;  ///< to the second
    double height = 0;   ///< above the station's datum, in the units asked for
    bool isHigh = false;
};

}  // namespace quintrel::tides
