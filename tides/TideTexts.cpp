#include "tides/TideTexts.h"

#include <array>
#include <charconv>
#include <cmath>

#include "astro/CalendarNames.h"
#include "astro/CivilDate.h"
#include "tides/StationDistance.h"

namespace quintrel::tides {

namespace {

std::string TwoDigits(int value) {
    return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

std::string ClockText(int minuteOfDay) {
    return TwoDigits(minuteOfDay / 60) + ":" + TwoDigits(minuteOfDay % 60);
}

std::string DateDigits(DaySerial date) {
    const CivilDate civil = DateFromSerial(date);
    return std::to_string(civil.year) + TwoDigits(civil.month) + TwoDigits(civil.day);
}

std::string IsoDate(DaySerial date) {
    const CivilDate civil = DateFromSerial(date);
    return std::to_string(civil.year) + "-" + TwoDigits(civil.month) + "-" + TwoDigits(civil.day);
}

std::string PaddedLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace

TideHeading HeadingFor(const NearbyStation& station, LevelUnits units) {
    return {station.station.name, station.station.id,    station.distanceKm,
            station.bearingDeg,   station.station.datum, units};
}

std::string FixedText(double value, int decimals) {
    std::array<char, 64> buffer{};
    auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    if (error != std::errc()) {
        return "?";
    }
    std::string text(buffer.data(), end);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);  // "-0.00": a level that rounds to the datum has no sign
    }
    return text;
}

std::string StationLine(const NearbyStation& station) {
    return FixedText(station.distanceKm, 1) + "\t" + station.station.id + "\t" +
           station.station.name + "\t" + FixedText(station.station.latitudeDeg, 4) + "\t" +
           FixedText(station.station.longitudeDeg, 4);
}

std::string HeadingText(const TideHeading& heading) {
    return "Tides at " + heading.stationName + " (" + heading.stationId + "), " +
           FixedText(heading.distanceKm, 1) + " km " +
           std::string(CompassPoint(heading.bearingDeg)) + " of the place; heights in " +
           UnitsName(heading.units) + " above " + heading.datum + "; " + kNotForNavigation;
}

std::string TideWord(bool isHigh) {
    return isHigh ? "High" : "Low";
}

std::string TideCsvText(const TideHeading& heading, const std::vector<PlaceTideEvent>& events) {
    std::string text = HeadingText(heading) + "\r\nDate,Time,Height,Tide\r\n";
    for (const PlaceTideEvent& event : events) {
        text += DateDigits(event.date) + "," + ClockText(event.minuteOfDay) + "," +
                FixedText(event.height, 2) + "," + TideWord(event.isHigh) + "\r\n";
    }
    return text;
}

std::string TideTextTable(const TideHeading& heading, const std::string& placeName,
                          const std::vector<PlaceTideEvent>& events, DaySerial firstDate,
                          DaySerial lastDate) {
    std::string text = placeName + "\n" + HeadingText(heading) + "\n" +
                       "Times on the place's clock, shown to the minute.\n\n";
    auto event = events.begin();
    for (DaySerial date = firstDate; date <= lastDate; ++date) {
        std::string line = GetDayName(static_cast<std::int16_t>(WeekdayOf(date))).substr(0, 3) +
                           " " + IsoDate(date);
        while (event != events.end() && event->date < date) {
            ++event;
        }
        for (; event != events.end() && event->date == date; ++event) {
            line += "   " + ClockText(event->minuteOfDay) + " " +
                    PaddedLeft(FixedText(event->height, 2), 6) + " " + UnitsSymbol(heading.units) +
                    " " + TideWord(event->isHigh);
            if (!event->isHigh) {
                line += " ";  // so the columns of the next event line up
            }
        }
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        text += line + "\n";
    }
    return text;
}

}  // namespace quintrel::tides
