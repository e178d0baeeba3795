#include "table/ReportLayout.h"

#include <algorithm>
#include <cstdlib>

namespace quintrel::report_layout {

ReportControl Label(std::string name, int left, int top, int width, int height, std::string caption,
                    double points, int weight, ReportAlignment alignment, std::string family) {
    ReportControl c;
    c.name = std::move(name);
    c.kind = ReportControlKind::Label;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.caption = std::move(caption);
    c.font = {std::move(family), points, weight};
    c.alignment = alignment;
    return c;
}

ReportControl Field(std::string name, std::string field, int left, int width, int weight,
                    ReportAlignment alignment, double points) {
    ReportControl c;
    c.name = std::move(name);
    c.kind = ReportControlKind::Field;
    c.left = left;
    c.top = 0;
    c.width = width;
    c.height = 227;
    c.dataField = std::move(field);
    c.font = {"Verdana", points, weight};
    c.alignment = alignment;
    return c;
}

ReportControl Line(std::string name, int x1, int y1, int x2, int y2) {
    ReportControl c;
    c.name = std::move(name);
    c.kind = ReportControlKind::Line;
    c.x1 = x1;
    c.y1 = y1;
    c.x2 = x2;
    c.y2 = y2;
    // The box of a line is the rectangle its end points span; engines only use it to clip.
    c.left = std::min(x1, x2);
    c.top = std::min(y1, y2);
    c.width = std::abs(x2 - x1);
    c.height = std::abs(y2 - y1);
    return c;
}

ReportControl Picture(std::string name, int left, int top, int width, int height,
                      std::string_view picture) {
    ReportControl c;
    c.name = std::move(name);
    c.kind = ReportControlKind::Picture;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.picture = std::string(picture);
    return c;
}

}  // namespace quintrel::report_layout
