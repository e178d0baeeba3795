#include "cli/FindCommand.h"

#include <vector>

#include "astro/CoreError.h"
#include "cli/OptionChecks.h"
#include "gazetteer/GeonamesGazetteer.h"
#include "gazetteer/SystemTimeZones.h"
#include "gazetteer/TownPlace.h"
#include "locations/Encoding.h"

namespace quintrel::cli {

namespace {

constexpr std::size_t kMostTowns = 20;

std::vector<GazetteerTown> Matches(Gazetteer& gazetteer, std::string_view text) {
    std::vector<GazetteerTown> towns = gazetteer.Search(text, kMostTowns);
    if (towns.empty()) {
        // Search finds nothing for text too short to search for; say so rather than
        // that no town matches.
        if (SearchTextTooShort(text)) {
            throw UsageError("Give at least two letters of a town's name to search for");
        }
        throw CoreError("No town matches \"" + PrintableText(text) + "\"");
    }
    return towns;
}

std::string TownLine(const GazetteerTown& town) {
    std::string line = town.name;
    for (const std::string* part : {&town.state, &town.country}) {
        if (!part->empty()) {
            line += ", " + *part;
        }
    }
    return line + " (" + town.timeZone + ", " + std::to_string(town.population) + " people)";
}

}  // namespace

std::string FindText(Gazetteer& gazetteer, std::string_view text) {
    std::string output;
    for (const GazetteerTown& town : Matches(gazetteer, text)) {
        const TownPlace place = PlaceForTown(town);
        output += TownLine(town) + "\n";
        // Without a zone there is no record to show, only why.
        if (!place.zone.zoneHours.empty()) {
            output += "  " + Cp1252ToUtf8(TownRecord(place)) + "\n";
        }
        if (!place.zone.note.empty()) {
            output += "  " + place.zone.note + "\n";
        }
    }
    return output;
}

std::string TownRecordFor(Gazetteer& gazetteer, std::string_view text) {
    const std::vector<GazetteerTown> towns = Matches(gazetteer, text);
    std::vector<GazetteerTown> best;
    for (const GazetteerTown& town : towns) {
        if (town.wholeName) {
            best.push_back(town);
        }
    }
    if (best.empty()) {
        best = towns;
    }
    if (best.size() > 1) {
        std::string names;
        for (const GazetteerTown& town : best) {
            names += (names.empty() ? "" : "; ") + town.name + ", " +
                     (town.state.empty() ? "" : town.state + ", ") + town.country;
        }
        throw UsageError("Several towns match \"" + PrintableText(text) + "\" (" + names +
                         "); add the state or country, e.g. \"" + best.front().name + " " +
                         best.front().country + "\"");
    }
    const TownPlace place = PlaceForTown(best.front());
    if (place.zone.zoneHours.empty()) {
        throw CoreError(place.zone.note);
    }
    return TownRecord(place);
}

std::string ZoneRuleText(const std::string& zoneId) {
    std::string output;
    for (const bool north : {true, false}) {
        const ZoneRuleResult zone = SystemZoneRule(zoneId, north);
        output += north ? "north " : "south ";
        output += zone.zoneSign + zone.zoneHours + " " + (zone.dst ? "1 " : "0 ");
        output += zone.dst ? zone.startRule + " " + zone.endRule : std::string("- - ") + zone.note;
        output += "\n";
    }
    return output;
}

bool IsFindMode(const TableOptions& options) {
    return options.find || options.zoneRule;
}

void RunFindCommand(const TableOptions& options, std::ostream& standardOutput,
                    std::ostream& /*messages*/) {
    std::string text;
    if (options.find) {
        GeonamesGazetteer gazetteer;
        text = FindText(gazetteer, *options.find);
    } else {
        // The zone library would also take a POSIX rule string, or print a rule of
        // Greenwich time for any name it cannot find.
        if (!IsSystemZoneId(*options.zoneRule)) {
            throw UsageError(
                "--zone-rule must name a zone of the system's time-zone database, such as "
                "Europe/Oslo or Etc/GMT-10, not \"" +
                PrintableText(*options.zoneRule) + "\"");
        }
        text = ZoneRuleText(*options.zoneRule);
    }
    standardOutput << text << std::flush;
    if (!standardOutput) {
        throw CoreError("Cannot write to standard output");
    }
}

}  // namespace quintrel::cli
