#include "tides/TideTable.h"

#include "astro/CalendarNames.h"
#include "astro/CivilDate.h"
#include "locations/PlaceValues.h"
#include "tides/StationDistance.h"
#include "tides/TideTexts.h"

namespace quintrel::tides {

namespace {

std::string TwoDigits(int value) {
    return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

// The table's times of one kind, blanks (":") left out.
std::string TimesText(const std::string& first, const std::string& second) {
    std::string text;
    for (const std::string* time : {&first, &second}) {
        if (!time->empty() && *time != ":") {
            text += (text.empty() ? "" : " ") + *time;
        }
    }
    return text;
}

}  // namespace

std::string TideEventText(const PlaceTideEvent& event) {
    return TwoDigits(event.minuteOfDay / 60) + ":" + TwoDigits(event.minuteOfDay % 60) + " " +
           FixedText(event.height, 2) + " " + TideWord(event.isHigh);
}

std::vector<TideTableLine> TideTableLines(const MonthTable& table,
                                          const std::vector<PlaceTideEvent>& events) {
    std::vector<TideTableLine> lines;
    auto event = events.begin();
    for (const DayRow& row : table.rows) {
        TideTableLine line;
        line.day = row.Day;
        line.dayText = row.DayName.substr(0, 3) + " " + std::to_string(row.Day);
        const DaySerial date = DateSerial(table.Year, table.Month, row.Day);
        while (event != events.end() && event->date < date) {
            ++event;
        }
        for (; event != events.end() && event->date == date; ++event) {
            line.tides.push_back(TideEventText(*event));
        }
        line.rating = row.Rating + (row.Stars.empty() ? "" : " " + row.Stars);
        line.majors = TimesText(row.Maj1, row.Maj2);
        line.minors = TimesText(row.Min1, row.Min2);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string TideTableTitle(std::string_view placeName, int month, int year) {
    return "Tide Table For " + std::string(placeName) + ", " +
           GetMonthName(static_cast<std::int16_t>(month), true) + " " + std::to_string(year);
}

std::string StationOfferText(const NearbyStation& station) {
    return station.station.name + " (" + station.station.id + "), " +
           FixedText(station.distanceKm, 1) + " km " +
           std::string(CompassPoint(station.bearingDeg));
}

std::string NoStationText(std::string_view placeName) {
    return "No tide station within " + FixedText(kStationRadiusKm, 0) + " km of " +
           std::string(placeName) + "; no tides are shown";
}

PlaceStations StationsForPlace(const TideDatabase& database, const std::string& record,
                               std::string_view keptId) {
    PlaceValues place;
    ParseSelectedLocation(record, place);
    PlaceStations stations;
    stations.offered = database.Nearby(place.PlaceLatitude, place.PlaceLongitude);
    stations.chosen = PickStation(stations.offered, keptId);
    return stations;
}

std::vector<PlaceTideEvent> PlaceRecordTides(const TideDatabase& database,
                                             const NearbyStation& station,
                                             const std::string& record, DaySerial firstDate,
                                             DaySerial lastDate) {
    PlaceValues place;
    ParseSelectedLocation(record, place);
    return PlaceTides(database, station.station, MakePlaceTexts(place, record), firstDate,
                      lastDate);
}

TideTimesSource PlanTideTimes(std::shared_ptr<const TideDatabase> database,
                              std::function<std::string(const std::string& record)> keptId) {
    return [database = std::move(database), keptId = std::move(keptId)](
               const PlanPlace& place, int year, int month) -> std::optional<MonthTideTimes> {
        const PlaceStations stations =
            StationsForPlace(*database, place.record, keptId ? keptId(place.record) : "");
        if (!stations.chosen) {
            return std::nullopt;
        }
        const auto [first, last] = MonthDates(month, year);
        MonthTideTimes times(static_cast<std::size_t>(last - first + 1));
        for (const PlaceTideEvent& event :
             PlaceRecordTides(*database, *stations.chosen, place.record, first, last)) {
            times[static_cast<std::size_t>(event.date - first)].push_back(event.minuteOfDay);
        }
        return times;
    };
}

std::pair<DaySerial, DaySerial> MonthDates(int month, int year) {
    return {DateSerial(year, month, 1), DateSerial(year, month, DaysInMonth(year, month))};
}

}  // namespace quintrel::tides
