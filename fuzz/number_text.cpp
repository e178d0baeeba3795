// The engine's number and time-text readers on any text: ReadNumber, ReadSingle,
// ReadWholeNumber, TimeTextToHours and ShiftBackOneHour, and the float text that must read
// back to the same float.

#include <cmath>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "astro/NumberText.h"
#include "astro/mRiseSet.h"

namespace {

using namespace quintrel;
using quintrel::fuzz::Require;
using quintrel::fuzz::Tolerate;

// A finite single's text has no exponent and reads back to the very same float: the
// month table writes coordinates as text and reads them again.
void CheckSingleText(float value) {
    if (!std::isfinite(value)) {
        return;
    }
    const std::string text = SingleToText(value);
    Require(text.find_first_of("eE") == std::string::npos, "single text has an exponent", text);
    const float back = ReadSingle(text);
    Require(back == value, "single text does not read back", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);

    Tolerate([&] { Require(std::isfinite(ReadNumber(text)), "ReadNumber gave a non-finite"); });
    Tolerate([&] { CheckSingleText(ReadSingle(text)); });
    Tolerate([&] { ReadWholeNumber(text); });
    Tolerate([&] { mRiseSet::TimeTextToHours(text); });
    Tolerate([&] {
        std::string timeText(text);
        mRiseSet::ShiftBackOneHour(timeText);
    });

    // The same bytes as a float: every finite single, denormals included, has a text.
    if (size >= sizeof(float)) {
        float value = 0;
        std::memcpy(&value, data, sizeof value);
        CheckSingleText(value);
        Tolerate([&] { mRiseSet::HoursToTimeText(value); });
    }
    return 0;
}
