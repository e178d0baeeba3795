// The place file loader on any locs.dat content. Whatever it loads must save and load
// again to the very same list, both from locs.dat and restored from locs.bak alone: a
// place list that changes on its way through the disk loses somebody's places.

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzSupport.h"
#include "locations/LocationFile.h"

namespace {

using namespace quintrel;
using quintrel::fuzz::Require;
namespace fs = std::filesystem;

// Two scratch folders for the whole run, in memory where the system has it: saving
// flushes every file to disk, which on a real disk would make each run slow.
struct ScratchFolders {
    fs::path root;
    fs::path loaded;
    fs::path saved;

    ScratchFolders() {
        const fs::path base =
            fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "quintrel-fuzz-XXXXXX").string();
        Require(mkdtemp(pattern.data()) != nullptr, "cannot make a scratch folder", pattern);
        root = pattern;
        loaded = root / "loaded";
        saved = root / "saved";
        fs::create_directory(loaded);
        fs::create_directory(saved);
    }
    ~ScratchFolders() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

ScratchFolders& Scratch() {
    static ScratchFolders folders;
    return folders;
}

// Leaves the folder empty, as each run must start from nothing.
void Empty(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        fs::remove_all(entry.path());
    }
}

void WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Require(static_cast<bool>(out), "cannot write the input file");
}

LocationList LoadOrDie(const fs::path& folder, const char* what) {
    LocationState state;
    bool found = false;
    Require(fuzz::Tolerate([&] { found = LoadLocations(folder.string(), state); }), what);
    Require(found, what);
    return state.Locations;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ScratchFolders& scratch = Scratch();
    Empty(scratch.loaded);
    Empty(scratch.saved);
    WriteFile(scratch.loaded / "locs.dat", fuzz::AsText(data, size));

    LocationState state;
    state.LocationIndex = 7;
    bool found = false;
    if (!fuzz::Tolerate([&] { found = LoadLocations(scratch.loaded.string(), state); })) {
        return 0;
    }
    Require(found, "locs.dat not found");
    Require(state.LocationIndex == 7, "loading moved the selection");
    Require(std::none_of(state.Locations.begin(), state.Locations.end(),
                         [](const std::string& record) { return record.empty(); }),
            "an empty line was kept");
    Require(std::is_sorted(state.Locations.begin(), state.Locations.end()), "list not sorted");
    const LocationList loaded = state.Locations;

    // Save to a fresh folder and load again: the same list, byte for byte.
    state.LocationsChanged = true;
    SaveLocations(scratch.saved.string(), state);
    Require(!state.LocationsChanged, "saving left the list marked as changed");
    Require(LoadOrDie(scratch.saved, "the saved list cannot be loaded") == loaded,
            "the list changed on its way through locs.dat");

    // Save once more, which keeps the first file as locs.bak; with locs.dat gone the
    // backup must bring back the same list.
    state.LocationsChanged = true;
    SaveLocations(scratch.saved.string(), state);
    fs::remove(scratch.saved / "locs.dat");
    Require(LoadOrDie(scratch.saved, "the list cannot be restored from locs.bak") == loaded,
            "the list changed on its way through locs.bak");
    return 0;
}
