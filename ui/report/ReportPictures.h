#pragma once

#include <QIcon>
#include <QRectF>
#include <QString>

class QPainter;

namespace quintrel {

/// The resource path of the program's icon (SVG), also used by the windows.
inline constexpr const char* kProgramIconResource = ":/quintrel/icon.svg";

/// The resource path of a layout picture name ("banner", "moon", "leaping-fish",
/// "closing"), or an empty text for a name the report does not know.
QString PictureResource(const QString& name);

/// Draws the picture `name` stretched over `box` (in the painter's coordinates) as vector
/// shapes. An unknown name draws nothing.
void DrawPicture(QPainter& painter, const QString& name, const QRectF& box);

/// The program's icon at every size.
QIcon ProgramIcon();

/// Makes sure the compiled-in pictures are registered; the report library is static, so
/// nothing would pull its resources in otherwise. Called by everything above.
void InitReportResources();

}  // namespace quintrel
