// The one module through which files are read whole and replaced: what it refuses, and
// what each kind of target looks like after a replacement.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "astro/CoreError.h"
#include "locations/FileIo.h"
#include "tests/locations/LocationTestSupport.h"

namespace quintrel {
namespace {

using testing::ReadBytes;
using testing::ScratchDirectory;
using testing::WriteBytes;

std::string ReadError(const std::string& path, std::size_t limitBytes) {
    try {
        ReadWholeFile(path, limitBytes);
    } catch (const CoreError& error) {
        return error.what();
    }
    return "<read>";
}

TEST(FileIo, ReadingRefusesWhatIsNotAShortRegularFile) {
    ScratchDirectory dir;
    WriteBytes(dir.file("ten"), "0123456789");
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0644), 0);
    struct Case {
        const char* name;
        std::string path;
        std::size_t limitBytes;
        const char* expected;  // part of the message, besides the path
    };
    const Case cases[] = {
        {"pipe", dir.file("pipe"), kReadLimitBytes, "not a regular file"},
        {"folder", dir.path(), kReadLimitBytes, "not a regular file"},
        {"device", "/dev/zero", kReadLimitBytes, "not a regular file"},
        {"missing", dir.file("none"), kReadLimitBytes, "No such file"},
        {"over the limit", dir.file("ten"), 9, "longer than 9 bytes"},
    };
    for (const Case& c : cases) {
        const std::string message = ReadError(c.path, c.limitBytes);
        EXPECT_NE(message.find(c.path), std::string::npos) << c.name << ": " << message;
        EXPECT_NE(message.find(c.expected), std::string::npos) << c.name << ": " << message;
    }
    EXPECT_EQ(ReadWholeFile(dir.file("ten"), 10), "0123456789");
}

TEST(FileIo, ReplacingKeepsLinksAndDevicesAndThePermissions) {
    ScratchDirectory dir;
    WriteBytes(dir.file("target.csv"), "old content that is longer");
    ASSERT_EQ(::chmod(dir.file("target.csv").c_str(), 0600), 0);
    std::filesystem::create_symlink("target.csv", dir.file("link.csv"));

    ReplaceFileContent(dir.file("link.csv"), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.csv")));
    EXPECT_EQ(ReadBytes(dir.file("target.csv")), "new");
    struct stat info {};
    ASSERT_EQ(::stat(dir.file("target.csv").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    ReplaceFileContent("/dev/null", "into nothing");
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));

    ReplaceFileContent(dir.file("fresh.csv"), "first");
    EXPECT_EQ(ReadBytes(dir.file("fresh.csv")), "first");
    EXPECT_THROW(ReplaceFileContent(dir.path(), "x"), CoreError);
    EXPECT_THROW(ReplaceFileContent(dir.file("no/such/file.csv"), "x"), CoreError);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              3)
        << "a temporary file was left behind";
}

}  // namespace
}  // namespace quintrel
