#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "locations/PlaceValues.h"
#include "table/CalculateMonth.h"
#include "table/MonthTable.h"

namespace quintrel {

/// Minutes between two samples of a curve: fine enough that a straight line between
/// samples stays within a fraction of a minute of the engine's own crossing times.
inline constexpr int kDaySampleMinutes = 5;

/// One point of a body's curve.
struct AltitudeSample {
    double clockHours = 0;       ///< hours after midnight on the clock the table shows
    double seenAltitudeDeg = 0;  ///< altitude less the body's rise/set threshold: 0 at rise and set
};

/// A run of samples drawn as one line. A clock-change day has two runs: the table shows the
/// day's events partly on the advanced clock and partly on standard time, and so does the
/// picture.
using AltitudeCurve = std::vector<AltitudeSample>;

enum class SkyLight { Night, Twilight, Daylight };

/// A stretch of the day by the sun's height: night below nautical twilight, twilight up to
/// sunrise height, daylight above it.
struct LightSpan {
    SkyLight light = SkyLight::Night;
    double startHours = 0;
    double endHours = 0;
};

enum class PeriodKind { Major, Minor };

/// An activity period: a bar centred on the table's time.
struct ActivityPeriod {
    PeriodKind kind = PeriodKind::Major;
    std::string timeText;  ///< the table's text ("13:36")
    double centreHours = 0;
    double startHours = 0;  ///< may lie before 0 or after 24; the drawing clips
    double endHours = 0;
};

enum class SkyBody { Sun, Moon };

/// A rise or set the table lists, placed on the clock at its own text.
struct RiseSetMark {
    SkyBody body = SkyBody::Sun;
    bool isRise = true;
    std::string timeText;
    double clockHours = 0;
};

/// A point of the water level curve.
struct TideSample {
    double clockHours = 0;  ///< on the clock the table shows, as the other curves
    double level = 0;       ///< above the station's datum, in its units
};

/// A high or low water, labelled on the curve.
struct TideMark {
    bool isHigh = false;
    std::string timeText;    ///< "04:12"
    std::string heightText;  ///< "2.31"
    double clockHours = 0;
    double level = 0;
};

/// The tides of a day, for a place that has a station: the tides library fills them in
/// (the table knows nothing of tides), the picture draws them on a scale of their own.
struct DayTides {
    std::string stationLine;  ///< station, distance, datum, units and "Not for navigation"
    std::string unitsSymbol;  ///< "m" or "ft"
    std::vector<std::vector<TideSample>> curves;  ///< one run, two on a clock-change day
    std::vector<TideMark> marks;
    std::string problem;  ///< why there are no tides this day (a year outside the tables)
};

/// Everything one day's picture shows, worked out without drawing anything. Every time
/// text comes from the month table's row; the curves are the engine's altitudes.
struct DayPicture {
    DayRow row;  ///< the table's row of the day
    int year = 0, month = 0, day = 0;
    std::string weekdayName;       ///< "Sunday"
    std::string zoneText;          ///< hours ahead of Greenwich the day is computed on ("11")
    bool isStartDay = false;       ///< clocks go forward: the earliest events are on standard time
    bool isEndDay = false;         ///< clocks go back: the later events are on standard time
    int changeFromHour = 0;        ///< on a change day, the hour the clock leaves (New York 2)
    int changeToHour = 0;          ///< and the hour it shows next (New York 3 forward, 1 back)
    std::string standardZoneText;  ///< on a change day, the offset of standard time ("10")
    bool southern = false;         ///< south of the equator the lit side of the moon is mirrored
    std::vector<AltitudeCurve> sun;
    std::vector<AltitudeCurve> moon;
    std::vector<LightSpan> light;  ///< in order along each curve run
    std::vector<ActivityPeriod> periods;
    std::vector<RiseSetMark> marks;
    int percentLit = 0;
    bool waxing = false;
    std::optional<DayTides> tides;  ///< only where the place has a tide station
};

/// The picture of day `dayOfMonth` of `table`, which must be the month table of `place`
/// (with `record`, its location record) for the table's month. Throws CoreError for a day
/// the table does not hold or a failing engine call.
DayPicture BuildDayPicture(const PlaceValues& place, std::string_view record,
                           const MonthTable& table, int dayOfMonth);

/// How long an activity period lasts, in hours, by the day's stars ("*" .. "****"): majors
/// from an hour on the poor days to two on the best, minors from half an hour to an hour,
/// as the report's notes tell the reader.
double PeriodHours(PeriodKind kind, std::string_view stars);

/// "Quintrel For Australia (Sydney) on Sunday 6 April 2025"; `placeText` is the place
/// list's display text (UTF-8).
std::string DayTitleText(std::string_view placeText, const DayPicture& picture);

/// The clock the day's times are on: "Clock: GMT +10 hours", or on a change day
/// "Clocks go back today: GMT +11 hours, then GMT +10 hours" (forward likewise).
std::string DayClockText(const DayPicture& picture);

/// The days of the day picture window: which day is shown, stepping across month ends,
/// and the month table that gives the day's texts (computed again only when the month
/// changes).
class DayView {
  public:
    /// Throws CoreError when the place's record cannot be read or the month is out of reach.
    DayView(std::string record, int year, int month, int day, const MonthOptions& options = {});

    const DayPicture& Picture() const { return picture_; }
    const std::string& Record() const { return record_; }

    /// Moves `days` days on (back when negative). A day the tables cannot reach throws
    /// CoreError and the day shown stays.
    void Step(int days);

    /// Adds to every picture shown from now on what `addition` puts in (the tides of the
    /// place), the one shown included.
    void SetAddition(std::function<void(DayPicture&)> addition);

  private:
    void Show(int year, int month, int day);

    std::string record_;
    MonthOptions options_;
    PlaceValues place_;
    MonthTable table_;
    DayPicture picture_;
    std::function<void(DayPicture&)> addition_;
};

}  // namespace quintrel
