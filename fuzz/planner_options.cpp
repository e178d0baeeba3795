// The planner's remembered choices as any stored texts, turned into a search and run over
// a short list of places. Input lines: Places, Ticked, Months, MinRating, Days,
// DaylightMajor, NearSun, NearSunMinutes, in that order; then the first month and year.

#include <charconv>

#include "FuzzSupport.h"
#include "table/Planner.h"
#include "table/PlannerForm.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quintrel;
    static const char* const kKeys[] = {"Places", "Ticked",        "Months",  "MinRating",
                                        "Days",   "DaylightMajor", "NearSun", "NearSunMinutes"};
    static const LocationList kPlaces = {
        "0Australia - NSW      Sydney           - 33 52+151 13+  101021110031104",
        "1Norway               Tromso           + 69 39+ 18 57+   10",
    };
    const auto lines = fuzz::SplitLines(fuzz::AsText(data, size));
    PlannerChoices choices;
    ReadPlannerChoices(choices, [&](const std::string& key, const std::string& fallback) {
        for (std::size_t i = 0; i < std::size(kKeys); ++i) {
            if (key == kKeys[i] && i < lines.size()) {
                return std::string(lines[i]);
            }
        }
        return fallback;
    });
    int month = 1;
    int year = 2026;
    const std::string_view monthText = fuzz::LineOr(lines, 8, "1");
    const std::string_view yearText = fuzz::LineOr(lines, 9, "2026");
    std::from_chars(monthText.data(), monthText.data() + monthText.size(), month);
    std::from_chars(yearText.data(), yearText.data() + yearText.size(), year);
    choices.firstMonth = static_cast<std::int16_t>(month);
    choices.firstYear = static_cast<std::int16_t>(year);

    std::string problem;
    PlanRequest request = PlannerRequest(choices, kPlaces, 0, problem);
    // What was read is written back and reads again the same.
    PlannerChoices again;
    WritePlannerChoices(choices, [&](const std::string& key, const std::string& text) {
        ReadPlannerChoices(again, [&](const std::string& wanted, const std::string& fallback) {
            return wanted == key ? text : fallback;
        });
    });
    if (!problem.empty() || !PlanRequestProblem(request).empty()) {
        return 0;
    }
    // A short search keeps each run quick; the filters are what is fuzzed.
    request.monthCount = 1;
    fuzz::Tolerate([&] {
        const PlanResult result = RunPlan(request);
        for (const PlanDay& day : result.days) {
            fuzz::Require(day.placeIndex < request.places.size(), "day of no place");
        }
    });
    return 0;
}
