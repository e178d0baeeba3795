// The one module through which files are read whole and replaced: what it refuses, what
// each kind of target looks like after a replacement, and leftovers of killed saves.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "astro/CoreError.h"
#include "locations/FileIo.h"
#include "tests/locations/LocationTestSupport.h"

namespace quintrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::ScratchDirectory;
using testing::WriteBytes;

std::string ErrorOf(const std::function<void()>& work) {
    try {
        work();
    } catch (const CoreError& error) {
        return error.what();
    }
    return {};
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(WriteFileAtomically, LinksAndPermissionsDecideWhatIsReplaced) {
    const struct {
        const char* name;
        std::function<void(const ScratchDirectory&)> arrange;  // makes "file" and "target"
        const char* refusal;                                   // empty: written through to "target"
    } cases[] = {
        {"symbolic link", [](const auto& d) { fs::create_symlink("target", d.file("file")); }, ""},
        {"link to a link",
         [](const auto& d) {
             fs::create_symlink("target", d.file("middle"));
             fs::create_symlink(d.file("middle"), d.file("file"));
         },
         ""},
        {"dangling link",
         [](const auto& d) {
             fs::remove(d.file("target"));
             fs::create_symlink("target", d.file("file"));
         },
         ""},
        {"hard link", [](const auto& d) { fs::create_hard_link(d.file("target"), d.file("file")); },
         "hard link"},
        {"read-only file",
         [](const auto& d) {
             fs::rename(d.file("target"), d.file("file"));
             ::chmod(d.file("file").c_str(), 0444);
         },
         "read-only"},
        {"link to a read-only file",
         [](const auto& d) {
             ::chmod(d.file("target").c_str(), 0444);
             fs::create_symlink("target", d.file("file"));
         },
         "read-only"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDirectory dir;
        WriteBytes(dir.file("target"), "old");
        c.arrange(dir);
        const std::string error = ErrorOf([&] { WriteFileAtomically(dir.file("file"), "new"); });
        if (*c.refusal == '\0') {
            EXPECT_EQ(error, "");
            EXPECT_TRUE(fs::is_symlink(dir.file("file"))) << "the link stays a link";
            EXPECT_EQ(ReadBytes(dir.file("target")), "new");
        } else {
            EXPECT_NE(error.find(dir.file("file")), std::string::npos) << error;
            EXPECT_NE(error.find(c.refusal), std::string::npos) << error;
            EXPECT_EQ(ReadBytes(dir.file("file")), "old");
        }
        EXPECT_EQ(fs::exists(dir.file("target")) + fs::exists(dir.file("file")) +
                      fs::is_symlink(dir.file("middle")),
                  std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()))
            << "no temporary file is left";
    }
}

TEST(WriteFileAtomically, NewFilesFollowTheUmaskAndReplacedOnesKeepTheirMode) {
    ScratchDirectory dir;
    for (const mode_t mask : {022, 077, 002}) {
        const mode_t saved = ::umask(mask);
        const std::string path = dir.file("new" + std::to_string(mask));
        WriteFileAtomically(path, "x");
        EXPECT_EQ(ModeOf(path), 0666 & ~mask) << "umask " << mask;
        ::chmod(path.c_str(), 0640);
        WriteFileAtomically(path, "y");
        EXPECT_EQ(ModeOf(path), 0640u);
        ::umask(saved);
    }
}

TEST(RemoveStaleTemporaries, OnlyOldTemporaryFilesOfThatFileGo) {
    ScratchDirectory dir;
    const auto age = [&](const std::string& name, int seconds) {
        const auto when = fs::file_time_type::clock::now() - std::chrono::seconds(seconds);
        fs::last_write_time(dir.file(name), when);
    };
    for (const char* name : {"locs.dat.Ab3xY9", "locs.dat.young1", "locs.dat.short",
                             "locs.dat.with-7", "other.dat.Ab3xY9", "locs.dat"}) {
        WriteBytes(dir.file(name), "x");
        age(name, 3600);
    }
    age("locs.dat.young1", 5);
    fs::create_directory(dir.file("locs.dat.folder"));
    fs::create_symlink("locs.dat", dir.file("locs.dat.link00"));
    EXPECT_EQ(RemoveStaleTemporaries(dir.file("locs.dat")), 1);
    EXPECT_FALSE(fs::exists(dir.file("locs.dat.Ab3xY9")));
    for (const char* kept : {"locs.dat.young1", "locs.dat.short", "locs.dat.with-7",
                             "other.dat.Ab3xY9", "locs.dat", "locs.dat.folder"}) {
        EXPECT_TRUE(fs::exists(dir.file(kept))) << kept;
    }
    EXPECT_TRUE(fs::is_symlink(dir.file("locs.dat.link00")));
}

// A save through a link leaves its temporary file beside the target, so that is where a
// killed save's leftover is looked for too.
TEST(RemoveStaleTemporaries, LeftoversBesideALinksTargetGoToo) {
    ScratchDirectory dir;
    fs::create_directory(dir.file("shared"));
    WriteBytes(dir.file("shared/places.dat"), "x");
    WriteBytes(dir.file("shared/places.dat.Ab3xY9"), "x");
    fs::last_write_time(dir.file("shared/places.dat.Ab3xY9"),
                        fs::file_time_type::clock::now() - std::chrono::hours(1));
    fs::create_symlink(dir.file("shared/places.dat"), dir.file("locs.dat"));
    EXPECT_EQ(RemoveStaleTemporaries(dir.file("locs.dat")), 1);
    EXPECT_FALSE(fs::exists(dir.file("shared/places.dat.Ab3xY9")));
    EXPECT_TRUE(fs::exists(dir.file("shared/places.dat")));
}

TEST(StampFile, SeesAnEditThatKeepsSizeAndTime) {
    ScratchDirectory dir;
    WriteBytes(dir.file("f"), "abc");
    const FileStamp before = StampFile(dir.file("f"), "abc");
    EXPECT_TRUE(before.Exists);
    EXPECT_EQ(StampFile(dir.file("f"), "abc"), before);
    EXPECT_NE(StampFile(dir.file("f"), "abd"), before);
    EXPECT_FALSE(StampFile(dir.file("missing"), "").Exists);
}

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
