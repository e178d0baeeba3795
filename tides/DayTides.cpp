#include "tides/DayTides.h"

#include <cmath>
#include <exception>

#include "astro/CivilDate.h"
#include "locations/PlaceValues.h"
#include "tides/PlaceTides.h"
#include "tides/TideTable.h"
#include "tides/TideTexts.h"

namespace quintrel::tides {

void AddDayTides(const TideDatabase& database, const NearbyStation& station,
                 const std::string& record, DayPicture& picture) {
    PlaceValues values;
    ParseSelectedLocation(record, values);
    const PlaceTexts place = MakePlaceTexts(values, record);
    const DaySerial date = DateSerial(picture.year, picture.month, picture.day);
    const LevelUnits units = station.station.units;

    DayTides tides;
    tides.stationLine = HeadingText(HeadingFor(station, units));
    tides.unitsSymbol = UnitsSymbol(units);
    try {
        for (const PlaceTideEvent& event :
             PlaceRecordTides(database, station, record, date, date)) {
            TideMark mark;
            mark.isHigh = event.isHigh;
            const std::string text = TideEventText(event);  // "04:12 2.31 High"
            mark.timeText = text.substr(0, 5);
            mark.heightText = FixedText(event.height, 2);
            mark.clockHours = event.minuteOfDay / 60.0;
            mark.level = event.height;
            tides.marks.push_back(std::move(mark));
        }
        // Samples from an hour before the day's standard midnight to an hour after the
        // next, kept where the place's clock shows this date: a clock change splits the run.
        const UtcSeconds start = PlaceStandardMidnightUtc(place, date) - 3600;
        const UtcSeconds step = kDaySampleMinutes * 60;
        std::vector<UtcSeconds> instants;
        for (UtcSeconds utc = start; utc <= start + (26 * 3600); utc += step) {
            instants.push_back(utc);
        }
        const std::vector<double> levels = database.Levels(station.station, instants, units);
        std::vector<TideSample> run;
        double lastHours = -1;
        for (std::size_t i = 0; i < instants.size(); ++i) {
            const PlaceClockTime clock = UtcToPlaceClock(place, instants[i]);
            const double hours = clock.secondsOfDay / 3600.0;
            const bool inDay = clock.date == date && !std::isnan(levels[i]);
            if (!inDay || (!run.empty() && std::fabs(hours - lastHours) > 0.5)) {
                if (!run.empty()) {
                    tides.curves.push_back(std::move(run));
                    run.clear();
                }
            }
            if (inDay) {
                run.push_back({hours, levels[i]});
                lastHours = hours;
            }
        }
        if (!run.empty()) {
            tides.curves.push_back(std::move(run));
        }
    } catch (const std::exception& error) {
        tides.curves.clear();
        tides.marks.clear();
        tides.problem = error.what();
    }
    picture.tides = std::move(tides);
}

}  // namespace quintrel::tides
