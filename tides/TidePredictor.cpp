#include "tides/TidePredictor.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "astro/CivilDate.h"
#include "astro/CoreError.h"

namespace quintrel::tides {

namespace {

constexpr double kMetresPerFoot = 0.3048;
constexpr DaySerial kUnixEpochSerial = 25569;  // 1970-01-01
constexpr UtcSeconds kSecondsPerDay = 86400;
// The scan's sampling: turning points closer together than this can be missed, which
// real tides do not have (the closest double highs are about an hour apart).
constexpr UtcSeconds kScanStepSeconds = 360;
// Samples between exact re-evaluations of the rotated phases, so rounding cannot drift.
constexpr int kStepsBetweenResyncs = 240;

double Radians(double degrees) {
    return degrees * (std::numbers::pi / 180.0);
}

UtcSeconds YearStartUtc(int year) {
    return (static_cast<UtcSeconds>(DateSerial(year, 1, 1)) - kUnixEpochSerial) * kSecondsPerDay;
}

int YearOf(UtcSeconds utc) {
    const UtcSeconds days =
        utc >= 0 ? utc / kSecondsPerDay : -((-utc + kSecondsPerDay - 1) / kSecondsPerDay);
    return DateFromSerial(static_cast<DaySerial>(days + kUnixEpochSerial)).year;
}

// One constituent of a station for one year: amplitude times node factor, speed in
// radians a second and the argument at 00:00 UTC on 1 January.
struct Term {
    double amplitude = 0;
    double radPerSecond = 0;
    double phaseRad = 0;
};

struct YearTerms {
    int year = 0;
    UtcSeconds start = 0;
    UtcSeconds end = 0;
    std::vector<Term> terms;
};

YearTerms MakeYearTerms(const TideStation& station, const ConstituentTable& table, int year) {
    if (!table.CoversYear(year)) {
        throw CoreError("The tide tables cover the years " + std::to_string(table.startYear) +
                        " to " + std::to_string(table.EndYear()) + "; " + std::to_string(year) +
                        " is outside them.");
    }
    YearTerms prepared{year, YearStartUtc(year), YearStartUtc(year + 1), {}};
    const auto column = static_cast<std::size_t>(year - table.startYear);
    const auto years = static_cast<std::size_t>(table.yearCount);
    prepared.terms.reserve(station.constituents.size());
    for (const StationConstituent& part : station.constituents) {
        const auto i = static_cast<std::size_t>(part.constituent);
        prepared.terms.push_back(
            {part.amplitude * table.nodeFactor[i * years + column],
             Radians(table.speedDegPerHour[i]) / 3600.0,
             Radians(std::fmod(table.equilibriumDeg[i * years + column] - part.phaseDeg, 360.0))});
    }
    return prepared;
}

// The prepared terms of the year of each instant asked for; a scan stays within one or
// two years, so the last one is kept.
class TermsCache {
  public:
    TermsCache(const TideStation& station, const ConstituentTable& table)
        : station_(station), table_(table) {}

    const YearTerms& For(UtcSeconds utc) {
        if (!valid_ || utc < current_.start || utc >= current_.end) {
            current_ = MakeYearTerms(station_, table_, YearOf(utc));
            valid_ = true;
        }
        return current_;
    }

  private:
    const TideStation& station_;
    const ConstituentTable& table_;
    YearTerms current_;
    bool valid_ = false;
};

double LevelOf(const YearTerms& year, double datumOffset, UtcSeconds utc) {
    const auto t = static_cast<double>(utc - year.start);
    double level = datumOffset;
    for (const Term& term : year.terms) {
        level += term.amplitude * std::cos(term.radPerSecond * t + term.phaseRad);
    }
    return level;
}

double RateOf(const YearTerms& year, UtcSeconds utc) {
    const auto t = static_cast<double>(utc - year.start);
    double rate = 0;
    for (const Term& term : year.terms) {
        rate -=
            term.amplitude * term.radPerSecond * std::sin(term.radPerSecond * t + term.phaseRad);
    }
    return rate;
}

UtcSeconds FloorToStep(UtcSeconds utc) {
    const UtcSeconds remainder = ((utc % kScanStepSeconds) + kScanStepSeconds) % kScanStepSeconds;
    return utc - remainder;
}

// Samples the rate of change every kScanStepSeconds, the phases of each year's terms
// turned on by a fixed rotation instead of a cosine per sample.
class RateScanner {
  public:
    RateScanner(TermsCache& cache) : cache_(cache) {}

    double RateAt(UtcSeconds utc) {
        const YearTerms& year = cache_.For(utc);
        if (year.year != year_ || utc != next_ || stepsSinceResync_ >= kStepsBetweenResyncs) {
            Resync(year, utc);
        }
        double rate = 0;
        for (std::size_t i = 0; i < cos_.size(); ++i) {
            rate -= year.terms[i].amplitude * year.terms[i].radPerSecond * sin_[i];
            const double c = cos_[i] * stepCos_[i] - sin_[i] * stepSin_[i];
            sin_[i] = sin_[i] * stepCos_[i] + cos_[i] * stepSin_[i];
            cos_[i] = c;
        }
        next_ = utc + kScanStepSeconds;
        ++stepsSinceResync_;
        return rate;
    }

  private:
    void Resync(const YearTerms& year, UtcSeconds utc) {
        const std::size_t count = year.terms.size();
        cos_.resize(count);
        sin_.resize(count);
        stepCos_.resize(count);
        stepSin_.resize(count);
        const auto t = static_cast<double>(utc - year.start);
        for (std::size_t i = 0; i < count; ++i) {
            const Term& term = year.terms[i];
            const double angle = term.radPerSecond * t + term.phaseRad;
            cos_[i] = std::cos(angle);
            sin_[i] = std::sin(angle);
            const double step = term.radPerSecond * static_cast<double>(kScanStepSeconds);
            stepCos_[i] = std::cos(step);
            stepSin_[i] = std::sin(step);
        }
        year_ = year.year;
        stepsSinceResync_ = 0;
    }

    TermsCache& cache_;
    std::vector<double> cos_, sin_, stepCos_, stepSin_;
    int year_ = std::numeric_limits<int>::min();
    UtcSeconds next_ = 0;
    int stepsSinceResync_ = 0;
};

}  // namespace

double ConvertLevel(double value, LevelUnits from, LevelUnits to) {
    if (from == to) {
        return value;
    }
    return from == LevelUnits::Feet ? value * kMetresPerFoot : value / kMetresPerFoot;
}

UtcSeconds TableStartUtc(const ConstituentTable& table) {
    return YearStartUtc(table.startYear);
}

UtcSeconds TableEndUtc(const ConstituentTable& table) {
    return YearStartUtc(table.EndYear() + 1);
}

double ReferenceLevel(const TideStation& station, const ConstituentTable& table, UtcSeconds utc) {
    const YearTerms year = MakeYearTerms(station, table, YearOf(utc));
    return LevelOf(year, station.datumOffset, utc);
}

std::vector<TideExtreme> ReferenceExtremes(const TideStation& station,
                                           const ConstituentTable& table, UtcSeconds fromUtc,
                                           UtcSeconds toUtc) {
    std::vector<TideExtreme> extremes;
    const UtcSeconds first = std::max(FloorToStep(fromUtc) - kScanStepSeconds,
                                      FloorToStep(TableStartUtc(table)) + kScanStepSeconds);
    const UtcSeconds last = std::min(toUtc + kScanStepSeconds, TableEndUtc(table) - 1);
    if (station.constituents.empty() || first >= last) {
        return extremes;
    }
    TermsCache scanTerms(station, table);
    TermsCache exactTerms(station, table);
    RateScanner scanner(scanTerms);
    bool wasRising = scanner.RateAt(first) > 0;
    for (UtcSeconds t = first + kScanStepSeconds; t <= last; t += kScanStepSeconds) {
        const bool rising = scanner.RateAt(t) > 0;
        if (rising == wasRising) {
            continue;
        }
        // A turning point between t - step and t: halve the bracket down to a second.
        UtcSeconds low = t - kScanStepSeconds;
        UtcSeconds high = t;
        while (high - low > 1) {
            const UtcSeconds middle = low + (high - low) / 2;
            if ((RateOf(exactTerms.For(middle), middle) > 0) == wasRising) {
                low = middle;
            } else {
                high = middle;
            }
        }
        const double lowLevel = LevelOf(exactTerms.For(low), station.datumOffset, low);
        const double highLevel = LevelOf(exactTerms.For(high), station.datumOffset, high);
        // Rising before the turn means a high water.
        const bool isHigh = wasRising;
        const bool lowIsTheTurn = isHigh ? lowLevel >= highLevel : lowLevel <= highLevel;
        const UtcSeconds when = lowIsTheTurn ? low : high;
        if (when >= fromUtc && when < toUtc) {
            extremes.push_back({when, lowIsTheTurn ? lowLevel : highLevel, isHigh});
        }
        wasRising = rising;
    }
    return extremes;
}

std::vector<TideExtreme> SubordinateExtremes(const TideStation& station,
                                             const TideStation& reference,
                                             const ConstituentTable& table, UtcSeconds fromUtc,
                                             UtcSeconds toUtc) {
    const SubordinateOffsets& offsets = station.offsets;
    const UtcSeconds latest = std::max({offsets.highMinutes, offsets.lowMinutes, 0}) * 60;
    const UtcSeconds earliest = std::min({offsets.highMinutes, offsets.lowMinutes, 0}) * 60;
    std::vector<TideExtreme> extremes;
    for (const TideExtreme& event :
         ReferenceExtremes(reference, table, fromUtc - latest, toUtc - earliest)) {
        const double level = ConvertLevel(event.height, reference.units, station.units);
        TideExtreme moved = event;
        if (event.isHigh) {
            moved.utc += offsets.highMinutes * 60;
            moved.height = level * offsets.highMultiplier + offsets.highAdder;
        } else {
            moved.utc += offsets.lowMinutes * 60;
            moved.height = level * offsets.lowMultiplier + offsets.lowAdder;
        }
        if (moved.utc >= fromUtc && moved.utc < toUtc) {
            extremes.push_back(moved);
        }
    }
    std::stable_sort(extremes.begin(), extremes.end(),
                     [](const TideExtreme& a, const TideExtreme& b) { return a.utc < b.utc; });
    return extremes;
}

double LevelBetweenExtremes(const std::vector<TideExtreme>& extremes, UtcSeconds utc) {
    const auto after = std::lower_bound(
        extremes.begin(), extremes.end(), utc,
        [](const TideExtreme& event, UtcSeconds when) { return event.utc < when; });
    if (after == extremes.end()) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (after->utc == utc) {
        return after->height;
    }
    if (after == extremes.begin()) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const TideExtreme& before = *(after - 1);
    const double fraction =
        static_cast<double>(utc - before.utc) / static_cast<double>(after->utc - before.utc);
    return before.height +
           (after->height - before.height) * (1.0 - std::cos(std::numbers::pi * fraction)) / 2.0;
}

}  // namespace quintrel::tides
