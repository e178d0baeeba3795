#pragma once

#include <string>
#include <string_view>

#include "locations/LocationList.h"

namespace quintrel::cli {

/// Reads the place list of a locations file (ReadLocationFile: any line end, blank lines
/// dropped, sorted, size-limited). An empty `path` means the window's own list: locs.dat
/// in PreparePlaceDirectory (beside the program, or the user's data folder, copied from
/// the shipped list on first use), restored from locs.bak first when only the backup
/// exists, as the window does. Throws CoreError naming the file when it cannot be read or
/// neither file exists.
LocationList ReadPlaceList(const std::string& path);

/// The one-place list of a record typed on the command line (UTF-8, converted to the
/// file's Windows-1252 bytes). Throws CoreError naming the column unless the record passes
/// CheckLocationRecord: the layout of a line of locs.dat and the location window's ranges.
LocationList RecordAsPlaceList(std::string_view utf8Record);

/// The position chosen by `choice`: a whole number is a position from 0; any other text
/// picks the one place whose "Country (Town)" contains it, ignoring case (a place whose
/// whole text equals it wins over longer ones). Throws CoreError when the list is empty,
/// the position is outside it, nothing matches, or several places match (listing the
/// first 20 and saying how many more; a UsageError, since more of the name settles it).
int ChoosePlace(const LocationList& places, std::string_view choice);

/// "Country (Town)" of a record, as UTF-8.
std::string PlaceName(std::string_view record);

/// One line per place: its position, two blanks, its name (control characters escaped);
/// each ended by "\n".
std::string PlaceListText(const LocationList& places);

}  // namespace quintrel::cli
