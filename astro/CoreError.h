#pragma once

#include <stdexcept>
#include <string>

namespace quintrel {

/// The one error type of the core: malformed text where a number or record was
/// expected, date arithmetic out of range, a file that cannot be read or written.
/// The message is meant for the user and names the offending text, path or line.
class CoreError : public std::runtime_error {
  public:
    explicit CoreError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace quintrel
