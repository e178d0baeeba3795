#include "locations/AppPaths.h"

#include <filesystem>
#include <system_error>

#include "astro/CoreError.h"
#include "astro/NumberText.h"

namespace quintrel {

namespace fs = std::filesystem;

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

}  // namespace quintrel
