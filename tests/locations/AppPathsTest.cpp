#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

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

}  // namespace
}  // namespace quintrel
