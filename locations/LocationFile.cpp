#include "locations/LocationFile.h"

#include <filesystem>
#include <system_error>

#include "astro/CoreError.h"
#include "locations/AppPaths.h"
#include "locations/FileIo.h"

namespace quintrel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string JoinPath(std::string_view directory, std::string_view name) {
    std::string path(directory);
    path += '/';
    path += name;
    return path;
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
        const auto end = text.find(kLineEnd);
        if (end == std::string_view::npos) {
            lines.emplace_back(text);
            return lines;
        }
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end + kLineEnd.size());
    }
}

LocationState ReadLocationFile(const std::string& path) {
    LocationState loaded;
    loaded.Locations = SplitLocationText(ReadWholeFile(path));
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

bool LoadLocations(std::string_view directory, LocationState& state) {
    const std::string filePath = LocationFilePath(directory);
    // A folder in the file's place is not a missing file: saying so would send the user
    // looking for a file that is plainly there, and restoring the backup cannot replace it.
    std::error_code ignored;
    if (std::filesystem::is_directory(filePath, ignored)) {
        throw CoreError("Cannot read \"" + filePath + "\": it is a folder, not a file");
    }
    if (!FileExists(filePath)) {
        const std::string backupPath = LocationBackupPath(directory);
        if (!FileExists(backupPath)) {
            return false;
        }
        // The backup stays where it is: it is the one good copy until the restore lands.
        WriteFileAtomically(filePath, ReadWholeFile(backupPath));
    }
    LocationState loaded = ReadLocationFile(filePath);
    state.Locations = std::move(loaded.Locations);
    state.LocationsChanged = loaded.LocationsChanged;
    return true;
}

void SaveLocations(std::string_view directory, LocationState& state) {
    if (!state.LocationsChanged) {
        return;
    }
    std::string text;
    for (const std::string& record : state.Locations) {
        text += record;
        text += kLineEnd;
    }
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

}  // namespace quintrel
