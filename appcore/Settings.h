#pragma once

#include <cstdint>

#include "appcore/AppState.h"

namespace quintrel {

class SettingsStore;

/// Where the six saved values live in the store.
inline constexpr const char* kSettingsApplication = "Varnel";
inline constexpr const char* kSettingsSection = "Pellmark";

/// Reads "Month", "Year", "Index", "Width", "Height" and "Tides", in that order, into the
/// state and `locationIndex`. A missing key gives its value from `defaults` (-1 for the
/// index). Numbers may have blanks around them and are rounded half to even; a value that
/// is not a number or lies outside the 16-bit (Month, Year, Index) or 32-bit (Width, Height)
/// range reads as the key's default, and so do a month outside 1..12 and an index below -1.
/// Never throws for bad stored text.
void LoadSettings(SettingsStore& store, const AppState& defaults, AppState& state,
                  std::int16_t& locationIndex);
/// As above with the defaults of AppState (6, 2002, 9300, 4305 and empty).
void LoadSettings(SettingsStore& store, AppState& state, std::int16_t& locationIndex);
/// Whether the store keeps a window width LoadSettings can read: false on a first run (or
/// when the width kept is not a number), when the window takes its first run's size.
bool WindowWidthSaved(SettingsStore& store);

/// Writes "Month", "Year", "Index", "Height", "Width" and "Tides", in that order, as plain
/// decimal text (a leading "-" for negatives) and the path as it is.
void SaveSettings(SettingsStore& store, const AppState& state, std::int16_t locationIndex);

/// The choice of activity times from the moon's transits (MonthOptions::transitPeriods),
/// kept as "1" or "0" under this key beside the six values; anything else reads as off.
inline constexpr const char* kTransitPeriodsKey = "TransitPeriods";
bool LoadTransitPeriods(SettingsStore& store);
void SaveTransitPeriods(SettingsStore& store, bool transitPeriods);

}  // namespace quintrel
