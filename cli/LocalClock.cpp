#include "cli/LocalClock.h"

#include <ctime>

namespace quintrel::cli {

namespace {

std::string Format(const char* pattern, const std::tm& moment) {
    char buffer[128];
    const std::size_t length = std::strftime(buffer, sizeof buffer, pattern, &moment);
    return std::string(buffer, length);
}

}  // namespace

LocalMoment ReadLocalClock() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_mon + 1, local.tm_year + 1900, Format("%X", local), Format("%x", local)};
}

}  // namespace quintrel::cli
