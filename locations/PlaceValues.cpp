#include "locations/PlaceValues.h"

#include "locations/LocationRecord.h"

namespace quintrel {

namespace {

// Degrees, minutes / 60 and their sum each stay 32-bit floats: the month table's
// results depend on this rounding.
float ReadAngle(std::string_view record, RecordColumns sign, RecordColumns degrees,
                RecordColumns minutes) {
    const float wholeDegrees = ColumnSingle(record, degrees);
    const float fraction = ColumnSingle(record, minutes) / 60.0f;
    const float sum = wholeDegrees + fraction;
    return static_cast<float>(ColumnSign(record, sign)) * sum;
}

}  // namespace

void ParseSelectedLocation(std::string_view record, PlaceValues& place) {
    place.PlaceLatitude = 0;
    place.PlaceLongitude = 0;
    place.PlaceZone = 0;
    if (record.empty()) {
        return;
    }
    namespace col = LocationColumns;
    const float latitude =
        ReadAngle(record, col::LatitudeSign, col::LatitudeDegrees, col::LatitudeMinutes);
    const float longitude =
        ReadAngle(record, col::LongitudeSign, col::LongitudeDegrees, col::LongitudeMinutes);
    float zone = 0;
    if (record.size() < kRecordLengthWithoutRules) {
        // Older records have no zone: take the one whose meridian band holds the place.
        zone = -(longitude - 7.5f) / 15.0f;
    } else {
        zone = static_cast<float>(ColumnSign(record, col::ZoneSign)) *
               ColumnSingle(record, col::ZoneHours);
    }
    // Assigned only once everything has been read, so a damaged record leaves the
    // values at 0 rather than half filled.
    place.PlaceLatitude = latitude;
    place.PlaceLongitude = longitude;
    place.PlaceZone = zone;
    place.PlaceDstFlag = std::string(ColumnText(record, col::DstFlag));
}

}  // namespace quintrel
