#pragma once

// Helpers shared by the fuzz targets: turning the fuzzer's bytes into texts, tolerating
// the one error the core may report, and failing loudly when a promise is broken.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "astro/CoreError.h"

namespace quintrel::fuzz {

/// The fuzzer's bytes as text (any byte, embedded zeros included).
inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

/// The text split at every '\n' (n separators give n + 1 pieces), so that seed inputs
/// with several arguments stay readable one per line.
inline std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (true) {
        const auto end = text.find('\n');
        if (end == std::string_view::npos) {
            lines.push_back(text);
            return lines;
        }
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
}

/// Line `index`, or `missing` when the input has fewer lines.
inline std::string_view LineOr(const std::vector<std::string_view>& lines, std::size_t index,
                               std::string_view missing) {
    return index < lines.size() ? lines[index] : missing;
}

/// Runs `step`; CoreError, the core's answer to bad input, is accepted and gives false.
/// Anything else escapes and is reported by libFuzzer as a crash.
template <typename Step>
bool Tolerate(Step&& step) {
    try {
        step();
        return true;
    } catch (const CoreError&) {
        return false;
    }
}

/// Stops the run with a message when a promise of the code under test is broken, so that
/// libFuzzer keeps the input that broke it.
inline void Require(bool holds, const char* what, std::string_view detail = {}) {
    if (!holds) {
        std::fprintf(stderr, "Broken promise: %s [%.*s]\n", what, static_cast<int>(detail.size()),
                     detail.data());
        std::abort();
    }
}

}  // namespace quintrel::fuzz
