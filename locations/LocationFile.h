#pragma once

#include <string>
#include <string_view>

#include "locations/FileIo.h"
#include "locations/LocationList.h"

namespace quintrel {

/// "<directory>/locs.dat": the place file beside the program.
std::string LocationFilePath(std::string_view directory);

/// "<directory>/locs.bak": the place file as it was before the last save.
std::string LocationBackupPath(std::string_view directory);

/// The largest place file read: a full list of 32,767 places of 71 bytes and CR LF each,
/// with room to spare. Anything larger cannot be a list the program could keep.
inline constexpr std::size_t kMaxLocationFileBytes = 4 * 1024 * 1024;

/// Splits file text into lines ended by CR LF, LF or CR (files edited elsewhere use any
/// of them): n line ends give n + 1 entries, so a file that ends with one gives an empty
/// last entry. A UTF-8 byte-order mark at the start of a line is dropped, so no record
/// ever begins with one.
LocationList SplitLocationText(std::string_view text);

/// The file text of a list: each record followed by CR LF.
std::string LocationFileText(const LocationList& list);

/// Reads the place file at `path`: its records with empty lines dropped (which sets
/// LocationsChanged, as the file's final line break always gives one), sorted. Throws
/// CoreError naming the path when the file cannot be read, is not a regular file (a pipe
/// is refused at once, a device never read), is larger than kMaxLocationFileBytes
/// (refused before reading) or holds more than kMaxLocations places.
LocationState ReadLocationFile(const std::string& path);

/// What this window last knew of locs.dat: the list it held (compacted and sorted) and
/// the file's stamp, from the load or the last save.
struct LocationFileSnapshot {
    LocationList Locations;
    FileStamp Stamp;
    /// Set when saving will fail: locs.dat is read-only or hard-linked (ReplaceableTarget
    /// refuses it), or only locs.bak existed and locs.dat could not be made from it (a
    /// read-only folder, the list then came from the backup). Says so in full, for the
    /// start-up to show while the list is still used as it is.
    std::string ReadOnlyNotice;
};

/// Reads locs.dat from `directory` into state.Locations, first restoring it from locs.bak
/// when only the backup exists (where the folder refuses the new file, the list is read
/// from the backup and snapshot->ReadOnlyNotice says why). Temporary files older than a
/// minute that killed saves left beside either file are removed first. Empty lines are
/// dropped (which sets LocationsChanged, as the file's final line break always gives one)
/// and the list is sorted. LocationIndex is left alone: SelectableLocationIndex says which
/// entry to show. Fills `snapshot` when given.
/// Returns false, changing nothing, when neither file exists. Throws CoreError naming the
/// path when a file cannot be read, when locs.dat is a folder, or when the file is larger
/// than kMaxLocationFileBytes (refused before reading) or holds more than kMaxLocations
/// places; the state and both files are then unchanged.
bool LoadLocations(std::string_view directory, LocationState& state,
                   LocationFileSnapshot* snapshot = nullptr);

/// When LocationsChanged is set: copies locs.dat to locs.bak and writes the list to
/// locs.dat, each record followed by CR LF, then clears LocationsChanged. Every file is
/// written to a temporary file in the same directory, flushed to disk and renamed into
/// place, so a crash or a full disk never leaves a truncated locs.dat or locs.bak.
/// Throws CoreError naming the path on failure; the list, LocationsChanged and both files
/// are then left as they were.
void SaveLocations(std::string_view directory, LocationState& state);

/// The position the next start should select when the close-down save failed: where the
/// selected place is in the list the file still holds (the list of the snapshot), since
/// unsaved additions and deletions before it moved it in this window's list; -1 (the
/// first place) when the selected place is not in the file.
std::int16_t LocationIndexOnDisk(const LocationState& state, const LocationFileSnapshot& snapshot);

/// What the close-down save did.
struct CloseDownSave {
    bool Written = false;   ///< locs.dat was written
    std::string MergeText;  ///< for the user when another window's changes were merged
};

/// The close-down save. A list equal to the snapshot writes nothing. Otherwise, when
/// locs.dat changed on disk since the snapshot (another window saved meanwhile), the list
/// is merged with it (MergeLocationLists: the other window's additions, deletions and
/// changes kept, a place changed on both sides kept as this window has it) and
/// LocationIndex follows the selected place; then the list is saved as SaveLocations does
/// and the snapshot updated. The whole read-merge-write holds the file's FileLock, so
/// windows closing at the same instant merge one after the other. Throws CoreError naming the path
/// when locs.dat cannot be read or written, or another process holds its lock too long; the
/// (merged) list stays in `state` and the files as they were.
CloseDownSave SaveLocationsAtClose(std::string_view directory, LocationState& state,
                                   LocationFileSnapshot& snapshot);

}  // namespace quintrel
