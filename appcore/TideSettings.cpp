#include "appcore/TideSettings.h"

#include "appcore/Settings.h"
#include "appcore/SettingsStore.h"

namespace quintrel {

std::string TideStationKey(std::string_view record) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string key;
    for (const char c : record) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
            (byte >= 'a' && byte <= 'z')) {
            key += c;
        } else {
            key += '%';
            key += kHex[byte >> 4];
            key += kHex[byte & 0x0F];
        }
    }
    return key;
}

std::string LoadKeptStation(SettingsStore& store, std::string_view record) {
    return store.Read(kSettingsApplication, kTideSettingsSection, TideStationKey(record), "");
}

void SaveKeptStation(SettingsStore& store, std::string_view record, const std::string& stationId) {
    store.Write(kSettingsApplication, kTideSettingsSection, TideStationKey(record), stationId);
}

}  // namespace quintrel
