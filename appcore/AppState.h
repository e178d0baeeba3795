#pragma once

#include <cstdint>
#include <string>

namespace quintrel {

/// The application's state for the whole run: read from the settings store at start-up
/// and written back at close-down. The place list and its LocationIndex and
/// LocationsChanged live with the list in locations/.
struct AppState {
    std::int16_t CurrentMonth = 6;     ///< 1 = January .. 12 = December
    std::int16_t CurrentYear = 2002;   ///< the year Calculate computes
    std::int32_t WindowWidth = 9300;   ///< last outer width of the main window, twips
    std::int32_t WindowHeight = 4305;  ///< last outer height of the main window, twips
    std::string TidesPath;             ///< full path of the tide program; empty = not set
};

}  // namespace quintrel
