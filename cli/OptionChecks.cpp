#include "cli/OptionChecks.h"

#include <charconv>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include "astro/CivilDate.h"
#include "cli/LogCommand.h"
#include "locations/Encoding.h"

namespace quintrel::cli {

namespace {

bool ReadPart(std::string_view text, std::size_t digits, int& value) {
    if (text.size() != digits) {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

DayArgument ParseDayArgument(std::string_view text) {
    DayArgument day;
    const bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' &&
                        ReadPart(text.substr(0, 4), 4, day.year) &&
                        ReadPart(text.substr(5, 2), 2, day.month) &&
                        ReadPart(text.substr(8, 2), 2, day.day);
    if (!shaped || day.month < 1 || day.month > 12 || day.day < 1 ||
        day.day > DaysInMonth(day.year, day.month)) {
        throw UsageError("--day " + PrintableText(text) + " is not a date of the form YYYY-MM-DD");
    }
    return day;
}

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

namespace {

// Two outputs named the same file would leave only the one written last.
void RequireDistinctOutputs(const TableOptions& options) {
    namespace fs = std::filesystem;
    const std::pair<const char*, std::string> outputs[] = {
        {"--output", options.outputPath.value_or("")},
        {"--pdf", options.pdfPath.value_or("")},
        {"--svg", options.svgPath},
        {"--png", options.pngPath}};
    for (std::size_t i = 0; i < std::size(outputs); ++i) {
        for (std::size_t j = i + 1; j < std::size(outputs); ++j) {
            const std::string& a = outputs[i].second;
            const std::string& b = outputs[j].second;
            if (a.empty() || b.empty()) {
                continue;
            }
            std::error_code error;
            // A device or pipe (/dev/null) takes any number of writers.
            const fs::file_status status = fs::status(a, error);
            if (fs::exists(status) && !fs::is_regular_file(status)) {
                continue;
            }
            std::error_code errorA;
            std::error_code errorB;
            const fs::path fullA = fs::weakly_canonical(a, errorA);
            const fs::path fullB = fs::weakly_canonical(b, errorB);
            bool same = a == b || (!errorA && !errorB && fullA == fullB);
            // Hard links are one file under two names.
            same = same || (fs::exists(status) && fs::equivalent(a, b, error));
            if (same) {
                throw UsageError(std::string(outputs[i].first) + " and " + outputs[j].first +
                                 " name the same file \"" + PrintableText(b) +
                                 "\"; give each its own");
            }
        }
    }
}

}  // namespace

void CheckOptions(const TableOptions& options) {
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
    RequireDistinctOutputs(options);
    if (options.yearView && !options.pdfPath) {
        throw UsageError("--year-view needs --pdf FILE for the page it draws");
    }
    if (options.stations && options.tides) {
        throw UsageError("--stations and --tides cannot be used together");
    }
    if ((options.station || options.units) && !options.tides) {
        throw UsageError("--station and --units go with --tides");
    }
    if (options.units && *options.units != "m" && *options.units != "ft") {
        throw UsageError("--units must be m or ft, not \"" + PrintableText(*options.units) + "\"");
    }
    if ((options.stations || options.tides) && (options.format == "ics" || options.pdfPath)) {
        throw UsageError("--stations and --tides write text or csv; not --format ics or --pdf");
    }
    if (options.calendarOptionsGiven && options.format != "ics") {
        throw UsageError("--ics-events, --daylight-only and --alarm need --format ics");
    }
    const int placeSources =
        (options.record ? 1 : 0) + (options.town ? 1 : 0) + (options.locationsPath.empty() ? 0 : 1);
    if (placeSources > 1) {
        throw UsageError("Only one of --record, --town and --locations can be given");
    }
    // The log's own checks come before those of the other modes, which it does not take.
    CheckLogOptions(options);
    // The town search and the zone rule read no place and draw no day, so the day
    // picture's options are not held against them.
    if (options.find || options.zoneRule) {
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
}

}  // namespace quintrel::cli
