#include "tides/TcdReader.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <tcd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>

#include "astro/CoreError.h"
#include "tides/TideChecks.h"

namespace quintrel::tides {

namespace {

// libtcd's one open file and its tables; every use of libtcd holds this lock.
std::mutex gTcdLock;
std::string gOpenPath;

// The largest index the reader walks; real files hold a few thousand records.
constexpr std::uint32_t kMostRecords = 1000000;

// A damaged header can make libtcd ask for any amount of memory. Not under
// AddressSanitizer, whose shadow memory alone is far beyond any such limit.
void LimitChildMemory() {
#if defined(__SANITIZE_ADDRESS__)
    return;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return;
#endif
#endif
    const rlimit memory{1UL << 31, 1UL << 31};
    setrlimit(RLIMIT_AS, &memory);
}

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// Opens `path` unless it is the file libtcd has open. The lock must be held.
void OpenLocked(const std::string& path) {
    if (gOpenPath == path) {
        return;
    }
    gOpenPath.clear();
    std::vector<char> name(path.begin(), path.end());
    name.push_back('\0');
    if (!open_tide_db(name.data())) {
        throw CoreError("The tide file " + path + " cannot be opened as a TCD harmonics file.");
    }
    gOpenPath = path;
}

// libtcd writes hours * 100 + minutes, signed.
int MinutesOfHhmm(std::int32_t hhmm) {
    const int sign = hhmm < 0 ? -1 : 1;
    const int magnitude = std::abs(hhmm);
    return sign * ((magnitude / 100) * 60 + magnitude % 100);
}

// A multiplier of 0 is the format's "none".
double Multiplier(float value) {
    return value == 0.0F ? 1.0 : static_cast<double>(value);
}

ConstituentTable ReadTableLocked(const DB_HEADER_PUBLIC& header) {
    ConstituentTable table;
    table.startYear = header.start_year;
    table.yearCount = static_cast<int>(header.number_of_years);
    const auto count = static_cast<std::int32_t>(header.constituents);
    if (count <= 0 || count > MAX_CONSTITUENTS || table.yearCount <= 0 ||
        table.yearCount > 100000) {
        return table;  // CheckConstituentTable names what is wrong
    }
    const auto years = static_cast<std::size_t>(table.yearCount);
    table.equilibriumDeg.reserve(static_cast<std::size_t>(count) * years);
    table.nodeFactor.reserve(static_cast<std::size_t>(count) * years);
    for (std::int32_t i = 0; i < count; ++i) {
        table.names.emplace_back(get_constituent(i));
        table.speedDegPerHour.push_back(get_speed(i));
        const NV_FLOAT32* equilibrium = get_equilibriums(i);
        const NV_FLOAT32* node = get_node_factors(i);
        if (equilibrium == nullptr || node == nullptr) {
            return ConstituentTable{};
        }
        table.equilibriumDeg.insert(table.equilibriumDeg.end(), equilibrium, equilibrium + years);
        table.nodeFactor.insert(table.nodeFactor.end(), node, node + years);
    }
    return table;
}

TcdIndex ReadIndexLocked(const std::string& path) {
    // The index is always read afresh: the file may have been replaced since.
    if (!gOpenPath.empty()) {
        close_tide_db();
        gOpenPath.clear();
    }
    OpenLocked(path);
    const DB_HEADER_PUBLIC header = get_tide_db_header();
    TcdIndex index;
    index.path = path;
    index.table = ReadTableLocked(header);
    CheckConstituentTable(index.table, FileName(path));
    if (header.number_of_records > kMostRecords) {
        throw CoreError("The tide file " + FileName(path) + " cannot be used: it claims " +
                        std::to_string(header.number_of_records) + " records.");
    }
    std::vector<StationHeader> all;
    all.reserve(header.number_of_records);
    for (std::uint32_t i = 0; i < header.number_of_records; ++i) {
        TIDE_STATION_HEADER partial{};
        if (!get_partial_tide_record(static_cast<NV_INT32>(i), &partial)) {
            continue;
        }
        if (partial.record_type != REFERENCE_STATION &&
            partial.record_type != SUBORDINATE_STATION) {
            continue;
        }
        partial.name[ONELINER_LENGTH - 1] = '\0';
        all.push_back({static_cast<int>(i), partial.record_type == REFERENCE_STATION,
                       partial.reference_station, partial.latitude, partial.longitude,
                       partial.name});
    }
    index.stations = UsableStations(all);
    return index;
}

std::optional<TideStation> ConvertRecord(const TIDE_RECORD& rec, const std::string& path, int file,
                                         const ConstituentTable& table) {
    const std::string units = get_level_units(rec.level_units);
    TideStation station;
    if (units == "feet") {
        station.units = LevelUnits::Feet;
    } else if (units == "meters") {
        station.units = LevelUnits::Meters;
    } else {
        return std::nullopt;  // currents (knots) and anything else that is no water level
    }
    station.file = file;
    station.record = rec.header.record_number;
    station.name.assign(rec.header.name, strnlen(rec.header.name, ONELINER_LENGTH));
    station.id.assign(rec.station_id, strnlen(rec.station_id, ONELINER_LENGTH));
    if (station.id.empty()) {
        station.id =
            std::filesystem::path(path).stem().string() + "#" + std::to_string(station.record);
    }
    station.latitudeDeg = rec.header.latitude;
    station.longitudeDeg = rec.header.longitude;
    station.isReference = rec.header.record_type == REFERENCE_STATION;
    if (station.isReference) {
        station.datum = get_datum(rec.datum);
        station.datumOffset = rec.datum_offset;
        // The file's phases are for the standard time of the station's meridian
        // (zone_offset hours east of UTC); a constituent's argument advances by its speed
        // times that offset between that clock and UTC.
        const double zoneHours = MinutesOfHhmm(rec.zone_offset) / 60.0;
        const std::size_t count = std::min<std::size_t>(table.names.size(), MAX_CONSTITUENTS);
        for (std::size_t i = 0; i < count; ++i) {
            if (rec.amplitude[i] > 0.0F) {
                station.constituents.push_back(
                    {static_cast<int>(i), rec.amplitude[i],
                     rec.epoch[i] - table.speedDegPerHour[i] * zoneHours});
            }
        }
    } else {
        station.referenceRecord = rec.header.reference_station;
        station.offsets = {
            MinutesOfHhmm(rec.max_time_add), Multiplier(rec.max_level_multiply), rec.max_level_add,
            MinutesOfHhmm(rec.min_time_add), Multiplier(rec.min_level_multiply), rec.min_level_add};
    }
    CheckStation(station, table);
    return station;
}

// One record buffer for the whole process (about 30 KB); used under the lock only.
TIDE_RECORD& RecordBuffer() {
    static auto* buffer = new TIDE_RECORD{};
    return *buffer;
}

std::optional<TideStation> ReadStationLocked(const std::string& path, int file, int record,
                                             const ConstituentTable& table) {
    OpenLocked(path);
    TIDE_RECORD& rec = RecordBuffer();
    if (record < 0 || read_tide_record(record, &rec) != record) {
        throw CoreError("Record " + std::to_string(record) + " of the tide file " + FileName(path) +
                        " cannot be read.");
    }
    return ConvertRecord(rec, path, file, table);
}

// What the child process does: everything the main process would do with the file,
// and then every record.
void ReadWholeLocked(const std::string& path) {
    const TcdIndex index = ReadIndexLocked(path);
    const DB_HEADER_PUBLIC header = get_tide_db_header();
    for (std::uint32_t i = 0; i < header.number_of_records; ++i) {
        TIDE_RECORD& rec = RecordBuffer();
        if (read_tide_record(static_cast<NV_INT32>(i), &rec) != static_cast<NV_INT32>(i)) {
            throw CoreError("Record " + std::to_string(i) + " of the tide file " + FileName(path) +
                            " cannot be read.");
        }
        if (rec.header.record_type == REFERENCE_STATION ||
            rec.header.record_type == SUBORDINATE_STATION) {
            ConvertRecord(rec, path, 0, index.table);
        }
    }
}

}  // namespace

TcdIndex ReadTcdIndex(const std::string& path) {
    const std::lock_guard<std::mutex> lock(gTcdLock);
    return ReadIndexLocked(path);
}

std::optional<TideStation> ReadTcdStation(const std::string& path, int file, int record,
                                          const ConstituentTable& table) {
    const std::lock_guard<std::mutex> lock(gTcdLock);
    return ReadStationLocked(path, file, record, table);
}

std::optional<std::string> ProbeTideFile(const std::string& path, int limitMs) {
    const std::string& name = path;
    int channel[2];
    if (pipe(channel) != 0) {
        return "The tide file " + name + " was not read: no pipe for its check.";
    }
    pid_t child = 0;
    {
        // Held across fork so that the child never inherits the lock taken by another
        // thread in the middle of a libtcd call.
        const std::lock_guard<std::mutex> lock(gTcdLock);
        child = fork();
        if (child == 0) {
            close(channel[0]);
            const int quiet = open("/dev/null", O_WRONLY);
            if (quiet >= 0) {
                dup2(quiet, STDOUT_FILENO);
                dup2(quiet, STDERR_FILENO);
            }
            LimitChildMemory();
            alarm(static_cast<unsigned>(limitMs / 1000 + 2));
            std::string message;
            try {
                gOpenPath.clear();
                ReadWholeLocked(path);
            } catch (const std::exception& error) {
                message = error.what();
            }
            if (!message.empty()) {
                const ssize_t written = write(channel[1], message.data(), message.size());
                static_cast<void>(written);
            }
            _exit(message.empty() ? 0 : 1);
        }
    }
    close(channel[1]);
    if (child < 0) {
        close(channel[0]);
        return "The tide file " + name + " was not read: no process for its check.";
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    int status = 0;
    bool finished = false;
    while (!finished) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) {
            finished = true;
        } else if (done < 0 && errno != EINTR) {
            break;
        } else if (std::chrono::steady_clock::now() >= deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            close(channel[0]);
            return "The tide file " + name + " was refused: reading it took longer than " +
                   std::to_string(limitMs / 1000) + "." + std::to_string(limitMs % 1000 / 100) +
                   " s.";
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    char text[512];
    const ssize_t length = read(channel[0], text, sizeof text);
    close(channel[0]);
    if (finished && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return std::nullopt;
    }
    if (finished && WIFEXITED(status) && length > 0) {
        return std::string(text, static_cast<std::size_t>(length));
    }
    if (finished && WIFSIGNALED(status)) {
        return "The tide file " + name + " was refused: reading it crashed (signal " +
               std::to_string(WTERMSIG(status)) + ").";
    }
    return "The tide file " + name + " was refused: it cannot be read as a TCD harmonics file.";
}

}  // namespace quintrel::tides
