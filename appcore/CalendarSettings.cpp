#include "appcore/CalendarSettings.h"

#include <charconv>
#include <string>

#include "appcore/Settings.h"
#include "appcore/SettingsStore.h"

namespace quintrel {

namespace {

std::string ReadKey(SettingsStore& store, const char* key) {
    return store.Read(kSettingsApplication, kCalendarSettingsSection, key, "");
}

bool ReadFlag(SettingsStore& store, const char* key, bool defaultValue) {
    const std::string text = ReadKey(store, key);
    return text == "1" ? true : text == "0" ? false : defaultValue;
}

int ReadMinutes(SettingsStore& store, const char* key, int defaultValue) {
    const std::string text = ReadKey(store, key);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > kMaxAlarmMinutes) {
        return defaultValue;
    }
    return value;
}

void WriteKey(SettingsStore& store, const char* key, const std::string& text) {
    store.Write(kSettingsApplication, kCalendarSettingsSection, key, text);
}

}  // namespace

CalendarOptions LoadCalendarOptions(SettingsStore& store) {
    const CalendarOptions defaults;
    CalendarOptions options;
    options.majorPeriods = ReadFlag(store, "Major", defaults.majorPeriods);
    options.minorPeriods = ReadFlag(store, "Minor", defaults.minorPeriods);
    options.goodDays = ReadFlag(store, "Days", defaults.goodDays);
    options.minimumRating =
        RatingOfWord(ReadKey(store, "MinRating")).value_or(defaults.minimumRating);
    options.daylightOnly = ReadFlag(store, "DaylightOnly", defaults.daylightOnly);
    options.alarmMinutes = ReadMinutes(store, "Alarm", defaults.alarmMinutes);
    return options;
}

void SaveCalendarOptions(SettingsStore& store, const CalendarOptions& options) {
    WriteKey(store, "Major", options.majorPeriods ? "1" : "0");
    WriteKey(store, "Minor", options.minorPeriods ? "1" : "0");
    WriteKey(store, "Days", options.goodDays ? "1" : "0");
    WriteKey(store, "MinRating", std::string(RatingWord(options.minimumRating)));
    WriteKey(store, "DaylightOnly", options.daylightOnly ? "1" : "0");
    WriteKey(store, "Alarm", std::to_string(options.alarmMinutes));
}

}  // namespace quintrel
