#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <ostream>
#include <vector>

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
    if (c.readOnly && ::geteuid() == 0) {
        GTEST_SKIP() << "root may write into any folder";
    }
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
    if (c.readOnly) {
        std::filesystem::permissions(bin, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    }
    const std::string chosen = PlaceDirectory(bin, root.file("data"), "/home/ann");
    EXPECT_EQ(chosen, c.besideProgram ? bin : root.file("data/quintrel"));
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

// PreparePlaceDirectory reads the environment; each test sets its own and puts it back.
class PreparePlaceDirectoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        bin_ = root_.file("usr/bin");
        std::filesystem::create_directories(bin_);
        std::filesystem::create_directories(root_.file("usr/share/quintrel"));
        testing::WriteBytes(root_.file("usr/share/quintrel/locs.dat"), "shipped\r\n");
        Keep("XDG_DATA_HOME");
        Keep("HOME");
        ::setenv("XDG_DATA_HOME", root_.file("data").c_str(), 1);
    }
    void TearDown() override {
        for (const auto& [name, value] : kept_) {
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
        }
    }
    void Keep(const char* name) {
        const char* value = std::getenv(name);
        kept_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }

    testing::ScratchDirectory root_;
    std::string bin_;
    std::vector<std::pair<std::string, std::optional<std::string>>> kept_;
};

TEST_F(PreparePlaceDirectoryTest, FirstStartCopiesTheShippedListOnce) {
    const std::string data = root_.file("data/quintrel");
    EXPECT_EQ(PreparePlaceDirectory(bin_), data);
    EXPECT_EQ(testing::ReadBytes(data + "/locs.dat"), "shipped\r\n");
    // The user's own list, and a backup left alone, are never replaced by the shipped one.
    testing::WriteBytes(data + "/locs.dat", "mine\r\n");
    EXPECT_EQ(PreparePlaceDirectory(bin_), data);
    EXPECT_EQ(testing::ReadBytes(data + "/locs.dat"), "mine\r\n");
    std::filesystem::rename(data + "/locs.dat", data + "/locs.bak");
    EXPECT_EQ(PreparePlaceDirectory(bin_), data);
    EXPECT_FALSE(FileExists(data + "/locs.dat"));
    EXPECT_EQ(std::filesystem::directory_iterator(bin_), std::filesystem::directory_iterator());
}

TEST_F(PreparePlaceDirectoryTest, AFolderThatCannotBeMadeIsNamed) {
    testing::WriteBytes(root_.file("data"), "a file where the folder should be");
    try {
        PreparePlaceDirectory(bin_);
        FAIL() << "no error";
    } catch (const CoreError& error) {
        EXPECT_NE(std::string(error.what()).find(root_.file("data/quintrel")), std::string::npos)
            << error.what();
    }
}

}  // namespace
}  // namespace quintrel
