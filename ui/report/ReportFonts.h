#pragma once

#include <QFont>
#include <QString>
#include <string>

#include "table/arReport.h"

namespace quintrel {

/// The installed family drawn for a family the layouts name. Verdana, Georgia and
/// MS Sans Serif are usually missing on Linux, so each has a list of stand-ins with close
/// metrics: the first one installed wins, the real font first when it is there.
/// Verdana -> DejaVu Sans (the Vera design: the same wide, open proportions),
/// Georgia -> Gelasio (metric twin, where installed), Caladea, DejaVu Serif,
/// MS Sans Serif -> Liberation Sans (Arial's metrics, which it shares closely), DejaVu Sans.
/// Other names are returned unchanged.
QString InstalledFamily(const QString& layoutFamily);

/// Registers the stand-ins as QFont substitutions, so that a plain QFont("Verdana") (as in
/// the windows or inside the SVG pictures) finds them too. Safe to call more than once;
/// needs a QGuiApplication.
void InstallFontSubstitutions();

/// The QFont for a layout font, sized for painting in twips: its pixel size is the point
/// size in twips (8.5 pt -> 170), with hinting off so text measures the same on every device.
QFont ReportQFont(const ReportFont& font);

}  // namespace quintrel
