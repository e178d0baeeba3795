#pragma once

#include <string>

namespace quintrel {

/// A per-user key/value store addressed by application, section and key. Every value is
/// text (UTF-8). Behind an interface so tests can hand the window a store in memory.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;

    /// The stored text, or `defaultText` when the key (or its section) does not exist.
    virtual std::string Read(const std::string& application, const std::string& section,
                             const std::string& key, const std::string& defaultText) = 0;

    /// Creates the section and key when needed and replaces the stored text. A store kept
    /// in a file may hold the text back until Commit; Read sees it at once.
    virtual void Write(const std::string& application, const std::string& section,
                       const std::string& key, const std::string& text) = 0;

    /// Makes every Write since the last Commit lasting, all at once. Throws CoreError
    /// naming the place that refused them; what was stored before is then kept.
    virtual void Commit() {}
};

}  // namespace quintrel
