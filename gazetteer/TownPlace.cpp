#include "gazetteer/TownPlace.h"

#include "astro/CoreError.h"
#include "gazetteer/SystemTimeZones.h"
#include "gazetteer/TownNames.h"
#include "locations/LocationForm.h"

namespace quintrel {

ZoneRuleResult ZoneRuleFor(const std::string& zoneId, bool north) {
    try {
        return SystemZoneRule(zoneId, north);
    } catch (const CoreError& error) {
        ZoneRuleResult unknown;
        unknown.note = std::string(error.what()) + "; enter the zone by hand.";
        return unknown;
    }
}

TownPlace PlaceForTown(const GazetteerTown& town) {
    return {ListCountryName(town), ListTownName(town.name), town.latitude, town.longitude,
            ZoneRuleFor(town.timeZone, town.latitude > 0)};
}

std::string TownRecord(const TownPlace& place) {
    LocationForm form;
    form.FormSetup({}, 1);
    form.FillPlace(place.country, place.town, place.latitude, place.longitude, place.zone);
    return form.BuildLocationRecord();
}

}  // namespace quintrel
