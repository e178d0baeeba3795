#pragma once

#include <string>
#include <string_view>

#include "table/arReport.h"

/// Builders of the controls that report layouts are written with, positions in twips.
namespace quintrel::report_layout {

ReportControl Label(std::string name, int left, int top, int width, int height, std::string caption,
                    double points, int weight, ReportAlignment alignment,
                    std::string family = "Verdana");

/// A detail field bound to the report field `field`, one line of 227 twips at the top.
ReportControl Field(std::string name, std::string field, int left, int width, int weight,
                    ReportAlignment alignment, double points = 8.5);

ReportControl Line(std::string name, int x1, int y1, int x2, int y2);

ReportControl Picture(std::string name, int left, int top, int width, int height,
                      std::string_view picture);

}  // namespace quintrel::report_layout
