#pragma once

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "appcore/SettingsStore.h"

namespace quintrel {

/// A settings store in memory, for tests: preset values with Set, read back what the
/// program wrote with Get, and see the order of the writes in Writes.
class MemorySettingsStore : public SettingsStore {
  public:
    struct Entry {
        std::string application, section, key, text;
    };

    std::string Read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& defaultText) override {
        reads.push_back(key);
        auto found = values.find({application, section, key});
        return found == values.end() ? defaultText : found->second;
    }

    void Write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& text) override {
        values[{application, section, key}] = text;
        writes.push_back({application, section, key, text});
    }

    /// Presets a value in the "Varnel"/"Pellmark" section the program uses.
    void Set(const std::string& key, const std::string& text) {
        values[{"Varnel", "Pellmark", key}] = text;
    }

    /// The stored value of a "Varnel"/"Pellmark" key, or `missing` when there is none.
    std::string Get(const std::string& key, const std::string& missing = "<missing>") const {
        auto found = values.find({"Varnel", "Pellmark", key});
        return found == values.end() ? missing : found->second;
    }

    bool empty() const { return values.empty(); }

    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
    std::vector<std::string> reads;  ///< keys in the order they were read
    std::vector<Entry> writes;       ///< every write in order
};

}  // namespace quintrel
