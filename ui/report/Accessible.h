#pragma once

namespace quintrel {

/// Teaches Qt's accessibility layer what the program's own controls are, once per run
/// (later calls do nothing). Call before the first window is shown; the windows that need
/// it call it themselves.
///
/// - A list box (QComboBox) with an accessible name set says that name. Qt on Linux gives a
///   list box's current entry as its name and leaves the caption to a label; the place
///   window's rule lists and the zoom choice have no caption of their own.
void InstallAccessibleInterfaces();

}  // namespace quintrel
