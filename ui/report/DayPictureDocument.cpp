#include "ui/report/DayPictureDocument.h"

#include <QPageSize>
#include <algorithm>
#include <cmath>
#include <string>

#include "table/ReadingText.h"
#include "table/ReportTexts.h"
#include "tides/TideTexts.h"

namespace quintrel {

namespace {

// The page is landscape; the content is 10 inches wide, centred, so it fits A4 and Letter.
constexpr int kContentWidth = 14400;
constexpr double kLowestDeg = -30;
constexpr double kHighestDeg = 90;

// Colours chosen for their greys as much as their hues: night, twilight and daylight are
// three different greys, and twilight is hatched besides, since neighbouring bands of light
// greys are hard to tell apart for weak sight or on a grey printer. The curves are darker
// than any background, and the sun is a solid line, the moon a dashed one.
const QColor kNight(0x98, 0xa0, 0xb4);
const QColor kTwilight(0xd4, 0xda, 0xe4);
const QColor kDaylight(0xff, 0xf8, 0xdc);
const QColor kSunLine(0xa0, 0x40, 0x00);
const QColor kMoonLine(0x1a, 0x2f, 0x66);
const QColor kMajorBar(0x2a, 0x2a, 0x2a);
const QColor kMinorBar(0x78, 0x78, 0x78);
const QColor kGrid(0x80, 0x80, 0x80);
const QColor kMoonDark(0x50, 0x50, 0x50);
const QColor kHatch(0x70, 0x78, 0x88);
constexpr int kHatchStep = 160;

const QColor kTideLine(0x00, 0x6d, 0x6d);

constexpr int kTidePen = 40;
// Room right of the plot for the water level's own scale.
constexpr int kTideScaleWidth = 700;

constexpr int kSunPen = 50;
constexpr int kMoonPen = 36;

ReportFont Font(double points, bool bold = false) {
    return DocumentFont(points, bold ? 700 : 400);
}

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

class DayPageRecorder {
  public:
    DayPageRecorder(ReportPage& page, int left, int top, bool tides)
        : page_(page), left_(left), top_(top) {
        plot_ = QRect(left_ + 900, top_ + 1200,
                      kContentWidth - 1200 - (tides ? kTideScaleWidth : 0), 5400);
        lane_ = QRect(plot_.left(), plot_.bottom() + 320, plot_.width(), 560);
    }

    void Record(const DayPicture& picture, std::string_view placeText, std::string_view record) {
        Heading(picture, placeText, record);
        Light(picture);
        Grid();
        ClockChange(picture);
        Curve(picture.moon, kMoonLine, kMoonPen, Qt::DashLine);
        Curve(picture.sun, kSunLine, kSunPen, Qt::SolidLine);
        Marks(picture);
        if (picture.tides) {
            Tides(*picture.tides);
        }
        Periods(picture);
        Footer(picture);
    }

  private:
    double X(double hours) const { return plot_.left() + hours / 24.0 * plot_.width(); }
    double Y(double degrees) const {
        return plot_.bottom() -
               (degrees - kLowestDeg) / (kHighestDeg - kLowestDeg) * plot_.height();
    }

    void Text(const QRect& box, const std::string& text, const ReportFont& font,
              ReportAlignment alignment = ReportAlignment::Left, bool wrap = false) {
        page_.items.push_back(
            TextItem(box, QString::fromStdString(text), font, alignment, Qt::black, wrap));
    }

    void Shape(QPainterPath path, QColor pen, int penWidth, QColor fill,
               Qt::PenStyle style = Qt::SolidLine, QRect clip = {}) {
        PageItem item;
        item.kind = PageItem::Kind::Shape;
        item.path = std::move(path);
        item.colour = pen;
        item.penWidth = penWidth;
        item.penStyle = style;
        item.fill = fill;
        item.clip = clip;
        page_.items.push_back(std::move(item));
    }

    void Rect(const QRectF& box, QColor fill, QColor pen = {}, int penWidth = 0) {
        QPainterPath path;
        path.addRect(box);
        Shape(path, pen, penWidth, fill);
    }

    /// Thin diagonal lines across `box`, clipped to it: the twilight band's mark.
    void Hatch(const QRectF& box) {
        QPainterPath lines;
        for (double x = box.left() - box.height(); x < box.right(); x += kHatchStep) {
            lines.moveTo(x, box.bottom());
            lines.lineTo(x + box.height(), box.top());
        }
        Shape(lines, kHatch, 8, {}, Qt::SolidLine, box.toAlignedRect());
    }

    void Line(QPointF from, QPointF to, QColor pen, int width, Qt::PenStyle style) {
        QPainterPath path(from);
        path.lineTo(to);
        Shape(path, pen, width, {}, style);
    }

    void Heading(const DayPicture& picture, std::string_view placeText, std::string_view record) {
        Text(QRect(left_, top_, kContentWidth, 420), DayTitleText(placeText, picture),
             Font(14, true), ReportAlignment::Centre);
        Text(QRect(left_, top_ + 460, kContentWidth, 260), PlaceLineText(record), Font(9),
             ReportAlignment::Centre);
        Text(QRect(left_, top_ + 730, kContentWidth, 260), DayClockText(picture), Font(9, true),
             ReportAlignment::Centre);
    }

    void Light(const DayPicture& picture) {
        for (const LightSpan& span : picture.light) {
            const QColor fill = span.light == SkyLight::Daylight   ? kDaylight
                                : span.light == SkyLight::Twilight ? kTwilight
                                                                   : kNight;
            const double x0 = X(span.startHours);
            const double x1 = X(span.endHours);
            for (const QRectF band : {QRectF(x0, plot_.top(), x1 - x0, plot_.height()),
                                      QRectF(x0, lane_.top(), x1 - x0, lane_.height())}) {
                Rect(band, fill);
                if (span.light == SkyLight::Twilight) {
                    Hatch(band);
                }
            }
        }
    }

    void Grid() {
        for (int degrees = -30; degrees <= 90; degrees += 30) {
            const double y = Y(degrees);
            if (degrees == 30 || degrees == 60) {
                Line({double(plot_.left()), y}, {double(plot_.right()), y}, kGrid, 6,
                     Qt::SolidLine);
            } else if (degrees == 0) {
                Line({double(plot_.left()), y}, {double(plot_.right()), y}, Qt::black, 24,
                     Qt::SolidLine);
            }
            // The zero line is the horizon the rise and set times refer to: named, not numbered.
            Text(QRect(plot_.left() - 860, Round(y) - 110, 800, 220),
                 degrees == 0 ? "Horizon" : std::to_string(degrees) + "\u00b0", Font(8),
                 ReportAlignment::Right);
        }
        for (int hour = 0; hour <= 24; ++hour) {
            const double x = X(hour);
            if (hour % 3 == 0 && hour != 0 && hour != 24) {
                Line({x, double(plot_.top())}, {x, double(plot_.bottom())}, kGrid, 6, Qt::DotLine);
            }
            Line({x, double(plot_.bottom())}, {x, plot_.bottom() + (hour % 3 == 0 ? 90.0 : 45.0)},
                 Qt::black, 10, Qt::SolidLine);
            if (hour % 3 == 0) {
                const std::string text = (hour < 10 ? "0" : "") + std::to_string(hour) + ":00";
                Text(QRect(Round(x) - 400, plot_.bottom() + 130, 800, 220), text, Font(8),
                     ReportAlignment::Centre);
            }
        }
        Rect(plot_, {}, Qt::black, 12);
        Rect(lane_, {}, Qt::black, 12);
        Text(QRect(left_, lane_.top() + 160, 820, 240), "Activity", Font(8, true),
             ReportAlignment::Right);
    }

    void ClockChange(const DayPicture& picture) {
        if (!picture.isStartDay && !picture.isEndDay) {
            return;
        }
        // Forward: the clock skips the hour it leaves (New York 02:00-03:00); back: it shows
        // the hour before the change twice (New York 01:00-02:00).
        const double from = picture.isStartDay ? picture.changeFromHour : picture.changeToHour;
        for (double hours : {from, from + 1}) {
            Line({X(hours), double(plot_.top())}, {X(hours), double(lane_.bottom())}, Qt::black, 10,
                 Qt::DashLine);
        }
        Text(QRect(Round(X(from + 0.5)) - 1000, plot_.top() + 40, 2000, 440),
             picture.isStartDay ? "clocks go\nforward" : "clocks go\nback", Font(7),
             ReportAlignment::Centre, true);
    }

    void Curve(const std::vector<AltitudeCurve>& curves, QColor colour, int width,
               Qt::PenStyle style) {
        for (const AltitudeCurve& curve : curves) {
            if (curve.empty()) {
                continue;
            }
            QPainterPath path(
                QPointF(X(curve.front().clockHours), Y(curve.front().seenAltitudeDeg)));
            for (std::size_t i = 1; i < curve.size(); ++i) {
                path.lineTo(X(curve[i].clockHours), Y(curve[i].seenAltitudeDeg));
            }
            Shape(path, colour, width, {}, style, plot_);
        }
    }

    // The water level on a scale of its own at the right of the plot: the tide's range
    // fills the upper two thirds, so the curve stays clear of the rise and set labels.
    void Tides(const DayTides& tides) {
        if (!tides.problem.empty()) {
            Text(QRect(plot_.left() + 200, plot_.top() + 120, plot_.width() - 400, 240),
                 tides.problem, Font(8, true), ReportAlignment::Centre);
            return;
        }
        double low = 0;
        double high = 0;
        bool any = false;
        for (const auto& run : tides.curves) {
            for (const TideSample& sample : run) {
                low = any ? std::min(low, sample.level) : sample.level;
                high = any ? std::max(high, sample.level) : sample.level;
                any = true;
            }
        }
        if (!any) {
            return;
        }
        const double span = std::max(high - low, 0.1);
        const double step = NiceStep(span / 4);
        const double bottom = std::floor(low / step) * step;
        const double top = std::ceil(high / step) * step;
        const double scaleTop = plot_.top() + 500.0;
        const double scaleBottom = plot_.top() + plot_.height() * 0.72;
        const auto y = [&](double level) {
            return scaleBottom - (level - bottom) / (top - bottom) * (scaleBottom - scaleTop);
        };
        const int axis = plot_.right() + 60;
        Line({double(axis), y(bottom)}, {double(axis), y(top)}, kTideLine, 14, Qt::SolidLine);
        for (double level = bottom; level <= top + step / 2; level += step) {
            Line({double(axis), y(level)}, {axis + 60.0, y(level)}, kTideLine, 10, Qt::SolidLine);
            Text(QRect(axis + 80, Round(y(level)) - 110, kTideScaleWidth - 100, 220),
                 FixedLevel(level, step), Font(7), ReportAlignment::Left);
        }
        Text(QRect(axis - 200, Round(scaleTop) - 400, kTideScaleWidth + 200, 220),
             "Tide (" + tides.unitsSymbol + ")", Font(7.5, true), ReportAlignment::Centre);
        for (const auto& run : tides.curves) {
            QPainterPath path(QPointF(X(run.front().clockHours), y(run.front().level)));
            for (std::size_t i = 1; i < run.size(); ++i) {
                path.lineTo(X(run[i].clockHours), y(run[i].level));
            }
            Shape(path, kTideLine, kTidePen, {}, Qt::DashDotLine, plot_);
        }
        for (const TideMark& mark : tides.marks) {
            const double x = X(mark.clockHours);
            const double at = y(mark.level);
            QPainterPath dot;
            dot.addEllipse(QPointF(x, at), 55, 55);
            Shape(dot, kTideLine, 10, mark.isHigh ? kTideLine : QColor(Qt::white));
            const int width = 2200;
            const int boxLeft =
                std::clamp(Round(x) - width / 2, plot_.left() + 20, plot_.right() - width - 20);
            const int boxTop = mark.isHigh ? Round(at) - 290 : Round(at) + 80;
            Text(QRect(boxLeft, boxTop, width, 220),
                 std::string(mark.isHigh ? "High " : "Low ") + mark.timeText + " " +
                     mark.heightText + " " + tides.unitsSymbol,
                 Font(7.5, true), ReportAlignment::Centre);
        }
    }

    static double NiceStep(double rough) {
        const double power = std::pow(10.0, std::floor(std::log10(rough)));
        for (double factor : {1.0, 2.0, 2.5, 5.0}) {
            if (factor * power >= rough) {
                return factor * power;
            }
        }
        return 10 * power;
    }

    static std::string FixedLevel(double level, double step) {
        const int decimals = step >= 1 ? 0 : step >= 0.1 ? 1 : 2;
        return tides::FixedText(level, decimals);
    }

    void Marks(const DayPicture& picture) {
        const double horizon = Y(0);
        for (const RiseSetMark& mark : picture.marks) {
            const bool sun = mark.body == SkyBody::Sun;
            const double x = X(mark.clockHours);
            // A small triangle on the horizon pointing the way the body goes.
            const double tip = mark.isRise ? -110 : 110;
            QPainterPath triangle(QPointF(x, horizon + tip));
            triangle.lineTo(x - 70, horizon);
            triangle.lineTo(x + 70, horizon);
            triangle.closeSubpath();
            Shape(triangle, Qt::black, 10, sun ? QColor(Qt::black) : QColor(Qt::white));
            // Sun labels above the horizon, moon labels below, so the two never meet.
            const std::string text = std::string(sun ? "Sun" : "Moon") +
                                     (mark.isRise ? "rise " : "set ") + mark.timeText;
            const int width = 1500;
            const int boxLeft =
                std::clamp(Round(x) - width / 2, plot_.left() + 20, plot_.right() - width - 20);
            const int boxTop = sun ? Round(horizon) - 360 : Round(horizon) + 150;
            // On a white card: the curves pass near the horizon exactly there, and would
            // otherwise run through the text.
            const int card = static_cast<int>(text.size()) * 95 + 160;
            Rect(QRectF(boxLeft + (width - card) / 2.0, boxTop - 10, card, 240), Qt::white, kGrid,
                 6);
            Text(QRect(boxLeft, boxTop, width, 220), text, Font(8, true), ReportAlignment::Centre);
        }
    }

    void Periods(const DayPicture& picture) {
        for (const ActivityPeriod& period : picture.periods) {
            const bool major = period.kind == PeriodKind::Major;
            const double x0 = X(std::max(period.startHours, 0.0));
            const double x1 = X(std::min(period.endHours, 24.0));
            const double height = major ? 400 : 240;
            const double top = lane_.center().y() - height / 2;
            Rect(QRectF(x0, top, x1 - x0, height), major ? kMajorBar : kMinorBar, Qt::black, 10);
            const int x = Round(X(period.centreHours));
            Text(QRect(x - 500, lane_.bottom() + 30, 1000, 220), period.timeText, Font(7.5, major),
                 ReportAlignment::Centre);
        }
    }

    void MoonDisc(QPointF centre, double radius, const DayPicture& picture) {
        const QRectF disc(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        QPainterPath whole;
        whole.addEllipse(disc);
        Shape(whole, Qt::black, 12, kMoonDark);
        const double lit = picture.percentLit / 100.0;
        if (lit <= 0) {
            return;
        }
        // Lit on the right while waxing as seen from the north; mirrored in the south.
        const bool litRight = picture.waxing != picture.southern;
        const double side = litRight ? -180 : 180;
        // The terminator is half an ellipse: it bulges into the dark half past half lit.
        const double terminatorRadius = radius * std::fabs(1 - 2 * lit);
        const QRectF terminator(centre.x() - terminatorRadius, disc.top(), 2 * terminatorRadius,
                                disc.height());
        QPainterPath path(QPointF(centre.x(), disc.top()));
        path.arcTo(disc, 90, side);
        path.arcTo(terminator, 270, lit > 0.5 ? side : -side);
        path.closeSubpath();
        Shape(path, {}, 0, Qt::white);
        Shape(whole, Qt::black, 12, {});
    }

    void Footer(const DayPicture& picture) {
        const int top = lane_.bottom() + 450;
        const DayRow& row = picture.row;
        MoonDisc(QPointF(left_ + 600, top + 560), 500, picture);
        Text(QRect(left_ + 1300, top + 150, 3600, 260),
             "Moon " + row.Phase + "% lit, " + (picture.waxing ? "waxing" : "waning"),
             Font(9, true));
        const auto pair = [](const std::string& rise, const std::string& set) {
            return rise == "never" ? "never " + set : "rise " + rise + ", set " + set;
        };
        Text(QRect(left_ + 1300, top + 450, 3600, 260), "Moon: " + pair(row.MRise, row.MSet),
             Font(9));
        Text(QRect(left_ + 1300, top + 720, 3600, 260), "Sun: " + pair(row.SRise, row.SSet),
             Font(9));

        Text(QRect(left_ + 5200, top + 150, 2800, 260), "Rating For Day", Font(9, true));
        Text(QRect(left_ + 5200, top + 450, 2800, 400), row.Rating + "  " + row.Stars,
             Font(14, true));

        Legend(left_ + 8500, top + 120, picture.tides && picture.tides->problem.empty());
        Text(QRect(left_, top + 1300, kContentWidth, 500),
             "Times are those of the month table. The curves show how high the top of the sun "
             "and of the moon stands above the horizon. Activity periods are centred on the "
             "major and minor times and last longer on better days: majors from about an hour "
             "to two, minors from about half an hour to an hour.",
             Font(7.5), ReportAlignment::Left, true);
        if (picture.tides) {
            // The station, its datum and units, and "Not for navigation", under the notes.
            Text(QRect(left_, top + 1850, kContentWidth, 420), picture.tides->stationLine,
                 Font(8, true), ReportAlignment::Left, true);
        }
    }

    void Legend(int x, int y, bool tides) {
        const int row = 280;
        Line({double(x), y + 110.0}, {x + 500.0, y + 110.0}, kSunLine, kSunPen, Qt::SolidLine);
        Text(QRect(x + 600, y, 2200, 240), "Sun", Font(8));
        Line({double(x), y + row + 110.0}, {x + 500.0, y + row + 110.0}, kMoonLine, kMoonPen,
             Qt::DashLine);
        Text(QRect(x + 600, y + row, 2200, 240), "Moon", Font(8));
        Rect(QRectF(x, y + 2 * row + 20, 500, 180), kMajorBar, Qt::black, 10);
        Text(QRect(x + 600, y + 2 * row, 2200, 240), "Major period", Font(8));
        Rect(QRectF(x, y + 3 * row + 50, 500, 120), kMinorBar, Qt::black, 10);
        Text(QRect(x + 600, y + 3 * row, 2200, 240), "Minor period", Font(8));
        const int x2 = x + 3000;
        const std::pair<QColor, const char*> swatches[] = {
            {kDaylight, "Daylight"}, {kTwilight, "Nautical twilight"}, {kNight, "Night"}};
        int line = 0;
        for (const auto& [colour, name] : swatches) {
            Rect(QRectF(x2, y + line * row + 20, 500, 180), colour, Qt::black, 10);
            if (colour == kTwilight) {
                Hatch(QRectF(x2, y + line * row + 20, 500, 180));
            }
            Text(QRect(x2 + 600, y + line * row, 2400, 240), name, Font(8));
            ++line;
        }
        if (tides) {
            Line({double(x2), y + line * row + 110.0}, {x2 + 500.0, y + line * row + 110.0},
                 kTideLine, kTidePen, Qt::DashDotLine);
            Text(QRect(x2 + 600, y + line * row, 2400, 240), "Tide (right scale)", Font(8));
        }
    }

    ReportPage& page_;
    int left_;
    int top_;
    QRect plot_;
    QRect lane_;
};

}  // namespace

ReportDocument RecordDayPicture(const DayPicture& picture, std::string_view placeText,
                                std::string_view record, const PageSetup& setup) {
    const QPageSize paper(setup.paper);
    ReportDocument document;
    document.title = QString::fromStdString(DayTitleText(placeText, picture));
    document.pageLayout =
        QPageLayout(paper, QPageLayout::Landscape, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    const QSizeF points = paper.size(QPageSize::Point);
    document.pageWidthTwips = Round(std::max(points.width(), points.height()) * 20);
    document.pageHeightTwips = Round(std::min(points.width(), points.height()) * 20);
    document.pages.emplace_back();
    const int left = std::max(0, (document.pageWidthTwips - kContentWidth) / 2);
    DayPageRecorder(document.pages.back(), left, setup.marginTop, picture.tides.has_value())
        .Record(picture, placeText, record);
    for (const std::string& line : DayPictureLines(picture, placeText, PlaceLineText(record))) {
        document.readingHeadings.push_back(QString::fromStdString(line));
    }
    return document;
}

}  // namespace quintrel
