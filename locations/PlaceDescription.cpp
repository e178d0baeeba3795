#include "locations/PlaceDescription.h"

#include <cmath>

#include "astro/NumberText.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"
#include "locations/PlaceValues.h"

namespace quintrel {

namespace {

constexpr char kDegreeMark = '\xBA';  // º in Windows-1252
constexpr char kMinuteMark = '\xB4';  // ´ in Windows-1252

// "33º  52´ South": the minutes keep their leading blanks, as the heading always has.
std::string AngleText(std::string_view record, RecordColumns sign, RecordColumns degrees,
                      RecordColumns minutes, std::string_view positive, std::string_view negative) {
    std::string text = SingleToText(ColumnSingle(record, degrees));
    text += kDegreeMark;
    text += ' ';
    text += ColumnText(record, minutes);
    text += kMinuteMark;
    text += ' ';
    text += ColumnText(record, sign) == "-" ? negative : positive;
    return text;
}

std::string ZoneText(std::string_view record) {
    namespace col = LocationColumns;
    std::string text = "GMT ";
    if (record.size() >= kRecordLengthWithoutRules) {
        text += ColumnText(record, col::ZoneSign);
        text += TrimBlanks(ColumnText(record, col::ZoneHours));
    } else {
        PlaceValues place;
        ParseSelectedLocation(record, place);
        const double hours = RoundHalfEven(place.PlaceZone);
        text += hours < 0 ? '-' : '+';
        text += SingleToText(static_cast<float>(std::fabs(hours)));
    }
    text += " hours";
    return text;
}

}  // namespace

void DescribeLocation(std::string_view record, PlaceDescription& texts) {
    if (record.empty()) {
        return;
    }
    namespace col = LocationColumns;
    PlaceDescription described;
    described.latitudeText = AngleText(record, col::LatitudeSign, col::LatitudeDegrees,
                                       col::LatitudeMinutes, "North", "South");
    described.longitudeText = AngleText(record, col::LongitudeSign, col::LongitudeDegrees,
                                        col::LongitudeMinutes, "East", "West");
    described.zoneText = ZoneText(record);
    texts = std::move(described);
}

PlaceDescription DescriptionToUtf8(const PlaceDescription& texts) {
    return {Cp1252ToUtf8(texts.latitudeText), Cp1252ToUtf8(texts.longitudeText),
            Cp1252ToUtf8(texts.zoneText)};
}

}  // namespace quintrel
