#pragma once

#include <string>
#include <string_view>

namespace quintrel {

class SettingsStore;

/// Where the tide station chosen for each place is kept (beside the main settings).
inline constexpr const char* kTideSettingsSection = "TideStations";

/// The settings key of a place: its location record with every byte other than a letter or
/// a digit written as "%XX", so that any record (blanks, commas, slashes, Windows-1252
/// letters) gives a key every store keeps as it is, and two records never share one.
std::string TideStationKey(std::string_view record);

/// The id of the station the user chose for the place of `record`; empty when none was.
std::string LoadKeptStation(SettingsStore& store, std::string_view record);

/// Keeps `stationId` as the place's choice.
void SaveKeptStation(SettingsStore& store, std::string_view record, const std::string& stationId);

}  // namespace quintrel
