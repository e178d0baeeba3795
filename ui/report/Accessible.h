#pragma once

namespace quintrel {

/// Teaches Qt's accessibility layer what the program's own controls are, once per run
/// (later calls do nothing). Call before the first control is made: Qt makes a control's
/// interface once and keeps it. Program start calls it, and so do the windows that need it.
///
/// - A list box (QComboBox) with an accessible name set says that name. Qt on Linux gives a
///   list box's current entry as its name and leaves the caption to a label; the place
///   window's rule lists and the zoom choice have no caption of their own.
void InstallAccessibleInterfaces();

}  // namespace quintrel
