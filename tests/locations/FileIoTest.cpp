// Replacing and reading files: links, permissions, leftovers of killed saves, and inputs
// that never end.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>

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

TEST(ReadWholeFile, LimitsAndStreams) {
    ScratchDirectory dir;
    WriteBytes(dir.file("ten"), "0123456789");
    ::mkfifo(dir.file("pipe").c_str(), 0600);
    const struct {
        const char* name;
        std::function<std::string()> read;
        const char* result;  // the content, or part of the error
    } cases[] = {
        {"within the limit", [&] { return ReadWholeFile(dir.file("ten"), 10); }, "0123456789"},
        {"over the limit", [&] { return ReadWholeFile(dir.file("ten"), 9); }, "larger than 9"},
        {"a folder", [&] { return ReadInputFile(dir.path(), 9); }, "a folder"},
        {"a pipe for the window", [&] { return ReadWholeFile(dir.file("pipe")); }, "named pipe"},
        {"an endless device", [] { return ReadInputFile("/dev/zero", 1000); }, "larger than 1000"},
        {"an empty device", [] { return ReadInputFile("/dev/null", 1000); }, ""},
        {"a pipe for a script",
         [&] {
             std::thread writer([&] { WriteBytes(dir.file("pipe"), "piped"); });
             std::string text = ReadInputFile(dir.file("pipe"), 1000);
             writer.join();
             return text;
         },
         "piped"},
    };
    for (const auto& c : cases) {
        std::string got;
        try {
            got = c.read();
        } catch (const CoreError& error) {
            got = error.what();
        }
        EXPECT_NE(got.find(c.result), std::string::npos) << c.name << ": " << got;
    }
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

}  // namespace
}  // namespace quintrel
