// The settings reader on any stored texts. Input lines: the stored Month, Year, Index,
// Width, Height and Tides texts in that order; a key whose line is missing is not stored.

#include "appcore/Settings.h"
#include "FuzzSupport.h"
#include "support/MemorySettingsStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quintrel;
    static const char* const kKeys[] = {"Month", "Year", "Index", "Width", "Height", "Tides"};
    const auto lines = fuzz::SplitLines(fuzz::AsText(data, size));
    MemorySettingsStore store;
    for (std::size_t i = 0; i < std::size(kKeys) && i < lines.size(); ++i) {
        store.Set(kKeys[i], std::string(lines[i]));
    }

    // Bad stored text must never stop the start-up: no exception of any kind.
    AppState state;
    std::int16_t locationIndex = 0;
    LoadSettings(store, state, locationIndex);
    fuzz::Require(state.CurrentMonth >= 1 && state.CurrentMonth <= 12, "month outside 1..12");
    fuzz::Require(locationIndex >= -1, "place index below -1");

    // What was read is written back and reads again the same.
    MemorySettingsStore saved;
    SaveSettings(saved, state, locationIndex);
    AppState again;
    std::int16_t indexAgain = 0;
    LoadSettings(saved, again, indexAgain);
    fuzz::Require(
        again.CurrentMonth == state.CurrentMonth && again.CurrentYear == state.CurrentYear &&
            again.WindowWidth == state.WindowWidth && again.WindowHeight == state.WindowHeight &&
            again.TidesPath == state.TidesPath && indexAgain == locationIndex,
        "settings change on a save and load");
    return 0;
}
