#include "tides/TideChecks.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "astro/CoreError.h"

namespace quintrel::tides {

namespace {

constexpr int kMostConstituents = 255;  // what the file format can hold
constexpr int kMostYears = 1000;
constexpr double kFastestSpeedDegPerHour = 1000;
constexpr double kLargestNodeFactor = 10;
constexpr double kLargestAmplitude = 100;  // the largest real one is about 20 feet
constexpr double kLargestMultiplier = 100;
constexpr int kLongestOffsetMinutes = 48 * 60;

bool Between(double value, double lowest, double highest) {
    return std::isfinite(value) && value >= lowest && value <= highest;
}

[[noreturn]] void Refuse(std::string_view fileName, const std::string& what) {
    throw CoreError("The tide file " + std::string(fileName) + " cannot be used: " + what + ".");
}

}  // namespace

void CheckConstituentTable(const ConstituentTable& table, std::string_view fileName) {
    const std::size_t count = table.names.size();
    if (count == 0 || count > kMostConstituents) {
        Refuse(fileName, "it holds " + std::to_string(count) + " constituents");
    }
    if (table.yearCount < 1 || table.yearCount > kMostYears || table.startYear < 100 ||
        table.startYear + table.yearCount - 1 > 9999) {
        Refuse(fileName, "its tables cover " + std::to_string(table.yearCount) + " years from " +
                             std::to_string(table.startYear));
    }
    const std::size_t cells = count * static_cast<std::size_t>(table.yearCount);
    if (table.speedDegPerHour.size() != count || table.equilibriumDeg.size() != cells ||
        table.nodeFactor.size() != cells) {
        Refuse(fileName, "its constituent tables are incomplete");
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (table.names[i].empty()) {
            Refuse(fileName, "constituent " + std::to_string(i + 1) + " has no name");
        }
        if (!Between(table.speedDegPerHour[i], 0, kFastestSpeedDegPerHour)) {
            Refuse(fileName, "constituent " + table.names[i] + " has no usable speed");
        }
    }
    for (std::size_t cell = 0; cell < cells; ++cell) {
        if (!std::isfinite(table.equilibriumDeg[cell]) ||
            !Between(table.nodeFactor[cell], 0, kLargestNodeFactor)) {
            Refuse(fileName, "constituent " + table.names[cell / table.yearCount] +
                                 " has unusable yearly values");
        }
    }
}

std::vector<StationHeader> UsableStations(const std::vector<StationHeader>& index) {
    std::vector<bool> isReference;
    for (const StationHeader& header : index) {
        if (header.record >= 0 && static_cast<std::size_t>(header.record) >= isReference.size()) {
            isReference.resize(static_cast<std::size_t>(header.record) + 1, false);
        }
        if (header.record >= 0 && header.isReference) {
            isReference[static_cast<std::size_t>(header.record)] = true;
        }
    }
    std::vector<StationHeader> usable;
    for (const StationHeader& header : index) {
        const bool placed = Between(header.latitudeDeg, -90, 90) &&
                            Between(header.longitudeDeg, -180, 360) &&
                            !(header.latitudeDeg == 0 && header.longitudeDeg == 0);
        const bool referenced =
            header.isReference ||
            (header.referenceRecord >= 0 &&
             static_cast<std::size_t>(header.referenceRecord) < isReference.size() &&
             isReference[static_cast<std::size_t>(header.referenceRecord)]);
        if (header.record >= 0 && placed && referenced && !header.name.empty()) {
            usable.push_back(header);
        }
    }
    return usable;
}

void CheckStation(const TideStation& station, const ConstituentTable& table) {
    const auto refuse = [&](const std::string& what) {
        throw CoreError("The tide station " + station.name + " cannot be used: " + what + ".");
    };
    if (station.isReference) {
        if (!Between(station.datumOffset, -kLargestAmplitude * 10, kLargestAmplitude * 10)) {
            refuse("its mean level is not a usable number");
        }
        for (const StationConstituent& part : station.constituents) {
            if (part.constituent < 0 ||
                static_cast<std::size_t>(part.constituent) >= table.names.size()) {
                refuse("it names a constituent the file does not define");
            }
            if (!Between(part.amplitude, 0, kLargestAmplitude) || !std::isfinite(part.phaseDeg)) {
                refuse("constituent " + table.names[static_cast<std::size_t>(part.constituent)] +
                       " has no usable amplitude or phase");
            }
        }
        return;
    }
    const SubordinateOffsets& o = station.offsets;
    if (!Between(o.highMultiplier, 0, kLargestMultiplier) ||
        !Between(o.lowMultiplier, 0, kLargestMultiplier) ||
        !Between(o.highAdder, -kLargestAmplitude, kLargestAmplitude) ||
        !Between(o.lowAdder, -kLargestAmplitude, kLargestAmplitude) ||
        std::abs(o.highMinutes) > kLongestOffsetMinutes ||
        std::abs(o.lowMinutes) > kLongestOffsetMinutes) {
        refuse("its high- and low-water offsets are out of range");
    }
}

}  // namespace quintrel::tides
