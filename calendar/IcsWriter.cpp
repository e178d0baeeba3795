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

namespace {

constexpr std::string_view kCalendarEnd = "END:VCALENDAR\r\n";

Component NewCalendar() {
    Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid(CalendarProductId().c_str()));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    return calendar;
}

// The whole text of a calendar, checked as a client would check it when `check`.
std::string CheckedCalendarText(icalcomponent* calendar, bool check = true) {
    // libical marks what breaks the standard with X-LIC-ERROR properties; a calendar that a
    // client might refuse is not handed out.
    if (check) {
        icalrestriction_check(calendar);
    }
    if (check && icalcomponent_count_errors(calendar) > 0) {
        const std::unique_ptr<char, BufferFree> text(icalcomponent_as_ical_string_r(calendar));
        throw CoreError("The calendar does not pass its own check:\n" + std::string(text.get()));
    }
    const std::unique_ptr<char, BufferFree> text(icalcomponent_as_ical_string_r(calendar));
    if (!text) {
        throw CoreError("The calendar could not be written");
    }
    return std::string(text.get());
}

}  // namespace

IcsStreamWriter::IcsStreamWriter(std::string_view record, const CalendarOptions& options,
                                 UnixSeconds stampUtc, Sink sink)
    : record_(record), options_(options), stampUtc_(stampUtc), sink_(std::move(sink)) {
    // The record is checked before anything goes out.
    PlaceValues values;
    ParseSelectedLocation(record_, values);
    // The head is what libical writes before the first event of a calendar.
    const Component empty = NewCalendar();
    std::string text = CheckedCalendarText(empty.get());
    if (!text.ends_with(kCalendarEnd)) {
        throw CoreError("The calendar could not be written");
    }
    text.resize(text.size() - kCalendarEnd.size());
    head_ = text;
    sink_(head_);
}

void IcsStreamWriter::AddMonths(const std::vector<MonthTable>& tables) {
    const std::vector<CalendarEvent> events = CollectCalendarEvents(tables, record_, options_);
    if (events.empty()) {
        return;
    }
    PlaceValues values;
    ParseSelectedLocation(record_, values);
    EventPlace place;
    place.name = Cp1252ToUtf8(LocationDisplayText(record_));
    place.geo.lat = static_cast<double>(values.PlaceLatitude);
    place.geo.lon = static_cast<double>(values.PlaceLongitude);
    // These months' entries as a calendar of their own, written without the head and the
    // end that the whole calendar has once. The check costs six times the making (ten
    // seconds for a century), and entries of one shape are made by the same steps: a
    // piece is checked when it holds a shape no checked piece held.
    const Component calendar = NewCalendar();
    bool newShape = false;
    for (const CalendarEvent& event : events) {
        const int shape =
            (event.allDay ? 1 : 0) | (event.remind && options_.alarmMinutes > 0 ? 2 : 0);
        newShape = newShape || (checkedShapes_ & (1 << shape)) == 0;
        checkedShapes_ |= 1 << shape;
        icalcomponent_add_component(
            calendar.get(), NewEvent(event, place, stampUtc_, options_.alarmMinutes).release());
    }
    const std::string text = CheckedCalendarText(calendar.get(), newShape);
    if (!text.starts_with(head_) || !text.ends_with(kCalendarEnd)) {
        throw CoreError("The calendar could not be written");
    }
    sink_(std::string_view(text).substr(head_.size(),
                                        text.size() - head_.size() - kCalendarEnd.size()));
}

void IcsStreamWriter::Finish() {
    sink_(kCalendarEnd);
}

std::string BuildIcsText(const std::vector<MonthTable>& tables, std::string_view record,
                         const CalendarOptions& options, UnixSeconds stampUtc) {
    std::string text;
    IcsStreamWriter writer(record, options, stampUtc,
                           [&](std::string_view piece) { text += piece; });
    writer.AddMonths(tables);
    writer.Finish();
    return text;
}

}  // namespace quintrel
