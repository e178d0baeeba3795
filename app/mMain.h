#pragma once

namespace quintrel {

struct MainWindowServices;

/// Starts the program: loads the main window and shows it, then
/// runs the event loop until the window has closed. Returns the exit status: 0 after a
/// normal close-down, 1 when the place file is missing (the window is never shown and
/// nothing is written). Needs a QApplication.
int Main(const MainWindowServices& services);

}  // namespace quintrel
