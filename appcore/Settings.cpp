#include "appcore/Settings.h"

#include <limits>
#include <string>

#include "appcore/SettingsStore.h"
#include "astro/NumberText.h"

namespace quintrel {

namespace {

// Reads a whole number kept as text, rounding halves to even. Anything the program could
// not have written itself (not a number, outside [low, high]) falls back to the default
// rather than stopping the start-up over a hand-edited settings file.
template <typename T>
T ReadStoredNumber(SettingsStore& store, const char* key, T defaultValue, T low, T high) {
    const std::string text =
        store.Read(kSettingsApplication, kSettingsSection, key, std::to_string(defaultValue));
    const std::optional<std::int32_t> value = TryReadWholeNumber(text, low, high);
    return value ? static_cast<T>(*value) : defaultValue;
}

void WriteText(SettingsStore& store, const char* key, const std::string& text) {
    store.Write(kSettingsApplication, kSettingsSection, key, text);
}

constexpr const char* kWidthKey = "Width";

}  // namespace

bool WindowWidthSaved(SettingsStore& store) {
    using Int32 = std::numeric_limits<std::int32_t>;
    const std::string text = store.Read(kSettingsApplication, kSettingsSection, kWidthKey, "");
    return TryReadWholeNumber(text, Int32::min(), Int32::max()).has_value();
}

void LoadSettings(SettingsStore& store, AppState& state, std::int16_t& locationIndex) {
    LoadSettings(store, AppState{}, state, locationIndex);
}

void LoadSettings(SettingsStore& store, const AppState& defaults, AppState& state,
                  std::int16_t& locationIndex) {
    using Int16 = std::numeric_limits<std::int16_t>;
    using Int32 = std::numeric_limits<std::int32_t>;
    // A month outside 1..12 would select no entry of the month list.
    state.CurrentMonth =
        ReadStoredNumber<std::int16_t>(store, "Month", defaults.CurrentMonth, 1, 12);
    state.CurrentYear = ReadStoredNumber<std::int16_t>(store, "Year", defaults.CurrentYear,
                                                       Int16::min(), Int16::max());
    // -1 means "no place"; a position beyond the list is corrected when the list is filled.
    locationIndex = ReadStoredNumber<std::int16_t>(store, "Index", -1, -1, Int16::max());
    state.WindowWidth = ReadStoredNumber<std::int32_t>(store, kWidthKey, defaults.WindowWidth,
                                                       Int32::min(), Int32::max());
    state.WindowHeight = ReadStoredNumber<std::int32_t>(store, "Height", defaults.WindowHeight,
                                                        Int32::min(), Int32::max());
    state.TidesPath =
        store.Read(kSettingsApplication, kSettingsSection, "Tides", defaults.TidesPath);
}

void SaveSettings(SettingsStore& store, const AppState& state, std::int16_t locationIndex) {
    WriteText(store, "Month", std::to_string(state.CurrentMonth));
    WriteText(store, "Year", std::to_string(state.CurrentYear));
    WriteText(store, "Index", std::to_string(locationIndex));
    WriteText(store, "Height", std::to_string(state.WindowHeight));
    WriteText(store, kWidthKey, std::to_string(state.WindowWidth));
    WriteText(store, "Tides", state.TidesPath);
}

}  // namespace quintrel

namespace quintrel {

bool LoadTransitPeriods(SettingsStore& store) {
    return store.Read(kSettingsApplication, kSettingsSection, kTransitPeriodsKey, "0") == "1";
}

void SaveTransitPeriods(SettingsStore& store, bool transitPeriods) {
    WriteText(store, kTransitPeriodsKey, transitPeriods ? "1" : "0");
}

}  // namespace quintrel
