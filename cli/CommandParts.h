#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

#include "cli/LocalClock.h"
#include "cli/TableOptions.h"
#include "locations/FileIo.h"
#include "locations/LocationList.h"
#include "locations/PlaceValues.h"
#include "table/MonthTable.h"

// The pieces several command runners share: where the output goes, the months asked for
// and the place they are asked for.
namespace quintrel::cli {

/// Month and year come from the options, so a value out of range is a UsageError.
std::int16_t CheckedMonth(int month);
std::int16_t CheckedYear(int year);

/// The month `offset` months after month/year, as {month, year}.
std::pair<int, int> MonthAfter(int month, int year, int offset);

/// The first month asked for (--month, --year, or this month), as {month, year}.
std::pair<int, int> FirstAskedMonth(const TableOptions& options, const LocalMoment& now);

/// Checks that the first and the last of the --months months are in the calendar. Done
/// before the place is read, so an option out of range is reported as such even when the
/// record is bad too.
void CheckAskedMonths(const TableOptions& options, const LocalMoment& now);

/// The table of the last of the --months months, for a PDF that names its span before its
/// first page. Needs CheckAskedMonths first.
MonthTable LastAskedMonth(const TableOptions& options, const LocalMoment& now,
                          const PlaceValues& place, const std::string& record);

/// The place list the options name: the --town's record, the --record, or the file. A note
/// on which town --town took, where its text also matches others, goes to `messages`.
LocationList ReadPlaces(const TableOptions& options, std::ostream& messages);

/// The record of the place the options choose from `places` (the town's when --town).
const std::string& ChosenRecord(const TableOptions& options, const LocationList& places);

/// Where every runner of asked months for one place starts: the clock read once, the asked
/// months checked before the place list is read (see CheckAskedMonths), and the chosen
/// place's record and values.
struct AskedPlaceMonths {
    LocalMoment now;
    std::string record;
    PlaceValues place;
};
AskedPlaceMonths OpenAskedPlaceMonths(const TableOptions& options, std::ostream& messages);

/// Whether the text (table, calendar or list) is wanted: always, unless --pdf was given
/// with neither a --format nor an --output file.
bool TextOutputAsked(const TableOptions& options);

/// Computes the --months months from the first asked, a year of them on each core side by
/// side, and hands them to `use` in calendar order a year at a time, so a long run holds
/// one year, not all of them. A failure is raised as the first month in order that failed
/// would raise it.
void ForEachAskedMonth(const TableOptions& options, const LocalMoment& now,
                       const PlaceValues& place, const std::string& record,
                       const std::function<void(MonthTable&)>& use);

/// Where a command's text goes: standard output, a device or pipe written as it is
/// (scripts give /dev/stdout or a pipe), or a file replaced only once all of it is written.
class TableOutput {
  public:
    TableOutput(const std::optional<std::string>& path, std::ostream& standardOutput);
    void Write(std::string_view text);
    void Finish();

  private:
    std::optional<AtomicFileWriter> file_;
    std::ofstream device_;
    std::ostream* stream_ = nullptr;
    std::string name_;
};

/// Writes `text` to the --output file or standard output and finishes it.
void WriteWhole(const TableOptions& options, std::ostream& standardOutput, std::string_view text);

}  // namespace quintrel::cli
