#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quintrel {

/// A run of byte columns of a location record, counted from 1, both ends included.
struct RecordColumns {
    std::size_t first;
    std::size_t last;
};

/// Where each field of a location record lives. A record is Windows-1252 bytes, one byte
/// per column, 59 bytes without a daylight-saving rule and 71 with one; older records
/// may stop before column 59.
namespace LocationColumns {
inline constexpr RecordColumns Favourite{1, 1};           ///< "0" = favourite, "1" = ordinary
inline constexpr RecordColumns Country{2, 22};            ///< left-aligned, blank-padded
inline constexpr RecordColumns Town{23, 38};              ///< what readers use
inline constexpr RecordColumns TownPadded{23, 39};        ///< what writers fill; 39 stays blank
inline constexpr RecordColumns LatitudeSign{40, 40};      ///< "+" north, "-" south, blank = "+"
inline constexpr RecordColumns LatitudeDegrees{41, 43};   ///< right-aligned, 0-90
inline constexpr RecordColumns LatitudeMinutes{44, 46};   ///< right-aligned, 0-59
inline constexpr RecordColumns LongitudeSign{47, 47};     ///< "+" east, "-" west, blank = "+"
inline constexpr RecordColumns LongitudeDegrees{48, 50};  ///< right-aligned, 0-180
inline constexpr RecordColumns LongitudeMinutes{51, 53};  ///< right-aligned, 0-59
inline constexpr RecordColumns ZoneSign{54, 54};          ///< "+" ahead of Greenwich, "-" behind
inline constexpr RecordColumns ZoneHours{55, 58};         ///< as typed, e.g. "  10", " 9.5"
inline constexpr RecordColumns DstFlag{59, 59};           ///< "1" keeps daylight saving
inline constexpr RecordColumns DstStartRule{60, 65};      ///< hour(2) week(1) weekday(1) month(2)
inline constexpr RecordColumns DstEndRule{66, 71};        ///< same layout as the start rule
}  // namespace LocationColumns

/// Where each part of a daylight-saving rule (DstStartRule, DstEndRule) lives, counted
/// from 1 within the rule's six bytes.
namespace RuleColumns {
inline constexpr RecordColumns Hour{1, 2};     ///< "00".."23", the hour of the change
inline constexpr RecordColumns Week{3, 3};     ///< "1".."4" first to fourth, "5" last
inline constexpr RecordColumns Weekday{4, 4};  ///< "1" Sunday .. "7" Saturday
inline constexpr RecordColumns Month{5, 6};    ///< "01".."12"
}  // namespace RuleColumns

/// How many bytes a run of columns spans.
constexpr std::size_t Width(RecordColumns columns) {
    return columns.last - columns.first + 1;
}

inline constexpr std::size_t kRecordLengthWithoutRules = LocationColumns::DstFlag.last;
inline constexpr std::size_t kRecordLengthWithRules = LocationColumns::DstEndRule.last;
/// Records written before the zone columns existed stop after the longitude.
inline constexpr std::size_t kShortestOldRecordLength = LocationColumns::LongitudeMinutes.last;
inline constexpr std::size_t kCountryWidth = Width(LocationColumns::Country);  ///< 21
inline constexpr std::size_t kTownWidth = Width(LocationColumns::Town);        ///< 16

/// The bytes of `record` in `columns`. Columns beyond the end of a short record are
/// simply missing, so the result may be shorter than the run, or empty.
std::string_view ColumnText(std::string_view record, RecordColumns columns);

/// ColumnText without its trailing blanks: how the country and town fields are read.
std::string_view FieldText(std::string_view record, RecordColumns columns);

/// ColumnText without its leading blanks: how the right-aligned number fields are shown.
std::string_view NumberFieldText(std::string_view record, RecordColumns columns);

/// The sign character of a sign column: a blank or missing column is an older record's
/// way of writing "+".
char SignCharacter(std::string_view record, RecordColumns column);

/// -1 when the sign column holds "-", +1 for anything else (old records leave it blank).
int ColumnSign(std::string_view record, RecordColumns column);

/// The number in a number column as a 32-bit float, blanks around it ignored.
/// Throws CoreError naming the columns and the record when it is not a number.
float ColumnSingle(std::string_view record, RecordColumns columns);

/// Whether the record keeps daylight saving: "1" in the DstFlag column.
bool KeepsDaylightSaving(std::string_view record);

/// Whether column 1 marks the record as a favourite ("0").
bool IsFavourite(std::string_view record);

/// The place's entry in the place list: country, " (", town, ")", e.g. "France (Paris)".
/// Windows-1252 bytes like the record; Cp1252ToUtf8 turns it into display text.
std::string LocationDisplayText(std::string_view record);

}  // namespace quintrel
