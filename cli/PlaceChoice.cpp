#include "cli/PlaceChoice.h"

#include <algorithm>
#include <cctype>

#include "astro/CoreError.h"
#include "cli/OptionChecks.h"
#include "locations/AppPaths.h"
#include "locations/Encoding.h"
#include "locations/LocationFile.h"
#include "locations/LocationFormChecks.h"
#include "locations/LocationRecord.h"
#include "locations/PlaceDescription.h"
#include "locations/PlaceMatch.h"
#include "locations/PlaceValues.h"

namespace quintrel::cli {

LocationList ReadPlaceList(const std::string& path) {
    LocationState state;
    if (path.empty()) {
        const std::string directory = PreparePlaceDirectory(AppDirectory());
        if (!LoadLocations(directory, state)) {
            throw CoreError("Required data file locs.dat/bak is not in " + directory);
        }
        return state.Locations;
    }
    // The window's own reader: a pipe is refused at once, and the list limits hold.
    return ReadLocationFile(path).Locations;
}

LocationList RecordAsPlaceList(std::string_view utf8Record) {
    const std::string record = Utf8ToCp1252(utf8Record);
    // A record the location window could not have written is refused before anything is
    // computed with it, naming the column at fault.
    CheckLocationRecord(record);
    PlaceValues place;
    ParseSelectedLocation(record, place);
    return {record};
}

std::string PlaceName(std::string_view record) {
    return Cp1252ToUtf8(LocationDisplayText(record));
}

int ChoosePlace(const LocationList& places, std::string_view choice) {
    try {
        return quintrel::ChoosePlace(places, choice);
    } catch (const PlaceChoiceError& error) {
        // On the command line, --list shows the names to choose from.
        switch (error.Problem()) {
            case PlaceChoiceProblem::NoMatch:
                throw CoreError(std::string(error.what()) + " (see --list)");
            case PlaceChoiceProblem::SeveralMatch:
                // Like an ambiguous --town: the text typed needs more of the name, not other data.
                throw UsageError(std::string(error.what()) +
                                 (error.MoreThanShown() ? " (see --list)" : ""));
            default:
                throw;
        }
    }
}

std::string PlaceListText(const LocationList& places) {
    // Characters, not bytes, line the coordinates up: names are UTF-8.
    const auto width = [](const std::string& text) {
        return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
            return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        }));
    };
    std::vector<std::string> names;
    std::size_t widest = 0;
    for (const std::string& record : places) {
        // Control characters in a name are shown escaped, not sent to the terminal.
        names.push_back(PrintableText(PlaceName(record)));
        widest = std::max(widest, width(names.back()));
    }
    std::string text;
    for (std::size_t i = 0; i < places.size(); ++i) {
        PlaceDescription texts;
        DescribeLocation(places[i], texts);
        const PlaceDescription shown = DescriptionToUtf8(texts);
        text += std::to_string(i) + "  " + names[i] + std::string(widest - width(names[i]), ' ') +
                "  " + shown.latitudeText + ", " + shown.longitudeText + ", " + shown.zoneText +
                "\n";
    }
    return text;
}

}  // namespace quintrel::cli
