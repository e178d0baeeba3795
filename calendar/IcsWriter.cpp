#include "calendar/IcsWriter.h"

#include <libical/ical.h>

#include <memory>

#include "astro/CoreError.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"
#include "locations/PlaceValues.h"
#include "table/ReportTexts.h"

namespace quintrel {

namespace {

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

struct BufferFree {
    void operator()(char* buffer) const { icalmemory_free_buffer(buffer); }
};

// libical holds dates of the years 0 to 3000 only and writes any other as 00000000; the
// table reaches further, so such a date is refused instead of written wrong.
icaltimetype Checked(icaltimetype time) {
    if (!icaltime_is_valid_time(time)) {
        throw CoreError("A calendar can hold dates up to the year 3000 only, not " +
                        std::to_string(time.year));
    }
    return time;
}

icaltimetype UtcTime(UnixSeconds seconds) {
    return Checked(icaltime_from_timet_with_zone(static_cast<time_t>(seconds), 0,
                                                 icaltimezone_get_utc_timezone()));
}

icaltimetype DateOnly(const CivilDate& date) {
    icaltimetype time = icaltime_null_date();
    time.year = date.year;
    time.month = date.month;
    time.day = date.day;
    return Checked(time);
}

// The place's name and position, shared by every event.
struct EventPlace {
    std::string name;
    icalgeotype geo{};
};

icalcomponent* NewReminder(const CalendarEvent& event, int minutes) {
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(-minutes * 60);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(alarm, icalproperty_new_description(event.summary.c_str()));
    return alarm;
}

Component NewEvent(const CalendarEvent& event, const EventPlace& place, UnixSeconds stampUtc,
                   int alarmMinutes) {
    // Owned until it is complete: a date refused on the way must not leak the event.
    Component owner(icalcomponent_new(ICAL_VEVENT_COMPONENT));
    icalcomponent* vevent = owner.get();
    icalcomponent_add_property(vevent, icalproperty_new_uid(event.uid.c_str()));
    icalcomponent_add_property(vevent, icalproperty_new_dtstamp(UtcTime(stampUtc)));
    if (event.allDay) {
        icaltimetype start = DateOnly(event.date);
        icaltimetype end = start;
        icaltime_adjust(&end, 1, 0, 0, 0);
        icalcomponent_add_property(vevent, icalproperty_new_dtstart(start));
        icalcomponent_add_property(vevent, icalproperty_new_dtend(end));
    } else {
        icalcomponent_add_property(vevent, icalproperty_new_dtstart(UtcTime(event.startUtc)));
        icalcomponent_add_property(vevent, icalproperty_new_dtend(UtcTime(event.endUtc)));
    }
    icalcomponent_add_property(vevent, icalproperty_new_summary(event.summary.c_str()));
    icalcomponent_add_property(vevent, icalproperty_new_description(event.description.c_str()));
    icalcomponent_add_property(vevent, icalproperty_new_location(place.name.c_str()));
    icalcomponent_add_property(vevent, icalproperty_new_geo(place.geo));
    // A period is a hint, not an appointment: it must not show the user as busy.
    icalcomponent_add_property(vevent, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    if (event.remind && alarmMinutes > 0) {
        icalcomponent_add_component(vevent, NewReminder(event, alarmMinutes));
    }
    return owner;
}

}  // namespace

std::string CalendarProductId() {
    return "-//Varnel//Quintrel " + VersionNumberText() + "//EN";
}

std::string BuildIcsText(const std::vector<MonthTable>& tables, std::string_view record,
                         const CalendarOptions& options, UnixSeconds stampUtc,
                         const CalendarTides* waters) {
    const std::vector<CalendarEvent> events =
        CollectCalendarEvents(tables, record, options, waters);
    PlaceValues values;
    ParseSelectedLocation(record, values);
    EventPlace place;
    place.name = Cp1252ToUtf8(LocationDisplayText(record));
    place.geo.lat = static_cast<double>(values.PlaceLatitude);
    place.geo.lon = static_cast<double>(values.PlaceLongitude);

    const Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid(CalendarProductId().c_str()));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    for (const CalendarEvent& event : events) {
        icalcomponent_add_component(
            calendar.get(), NewEvent(event, place, stampUtc, options.alarmMinutes).release());
    }

    // libical marks what breaks the standard with X-LIC-ERROR properties; a calendar that a
    // client might refuse is not handed out.
    icalrestriction_check(calendar.get());
    if (icalcomponent_count_errors(calendar.get()) > 0) {
        const std::unique_ptr<char, BufferFree> text(
            icalcomponent_as_ical_string_r(calendar.get()));
        throw CoreError("The calendar does not pass its own check:\n" + std::string(text.get()));
    }
    const std::unique_ptr<char, BufferFree> text(icalcomponent_as_ical_string_r(calendar.get()));
    if (!text) {
        throw CoreError("The calendar could not be written");
    }
    return std::string(text.get());
}

}  // namespace quintrel
