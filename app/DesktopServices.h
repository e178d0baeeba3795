#pragma once

#include <functional>
#include <string>

class QWidget;

namespace quintrel {

/// The real location window as the main window's `locationForm` service: made on first use
/// over the window that asks, only hidden between uses, deleted with that window.
std::function<bool(QWidget* parent, std::string& record, int mode)> RealLocationForm();

}  // namespace quintrel
