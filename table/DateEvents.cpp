#include "table/DateEvents.h"

#include <algorithm>
#include <optional>

#include "astro/CivilDate.h"
#include "astro/FastRiseSet.h"
#include "astro/NumberText.h"
#include "astro/RiseSetSearch.h"
#include "astro/mRiseSet.h"

namespace quintrel {

namespace {

constexpr UnixSeconds kSameEventSeconds = 3 * 3600;

// The instant of a time text of `date` read on a clock `offsetSeconds` ahead of UTC.
std::optional<UnixSeconds> InstantOfText(std::string_view text, DaySerial date, int offsetSeconds) {
    if (!mRiseSet::IsTimeText(text)) {
        return std::nullopt;
    }
    const int minutes =
        ((text[0] - '0') * 10 + (text[1] - '0')) * 60 + (text[3] - '0') * 10 + (text[4] - '0');
    return UtcMidnight(date) + static_cast<UnixSeconds>(minutes) * 60 - offsetSeconds;
}

// "hh:mm" of an instant as the real clock shows it on `date` (24:00 for the end of the day).
std::string ShownText(const PlaceClock& clock, DaySerial date, UnixSeconds instant) {
    const ClockReading reading = LocalClockAt(clock, instant);
    const int minutes = reading.secondOfDay / 60 + 1440 * (reading.date - date);
    return mRiseSet::ClockPartsText({minutes / 60, minutes % 60});
}

// One body's answers on a search clock, as instants.
struct ClockAnswers {
    mRiseSet::RiseSetTexts texts;
    int offsetSeconds = 0;
    std::optional<UnixSeconds> rise, set;
};

ClockAnswers Answers(mRiseSet::RiseSetTexts texts, DaySerial date, int offsetSeconds) {
    ClockAnswers answers{std::move(texts), offsetSeconds, std::nullopt, std::nullopt};
    answers.rise = InstantOfText(answers.texts.rise, date, offsetSeconds);
    answers.set = InstantOfText(answers.texts.set, date, offsetSeconds);
    return answers;
}

// The one event of a kind the date shows: the summer clock's where both searches found
// it (the minutes the table has always shown), otherwise the first the date holds.
std::optional<UnixSeconds> KeptEvent(const LocalDay& day, std::optional<UnixSeconds> summer,
                                     std::optional<UnixSeconds> standard) {
    const auto holds = [&](std::optional<UnixSeconds> t) {
        return t && day.start <= *t && *t <= day.end;
    };
    if (!holds(summer)) {
        summer.reset();
    }
    if (!holds(standard)) {
        standard.reset();
    }
    if (summer && standard) {
        const UnixSeconds apart = *summer > *standard ? *summer - *standard : *standard - *summer;
        return apart < kSameEventSeconds ? *summer : std::min(*summer, *standard);
    }
    return summer ? summer : standard;
}

// Where the body was when the search's window began: its status word, or the opposite of
// its first event.
std::string StateAtWindowStart(const ClockAnswers& answers) {
    if (!answers.rise && !answers.set) {
        return answers.texts.rise == "up" ? "up" : "down";
    }
    const bool riseFirst = answers.rise && (!answers.set || *answers.rise < *answers.set);
    return riseFirst ? "down" : "up";
}

// A body's answers on a change day from a search on each clock.
mRiseSet::RiseSetTexts OnRealClock(const PlaceClock& clock, DaySerial date, const LocalDay& day,
                                   const ClockAnswers& summer, const ClockAnswers& standard) {
    const std::optional<UnixSeconds> rise = KeptEvent(day, summer.rise, standard.rise);
    const std::optional<UnixSeconds> set = KeptEvent(day, summer.set, standard.set);
    mRiseSet::RiseSetTexts shown;
    if (!rise && !set) {
        const bool standardStartsDay = UtcMidnight(date) - standard.offsetSeconds == day.start;
        shown.rise = StateAtWindowStart(standardStartsDay ? standard : summer);
        shown.set = shown.rise;
        return shown;
    }
    if (rise) {
        shown.rise = ShownText(clock, date, *rise);
    }
    if (set) {
        shown.set = ShownText(clock, date, *set);
    }
    return shown;
}

// Runs `search(summer)` (one body's rise and set texts on the summer or the standard
// clock) on the clock of the date, or on a change day on both clocks, and gives the texts
// on the real clock.
template <class Search>
mRiseSet::RiseSetTexts BodyOnRealClock(const PlaceTexts& place, DaySerial date, const LocalDay& day,
                                       Search&& search) {
    const PlaceClock& clock = place.clock;
    if (!day.hasChange) {
        return search(day.summerAtStart);
    }
    const ClockAnswers summer = Answers(search(true), date, clock.standardSeconds + 3600);
    const ClockAnswers standard = Answers(search(false), date, clock.standardSeconds);
    return OnRealClock(clock, date, day, summer, standard);
}

const std::string& ZoneText(const PlaceClock& clock, bool summer) {
    return summer ? clock.summerZoneText : clock.zoneText;
}

// The offset of the summer or the standard clock as the search reads it.
double ZoneHours(const PlaceTexts& place, bool summer) {
    const std::optional<double>& hours = summer ? place.summerZoneHours : place.zoneHours;
    return hours ? *hours : ReadNumber(ZoneText(place.clock, summer));
}

struct LocalDate {
    std::int16_t year, month, day;
};

LocalDate CivilOf(DaySerial date) {
    const CivilDate civil = DateFromSerial(date);
    return {static_cast<std::int16_t>(civil.year), static_cast<std::int16_t>(civil.month),
            static_cast<std::int16_t>(civil.day)};
}

}  // namespace

PlaceTexts MakePlaceTexts(const PlaceValues& place, std::string_view record) {
    PlaceTexts texts;
    texts.latitude = SingleToText(place.PlaceLatitude);
    texts.longitude = SingleToText(place.PlaceLongitude);
    texts.zone = SingleToText(place.PlaceZone);
    texts.dstFlag = place.PlaceDstFlag;
    texts.record = record;
    texts.latitudeDeg = ReadNumber(texts.latitude);
    texts.longitudeDeg = ReadNumber(texts.longitude);
    texts.clock = MakePlaceClock(record, texts.zone, texts.dstFlag, texts.latitude);
    texts.zoneHours = TryReadNumber(texts.clock.zoneText);
    texts.summerZoneHours = TryReadNumber(texts.clock.summerZoneText);
    return texts;
}

DateEvents EventsOneByOne(const PlaceTexts& place, DaySerial date, EventsWanted wanted) {
    DateEvents events;
    const LocalDate local = CivilOf(date);
    const LocalDay day = LocalDayOf(place.clock, date);
    const auto searchBody = [&](std::string_view riseCode, std::string_view setCode, bool wantRise,
                                bool wantSet) {
        return BodyOnRealClock(place, date, day, [&](bool summer) {
            const std::string& zoneText = ZoneText(place.clock, summer);
            const auto search = [&](std::string_view code) {
                return mRiseSet::RiseSetTime(place.latitude, place.longitude, zoneText, code,
                                             local.year, local.month, local.day);
            };
            // Both answers are needed to place the events of a change day.
            mRiseSet::RiseSetTexts texts;
            if (wantRise || day.hasChange) {
                texts.rise = search(riseCode);
            }
            if (wantSet || day.hasChange) {
                texts.set = search(setCode);
            }
            return texts;
        });
    };
    if (wanted.sun) {
        mRiseSet::RiseSetTexts sun = searchBody("R", "S", true, true);
        events.sunRise = std::move(sun.rise);
        events.sunSet = std::move(sun.set);
    }
    if (wanted.moonRise || wanted.moonSet) {
        mRiseSet::RiseSetTexts moon = searchBody("MR", "MS", wanted.moonRise, wanted.moonSet);
        if (wanted.moonRise) {
            events.moonRise = std::move(moon.rise);
        }
        if (wanted.moonSet) {
            events.moonSet = std::move(moon.set);
        }
    }
    return events;
}

DateEvents EventsByBody(const PlaceTexts& place, DaySerial date, EventsWanted wanted,
                        SearchPath path) {
    DateEvents events;
    const LocalDate local = CivilOf(date);
    const LocalDay day = LocalDayOf(place.clock, date);
    const auto searchBody = [&](std::string_view bodyCode) {
        return BodyOnRealClock(place, date, day, [&](bool summer) {
            const mRiseSet::BodySearch body = mRiseSet::MakeBodySearch(
                bodyCode, place.latitudeDeg, place.longitudeDeg, ZoneHours(place, summer),
                local.year, local.month, local.day);
            return mRiseSet::RiseSetHoursToTexts(path == SearchPath::Fastest
                                                     ? mRiseSet::SearchRiseSetFastOrExact(body)
                                                     : mRiseSet::SearchRiseSet(body));
        });
    };
    if (wanted.sun) {
        mRiseSet::RiseSetTexts sun = searchBody("");
        events.sunRise = std::move(sun.rise);
        events.sunSet = std::move(sun.set);
    }
    if (wanted.moonRise || wanted.moonSet) {
        mRiseSet::RiseSetTexts moon = searchBody("M");
        events.moonRise = std::move(moon.rise);
        events.moonSet = std::move(moon.set);
    }
    return events;
}

}  // namespace quintrel
