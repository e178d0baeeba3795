#include "table/ReportTexts.h"

#include "astro/CalendarNames.h"
#include "locations/PlaceDescription.h"

namespace quintrel {

std::string VersionNumberText() {
    return std::to_string(QUINTREL_VERSION_MAJOR) + "." + std::to_string(QUINTREL_VERSION_MINOR) +
           "." + std::to_string(QUINTREL_VERSION_REVISION);
}

std::string ReportVersionText() {
    return "Quintrel - Version " + VersionNumberText();
}

std::string ReportTitleText(std::string_view placeText, std::int16_t month, std::int16_t year) {
    return "Quintrel For " + std::string(placeText) + " for " + GetMonthName(month, true) + " " +
           std::to_string(year);
}

std::string PlaceLineText(std::string_view record) {
    PlaceDescription texts;
    DescribeLocation(record, texts);
    // The record's bytes are Windows-1252; the report draws UTF-8.
    const PlaceDescription display = DescriptionToUtf8(texts);
    return "Lattitude: " + display.latitudeText + ", Longitude: " + display.longitudeText + ", " +
           display.zoneText;
}

}  // namespace quintrel
