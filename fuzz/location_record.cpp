// The readers of one location record, on any bytes: the place values, the heading texts,
// the place list entry and the daylight-saving rules over a few years, as the month table
// uses them.

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "astro/CivilDate.h"
#include "astro/NumberText.h"
#include "locations/DaylightSaving.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"
#include "locations/PlaceDescription.h"
#include "locations/PlaceValues.h"

namespace {

using namespace quintrel;
using quintrel::fuzz::Require;
using quintrel::fuzz::Tolerate;

// The first and last years a date can have, two ordinary ones and a leap year.
constexpr int kYears[] = {100, 1900, 2002, 2024, 9999};

// Every day the saving period can turn on: the change days, their neighbours and the
// ends of the year.
void CheckSavingAround(std::string_view record, const PlaceValues& place, int year) {
    const std::string zone = SingleToText(place.PlaceZone);
    const std::string latitude = SingleToText(place.PlaceLatitude);
    DaySerial start = 0;
    DaySerial end = 0;
    const bool usable = DstRulesUsable(record);
    const bool haveStart =
        Tolerate([&] { start = DstStartDate(record, static_cast<std::int16_t>(year)); });
    const bool haveEnd =
        Tolerate([&] { end = DstEndDate(record, static_cast<std::int16_t>(year)); });
    // Usable rules give a date in every year a date can have, inside that year.
    Require((haveStart && haveEnd) == usable, "rule dates disagree with usability", record);
    if (usable) {
        Require(DateFromSerial(start).year == year, "start date outside its year", record);
        Require(DateFromSerial(end).year == year, "end date outside its year", record);
    }
    DaySerial days[8] = {start - 1, start, start + 1, end - 1, end, end + 1, 0, 0};
    Tolerate([&] {
        days[6] = DateSerial(year, 1, 1);
        days[7] = DateSerial(year, 12, 31);
    });
    for (const DaySerial day : days) {
        Tolerate([&] {
            const DaylightSavingResult result =
                ApplyDaylightSaving(record, zone, place.PlaceDstFlag, latitude, day);
            Require(!result.zoneText.empty(), "no zone text", record);
        });
        // And with the record's own columns as they stand, however damaged.
        Tolerate([&] {
            ApplyDaylightSaving(record, ColumnText(record, LocationColumns::ZoneHours),
                                ColumnText(record, LocationColumns::DstFlag),
                                ColumnText(record, LocationColumns::LatitudeDegrees), day);
        });
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view record = fuzz::AsText(data, size);

    Cp1252ToUtf8(LocationDisplayText(record));
    Tolerate([&] {
        PlaceDescription texts;
        DescribeLocation(record, texts);
        DescriptionToUtf8(texts);
    });

    PlaceValues place;
    place.PlaceDstFlag = "1";
    const bool parsed = Tolerate([&] { ParseSelectedLocation(record, place); });
    if (!parsed) {
        // A damaged record leaves the values at 0, never half filled.
        Require(place.PlaceLatitude == 0 && place.PlaceLongitude == 0 && place.PlaceZone == 0,
                "values half filled", record);
    }
    for (const int year : kYears) {
        CheckSavingAround(record, place, year);
    }
    // Arbitrary days, as far apart as a day count goes.
    if (size >= sizeof(DaySerial)) {
        DaySerial day = 0;
        for (std::size_t i = 0; i < sizeof day; ++i) {
            day = static_cast<DaySerial>((static_cast<std::uint32_t>(day) << 8) | data[i]);
        }
        Tolerate([&] {
            ApplyDaylightSaving(record, SingleToText(place.PlaceZone), place.PlaceDstFlag,
                                SingleToText(place.PlaceLatitude), day);
        });
    }
    return 0;
}
