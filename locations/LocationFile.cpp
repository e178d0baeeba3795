#include "locations/LocationFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "astro/CoreError.h"
#include "locations/AppPaths.h"
#include "locations/FileLock.h"
#include "locations/LocationMerge.h"

namespace quintrel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string JoinPath(std::string_view directory, std::string_view name) {
    std::string path(directory);
    path += '/';
    path += name;
    return path;
}

// The bytes of a place file, refused before reading when no list could be that long.
std::string ReadPlaceFile(const std::string& path) {
    try {
        return ReadWholeFile(path, kMaxLocationFileBytes);
    } catch (const FileTooLarge& error) {
        const std::string size = error.SizeBytes > kMaxLocationFileBytes + 1
                                     ? std::to_string(error.SizeBytes)
                                     : "more than " + std::to_string(kMaxLocationFileBytes);
        throw CoreError("Cannot load \"" + path + "\": it is larger than a list of " +
                        std::to_string(kMaxLocations) + " places can be (" + size + " bytes)");
    }
}

// UTF-16, as some editors save text: a byte-order mark, or a zero byte in every other
// place of the first line. Read byte by byte it would give records of zeros and letters.
// A first line ending in CR LF is never UTF-16 (there a zero byte sits beside each of
// them), so every list this program writes reads back whatever bytes its records hold.
bool LooksLikeUtf16(std::string_view text) {
    if (const std::size_t newline = text.find('\n');
        newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r') {
        return false;
    }
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        return true;
    }
    const std::string_view start = text.substr(0, std::min<std::size_t>(text.size(), 120));
    if (start.size() < 4) {
        return false;
    }
    std::size_t zerosEven = 0;
    std::size_t zerosOdd = 0;
    for (std::size_t i = 0; i < start.size(); ++i) {
        if (start[i] == '\0') {
            ++(i % 2 == 0 ? zerosEven : zerosOdd);
        }
    }
    const std::size_t half = start.size() / 2;
    return (zerosEven >= half * 3 / 4 && zerosOdd == 0) ||
           (zerosOdd >= half * 3 / 4 && zerosEven == 0);
}

// The list a file's text holds: empty lines dropped, sorted. Throws when it is too long,
// or is UTF-16 text.
LocationState ParsePlaceFile(const std::string& path, std::string_view text) {
    if (LooksLikeUtf16(text)) {
        throw CoreError("Cannot load \"" + path +
                        "\": it is UTF-16 text, not Windows-1252 text; save it again as "
                        "Windows-1252 (ANSI) text");
    }
    LocationState loaded;
    loaded.Locations = SplitLocationText(text);
    CompactLocationList(loaded);
    // Positions in the list are 16-bit; a longer list could be shown but not kept, so it
    // is refused whole rather than cut short and written back without the rest.
    if (loaded.Locations.size() > kMaxLocations) {
        throw CoreError("Cannot load \"" + path + "\": it holds " +
                        std::to_string(loaded.Locations.size()) + " places, more than the " +
                        std::to_string(kMaxLocations) + " the list can keep");
    }
    SortLocations(loaded.Locations);
    return loaded;
}

}  // namespace

std::string LocationFilePath(std::string_view directory) {
    return JoinPath(directory, "locs.dat");
}

std::string LocationBackupPath(std::string_view directory) {
    return JoinPath(directory, "locs.bak");
}

LocationList SplitLocationText(std::string_view text) {
    LocationList lines;
    while (true) {
        while (text.starts_with(kByteOrderMark)) {
            text.remove_prefix(kByteOrderMark.size());
        }
        const auto end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            lines.emplace_back(text);
            return lines;
        }
        lines.emplace_back(text.substr(0, end));
        const bool pair = text.substr(end, kLineEnd.size()) == kLineEnd;
        text.remove_prefix(end + (pair ? kLineEnd.size() : 1));
    }
}

std::string LocationFileText(const LocationList& list) {
    std::string text;
    for (const std::string& record : list) {
        text += record;
        text += kLineEnd;
    }
    return text;
}

LocationState ReadLocationFile(const std::string& path) {
    return ParsePlaceFile(path, ReadPlaceFile(path));
}

bool LoadLocations(std::string_view directory, LocationState& state,
                   LocationFileSnapshot* snapshot) {
    const std::string filePath = LocationFilePath(directory);
    const std::string backupPath = LocationBackupPath(directory);
    // A folder in the file's place is not a missing file: saying so would send the user
    // looking for a file that is plainly there, and restoring the backup cannot replace it.
    std::error_code ignored;
    if (std::filesystem::is_directory(filePath, ignored)) {
        throw CoreError("Cannot read \"" + filePath + "\": it is a folder, not a file");
    }
    RemoveStaleTemporaries(filePath);
    RemoveStaleTemporaries(backupPath);
    std::string text;
    std::string notice;
    bool restoreFailed = false;
    if (FileExists(filePath)) {
        text = ReadPlaceFile(filePath);
        // Said now, before the user makes changes that the close-down could not save.
        try {
            ReplaceableTarget(filePath);
        } catch (const CoreError& error) {
            notice = std::string(error.what()) +
                     "\r\nThe places can be used, but changes to them cannot be saved until the "
                     "file can be replaced.";
        }
    } else {
        if (!FileExists(backupPath)) {
            return false;
        }
        text = ReadPlaceFile(backupPath);
        // The backup stays where it is: it is the one good copy until the restore lands.
        try {
            WriteFileAtomically(filePath, text);
        } catch (const CoreError& error) {
            // An installation the user cannot write to still shows its places.
            restoreFailed = true;
            notice = std::string(error.what()) + "\r\nThe places were read from \"" + backupPath +
                     "\"; changes to them cannot be saved in this folder.";
        }
    }
    LocationState loaded = ParsePlaceFile(filePath, text);
    state.Locations = std::move(loaded.Locations);
    state.LocationsChanged = loaded.LocationsChanged;
    if (snapshot != nullptr) {
        snapshot->Locations = state.Locations;
        snapshot->Stamp = restoreFailed ? FileStamp{} : StampFile(filePath, text);
        snapshot->ReadOnlyNotice = notice;
    }
    return true;
}

void SaveLocations(std::string_view directory, LocationState& state) {
    if (!state.LocationsChanged) {
        return;
    }
    const std::string text = LocationFileText(state.Locations);
    const std::string filePath = LocationFilePath(directory);
    const std::string backupPath = LocationBackupPath(directory);

    // The new list is safely on disk before anything is replaced, so a failure at any
    // step leaves locs.dat whole. The backup is refreshed next, and locs.dat last.
    const std::string newFile = WriteTemporarySibling(filePath, text);
    try {
        if (FileExists(filePath)) {
            const std::string newBackup =
                WriteTemporarySibling(backupPath, ReadWholeFile(filePath));
            CommitTemporarySibling(newBackup, backupPath);
        }
        CommitTemporarySibling(newFile, filePath);
    } catch (...) {
        DiscardTemporary(newFile);
        throw;
    }
    state.LocationsChanged = false;
}

std::int16_t LocationIndexOnDisk(const LocationState& state, const LocationFileSnapshot& snapshot) {
    if (state.LocationIndex < 0 ||
        static_cast<std::size_t>(state.LocationIndex) >= state.Locations.size()) {
        return -1;
    }
    return FindLocation(snapshot.Locations,
                        state.Locations[static_cast<std::size_t>(state.LocationIndex)]);
}

CloseDownSave SaveLocationsAtClose(std::string_view directory, LocationState& state,
                                   LocationFileSnapshot& snapshot) {
    CloseDownSave result;
    // Rewriting a list nobody changed would undo whatever another window saved meanwhile.
    if (state.Locations == snapshot.Locations) {
        state.LocationsChanged = false;
        return result;
    }
    const std::string filePath = LocationFilePath(directory);
    // Windows closing together (a logout signals them all at once) would each read the
    // file before the others wrote it, and the last rename would drop their places: the
    // read, the merge and the write are one step for every process.
    const FileLock lock(filePath);
    if (FileExists(filePath)) {
        const std::string onDisk = ReadPlaceFile(filePath);
        const LocationList theirs = ParsePlaceFile(filePath, onDisk).Locations;
        if (StampFile(filePath, onDisk) != snapshot.Stamp && theirs != snapshot.Locations) {
            const bool selected =
                state.LocationIndex >= 0 &&
                static_cast<std::size_t>(state.LocationIndex) < state.Locations.size();
            const std::string selectedRecord =
                selected ? state.Locations[static_cast<std::size_t>(state.LocationIndex)] : "";
            LocationMerge merge = MergeLocationLists(snapshot.Locations, state.Locations, theirs);
            if (merge.Locations.size() > kMaxLocations) {
                throw CoreError("Cannot save \"" + filePath +
                                "\": with the places another "
                                "window added the list would hold more than " +
                                std::to_string(kMaxLocations));
            }
            state.Locations = std::move(merge.Locations);
            if (selected) {
                const std::int16_t found = FindLocation(state.Locations, selectedRecord);
                state.LocationIndex = found >= 0 ? found : SelectableLocationIndex(state);
            }
            result.MergeText = LocationMergeText(merge);
        }
    }
    state.LocationsChanged = true;
    SaveLocations(directory, state);
    result.Written = true;
    snapshot.Locations = state.Locations;
    snapshot.Stamp = StampFile(filePath, LocationFileText(state.Locations));
    return result;
}

}  // namespace quintrel
