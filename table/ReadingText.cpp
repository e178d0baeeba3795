#include "table/ReadingText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "astro/CalendarNames.h"
#include "astro/Rating.h"

namespace quintrel {

namespace {

// The table writes ":" where a day has no such event.
std::string TimeOrNone(const std::string& time) {
    return time.empty() || time == ":" ? std::string("none") : time;
}

// "13:36 and 01:10", "13:36" when the second is missing, "none" when both are.
std::string TwoTimes(const std::string& first, const std::string& second) {
    const bool hasFirst = !first.empty() && first != ":";
    const bool hasSecond = !second.empty() && second != ":";
    if (hasFirst && hasSecond) {
        return first + " and " + second;
    }
    if (hasFirst || hasSecond) {
        return hasFirst ? first : second;
    }
    return "none";
}

// "sunrise 06:12, sunset 17:45", or "sun never sets" on a day the body stays up (down).
std::string RiseAndSet(std::string_view body, const std::string& rise, const std::string& set) {
    if (rise == "never") {
        return std::string(body) + " never " + set;
    }
    return std::string(body) + "rise " + TimeOrNone(rise) + ", " + std::string(body) + "set " +
           TimeOrNone(set);
}

std::string RatingText(const std::string& rating, const std::string& stars) {
    if (rating.empty()) {
        return "no rating";
    }
    const std::size_t count = stars.size();
    return rating + ", " + std::to_string(count) + (count == 1 ? " star" : " stars");
}

std::string LightName(SkyLight light) {
    switch (light) {
        case SkyLight::Night:
            return "night";
        case SkyLight::Twilight:
            return "nautical twilight";
        case SkyLight::Daylight:
            return "daylight";
    }
    return {};
}

std::string JoinWith(const std::vector<std::string>& parts, std::string_view separator) {
    std::string joined;
    for (const std::string& part : parts) {
        if (!joined.empty()) {
            joined += separator;
        }
        joined += part;
    }
    return joined;
}

}  // namespace

std::string HoursClockText(double hours) {
    const long minutes = std::clamp(std::lround(hours * 60.0), 0L, 24L * 60L);
    char text[8];
    std::snprintf(text, sizeof text, "%02ld:%02ld", minutes / 60, minutes % 60);
    return text;
}

std::string DayLineText(const DayRow& row) {
    const std::string moon =
        "moon " + row.Phase + "% lit, " + (row.WaxWan == "+" ? "waxing" : "waning");
    return row.DayName + " " + std::to_string(row.Day) + ": " +
           RiseAndSet("sun", row.SRise, row.SSet) + "; " + RiseAndSet("moon", row.MRise, row.MSet) +
           "; " + moon + "; major times " + TwoTimes(row.Maj1, row.Maj2) + "; minor times " +
           TwoTimes(row.Min1, row.Min2) + "; rating " + RatingText(row.Rating, row.Stars);
}

std::vector<std::string> MonthReportHeadingLines(std::string_view title,
                                                 std::string_view placeLine) {
    return {std::string(title), std::string(placeLine),
            "One line per day: sun and moon rise and set, the moon's phase, the major and minor "
            "activity times, and the rating for the day."};
}

std::vector<std::string> DayPictureLines(const DayPicture& picture, std::string_view placeText,
                                         std::string_view placeLine) {
    const DayRow& row = picture.row;
    std::vector<std::string> lines = {DayTitleText(placeText, picture), std::string(placeLine),
                                      DayClockText(picture)};
    lines.push_back(RiseAndSet("sun", row.SRise, row.SSet) + ".");
    lines.push_back(RiseAndSet("moon", row.MRise, row.MSet) + ".");
    lines.push_back("Moon " + std::to_string(picture.percentLit) + "% lit, " +
                    (picture.waxing ? "waxing." : "waning."));

    std::vector<std::string> light;
    for (const LightSpan& span : picture.light) {
        if (span.endHours <= span.startHours) {
            continue;
        }
        light.push_back(LightName(span.light) + " " + HoursClockText(span.startHours) + " to " +
                        HoursClockText(span.endHours));
    }
    if (!light.empty()) {
        lines.push_back("Light: " + JoinWith(light, ", ") + ".");
    }

    for (const ActivityPeriod& period : picture.periods) {
        lines.push_back(std::string(period.kind == PeriodKind::Major ? "Major" : "Minor") +
                        " period at " + period.timeText + ", from " +
                        HoursClockText(period.startHours) + " to " +
                        HoursClockText(period.endHours) + ".");
    }
    if (picture.periods.empty()) {
        lines.push_back("No activity periods.");
    }
    lines.push_back("Rating for the day: " + RatingText(row.Rating, row.Stars) + ".");
    return lines;
}

std::vector<std::string> YearSheetLines(const YearSheet& sheet) {
    std::vector<std::string> lines = {sheet.title, sheet.placeLine};
    for (const YearMonth& month : sheet.months) {
        if (month.days.empty()) {
            continue;
        }
        std::vector<std::string> days;
        std::vector<std::string> newMoons;
        std::vector<std::string> fullMoons;
        for (const YearDay& day : month.days) {
            const std::string rating =
                day.ratingRank >= 1 && day.ratingRank <= 4
                    ? std::string(RatingWord(static_cast<Rating>(day.ratingRank)))
                    : std::string("no rating");
            days.push_back(std::to_string(day.day) + " " + rating);
            if (day.moon == MoonMark::NewMoon) {
                newMoons.push_back(std::to_string(day.day));
            } else if (day.moon == MoonMark::FullMoon) {
                fullMoons.push_back(std::to_string(day.day));
            }
        }
        std::string line = GetMonthName(static_cast<std::int16_t>(month.month), true) + ": " +
                           JoinWith(days, ", ") + ".";
        if (!newMoons.empty()) {
            line += " New moon on the " + JoinWith(newMoons, " and ") + ".";
        }
        if (!fullMoons.empty()) {
            line += " Full moon on the " + JoinWith(fullMoons, " and ") + ".";
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace quintrel
