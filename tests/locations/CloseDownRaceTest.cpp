// Several processes that each added a place and then close down at the same instant, as
// every window does when the session ends: each must find the others' places in the file.
// Real processes, released together through one pipe. The normal run repeats the scenario
// a few times; the soak entry sets QUINTREL_RACE_RUNS to repeat it many more.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "LocationTestSupport.h"
#include "astro/CoreError.h"
#include "locations/FileLock.h"
#include "locations/LocationFile.h"

namespace quintrel {
namespace {

using testing::ReadBytes;
using testing::Record;
using testing::ScratchDirectory;
using testing::WriteBytes;

int RunCount(int normal) {
    if (const char* text = std::getenv("QUINTREL_RACE_RUNS")) {
        return std::atoi(text);
    }
    return normal;
}

std::string TownRecord(int i) {
    return Record("1", "Racing", "Town " + std::to_string(i), "+ 10  0+ 20  0+   10");
}

// Loads the list, adds town `i`, waits until `go` is closed, then saves as a window's
// close-down does. Exits 0 when the save succeeded.
[[noreturn]] void Window(const std::string& directory, int i, int go) {
    int status = 1;
    try {
        LocationState state;
        LocationFileSnapshot snapshot;
        if (LoadLocations(directory, state, &snapshot) &&
            StoreLocation(state, true, TownRecord(i), true, 0)) {
            char byte = 0;
            while (::read(go, &byte, 1) > 0) {
            }
            SaveLocationsAtClose(directory, state, snapshot);
            status = 0;
        }
    } catch (...) {
    }
    ::_exit(status);
}

// Returns how many of the `windows` places are in the file after they all closed at once.
int PlacesKeptAfterSimultaneousClose(int windows) {
    const ScratchDirectory directory;
    const std::string shipped = Record("0", "Australia", "Sydney", "- 33 52+151 13+  100") + "\r\n";
    WriteBytes(LocationFilePath(directory.path()), shipped);
    int go[2];
    if (::pipe(go) != 0) {
        return -1;
    }
    std::vector<pid_t> children;
    for (int i = 0; i < windows; ++i) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(go[1]);
            Window(directory.path(), i, go[0]);
        }
        children.push_back(child);
    }
    ::close(go[0]);
    // Every window has loaded before any saves: give them time to reach the pipe.
    ::usleep(200 * 1000);
    ::close(go[1]);
    int saved = 0;
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        saved += WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 1 : 0;
    }
    EXPECT_EQ(saved, windows);
    const std::string text = ReadBytes(LocationFilePath(directory.path()));
    int kept = 0;
    for (int i = 0; i < windows; ++i) {
        kept += text.find(TownRecord(i) + "\r\n") != std::string::npos ? 1 : 0;
    }
    EXPECT_NE(text.find(shipped), std::string::npos);
    return kept;
}

TEST(CloseDownRace, WindowsClosingTogetherKeepEveryPlace) {
    const int runs = RunCount(3);
    int whole = 0;
    for (int run = 0; run < runs; ++run) {
        const int windows = run % 2 == 0 ? 2 : 4;
        whole += PlacesKeptAfterSimultaneousClose(windows) == windows ? 1 : 0;
    }
    EXPECT_EQ(whole, runs) << whole << " of " << runs << " runs kept every place";
}

// A holder that hangs makes the next writer give up with a message after the timeout; a
// holder killed outright leaves its lock file behind, and that file blocks nobody.
TEST(FileLock, AHangingHolderTimesOutAndAKilledOneFreesTheLock) {
    const ScratchDirectory directory;
    const std::string file = directory.file("locs.dat");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const FileLock lock(file);
        ::write(ready[1], "x", 1);
        ::pause();
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    EXPECT_THROW(FileLock(file, std::chrono::milliseconds(50)), CoreError);
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_TRUE(std::filesystem::exists(file + ".lock"));
    const FileLock lock(file, std::chrono::milliseconds(50));
    EXPECT_TRUE(lock.Held());
    ::close(ready[0]);
    ::close(ready[1]);
}

// Windows reaching one file through different links share one lock, beside the target.
TEST(FileLock, ALinkIsLockedBesideItsTarget) {
    const ScratchDirectory directory;
    const std::string target = directory.file("shared.dat");
    WriteBytes(target, "x");
    std::filesystem::create_symlink(target, directory.file("locs.dat"));
    EXPECT_EQ(LockFilePath(directory.file("locs.dat")), target + ".lock");
}

}  // namespace
}  // namespace quintrel
