#include "tides/TideFiles.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <system_error>

#include "tides/TcdReader.h"

namespace quintrel::tides {

namespace {

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::vector<std::string> ShippedTideFiles(std::string_view programDirectory) {
    std::vector<std::string> files;
    if (IsFile(kXtideDataFile)) {
        files.emplace_back(kXtideDataFile);
    }
    const std::filesystem::path program(programDirectory);
    for (const std::filesystem::path& world :
         {program / kWorldFileName, program / ".." / "share" / "quintrel" / kWorldFileName}) {
        if (IsFile(world)) {
            files.push_back(world.lexically_normal().string());
            break;
        }
    }
    return files;
}

std::vector<std::string> UserTideFiles(std::string_view placeDirectory) {
    std::vector<std::string> files;
    std::error_code error;
    std::filesystem::directory_iterator entries(
        std::filesystem::path(placeDirectory) / kUserTideFolder, error);
    if (error) {
        return files;
    }
    for (const std::filesystem::directory_entry& entry : entries) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (extension == ".tcd" && IsFile(entry.path())) {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::shared_ptr<TideDatabase> OpenTideData(std::string_view programDirectory,
                                           std::string_view placeDirectory, int probeLimitMs) {
    std::vector<std::string> files = ShippedTideFiles(programDirectory);
    std::vector<std::string> refused;
    for (const std::string& file : UserTideFiles(placeDirectory)) {
        if (std::optional<std::string> problem = ProbeTideFile(file, probeLimitMs)) {
            refused.push_back(*problem);
        } else {
            files.push_back(file);
        }
    }
    std::shared_ptr<TideDatabase> database = TideDatabase::Open(files);
    database->AddProblems(refused);
    return database;
}

}  // namespace quintrel::tides
