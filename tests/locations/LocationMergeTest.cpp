// Two windows on one place file: the close-down of each keeps what the other saved. (Two
// real windows closing in either order are tested with the main window.)

#include <gtest/gtest.h>

#include <string>

#include "locations/LocationFile.h"
#include "locations/LocationMerge.h"
#include "tests/locations/LocationTestSupport.h"

namespace quintrel {
namespace {

using testing::ReadBytes;
using testing::Record;
using testing::ScratchDirectory;
using testing::WriteBytes;

const std::string kParis = Record("1", "France", "Paris", "+ 48 51+  2 21+    1");
const std::string kParisFavourite = Record("0", "France", "Paris", "+ 48 51+  2 21+    1");
const std::string kParisMoved = Record("1", "France", "Paris", "+ 48 52+  2 20+    1");
const std::string kLima = Record("1", "Peru", "Lima", "- 12  3- 77  2-    5");
const std::string kLimaMoved = Record("1", "Peru", "Lima", "- 12  4- 77  1-    5");
const std::string kOslo = Record("1", "Norway", "Oslo", "+ 59 55+ 10 45+    1");
const std::string kRome = Record("1", "Italy", "Rome", "+ 41 54+ 12 29+    1");

LocationList Sorted(LocationList list) {
    SortLocations(list);
    return list;
}

TEST(MergeLocationLists, EachSideKeepsWhatOnlyItChangedAndThisWindowWinsClashes) {
    const LocationList base = {kParis, kLima};
    const struct {
        const char* name;
        LocationList mine;
        LocationList theirs;
        LocationList merged;
        int added, deleted, changed, clashes;
    } cases[] = {
        {"nobody changed anything", base, base, base, 0, 0, 0, 0},
        {"both added different places",
         {kParis, kLima, kOslo},
         {kParis, kLima, kRome},
         {kParis, kLima, kOslo, kRome},
         1,
         0,
         0,
         0},
        {"they deleted, I added", {kParis, kLima, kOslo}, {kParis}, {kParis, kOslo}, 0, 1, 0, 0},
        {"I deleted, they added", {kLima}, {kParis, kLima, kRome}, {kLima, kRome}, 1, 0, 0, 0},
        {"each edited another place",
         {kParisMoved, kLima},
         {kParis, kLimaMoved},
         {kParisMoved, kLimaMoved},
         0,
         0,
         1,
         0},
        {"both edited one place",
         {kParisMoved, kLima},
         {kParisFavourite, kLima},
         {kParisMoved, kLima},
         0,
         0,
         0,
         1},
        {"both made the same edit",
         {kParisMoved, kLima},
         {kParisMoved, kLima},
         {kParisMoved, kLima},
         0,
         0,
         0,
         0},
        {"I deleted what they edited", {kLima}, {kParisMoved, kLima}, {kLima}, 0, 0, 0, 1},
        {"I edited what they deleted",
         {kParisMoved, kLima},
         {kLima},
         {kParisMoved, kLima},
         0,
         0,
         0,
         1},
        {"both deleted one place", {kLima}, {kLima}, {kLima}, 0, 0, 0, 0},
        {"they emptied the list", base, {}, {}, 0, 2, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LocationMerge merge = MergeLocationLists(base, c.mine, c.theirs);
        EXPECT_EQ(merge.Locations, Sorted(c.merged));
        EXPECT_EQ(merge.OtherAdded, c.added);
        EXPECT_EQ(merge.OtherDeleted, c.deleted);
        EXPECT_EQ(merge.OtherChanged, c.changed);
        EXPECT_EQ(merge.BothChanged, c.clashes);
        EXPECT_EQ(LocationMergeText(merge).empty(),
                  c.added + c.deleted + c.changed + c.clashes == 0);
    }
}

// One window's view of the folder: its list and what it last knew of the file.
struct Window {
    explicit Window(const std::string& folder) : directory(folder) {
        EXPECT_TRUE(LoadLocations(directory, state, &snapshot));
    }
    void Add(const std::string& record) { StoreLocation(state, true, record, true, -1); }
    void Delete(const std::string& record) {
        RemoveLocation(state, FindLocation(state.Locations, record));
    }
    CloseDownSave Close() { return SaveLocationsAtClose(directory, state, snapshot); }

    std::string directory;
    LocationState state;
    LocationFileSnapshot snapshot;
};

TEST(SaveLocationsAtClose, AWindowThatChangedNothingWritesNothing) {
    ScratchDirectory dir;
    const std::string unsorted = kLima + "\n" + kParis + "\n\n";
    WriteBytes(dir.file("locs.dat"), unsorted);
    Window idle(dir.path());
    Window busy(dir.path());
    busy.Add(kOslo);
    EXPECT_TRUE(busy.Close().Written);
    EXPECT_FALSE(idle.Close().Written);
    EXPECT_EQ(ReadBytes(dir.file("locs.dat")), LocationFileText(Sorted({kLima, kParis, kOslo})));
    EXPECT_EQ(ReadBytes(dir.file("locs.bak")), unsorted);
}

TEST(SaveLocationsAtClose, SelectionFollowsThePlaceThroughAMerge) {
    ScratchDirectory dir;
    WriteBytes(dir.file("locs.dat"), LocationFileText({kParis, kLima}));
    Window one(dir.path());
    Window two(dir.path());
    two.Add(kRome);  // sorts before the selected place
    two.Close();
    one.Add(kParisMoved);
    one.Delete(kParis);
    one.state.LocationIndex = FindLocation(one.state.Locations, kLima);
    one.Close();
    EXPECT_EQ(one.state.Locations.at(static_cast<std::size_t>(one.state.LocationIndex)), kLima);
}

// After a failed save the next start selects the place that was selected, where the file
// still has it; a place only this window had is not there, so the first place is.
TEST(LocationIndexOnDisk, NamesTheSelectedPlaceWhereTheFileHasIt) {
    ScratchDirectory dir;
    WriteBytes(dir.file("locs.dat"), LocationFileText({kParis, kLima}));
    Window window(dir.path());
    window.Add(kOslo);  // sorts before Lima
    window.state.LocationIndex = FindLocation(window.state.Locations, kLima);
    EXPECT_EQ(window.state.LocationIndex, 2);
    EXPECT_EQ(LocationIndexOnDisk(window.state, window.snapshot), 1);
    window.state.LocationIndex = FindLocation(window.state.Locations, kOslo);
    EXPECT_EQ(LocationIndexOnDisk(window.state, window.snapshot), -1);
    window.state.LocationIndex = -1;
    EXPECT_EQ(LocationIndexOnDisk(window.state, window.snapshot), -1);
}

}  // namespace
}  // namespace quintrel
