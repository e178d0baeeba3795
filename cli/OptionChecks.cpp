#include "cli/OptionChecks.h"

#include <charconv>
#include <string>
#include <system_error>
#include <utility>

#include "cli/LogCommand.h"
#include "locations/Encoding.h"

namespace quintrel::cli {

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

void CheckOptions(const TableOptions& options) {
    if (options.plan && options.yearView) {
        throw UsageError("--plan and --year-view cannot be used together");
    }
    if (!options.plan && (options.from || options.places || options.days || options.daylightMajor ||
                          options.nearSunMinutes || options.nearTideMinutes)) {
        throw UsageError(
            "--from, --places, --days, --daylight-major, --near-sun and --near-tide "
            "go with --plan");
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
    if (options.stations && options.tides) {
        throw UsageError("--stations and --tides cannot be used together");
    }
    if ((options.station || options.units) && !options.tides) {
        throw UsageError("--station and --units go with --tides");
    }
    if (options.units && *options.units != "m" && *options.units != "ft") {
        throw UsageError("--units must be m or ft, not \"" + PrintableText(*options.units) + "\"");
    }
    if ((options.stations || options.tides) && options.format == "ics") {
        throw UsageError("--stations and --tides write text or csv; not --format ics");
    }
    if (options.stations && options.pdfPath) {
        throw UsageError("--stations writes text; --pdf goes with --tides");
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
