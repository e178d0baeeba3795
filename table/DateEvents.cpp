#include "table/DateEvents.h"

#include "astro/FastRiseSet.h"
#include "astro/NumberText.h"
#include "astro/RiseSetSearch.h"
#include "astro/mRiseSet.h"
#include "locations/DaylightSaving.h"

namespace quintrel {

namespace {

struct LocalDay {
    std::string zoneText;  // the offset in force on the date, as text
    std::int16_t year, month, day;
};

LocalDay StartDate(const PlaceTexts& place, DaySerial date, DateEvents& events) {
    DaylightSavingResult saving =
        ApplyDaylightSaving(place.record, place.zone, place.dstFlag, place.latitude, date);
    events.isStartDay = saving.isStartDay;
    events.isEndDay = saving.isEndDay;
    const CivilDate civil = DateFromSerial(date);
    return {std::move(saving.zoneText), static_cast<std::int16_t>(civil.year),
            static_cast<std::int16_t>(civil.month), static_cast<std::int16_t>(civil.day)};
}

}  // namespace

PlaceTexts MakePlaceTexts(const PlaceValues& place, std::string_view record) {
    PlaceTexts texts{SingleToText(place.PlaceLatitude), SingleToText(place.PlaceLongitude),
                     SingleToText(place.PlaceZone), place.PlaceDstFlag, record};
    texts.latitudeDeg = ReadNumber(texts.latitude);
    texts.longitudeDeg = ReadNumber(texts.longitude);
    return texts;
}

DateEvents EventsOneByOne(const PlaceTexts& place, DaySerial date, EventsWanted wanted) {
    DateEvents events;
    const LocalDay local = StartDate(place, date, events);
    const auto search = [&](std::string_view code) {
        return mRiseSet::RiseSetTime(place.latitude, place.longitude, local.zoneText, code,
                                     local.year, local.month, local.day);
    };
    if (wanted.sun) {
        events.sunRise = search("R");
        events.sunSet = search("S");
    }
    if (wanted.moonRise) {
        events.moonRise = search("MR");
    }
    if (wanted.moonSet) {
        events.moonSet = search("MS");
    }
    return events;
}

DateEvents EventsByBody(const PlaceTexts& place, DaySerial date, EventsWanted wanted,
                        SearchPath path) {
    DateEvents events;
    const LocalDay local = StartDate(place, date, events);
    const double zoneHours = ReadNumber(local.zoneText);
    const auto search = [&](std::string_view bodyCode) {
        const mRiseSet::BodySearch body =
            mRiseSet::MakeBodySearch(bodyCode, place.latitudeDeg, place.longitudeDeg, zoneHours,
                                     local.year, local.month, local.day);
        return mRiseSet::RiseSetHoursToTexts(path == SearchPath::Fastest
                                                 ? mRiseSet::SearchRiseSetFastOrExact(body)
                                                 : mRiseSet::SearchRiseSet(body));
    };
    if (wanted.sun) {
        mRiseSet::RiseSetTexts sun = search("");
        events.sunRise = std::move(sun.rise);
        events.sunSet = std::move(sun.set);
    }
    if (wanted.moonRise || wanted.moonSet) {
        mRiseSet::RiseSetTexts moon = search("M");
        events.moonRise = std::move(moon.rise);
        events.moonSet = std::move(moon.set);
    }
    return events;
}

}  // namespace quintrel
