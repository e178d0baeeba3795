#include "locations/AppPaths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "astro/CoreError.h"
#include "astro/NumberText.h"
#include "locations/FileIo.h"
#include "locations/LocationFile.h"

namespace quintrel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kProgramFolderName = "quintrel";

std::string SystemShippedFile(std::string_view programDirectory) {
    return (fs::path(std::string(programDirectory)) / ".." / "share" /
            std::string(kProgramFolderName) / "locs.dat")
        .lexically_normal()
        .string();
}

bool HoldsPlaceList(std::string_view directory) {
    return FileExists(LocationFilePath(directory)) || FileExists(LocationBackupPath(directory));
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

std::string AppDirectory(std::string_view executablePath) {
    std::error_code error;
    fs::path program;
    if (!executablePath.empty()) {
        program = fs::absolute(fs::path(executablePath), error);
    } else {
        program = fs::read_symlink("/proc/self/exe", error);
    }
    if (error || program.empty()) {
        throw CoreError("Cannot find the program's own directory" +
                        (executablePath.empty() ? std::string()
                                                : " from \"" + std::string(executablePath) + "\""));
    }
    std::string directory = program.lexically_normal().parent_path().string();
    // Callers append "/locs.dat", so the root directory must not keep its separator.
    while (!directory.empty() && directory.back() == '/') {
        directory.pop_back();
    }
    return directory;
}

bool FileExists(std::string_view path) {
    const std::string_view trimmed = TrimBlanks(path);
    if (trimmed.empty()) {
        return false;
    }
    std::error_code error;
    const fs::file_status status = fs::status(fs::path(trimmed), error);
    return !error && fs::exists(status) && !fs::is_directory(status);
}

std::string ShippedLocationFile(std::string_view programDirectory) {
    const std::string system = SystemShippedFile(programDirectory);
    return FileExists(system) ? system : LocationFilePath(programDirectory);
}

std::string UserDataDirectory(std::string_view dataHome, std::string_view home) {
    // A relative XDG_DATA_HOME is invalid and is ignored, as the base directory rules say.
    if (!dataHome.empty() && dataHome.front() == '/') {
        return (fs::path(std::string(dataHome)) / kProgramFolderName).lexically_normal().string();
    }
    if (!home.empty() && home.front() == '/') {
        return (fs::path(std::string(home)) / ".local" / "share" / kProgramFolderName)
            .lexically_normal()
            .string();
    }
    throw CoreError(
        "Cannot find the folder for your places: neither XDG_DATA_HOME nor HOME "
        "names an absolute folder");
}

std::string PlaceDirectory(std::string_view programDirectory, std::string_view dataHome,
                           std::string_view home) {
    const std::string own(programDirectory.empty() ? "/" : programDirectory);
    // access() rather than the permission bits: it also answers for read-only mounts, ACLs
    // and root.
    const bool writable = ::access(own.c_str(), W_OK) == 0;
    const bool systemInstall =
        !HoldsPlaceList(programDirectory) && FileExists(SystemShippedFile(programDirectory));
    if (writable && !systemInstall) {
        return std::string(programDirectory);
    }
    return UserDataDirectory(dataHome, home);
}

std::string PreparePlaceDirectory(std::string_view programDirectory, std::string_view dataHome,
                                  std::string_view home) {
    const std::string directory = PlaceDirectory(programDirectory, dataHome, home);
    if (directory == programDirectory || HoldsPlaceList(directory)) {
        return directory;
    }
    const std::string shipped = ShippedLocationFile(programDirectory);
    if (!FileExists(shipped)) {
        return directory;
    }
    std::error_code error;
    fs::create_directories(directory, error);
    if (error) {
        throw CoreError("Cannot create the folder for your places " + directory + ": " +
                        error.message());
    }
    // Written whole or not at all, so an interrupted first start is simply repeated.
    WriteFileAtomically(LocationFilePath(directory), ReadWholeFile(shipped));
    return directory;
}

std::string PreparePlaceDirectory(std::string_view programDirectory) {
    return PreparePlaceDirectory(programDirectory, Environment("XDG_DATA_HOME"),
                                 Environment("HOME"));
}

}  // namespace quintrel
