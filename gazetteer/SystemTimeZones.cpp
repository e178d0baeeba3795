#include "gazetteer/SystemTimeZones.h"

#include <QDateTime>
#include <QTimeZone>
#include <fstream>
#include <mutex>
#include <set>

#include "astro/CoreError.h"

namespace quintrel {

namespace {

constexpr int kYearsChecked = 10;

QDateTime UtcStartOf(int year) {
    return QDateTime(QDate(year, 1, 1), QTime(0, 0), QTimeZone::utc());
}

// The database's folder; the zone library reads the same one.
constexpr const char* kZoneFolder = "/usr/share/zoneinfo/";

// Every zone and link name of the database, from its own summary: "Z <name> ..." for a
// zone, "L <target> <name>" for a link. Empty when the system has no summary.
std::set<std::string> ReadZoneNames() {
    std::set<std::string> names;
    std::ifstream summary(std::string(kZoneFolder) + "tzdata.zi");
    std::string line;
    while (std::getline(summary, line)) {
        if (line.starts_with("Z ")) {
            names.insert(line.substr(2, line.find(' ', 2) - 2));
        } else if (line.starts_with("L ")) {
            const auto name = line.find(' ', 2);
            if (name != std::string::npos) {
                names.insert(line.substr(name + 1, line.find(' ', name + 1) - name - 1));
            }
        }
    }
    return names;
}

// Without the summary: a compiled zone file of that name, its path free of ".." so that
// nothing outside the folder is read.
bool IsZoneFile(const std::string& zoneId) {
    if (zoneId.empty() || zoneId.front() == '/' || zoneId.find("..") != std::string::npos) {
        return false;
    }
    std::ifstream file(std::string(kZoneFolder) + zoneId, std::ios::binary);
    char magic[4] = {};
    return file.read(magic, sizeof magic) && std::string_view(magic, sizeof magic) == "TZif";
}

}  // namespace

bool IsSystemZoneId(const std::string& zoneId) {
    static std::once_flag once;
    static std::set<std::string> names;
    std::call_once(once, [] { names = ReadZoneNames(); });
    return names.empty() ? IsZoneFile(zoneId) : names.contains(zoneId);
}

ZoneReading ReadSystemZone(const std::string& zoneId, int firstYear, int years) {
    const QTimeZone zone(QByteArray::fromStdString(zoneId));
    if (!IsSystemZoneId(zoneId) || !zone.isValid()) {
        throw CoreError("The system's time-zone database does not know the zone \"" + zoneId +
                        "\"");
    }
    ZoneReading reading;
    reading.standardOffset = zone.standardTimeOffset(UtcStartOf(firstYear));
    // A day either side, so that a change late on New Year's Eve is not lost; the
    // derivation keeps only the changes whose day falls within the years.
    const QDateTime from = UtcStartOf(firstYear).addDays(-1);
    const QDateTime to = UtcStartOf(firstYear + years).addDays(1);
    for (const QTimeZone::OffsetData& data : zone.transitions(from, to)) {
        const QDateTime at = data.atUtc;
        ZoneTransition transition;
        transition.utcSeconds = at.toSecsSinceEpoch();
        transition.offsetBefore = zone.offsetFromUtc(at.addSecs(-1));
        transition.offsetAfter = data.offsetFromUtc;
        if (transition.offsetBefore != transition.offsetAfter) {
            reading.transitions.push_back(transition);
        }
    }
    return reading;
}

ZoneRuleResult SystemZoneRule(const std::string& zoneId, bool north) {
    const int year = CurrentYear();
    const ZoneReading reading = ReadSystemZone(zoneId, year, kYearsChecked);
    return DeriveZoneRule(reading.standardOffset, reading.transitions, north, year, kYearsChecked);
}

int CurrentYear() {
    return QDate::currentDate().year();
}

}  // namespace quintrel
