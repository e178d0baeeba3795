// The major and minor activity times on any moonrise and moonset texts. Input: up to four
// lines, the previous day's moonrise, the moonrise, the moonset and the next day's moonset.

#include "FuzzSupport.h"
#include "astro/mRiseSet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quintrel;
    const auto lines = fuzz::SplitLines(fuzz::AsText(data, size));
    const std::string_view previousRise = fuzz::LineOr(lines, 0, ":");
    const std::string_view rise = fuzz::LineOr(lines, 1, ":");
    const std::string_view set = fuzz::LineOr(lines, 2, ":");
    const std::string_view nextSet = fuzz::LineOr(lines, 3, ":");

    fuzz::Tolerate([&] { mRiseSet::MajorMinorTimes(previousRise, rise, set, nextSet); });
    fuzz::Tolerate([&] { mRiseSet::MajorMidpoint(rise, set); });
    fuzz::Tolerate([&] { mRiseSet::OppositeMajor(rise); });
    fuzz::Tolerate([&] { mRiseSet::MinorTimes(rise, set); });
    return 0;
}
