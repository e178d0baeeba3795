#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "astro/CoreError.h"
#include "locations/LocationFile.h"
#include "tests/locations/LocationTestSupport.h"

namespace quintrel {
namespace {

using testing::ReadBytes;
using testing::Record;
using testing::ScratchDirectory;
using testing::WriteBytes;

const std::string kParis = Record("1", "France", "Paris", "+ 48 51+  2 21+   11025103035110");
const std::string kLima = Record("1", "Peru", "Lima", "- 12  3- 77  2-   50");
const std::string kSydney = Record("0", "Australia - NSW", "Sydney", "- 33 52+151 13+  100");

std::string FileText(const LocationList& records) {
    std::string text;
    for (const auto& r : records) {
        text += r + "\r\n";
    }
    return text;
}

TEST(SplitLocationText, EveryKindOfLineEndSeparatesAndByteOrderMarksGo) {
    const struct {
        const char* name;
        std::string_view text;
        LocationList lines;
    } cases[] = {
        {"empty", "", {""}},
        {"CR LF", "a\r\nb\r\n", {"a", "b", ""}},
        {"LF", "a\nb\n", {"a", "b", ""}},
        {"CR", "a\rb\r", {"a", "b", ""}},
        {"lone LF in a CR LF file", "a\r\nb\nc\r\n", {"a", "b", "c", ""}},
        {"CR CR LF is an empty line", "a\r\r\nb", {"a", "", "b"}},
        {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "a\r\nb",
         {"a", "b"}},
        {"marks on any line, repeated",
         "a\n\xEF\xBB\xBF\xEF\xBB\xBF"
         "b",
         {"a", "b"}},
        {"a mark inside a line stays", "a\xEF\xBB\xBF", {"a\xEF\xBB\xBF"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitLocationText(c.text), c.lines) << c.name;
    }
}

class LoadLocationsTest : public ::testing::Test {
  protected:
    LocationState Load(std::string_view fileText) {
        WriteBytes(dir.file("locs.dat"), fileText);
        LocationState state;
        state.LocationIndex = 7;
        EXPECT_TRUE(LoadLocations(dir.path(), state));
        EXPECT_EQ(state.LocationIndex, 7) << "the load leaves the selection to the caller";
        return state;
    }
    ScratchDirectory dir;
};

TEST_F(LoadLocationsTest, FileAsSavedLoadsSortedWithoutEmptyEntryAndMarkedChanged) {
    const LocationState state = Load(FileText({kParis, kLima, kSydney}));
    EXPECT_EQ(state.Locations, (LocationList{kSydney, kParis, kLima}));
    EXPECT_TRUE(state.LocationsChanged);
}

TEST_F(LoadLocationsTest, BlankLinesAnywhereAreDropped) {
    const LocationState state = Load("\r\n\r\n" + kParis + "\r\n\r\n" + kLima + "\r\n\r\n\r\n");
    EXPECT_EQ(state.Locations, (LocationList{kParis, kLima}));
}

TEST_F(LoadLocationsTest, FileWithoutFinalLineBreakIsNotMarkedChanged) {
    const LocationState state = Load(kParis + "\r\n" + kLima);
    EXPECT_EQ(state.Locations, (LocationList{kParis, kLima}));
    EXPECT_FALSE(state.LocationsChanged);
}

// A file saved by another editor loses no place, and an unchanged list is not rewritten.
TEST_F(LoadLocationsTest, OtherLineEndsLoadEveryPlace) {
    for (const std::string_view end : {"\n", "\r", "\r\n"}) {
        const std::string mark = "\xEF\xBB\xBF";
        LocationState state = Load(mark + kParis + std::string(end) + kLima + std::string(end) +
                                   kSydney + std::string(end));
        EXPECT_EQ(state.Locations, (LocationList{kSydney, kParis, kLima}));
        state.LocationsChanged = true;
        SaveLocations(dir.path(), state);
        EXPECT_EQ(ReadBytes(dir.file("locs.dat")), FileText({kSydney, kParis, kLima}));
    }
}

TEST_F(LoadLocationsTest, EmptyFileIsAnEmptyList) {
    const LocationState state = Load("");
    EXPECT_TRUE(state.Locations.empty());
}

TEST_F(LoadLocationsTest, DamagedRecordLoadsAndIsWrittenBackUnchanged) {
    const std::string damaged = Record("1", "Broken", "Place", "+ 4x 2?- 71  4-  abc");
    LocationState state = Load(FileText({damaged, kLima}));
    EXPECT_EQ(state.Locations, (LocationList{damaged, kLima}));
    SaveLocations(dir.path(), state);
    EXPECT_EQ(ReadBytes(dir.file("locs.dat")), FileText({damaged, kLima}));
}

// UTF-16 is named as such, not reported record by record; a zero byte inside a name of
// a Windows-1252 file is still a byte of that name.
TEST(ReadLocationFile, Utf16IsRefusedAsNotWindows1252) {
    const std::string record = Record("1", "Pakistan", "Karachi", "+ 24 52+ 67  1+   50");
    std::string little;
    std::string big;
    for (const char c : record + "\r\n") {
        little += std::string{c, '\0'};
        big += std::string{'\0', c};
    }
    std::string withZero = record + "\r\n";
    withZero[5] = '\0';
    struct Case {
        const char* name;
        std::string bytes;
        bool refused;
    };
    const Case cases[] = {
        {"UTF-16LE with mark", "\xFF\xFE" + little, true},
        {"UTF-16BE with mark", "\xFE\xFF" + big, true},
        {"UTF-16LE without mark", little, true},
        {"UTF-16BE without mark", big, true},
        {"a zero byte in a name", withZero, false},
        // Found by fuzzing: a short record this program saved was taken
        // for UTF-16 and could not be read back.
        {"a saved record of zeros and letters", std::string("\x04\xB7\0\r\n", 5), false},
        {"a saved record starting like a mark",
         "\xFE\xFF\xFF"
         "4\r\n",
         false}};
    const ScratchDirectory directory;
    for (const Case& c : cases) {
        WriteBytes(directory.file("locs.dat"), c.bytes);
        try {
            ReadLocationFile(directory.file("locs.dat"));
            EXPECT_FALSE(c.refused) << c.name;
        } catch (const CoreError& error) {
            EXPECT_TRUE(c.refused) << c.name << ": " << error.what();
            EXPECT_NE(std::string(error.what()).find("not Windows-1252 text"), std::string::npos);
        }
    }
}

// A file the close-down could not replace is named at the load, before any edit; the
// list is still read.
TEST(LoadLocations, AFileThatCannotBeReplacedIsNamedAtOnce) {
    struct Case {
        const char* kind;
        const char* notice;  // part of it; empty: none
    };
    for (const Case& c :
         {Case{"plain", ""}, Case{"read-only", "read-only"}, Case{"hard link", "hard link"}}) {
        const ScratchDirectory directory;
        const std::string path = directory.file("locs.dat");
        WriteBytes(path, Record("1", "Peru", "Lima", "- 12  3- 77  2-    50") + "\r\n");
        if (std::string(c.kind) == "read-only") {
            ::chmod(path.c_str(), 0444);
        } else if (std::string(c.kind) == "hard link") {
            std::filesystem::create_hard_link(path, directory.file("other.dat"));
        }
        LocationState state;
        LocationFileSnapshot snapshot;
        ASSERT_TRUE(LoadLocations(directory.path(), state, &snapshot)) << c.kind;
        EXPECT_EQ(state.Locations.size(), 1u) << c.kind;
        EXPECT_TRUE(snapshot.Stamp.Exists) << c.kind;
        if (*c.notice == '\0') {
            EXPECT_EQ(snapshot.ReadOnlyNotice, "") << c.kind;
        } else {
            EXPECT_NE(snapshot.ReadOnlyNotice.find(c.notice), std::string::npos)
                << snapshot.ReadOnlyNotice;
            EXPECT_NE(snapshot.ReadOnlyNotice.find(path), std::string::npos);
        }
    }
}

TEST(LoadLocations, OnlyTheBackupPresentRestoresTheFile) {
    ScratchDirectory dir;
    const std::string text = FileText({kLima, kParis});
    WriteBytes(dir.file("locs.bak"), text);
    LocationState state;
    ASSERT_TRUE(LoadLocations(dir.path(), state));
    EXPECT_EQ(state.Locations, (LocationList{kParis, kLima}));
    EXPECT_EQ(ReadBytes(dir.file("locs.dat")), text);
    EXPECT_EQ(ReadBytes(dir.file("locs.bak")), text);
}

TEST(LoadLocations, NeitherFileReturnsFalseAndWritesNothing) {
    ScratchDirectory dir;
    LocationState state;
    state.Locations = {kLima};
    EXPECT_FALSE(LoadLocations(dir.path(), state));
    EXPECT_EQ(state.Locations, (LocationList{kLima}));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(LoadLocations, ADirectoryNamedLocsDatIsNotTheFile) {
    ScratchDirectory dir;
    std::filesystem::create_directory(dir.file("locs.dat"));
    LocationState state;
    EXPECT_THROW(LoadLocations(dir.path(), state), CoreError);  // not "missing": it is there
    WriteBytes(dir.file("locs.bak"), FileText({kLima}));
    EXPECT_THROW(LoadLocations(dir.path(), state), CoreError);  // cannot restore over it
    EXPECT_TRUE(state.Locations.empty());
}

TEST(SaveLocations, WritesSortedRecordsAndKeepsTheOldFileAsBackup) {
    ScratchDirectory dir;
    const std::string old = FileText({kLima});
    WriteBytes(dir.file("locs.dat"), old);
    LocationState state;
    state.Locations = {kSydney, kParis, kLima};
    state.LocationsChanged = true;
    SaveLocations(dir.path(), state);
    EXPECT_EQ(ReadBytes(dir.file("locs.dat")), FileText({kSydney, kParis, kLima}));
    EXPECT_EQ(ReadBytes(dir.file("locs.bak")), old);
    EXPECT_FALSE(state.LocationsChanged);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              2)
        << "no temporary file is left behind";
}

TEST(SaveLocations, UnchangedListWritesNothing) {
    ScratchDirectory dir;
    WriteBytes(dir.file("locs.dat"), "old\r\n");
    LocationState state;
    state.Locations = {kLima};
    SaveLocations(dir.path(), state);
    EXPECT_EQ(ReadBytes(dir.file("locs.dat")), "old\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("locs.bak")));
}

TEST(SaveLocations, EmptyListWritesAnEmptyFile) {
    ScratchDirectory dir;
    LocationState state;
    state.LocationsChanged = true;
    SaveLocations(dir.path(), state);
    EXPECT_EQ(ReadBytes(dir.file("locs.dat")), "");
    EXPECT_FALSE(std::filesystem::exists(dir.file("locs.bak")));
}

// Runs `save` in a child process (so a changed user or file-size limit cannot leak into
// the other tests) and returns what it reported: 0 = it threw a CoreError naming the
// directory, 1 = it returned normally, 2 = anything else.
int SaveInChild(const std::string& directory, const std::function<void()>& prepare,
                const LocationList& list) {
    const pid_t child = ::fork();
    if (child == 0) {
        prepare();
        LocationState state;
        state.Locations = list;
        state.LocationsChanged = true;
        int outcome = 2;
        try {
            SaveLocations(directory, state);
            outcome = 1;
        } catch (const CoreError& error) {
            const bool namesPath = std::string(error.what()).find(directory) != std::string::npos;
            outcome = namesPath && state.LocationsChanged && state.Locations == list ? 0 : 2;
        } catch (...) {
        }
        ::_exit(outcome);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 3;
}

TEST(SaveLocations, ReadOnlyDirectoryFailsAndLeavesBothFiles) {
    ScratchDirectory dir;
    WriteBytes(dir.file("locs.dat"), FileText({kLima}));
    WriteBytes(dir.file("locs.bak"), "older\r\n");
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    // The superuser may write anywhere, so the child gives up that right first.
    const auto dropPrivileges = [] {
        if (::geteuid() == 0 && ::setuid(65534) != 0) {
            ::_exit(4);
        }
    };
    EXPECT_EQ(SaveInChild(dir.path(), dropPrivileges, {kSydney, kParis}), 0);
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(ReadBytes(dir.file("locs.dat")), FileText({kLima}));
    EXPECT_EQ(ReadBytes(dir.file("locs.bak")), "older\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              2);
}

// A file-size limit makes writes fail part-way with EFBIG, just as a full disk does with
// ENOSPC. Two cases: the new list is too big, or the copy of the old file for the backup is.
TEST(SaveLocations, FullDiskPartWayFailsAndLeavesBothFiles) {
    LocationList bigList;
    for (int i = 0; i < 50; ++i) {
        bigList.push_back(
            Record("1", "Country " + std::to_string(100 + i), "Town", "+  1  0+  1  0+   10"));
    }
    const struct {
        const char* name;
        LocationList old;
        LocationList saved;
    } cases[] = {{"NewListTooBig", {kLima}, bigList}, {"BackupCopyTooBig", bigList, {kLima}}};
    for (const auto& c : cases) {
        ScratchDirectory dir;
        const std::string oldText = FileText(c.old);
        WriteBytes(dir.file("locs.dat"), oldText);
        WriteBytes(dir.file("locs.bak"), "older\r\n");
        const auto limitFileSize = [] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1000, 1000};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        };
        EXPECT_EQ(SaveInChild(dir.path(), limitFileSize, c.saved), 0) << c.name;
        EXPECT_EQ(ReadBytes(dir.file("locs.dat")), oldText) << c.name;
        EXPECT_EQ(ReadBytes(dir.file("locs.bak")), "older\r\n") << c.name;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                                std::filesystem::directory_iterator()),
                  2)
            << c.name;
    }
}

// Whatever valid records a file holds, loading and saving it gives back the same bytes,
// in sorted order.
TEST(SaveLocations, LoadThenSaveReproducesTheSortedFile) {
    std::mt19937 random(7);
    const std::string letters = "AaBbZz \xE9\xFC-'.";
    const auto text = [&](std::size_t maxLength) {
        std::string s;
        const std::size_t length = 1 + random() % maxLength;
        for (std::size_t i = 0; i < length; ++i) {
            s += letters[random() % letters.size()];
        }
        return s;
    };
    const auto number = [&](int below, int width) {
        std::string s = std::to_string(random() % static_cast<unsigned>(below));
        return std::string(static_cast<std::size_t>(width) - s.size(), ' ') + s;
    };
    for (int round = 0; round < 30; ++round) {
        LocationList records;
        const std::size_t count = random() % 25;
        for (std::size_t i = 0; i < count; ++i) {
            std::string tail = std::string(random() % 2 ? "+" : "-") + number(91, 3) +
                               number(60, 3) + (random() % 2 ? "+" : "-") + number(181, 3) +
                               number(60, 3) + (random() % 2 ? "+" : "-") + number(13, 4);
            tail += random() % 2 ? "0" : "1025103035110";
            records.push_back(Record(random() % 4 ? "1" : "0", text(21), text(16), tail));
        }
        LocationList sorted = records;
        std::sort(sorted.begin(), sorted.end());

        ScratchDirectory dir;
        WriteBytes(dir.file("locs.dat"), FileText(records));
        LocationState state;
        ASSERT_TRUE(LoadLocations(dir.path(), state));
        SaveLocations(dir.path(), state);
        ASSERT_EQ(ReadBytes(dir.file("locs.dat")), FileText(sorted)) << "round " << round;
        ASSERT_EQ(ReadBytes(dir.file("locs.bak")), FileText(records)) << "round " << round;
    }
}

}  // namespace
}  // namespace quintrel
