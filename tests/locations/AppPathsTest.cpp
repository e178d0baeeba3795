#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>

#include "astro/CoreError.h"
#include "locations/AppPaths.h"
#include "tests/locations/LocationTestSupport.h"

namespace quintrel {
namespace {

TEST(AppDirectory, IsTheFolderOfTheRunningProgram) {
    const std::string directory = AppDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_NE(directory.back(), '/');
    EXPECT_TRUE(std::filesystem::equivalent(
        directory, std::filesystem::read_symlink("/proc/self/exe").parent_path()));
}

TEST(AppDirectory, FromAGivenPath) {
    EXPECT_EQ(AppDirectory("/opt/quintrel/bin/quintrel"), "/opt/quintrel/bin");
    EXPECT_EQ(AppDirectory("/opt/quintrel/./bin//quintrel"), "/opt/quintrel/bin");
    EXPECT_EQ(AppDirectory("/quintrel"), "");  // callers append "/locs.dat"
    const std::string relative = AppDirectory("bin/quintrel");
    EXPECT_EQ(relative, (std::filesystem::current_path() / "bin").string());
}

TEST(FileExists, OnlyExistingFilesCount) {
    testing::ScratchDirectory dir;
    testing::WriteBytes(dir.file("locs.dat"), "x");
    std::filesystem::create_directory(dir.file("folder"));
    EXPECT_TRUE(FileExists(dir.file("locs.dat")));
    EXPECT_TRUE(FileExists("  " + dir.file("locs.dat") + " "));
    EXPECT_FALSE(FileExists(dir.file("folder")));
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists(dir.file("missing.dat")));
    EXPECT_FALSE(FileExists(dir.file("missing/locs.dat")));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists("   "));
}

TEST(UserDataDirectory, FollowsTheBaseDirectoryRules) {
    EXPECT_EQ(UserDataDirectory("/data/", "/home/ann"), "/data/quintrel");
    EXPECT_EQ(UserDataDirectory("", "/home/ann"), "/home/ann/.local/share/quintrel");
    // A relative XDG_DATA_HOME is invalid and must not put the list in the working folder.
    EXPECT_EQ(UserDataDirectory("data", "/home/ann"), "/home/ann/.local/share/quintrel");
    EXPECT_THROW(UserDataDirectory("", ""), CoreError);
    EXPECT_THROW(UserDataDirectory("data", "home"), CoreError);
}

// A program folder "<root>/bin" laid out as each kind of install leaves it.
struct PlaceFolderCase {
    const char* name;
    bool listBeside;  // locs.dat (or only locs.bak) beside the program
    bool backupOnly;
    bool systemShipped;  // ../share/quintrel/locs.dat
    bool readOnly;
    bool besideProgram;  // expected: the program's folder, not the user's
};

// The row's name in test listings, instead of its bytes.
void PrintTo(const PlaceFolderCase& c, std::ostream* out) {
    *out << c.name;
}

class PlaceDirectoryTest : public ::testing::TestWithParam<PlaceFolderCase> {};

TEST_P(PlaceDirectoryTest, ChoosesTheFolder) {
    const PlaceFolderCase& c = GetParam();
    testing::ScratchDirectory root;
    const std::string bin = root.file("bin");
    std::filesystem::create_directories(bin);
    if (c.listBeside) {
        testing::WriteBytes(bin + (c.backupOnly ? "/locs.bak" : "/locs.dat"), "x\r\n");
    }
    if (c.systemShipped) {
        std::filesystem::create_directories(root.file("share/quintrel"));
        testing::WriteBytes(root.file("share/quintrel/locs.dat"), "x\r\n");
    }
    const std::string expected = c.besideProgram ? bin : root.file("data/quintrel");
    if (c.readOnly) {
        std::filesystem::permissions(bin, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    }
    if (c.readOnly && ::geteuid() == 0) {
        // The superuser may write into any folder, so the choice is made in a child that
        // first becomes "nobody"; the scratch folders are opened to it for reading.
        std::filesystem::permissions(
            root.path(), std::filesystem::perms::others_read | std::filesystem::perms::others_exec,
            std::filesystem::perm_options::add);
        std::filesystem::permissions(
            bin, std::filesystem::perms::others_read | std::filesystem::perms::others_exec,
            std::filesystem::perm_options::add);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
                ::_exit(4);
            }
            ::_exit(PlaceDirectory(bin, root.file("data"), "/home/ann") == expected ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    } else {
        EXPECT_EQ(PlaceDirectory(bin, root.file("data"), "/home/ann"), expected);
    }
    std::filesystem::permissions(bin, std::filesystem::perms::owner_all);
}

INSTANTIATE_TEST_SUITE_P(
    Installs, PlaceDirectoryTest,
    ::testing::Values(PlaceFolderCase{"BuildFolder", true, false, false, false, true},
                      PlaceFolderCase{"UserPrefixWithSharedFolder", true, false, true, false, true},
                      PlaceFolderCase{"OnlyBackupBeside", true, true, true, false, true},
                      PlaceFolderCase{"NoListAnywhere", false, false, false, false, true},
                      PlaceFolderCase{"SystemInstallEvenWhenWritable", false, false, true, false,
                                      false},
                      PlaceFolderCase{"ReadOnlyFolderWithList", true, false, false, true, false},
                      PlaceFolderCase{"ReadOnlySystemInstall", false, false, true, true, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(PreparePlaceDirectory, FirstStartCopiesTheShippedListOnce) {
    testing::ScratchDirectory root;
    const std::string bin = root.file("usr/bin");
    const std::string data = root.file("data/quintrel");
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(root.file("usr/share/quintrel"));
    testing::WriteBytes(root.file("usr/share/quintrel/locs.dat"), "shipped\r\n");
    const auto prepare = [&] { return PreparePlaceDirectory(bin, root.file("data"), "/nowhere"); };

    EXPECT_EQ(prepare(), data);
    EXPECT_EQ(testing::ReadBytes(data + "/locs.dat"), "shipped\r\n");
    // The user's own list, and a backup left alone, are never replaced by the shipped one.
    testing::WriteBytes(data + "/locs.dat", "mine\r\n");
    EXPECT_EQ(prepare(), data);
    EXPECT_EQ(testing::ReadBytes(data + "/locs.dat"), "mine\r\n");
    std::filesystem::rename(data + "/locs.dat", data + "/locs.bak");
    EXPECT_EQ(prepare(), data);
    EXPECT_FALSE(FileExists(data + "/locs.dat"));
    EXPECT_TRUE(std::filesystem::is_empty(bin));

    // A folder that cannot be made is named in the error.
    std::filesystem::remove_all(root.file("data"));
    testing::WriteBytes(root.file("data"), "a file where the folder should be");
    try {
        prepare();
        ADD_FAILURE() << "no error";
    } catch (const CoreError& error) {
        EXPECT_NE(std::string(error.what()).find(data), std::string::npos) << error.what();
    }
}

}  // namespace
}  // namespace quintrel
