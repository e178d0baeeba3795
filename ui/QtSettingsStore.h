#pragma once

#include <QString>

#include "appcore/SettingsStore.h"

namespace quintrel {

/// The real settings store: an INI file in the user's configuration folder, organisation
/// "Varnel" and the application name passed in, one INI section per section name.
/// (On Linux: ~/.config/Varnel/Varnel.ini with the values under [Pellmark].)
class QtSettingsStore : public SettingsStore {
  public:
    /// The per-user store.
    QtSettingsStore() = default;

    /// A store in the given INI file instead of the per-user one (used by tests).
    explicit QtSettingsStore(const QString& iniPath) : iniPath_(iniPath) {}

    std::string Read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& defaultText) override;

    /// Writes and flushes to disk at once, so nothing waits for the program's end.
    void Write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& text) override;

  private:
    QString iniPath_;
};

}  // namespace quintrel
