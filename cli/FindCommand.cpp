#include "cli/FindCommand.h"

#include <vector>

#include "astro/CoreError.h"
#include "cli/OptionChecks.h"
#include "gazetteer/GeonamesGazetteer.h"
#include "gazetteer/SystemTimeZones.h"
#include "gazetteer/TownChoice.h"
#include "gazetteer/TownFold.h"
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
        throw CoreError("No town matches \"" + PrintableText(text) + "\"." +
                        EnglishNamesHint(text));
    }
    return towns;
}

std::string TownName(const GazetteerTown& town) {
    std::string line = town.name;
    for (const std::string* part : {&town.state, &town.country}) {
        if (!part->empty()) {
            line += ", " + *part;
        }
    }
    return line;
}

std::string TownLine(const GazetteerTown& town) {
    return TownName(town) + " (" + town.timeZone + ", " + std::to_string(town.population) +
           " people)";
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

std::string TownRecordFor(Gazetteer& gazetteer, std::string_view text, std::ostream& messages) {
    // Enough towns to see which the text means, however many more share the name.
    constexpr std::size_t kMostMeant = 50;
    Matches(gazetteer, text);
    const std::vector<GazetteerTown> meant = TownsMeant(gazetteer, text, kMostMeant);
    const GazetteerTown* taken = TownTaken(meant);
    if (taken == nullptr) {
        std::string names;
        std::string suggestions;
        for (const GazetteerTown& town : meant) {
            names += (names.empty() ? "" : "; ") + TownName(town);
            const TownSuggestion suggestion = SuggestionFor(gazetteer, town);
            suggestions += (suggestions.empty() ? "\"" : ", \"") + suggestion.text + "\"";
            if (!suggestion.unique) {
                suggestions += suggestion.largest ? " (the largest of the towns it matches)"
                                                  : " (not the largest of the towns it matches)";
            }
        }
        throw UsageError("Several towns match \"" + PrintableText(text) + "\" (" + names +
                         "); say which: " + suggestions);
    }
    if (meant.size() > 1) {
        std::string others;
        for (std::size_t i = 1; i < meant.size(); ++i) {
            others += (others.empty() ? "" : "; ") + TownName(meant[i]) + " (\"" +
                      SuggestionFor(gazetteer, meant[i]).text + "\")";
        }
        messages << "quintrel-table: \"" << text << "\" is taken as " << TownName(*taken)
                 << ", more than ten times larger than the other towns it matches: " << others
                 << "\n";
    }
    const TownPlace place = PlaceForTown(*taken);
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
