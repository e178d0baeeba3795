// The day picture's content: the sun's and moon's curves from the engine's own altitude
// function, the light of the day, the activity periods and the rise and set marks, all on
// the clock the month table shows.

#include "table/DayPicture.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "astro/CalendarNames.h"
#include "astro/CivilDate.h"
#include "astro/CoreError.h"
#include "astro/NumberText.h"
#include "astro/RiseSetSearch.h"
#include "astro/mRiseSet.h"
#include "locations/RealClock.h"
#include "table/CalculateMonth.h"
#include "table/DateEvents.h"

namespace quintrel {

namespace {

constexpr double kRadiansToDegrees = 57.295779513082320876798;

// How high the top of a body's disc is seen at an hour of the computed day: the search's own
// altitude function and set-up, less the threshold the search counts rise and set at.
double SeenAltitudeDeg(const mRiseSet::BodySearch& search, double thresholdDeg, double hour) {
    const double sinAltitude =
        mRiseSet::SinAltitude(search.body, search.mjd0, hour, search.longitudeWestDeg,
                              search.cosLatitude, search.sinLatitude);
    return std::asin(std::clamp(sinAltitude, -1.0, 1.0)) * kRadiansToDegrees - thresholdDeg;
}

// Samples one body over the local day on the real clock. `search` is set up on the clock
// whose midnight is `searchMidnight`; each sample is placed at its instant's reading. Where
// the clock moves the reading jumps, which splits the curve in two; both runs get the
// sample at the change, so each ends exactly at the switch.
std::vector<AltitudeCurve> SampleCurves(const mRiseSet::BodySearch& search, double thresholdDeg,
                                        const PlaceClock& clock, DaySerial date,
                                        const LocalDay& day, UnixSeconds searchMidnight) {
    const auto shownMinutes = [&](UnixSeconds instant) {
        const ClockReading reading = LocalClockAt(clock, instant);
        return reading.secondOfDay / 60 + 1440 * (reading.date - date);
    };
    const int firstMinute = static_cast<int>((day.start - searchMidnight) / 60);
    const int lastMinute = static_cast<int>((day.end - searchMidnight) / 60);
    std::vector<AltitudeCurve> curves;
    int previousShift = 0;
    for (int minute = firstMinute; minute <= lastMinute; minute += kDaySampleMinutes) {
        const double hours = minute / 60.0;
        const UnixSeconds instant = searchMidnight + static_cast<UnixSeconds>(minute) * 60;
        // The day's last instant is the next day's 00:00: shown as this day's 24:00.
        const int shown = instant == day.end ? 1440 : shownMinutes(instant);
        const int shift = minute - shown;
        const double altitude = SeenAltitudeDeg(search, thresholdDeg, hours);
        if (curves.empty()) {
            curves.emplace_back();
        } else if (shift != previousShift) {
            curves.back().push_back({(minute - previousShift) / 60.0, altitude});
            curves.emplace_back();
        }
        curves.back().push_back({shown / 60.0, altitude});
        previousShift = shift;
    }
    return curves;
}

SkyLight LightAt(double sunSeenDeg) {
    const double altitudeDeg = sunSeenDeg + mRiseSet::kSunThresholdDeg;
    if (sunSeenDeg >= 0) {
        return SkyLight::Daylight;
    }
    return altitudeDeg >= mRiseSet::kNauticalThresholdDeg ? SkyLight::Twilight : SkyLight::Night;
}

// Where between two samples the sun passes the height that separates two kinds of light,
// by straight-line interpolation, as the curve is drawn.
double LightBoundary(const AltitudeSample& a, const AltitudeSample& b, SkyLight from, SkyLight to) {
    const SkyLight upper = std::max(from, to);
    const double levelSeenDeg = upper == SkyLight::Daylight
                                    ? 0.0
                                    : mRiseSet::kNauticalThresholdDeg - mRiseSet::kSunThresholdDeg;
    const double span = b.seenAltitudeDeg - a.seenAltitudeDeg;
    if (span == 0) {
        return b.clockHours;
    }
    const double fraction = (levelSeenDeg - a.seenAltitudeDeg) / span;
    return a.clockHours + std::clamp(fraction, 0.0, 1.0) * (b.clockHours - a.clockHours);
}

std::vector<LightSpan> LightSpans(const std::vector<AltitudeCurve>& sunCurves) {
    std::vector<LightSpan> spans;
    for (const AltitudeCurve& curve : sunCurves) {
        if (curve.empty()) {
            continue;
        }
        LightSpan span{LightAt(curve.front().seenAltitudeDeg), curve.front().clockHours, 0};
        for (std::size_t i = 1; i < curve.size(); ++i) {
            SkyLight light = LightAt(curve[i].seenAltitudeDeg);
            // A jump from night to daylight in five minutes cannot happen; treating each
            // change of light between two samples as one boundary is enough.
            if (light != span.light) {
                const double boundary = LightBoundary(curve[i - 1], curve[i], span.light, light);
                span.endHours = boundary;
                spans.push_back(span);
                span = {light, boundary, 0};
            }
        }
        span.endHours = curve.back().clockHours;
        spans.push_back(span);
    }
    return spans;
}

int StarCount(std::string_view stars) {
    return std::clamp(static_cast<int>(stars.size()), 1, 4);
}

void AddPeriod(std::vector<ActivityPeriod>& periods, PeriodKind kind, const std::string& text,
               std::string_view stars) {
    if (!mRiseSet::IsTimeText(text)) {
        return;
    }
    const double centre = mRiseSet::TimeTextToHours(text);
    const double half = PeriodHours(kind, stars) / 2;
    periods.push_back({kind, text, centre, centre - half, centre + half});
}

void AddMark(std::vector<RiseSetMark>& marks, SkyBody body, bool isRise, const std::string& text) {
    if (mRiseSet::IsTimeText(text)) {
        marks.push_back({body, isRise, text, mRiseSet::TimeTextToHours(text)});
    }
}

std::string GmtText(std::string_view zoneText) {
    const std::string_view trimmed = TrimBlanks(zoneText);
    const bool signed_ = !trimmed.empty() && (trimmed.front() == '-' || trimmed.front() == '+');
    return "GMT " + std::string(signed_ ? "" : "+") + std::string(trimmed) + " hours";
}

}  // namespace

double PeriodHours(PeriodKind kind, std::string_view stars) {
    // One star: an hour for a major; each further star adds a third of an hour, so the
    // best days reach two hours. Minors last half as long.
    const double majorHours = 1.0 + (StarCount(stars) - 1) / 3.0;
    return kind == PeriodKind::Major ? majorHours : majorHours / 2;
}

DayPicture BuildDayPicture(const PlaceValues& place, std::string_view record,
                           const MonthTable& table, int dayOfMonth) {
    if (dayOfMonth < 1 || dayOfMonth > static_cast<int>(table.rows.size())) {
        throw CoreError("Day " + std::to_string(dayOfMonth) + " is not in the month's table");
    }
    DayPicture picture;
    picture.row = table.rows[static_cast<std::size_t>(dayOfMonth - 1)];
    picture.year = table.Year;
    picture.month = table.Month;
    picture.day = dayOfMonth;
    picture.weekdayName = picture.row.DayName;

    const PlaceTexts texts = MakePlaceTexts(place, record);
    const DaySerial date = DateSerial(table.Year, table.Month, dayOfMonth);
    const LocalDay day = LocalDayOf(texts.clock, date);
    // A change day is searched on the summer clock, which covers all of it but the last
    // hour of a 25-hour day; the samples past its 24:00 fill that hour.
    const bool summer = day.hasChange || LocalClockAt(texts.clock, day.start).summer;
    picture.zoneText = summer ? texts.clock.summerZoneText : texts.clock.zoneText;
    picture.isStartDay = day.hasChange && day.forward;
    picture.isEndDay = day.hasChange && !day.forward;
    if (day.hasChange) {
        picture.standardZoneText = texts.zone;
        picture.changeFromHour = day.changeFromHour;
        picture.changeToHour = day.changeToHour;
    }

    // The numbers read from the same texts as the table's searches read them.
    const double latitudeDeg = ReadNumber(texts.latitude);
    const double longitudeDeg = ReadNumber(texts.longitude);
    const double zoneHours = ReadNumber(picture.zoneText);
    const UnixSeconds searchMidnight =
        UtcMidnight(date) - texts.clock.standardSeconds - (summer ? 3600 : 0);
    const auto search = [&](std::string_view code) {
        return mRiseSet::MakeBodySearch(code, latitudeDeg, longitudeDeg, zoneHours, table.Year,
                                        table.Month, static_cast<std::int16_t>(dayOfMonth));
    };
    picture.southern = latitudeDeg < 0;
    picture.sun = SampleCurves(search(""), mRiseSet::kSunThresholdDeg, texts.clock, date, day,
                               searchMidnight);
    picture.moon = SampleCurves(search("M"), mRiseSet::kMoonThresholdDeg, texts.clock, date, day,
                                searchMidnight);
    picture.light = LightSpans(picture.sun);

    const DayRow& row = picture.row;
    AddPeriod(picture.periods, PeriodKind::Major, row.Maj1, row.Stars);
    AddPeriod(picture.periods, PeriodKind::Major, row.Maj2, row.Stars);
    AddPeriod(picture.periods, PeriodKind::Minor, row.Min1, row.Stars);
    AddPeriod(picture.periods, PeriodKind::Minor, row.Min2, row.Stars);
    AddMark(picture.marks, SkyBody::Sun, true, row.SRise);
    AddMark(picture.marks, SkyBody::Sun, false, row.SSet);
    AddMark(picture.marks, SkyBody::Moon, true, row.MRise);
    AddMark(picture.marks, SkyBody::Moon, false, row.MSet);

    picture.percentLit = static_cast<int>(ReadWholeNumber(row.Phase));
    picture.waxing = row.WaxWan == "+";
    return picture;
}

std::string DayTitleText(std::string_view placeText, const DayPicture& picture) {
    return "Quintrel For " + std::string(placeText) + " on " + picture.weekdayName + " " +
           std::to_string(picture.day) + " " +
           GetMonthName(static_cast<std::int16_t>(picture.month), true) + " " +
           std::to_string(picture.year);
}

std::string DayClockText(const DayPicture& picture) {
    if (picture.isStartDay) {
        return "Clocks go forward today: " + GmtText(picture.standardZoneText) + ", then " +
               GmtText(picture.zoneText);
    }
    if (picture.isEndDay) {
        return "Clocks go back today: " + GmtText(picture.zoneText) + ", then " +
               GmtText(picture.standardZoneText);
    }
    return "Clock: " + GmtText(picture.zoneText);
}

DayView::DayView(std::string record, int year, int month, int day, const MonthOptions& options)
    : record_(std::move(record)), options_(options) {
    ParseSelectedLocation(record_, place_);
    Show(year, month, day);
}

void DayView::Step(int days) {
    const CivilDate next =
        DateFromSerial(DateSerial(picture_.year, picture_.month, picture_.day) + days);
    Show(next.year, next.month, next.day);
}

void DayView::Show(int year, int month, int day) {
    if (table_.rows.empty() || table_.Year != year || table_.Month != month) {
        MonthTable table = CalculateMonth(place_, record_, static_cast<std::int16_t>(month),
                                          static_cast<std::int16_t>(year), options_);
        DayPicture picture = BuildDayPicture(place_, record_, table, day);
        table_ = std::move(table);
        picture_ = std::move(picture);
    } else {
        picture_ = BuildDayPicture(place_, record_, table_, day);
    }
    if (addition_) {
        addition_(picture_);
    }
}

void DayView::SetAddition(std::function<void(DayPicture&)> addition) {
    addition_ = std::move(addition);
    if (addition_) {
        addition_(picture_);
    }
}

}  // namespace quintrel
