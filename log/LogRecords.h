#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "astro/CoreError.h"

namespace quintrel::logbook {

/// What went wrong with the log file, so a window can choose what to offer (a damaged
/// file: start from a backup; a busy one: try again) and still show what() as it is.
enum class LogErrorKind {
    Damaged,       ///< the file fails the integrity check or is no database: it is kept as it is
    NotALog,       ///< a database, but not one this program made
    ReadOnlyLog,   ///< a change was asked of a log opened read-only (newer version, no rights)
    Busy,          ///< another program holds the log locked for longer than the wait
    DiskFull,      ///< the disk or a quota is full; nothing of the change was written
    NoPermission,  ///< the folder or the file may not be written
    Invalid,       ///< an entry with a value out of range (a bad date, a negative count)
    NotFound,      ///< an entry id that is not in the log (deleted meanwhile)
    Io,            ///< any other failure of the file system or of SQLite
};

/// The log's error: a message for the user that names the file, and its kind.
class LogError : public CoreError {
  public:
    LogError(LogErrorKind kind, const std::string& message) : CoreError(message), kind_(kind) {}
    LogErrorKind Kind() const { return kind_; }

  private:
    LogErrorKind kind_;
};

enum class OutingKind { Fishing = 0, Hunting = 1 };

/// "fishing" or "hunting".
std::string_view KindName(OutingKind kind);
/// The kind of "fishing" or "hunting" (case ignored); nothing for any other text.
std::optional<OutingKind> KindFromName(std::string_view name);

/// One outing: a day out at one place. Times are "hh:mm" on the place's clock, or empty
/// when not known; an end before the start means the outing ran past midnight.
struct Outing {
    std::int64_t id = 0;  ///< 0 until stored; never reused after a delete
    std::string date;     ///< "YYYY-MM-DD"
    std::string start;    ///< "hh:mm" or ""
    std::string end;      ///< "hh:mm" or ""
    /// The place's location record as UTF-8 text, kept as it was so that later edits of
    /// the place list do not change the history.
    std::string record;
    OutingKind kind = OutingKind::Fishing;
    std::string notes;

    bool operator==(const Outing&) const = default;
};

/// A catch or sighting within an outing. Lengths and weights are stored in centimetres
/// and kilograms whatever unit the user types; see the conversions below.
struct Catch {
    std::int64_t id = 0;        ///< 0 until stored; never reused after a delete
    std::int64_t outingId = 0;  ///< the outing it belongs to
    std::string time;           ///< "hh:mm" on the place's clock, or "" when not known
    std::string species;        ///< free text, not empty
    int count = 1;              ///< 1 or more
    std::optional<double> lengthCm;
    std::optional<double> weightKg;
    bool released = false;
    std::string method;               ///< method or bait
    std::optional<double> latitude;   ///< decimal degrees, north positive; set with longitude
    std::optional<double> longitude;  ///< decimal degrees, east positive
    std::string photo;                ///< a file name in log-photos/ beside the log, or ""
    std::string notes;

    bool operator==(const Catch&) const = default;
};

/// An outing with its catches, in the order the log lists them (by time, then by id).
struct OutingEntries {
    Outing outing;
    std::vector<Catch> catches;

    bool operator==(const OutingEntries&) const = default;
};

/// Throws LogError(Invalid) naming the field when an outing cannot be stored: a date that
/// is not a real "YYYY-MM-DD" of the years 101..9998, a time that is not "hh:mm" from
/// 00:00 to 23:59, an empty record.
void CheckOuting(const Outing& outing);
/// Throws LogError(Invalid) naming the field for an empty species, a count below 1, a
/// negative or absurd (over 100,000) length or weight, a latitude beyond 90 or a
/// longitude beyond 180 degrees, only one of the two, or a photo that is not a plain file
/// name.
void CheckCatch(const Catch& entry);

/// Whether `text` is a date "YYYY-MM-DD" the month table can compute (years 101..9998).
bool IsLogDate(std::string_view text);
/// Whether `text` is a time "hh:mm" from 00:00 to 23:59.
bool IsLogTime(std::string_view text);
/// Minutes after midnight of a time "hh:mm"; -1 for any other text.
int MinutesOfDay(std::string_view time);
/// Whether `name` is a file name without any folder: no '/', '\\', not "." or "..".
bool IsPlainFileName(std::string_view name);

// Unit conversions for showing and typing values in the user's units; the log itself
// keeps centimetres and kilograms. Exact factors: 1 in = 2.54 cm, 1 lb = 0.45359237 kg.
inline constexpr double kCentimetresPerInch = 2.54;
inline constexpr double kKilogramsPerPound = 0.45359237;
inline double InchesFromCentimetres(double cm) {
    return cm / kCentimetresPerInch;
}
inline double CentimetresFromInches(double inches) {
    return inches * kCentimetresPerInch;
}
inline double PoundsFromKilograms(double kg) {
    return kg / kKilogramsPerPound;
}
inline double KilogramsFromPounds(double pounds) {
    return pounds * kKilogramsPerPound;
}

/// A number as the log writes it in files: the shortest text that reads back to the same
/// double, with a point whatever the locale ("12.5", "3", "-0.25").
std::string DecimalText(double value);
/// A number in that form (an optional '-', digits, an optional point and digits); nothing
/// for any other text, including blanks, "1e3", "inf" or a comma.
std::optional<double> ParseNumber(std::string_view text);

}  // namespace quintrel::logbook
