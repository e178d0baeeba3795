#include "gazetteer/SystemTimeZones.h"

#include <QDateTime>
#include <QTimeZone>

#include "astro/CoreError.h"

namespace quintrel {

namespace {

constexpr int kYearsChecked = 10;

QDateTime UtcStartOf(int year) {
    return QDateTime(QDate(year, 1, 1), QTime(0, 0), QTimeZone::utc());
}

}  // namespace

ZoneReading ReadSystemZone(const std::string& zoneId, int firstYear, int years) {
    const QTimeZone zone(QByteArray::fromStdString(zoneId));
    if (!zone.isValid()) {
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
