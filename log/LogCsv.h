#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "log/LogRecords.h"

namespace quintrel::logbook {

/// The columns of the log's CSV file, in the order the export writes them: the catch's
/// columns, then the outing's. The one description of the file's layout.
enum class LogColumn {
    Date,
    Time,
    Place,
    Species,
    Count,
    Length,
    Weight,
    Released,
    Method,
    Notes,
    Latitude,
    Longitude,
    Photo,
    Record,
    Start,
    End,
    Kind,
    OutingNotes,
};
inline constexpr std::array<std::string_view, 18> kLogColumnNames = {
    "Date",   "Time",     "Place",  "Species", "Count",    "Length",
    "Weight", "Released", "Method", "Notes",   "Latitude", "Longitude",
    "Photo",  "Record",   "Start",  "End",     "Kind",     "Outing notes"};
static_assert(kLogColumnNames.size() == static_cast<std::size_t>(LogColumn::OutingNotes) + 1);

/// A line of an imported file that cannot be taken; what() is "line L, column C: reason"
/// with L counted from 1 at the heading and C from 1 at the left.
class LogCsvError : public LogError {
  public:
    LogCsvError(int line, int column, const std::string& reason);
    int Line() const { return line_; }
    int Column() const { return column_; }

  private:
    int line_;
    int column_;
};

/// Turns the Place column's text into the place's location record (UTF-8), as --place
/// chooses a place of the list; throws CoreError with the reason when it chooses none.
using PlaceResolver = std::function<std::string(std::string_view placeText)>;

/// What an import file holds, ready for LogDatabase::AddEntries.
struct LogImport {
    std::vector<OutingEntries> outings;  ///< in the order of their first line
    int catchEntries = 0;                ///< catch lines (not counting outing-only lines)
};

/// Reads a log CSV file (UTF-8, optional byte order mark, CR LF or LF, fields quoted as
/// in RFC 4180). The heading names the columns, in any order; Date, Time, Species and
/// Place or Record are required, the rest optional. Lines with the same date, place record,
/// start, end, kind and outing notes form one outing (without outing columns: the catches
/// of one place and date). A line with an empty Species and a Count of 0 or none is an
/// outing without catches. Throws LogCsvError for the first line at fault; nothing is
/// returned unless every line is good.
LogImport ParseLogCsv(std::string_view text, const PlaceResolver& resolvePlace);

/// The entries as a log CSV file: the heading, then one line per catch (an outing without
/// catches as one line with an empty Species and a Count of 0), in the order given, with
/// CR LF line ends. ParseLogCsv of it gives the same entries (ids aside), so export,
/// import into an empty log and export again give the same file.
std::string LogCsvText(const std::vector<OutingEntries>& entries);

/// "Country (Town)" of a stored place record, as UTF-8: the Place column's text.
std::string PlaceNameOfRecord(std::string_view utf8Record);

}  // namespace quintrel::logbook
