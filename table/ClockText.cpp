#include "table/ClockText.h"

namespace quintrel {

namespace {

std::string Format(const char* pattern, const std::tm& moment) {
    char buffer[128];
    const std::size_t length = std::strftime(buffer, sizeof buffer, pattern, &moment);
    return std::string(buffer, length);
}

}  // namespace

ClockTexts LocalClockTexts(std::time_t moment) {
    std::tm local{};
    localtime_r(&moment, &local);
    return {Format("%X", local), Format("%x", local), moment};
}

}  // namespace quintrel
