#include "cli/CommandParts.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>
#include <thread>
#include <vector>

#include "astro/CoreError.h"
#include "cli/FindCommand.h"
#include "cli/OptionChecks.h"
#include "cli/PlaceChoice.h"
#include "gazetteer/GeonamesGazetteer.h"
#include "table/CalculateMonth.h"
#include "table/TableYears.h"

namespace quintrel::cli {

namespace {

constexpr int kMonthsPerStep = 12;

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
    {
        // Declared after what the workers write, so leaving this block early joins them
        // while their results still exist.
        std::vector<std::jthread> workers;
        for (std::size_t i = 1; i < steps.size(); ++i) {
            try {
                workers.emplace_back(compute, i);
            } catch (const std::system_error&) {
                // No thread to be had: this year is computed here instead.
                compute(i);
            }
        }
        compute(0);
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
    return steps;
}

}  // namespace

std::int16_t CheckedMonth(int month) {
    if (month < 1 || month > 12) {
        throw UsageError("Month " + std::to_string(month) + " is not between 1 and 12");
    }
    return static_cast<std::int16_t>(month);
}

std::int16_t CheckedYear(int year) {
    if (!IsTableYear(year)) {
        throw UsageError(YearOutsideText(year));
    }
    return static_cast<std::int16_t>(year);
}

std::pair<int, int> MonthAfter(int month, int year, int offset) {
    const long index = static_cast<long>(year) * 12 + (month - 1) + offset;
    // Rounded down, not towards zero: December of year -2026 is still in year -2026.
    const long yearOf = index >= 0 ? index / 12 : (index - 11) / 12;
    return {static_cast<int>(index - yearOf * 12) + 1, static_cast<int>(yearOf)};
}

std::pair<int, int> FirstAskedMonth(const TableOptions& options, const LocalMoment& now) {
    return {options.month.value_or(now.month), options.year.value_or(now.year)};
}

void CheckAskedMonths(const TableOptions& options, const LocalMoment& now) {
    const auto [firstMonth, firstYear] = FirstAskedMonth(options, now);
    for (const int offset : {0, options.months - 1}) {
        CheckedYear(MonthAfter(CheckedMonth(firstMonth), firstYear, offset).second);
    }
}

MonthTable LastAskedMonth(const TableOptions& options, const LocalMoment& now,
                          const PlaceValues& place, const std::string& record) {
    const auto [firstMonth, firstYear] = FirstAskedMonth(options, now);
    const auto [month, year] = MonthAfter(firstMonth, firstYear, options.months - 1);
    return CalculateMonth(place, record, CheckedMonth(month), CheckedYear(year));
}

LocationList ReadPlaces(const TableOptions& options, std::ostream& messages) {
    if (options.town) {
        GeonamesGazetteer gazetteer;
        return {TownRecordFor(gazetteer, *options.town, messages)};
    }
    return options.record ? RecordAsPlaceList(*options.record)
                          : ReadPlaceList(options.locationsPath);
}

const std::string& ChosenRecord(const TableOptions& options, const LocationList& places) {
    return options.town ? places.front()
                        : places[static_cast<std::size_t>(ChoosePlace(places, options.place))];
}

AskedPlaceMonths OpenAskedPlaceMonths(const TableOptions& options, std::ostream& messages) {
    AskedPlaceMonths asked{ReadLocalClock(), {}, {}};
    CheckAskedMonths(options, asked.now);
    asked.record = ChosenRecord(options, ReadPlaces(options, messages));
    ParseSelectedLocation(asked.record, asked.place);
    return asked;
}

void ForEachAskedMonth(const TableOptions& options, const LocalMoment& now,
                       const PlaceValues& place, const std::string& record,
                       const std::function<void(MonthTable&)>& use) {
    const auto [firstMonth, firstYear] = FirstAskedMonth(options, now);
    int done = 0;
    while (done < options.months) {
        for (std::vector<MonthTable>& step :
             CalculateYearsSideBySide(place, record, firstMonth, firstYear, done, options.months,
                                      MonthOptions{options.transit})) {
            done += static_cast<int>(step.size());
            for (MonthTable& table : step) {
                use(table);
            }
        }
    }
}

TableOutput::TableOutput(const std::optional<std::string>& path, std::ostream& standardOutput) {
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

void TableOutput::Write(std::string_view text) {
    if (file_) {
        file_->Append(text);
        return;
    }
    stream_->write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!*stream_) {
        throw CoreError("Cannot write to " + name_);
    }
}

void TableOutput::Finish() {
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

void WriteWhole(const TableOptions& options, std::ostream& standardOutput, std::string_view text) {
    TableOutput output(options.outputPath, standardOutput);
    output.Write(text);
    output.Finish();
}

bool TextOutputAsked(const TableOptions& options) {
    return !options.pdfPath || options.formatGiven || options.outputPath;
}

}  // namespace quintrel::cli
