#include "cli/TableCommand.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "astro/CoreError.h"
#include "calendar/IcsWriter.h"
#include "cli/DayOutput.h"
#include "cli/FindCommand.h"
#include "cli/LocalClock.h"
#include "cli/PdfOutput.h"
#include "cli/PlaceChoice.h"
#include "cli/PlanCommand.h"
#include "cli/TextTable.h"
#include "gazetteer/GeonamesGazetteer.h"
#include "locations/Encoding.h"
#include "locations/FileIo.h"
#include "locations/PlaceValues.h"
#include "table/CalculateMonth.h"
#include "table/CsvExport.h"
#include "table/PlanOutput.h"
#include "table/Planner.h"
#include "table/ReportTexts.h"
#include "table/YearView.h"

namespace quintrel::cli {

namespace {

// Month and year come from the options, so a value out of range is a usage error.
std::int16_t CheckedMonth(int month) {
    if (month < 1 || month > 12) {
        throw UsageError("Month " + std::to_string(month) + " is not between 1 and 12");
    }
    return static_cast<std::int16_t>(month);
}

std::int16_t CheckedYear(int year) {
    if (year < 101 || year > 9998) {
        throw UsageError("Year " + std::to_string(year) + " is not between 101 and 9998");
    }
    return static_cast<std::int16_t>(year);
}

constexpr int kMonthsPerStep = 12;

// The month `offset` months after month/year.
std::pair<int, int> MonthAfter(int month, int year, int offset) {
    const long index = static_cast<long>(year) * 12 + (month - 1) + offset;
    return {static_cast<int>(index % 12) + 1, static_cast<int>(index / 12)};
}

// The months from the `done`-th of `total` on, a year of them on each core side by side
// (the dates where a year's months meet searched once), returned in calendar order. A
// failure is raised as the first month in order that failed would raise it.
std::vector<std::vector<MonthTable>> CalculateYearsSideBySide(const PlaceValues& place,
                                                              const std::string& record,
                                                              int firstMonth, int firstYear,
                                                              int done, int total,
                                                              const MonthOptions& monthOptions) {
    const auto cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const int years = std::min(cores, (total - done + kMonthsPerStep - 1) / kMonthsPerStep);
    std::vector<std::vector<MonthTable>> steps(static_cast<std::size_t>(years));
    std::vector<std::exception_ptr> failures(steps.size());
    const auto compute = [&](std::size_t i) {
        const int start = done + static_cast<int>(i) * kMonthsPerStep;
        const auto [month, year] = MonthAfter(firstMonth, firstYear, start);
        try {
            steps[i] = CalculateMonths(place, record, CheckedMonth(month), CheckedYear(year),
                                       std::min(kMonthsPerStep, total - start), monthOptions);
        } catch (...) {
            failures[i] = std::current_exception();
        }
    };
    std::vector<std::thread> workers;
    for (std::size_t i = 1; i < steps.size(); ++i) {
        workers.emplace_back(compute, i);
    }
    compute(0);
    for (std::thread& worker : workers) {
        worker.join();
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
    return steps;
}

// Where the table goes: standard output, a device or pipe written as it is (scripts give
// /dev/stdout or a pipe), or a file replaced only once all of it is written.
class TableOutput {
  public:
    TableOutput(const std::optional<std::string>& path, std::ostream& standardOutput) {
        namespace fs = std::filesystem;
        std::error_code error;
        if (!path) {
            stream_ = &standardOutput;
            name_ = "standard output";
        } else if (const fs::file_status status = fs::status(*path, error);
                   fs::exists(status) && !fs::is_regular_file(status)) {
            device_.open(*path, std::ios::binary);
            stream_ = &device_;
            name_ = "the file " + *path;
        } else {
            file_.emplace(*path);
        }
    }

    void Write(std::string_view text) {
        if (file_) {
            file_->Append(text);
            return;
        }
        stream_->write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!*stream_) {
            throw CoreError("Cannot write to " + name_);
        }
    }

    void Finish() {
        if (file_) {
            file_->Commit();
            return;
        }
        stream_->flush();
        if (device_.is_open()) {
            device_.close();
        }
        if (!*stream_) {
            throw CoreError("Cannot write to " + name_);
        }
    }

  private:
    std::optional<AtomicFileWriter> file_;
    std::ofstream device_;
    std::ostream* stream_ = nullptr;
    std::string name_;
};

// The best days of --plan, as text or CSV, and as a PDF list when asked.
void RunPlanCommand(const TableOptions& options, const LocationList& places, const LocalMoment& now,
                    std::ostream& standardOutput, std::ostream& messages) {
    const PlanRequest request = BuildPlanRequest(options, places, now);
    const PlanResult result = RunPlan(request);
    std::string text;
    if (options.format == "csv") {
        text = BuildPlanCsv(request, result.days, now.timeText, now.dateText);
        if (result.days.empty()) {
            messages << NothingFoundText(request) << "\n";
        }
    } else {
        text = FormatPlanText(request, result);
    }
    if (options.pdfPath) {
        if (result.days.empty()) {
            // An empty list would print as a page of headings; the message says more.
            if (options.format == "csv") {
                messages << "No PDF written to " << *options.pdfPath << "\n";
            } else {
                messages << NothingFoundText(request) << " No PDF written to " << *options.pdfPath
                         << "\n";
            }
        } else {
            WritePlanPdf(*options.pdfPath, request, result.days);
        }
    }
    // With a PDF the list goes to standard output only when a format or a file is asked.
    if (!options.pdfPath || options.formatGiven || options.outputPath) {
        TableOutput output(options.outputPath, standardOutput);
        output.Write(text);
        output.Finish();
    }
}

// The calendar's choices with the shared --min-rating read as the planner reads it, so
// both accept the same names and say the same when a name is wrong.
CalendarOptions CalendarChoices(const TableOptions& options) {
    CalendarOptions calendar = options.calendar;
    if (options.minRating) {
        const std::optional<int> rank = ParseRating(*options.minRating);
        if (!rank) {
            throw UsageError("--min-rating must be " + std::string(kRatingChoices) + ", not \"" +
                             *options.minRating + "\"");
        }
        calendar.minimumRating = static_cast<RatingLevel>(*rank);
    }
    return calendar;
}

}  // namespace

int DecimalOption(std::string_view option, std::string_view text) {
    // Read by hand: the option parser takes a leading 0 for octal and 0x for hex.
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        digits.remove_prefix(1);
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || error != std::errc() || stop != end) {
        throw UsageError(std::string(option) + " must be a whole number, not \"" +
                         PrintableText(text) + "\"");
    }
    return !text.empty() && text.front() == '-' ? -value : value;
}

void RunTableCommand(const TableOptions& options, std::ostream& standardOutput,
                     std::ostream& messages) {
    if (options.plan && options.yearView) {
        throw UsageError("--plan and --year-view cannot be used together");
    }
    if (!options.plan && (options.from || options.places || options.days || options.daylightMajor ||
                          options.nearSunMinutes)) {
        throw UsageError(
            "--from, --places, --days, --daylight-major and --near-sun go with --plan");
    }
    if (options.minRating && !options.plan && options.format != "ics") {
        throw UsageError("--min-rating goes with --plan or --format ics");
    }
    if (options.plan && options.format == "ics") {
        throw UsageError("--plan lists its days as text or csv; --format ics is for month tables");
    }
    // The planner checks its own month count (1-24).
    if (!options.plan && (options.months < 1 || options.months > kMaxMonths)) {
        throw UsageError("--months must be from 1 to " + std::to_string(kMaxMonths));
    }
    for (const auto& [name, path] :
         {std::pair{"--output", &options.outputPath}, std::pair{"--pdf", &options.pdfPath}}) {
        if (*path && (*path)->empty()) {
            throw UsageError(std::string(name) + " needs a file name");
        }
    }
    if (options.yearView && !options.pdfPath) {
        throw UsageError("--year-view needs --pdf FILE for the page it draws");
    }
    if (options.calendarOptionsGiven && options.format != "ics") {
        throw UsageError("--ics-events, --daylight-only and --alarm need --format ics");
    }
    const int placeSources =
        (options.record ? 1 : 0) + (options.town ? 1 : 0) + (options.locationsPath.empty() ? 0 : 1);
    if (placeSources > 1) {
        throw UsageError("Only one of --record, --town and --locations can be given");
    }
    if (options.find || options.zoneRule) {
        std::string text;
        if (options.find) {
            GeonamesGazetteer gazetteer;
            text = FindText(gazetteer, *options.find);
        } else {
            text = ZoneRuleText(*options.zoneRule);
        }
        standardOutput << text << std::flush;
        if (!standardOutput) {
            throw CoreError("Cannot write to standard output");
        }
        return;
    }
    if (options.day &&
        (options.list || options.month || options.year || options.months != 1 ||
         options.formatGiven || options.outputPath || options.plan || options.yearView)) {
        throw UsageError(
            "--day cannot be used with --list, --month, --year, --months, --format, "
            "--output, --plan or --year-view");
    }
    if (!options.day && (!options.svgPath.empty() || !options.pngPath.empty())) {
        throw UsageError("--svg and --png need --day");
    }
    const LocalMoment now = ReadLocalClock();
    const int firstMonth = options.month.value_or(now.month);
    const int firstYear = options.year.value_or(now.year);
    // Every month is known to be in the calendar before a line is written, and before the
    // place is read: an option out of range is reported as such even when the record is
    // bad too.
    if (!options.list && !options.plan && !options.day) {
        for (const int offset : {0, options.months - 1}) {
            CheckedYear(MonthAfter(CheckedMonth(firstMonth), firstYear, offset).second);
        }
    }
    LocationList places;
    if (options.town) {
        GeonamesGazetteer gazetteer;
        places = {TownRecordFor(gazetteer, *options.town)};
    } else {
        places = options.record ? RecordAsPlaceList(*options.record)
                                : ReadPlaceList(options.locationsPath);
    }
    if (options.day) {
        WriteDayPictures(
            options, options.town
                         ? places.front()
                         : places[static_cast<std::size_t>(ChoosePlace(places, options.place))]);
        return;
    }

    if (options.list) {
        TableOutput output(options.outputPath, standardOutput);
        output.Write(PlaceListText(places));
        output.Finish();
        return;
    }
    if (options.plan) {
        RunPlanCommand(options, places, now, standardOutput, messages);
        return;
    }
    if (options.yearView) {
        const std::string& record =
            places[static_cast<std::size_t>(ChoosePlace(places, options.place))];
        WriteYearViewPdf(*options.pdfPath,
                         BuildYearSheet(record, PlaceName(record), CheckedYear(firstYear)));
        return;
    }
    const std::string& record =
        options.town ? places.front()
                     : places[static_cast<std::size_t>(ChoosePlace(places, options.place))];
    PlaceValues place;
    ParseSelectedLocation(record, place);

    // The PDF alone was asked for unless a format or an output file says otherwise.
    const bool writeTable = !options.pdfPath || options.formatGiven || options.outputPath;
    std::optional<TableOutput> output;
    if (writeTable) {
        output.emplace(options.outputPath, standardOutput);
    }
    const bool csv = options.format == "csv";
    // A calendar is one VCALENDAR over all the months, so its months are kept and written
    // together at the end; its choices are checked before anything is computed.
    const bool ics = options.format == "ics";
    const CalendarOptions calendar = CalendarChoices(options);
    if (output && csv) {
        output->Write(BuildCsvText(std::vector<MonthTable>{}, now.timeText, now.dateText));
    }
    const std::string name = PlaceName(record);
    const std::string line = PlaceLineText(record);
    // A year at a time is computed (the dates where its months meet searched once) and
    // written at once, so a long run holds one year, not all of them; only the PDF and the
    // calendar need every month together.
    std::vector<MonthTable> keptTables;
    bool first = true;
    int done = 0;
    while (done < options.months) {
        for (std::vector<MonthTable>& step :
             CalculateYearsSideBySide(place, record, firstMonth, firstYear, done, options.months,
                                      MonthOptions{options.transit})) {
            done += static_cast<int>(step.size());
            for (MonthTable& table : step) {
                if (output && !ics) {
                    output->Write(csv ? CsvDayLines(table)
                                      : (first ? "" : "\n") + FormatTextTable(table, name, line));
                }
                first = false;
                if (options.pdfPath || ics) {
                    keptTables.push_back(std::move(table));
                }
            }
        }
    }
    if (options.pdfPath) {
        WriteReportPdf(*options.pdfPath, keptTables, record);
    }
    if (output && ics) {
        output->Write(BuildIcsText(keptTables, record, calendar, std::time(nullptr)));
    }
    if (output) {
        output->Finish();
    }
}

}  // namespace quintrel::cli
