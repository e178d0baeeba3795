#include "cli/LocalClock.h"

#include "table/ClockText.h"

namespace quintrel::cli {

LocalMoment ReadLocalClock() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    ClockTexts texts = LocalClockTexts(now);
    return {local.tm_mon + 1, local.tm_year + 1900, std::move(texts.timeText),
            std::move(texts.dateText)};
}

}  // namespace quintrel::cli
