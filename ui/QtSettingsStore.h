#pragma once

#include <QString>
#include <map>
#include <memory>
#include <string>

#include "appcore/SettingsStore.h"

namespace quintrel {

/// The real settings store: an INI file in the user's configuration folder, organisation
/// "Varnel" and the application name passed in, one INI section per section name.
/// (On Linux: ~/.config/Varnel/Varnel.ini with the values under [Pellmark].)
///
/// The file is read once and written once, by Commit, under the rules of the place file:
/// the new content goes to a temporary file renamed over the old one (through a symbolic
/// link to its target), and a device, pipe, read-only or hard-linked file is refused with
/// a message instead of being replaced by a plain file. Values another program stored
/// meanwhile are kept: Commit reads the file again and changes only the keys written here.
class QtSettingsStore : public SettingsStore {
  public:
    /// The per-user store.
    QtSettingsStore();

    /// A store in the given INI file instead of the per-user one (used by tests).
    explicit QtSettingsStore(const QString& iniPath);

    ~QtSettingsStore() override;
    QtSettingsStore(const QtSettingsStore&) = delete;
    QtSettingsStore& operator=(const QtSettingsStore&) = delete;

    std::string Read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& defaultText) override;

    /// Kept in memory until Commit.
    void Write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& text) override;

    void Commit() override;

    /// The file that holds the values of `application`.
    QString FilePath(const std::string& application) const;

  private:
    struct Document;
    Document& DocumentOf(const std::string& application);

    QString iniPath_;
    std::map<std::string, std::unique_ptr<Document>> documents_;
};

}  // namespace quintrel
