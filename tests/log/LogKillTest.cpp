// Real processes killed with SIGKILL while they change the log: afterwards the file passes
// SQLite's full integrity check and holds every change that was reported committed. The
// number of runs comes from QUINTREL_KILL_RUNS (a few in the ordinary tests, many in the
// soak run); the random delays are seeded from the run number, so a failure can be
// repeated.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "log/LogDatabase.h"
#include "tests/log/ScratchFolder.h"

extern char** environ;

namespace quintrel::logbook {
namespace {

using quintrel::testing::ScratchFolder;

const std::string kBoston =
    "1USA - Massachusetts  Boston           + 42 21- 71  4-   51022103021111";

int Runs() {
    const char* text = std::getenv("QUINTREL_KILL_RUNS");
    return text != nullptr ? std::max(1, std::atoi(text)) : 3;
}

// Starts `arguments`, lets it run `delay`, kills it with SIGKILL and returns what it wrote
// to standard output before it died.
std::string RunAndKill(const std::vector<std::string>& arguments, std::chrono::milliseconds delay) {
    int pipeEnds[2];
    EXPECT_EQ(pipe(pipeEnds), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    EXPECT_EQ(posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    // The pipe is read while the child runs, so it never blocks on a full pipe.
    std::string output;
    std::thread reader([&] {
        char buffer[4096];
        for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
            output.append(buffer, static_cast<std::size_t>(n));
        }
    });
    std::this_thread::sleep_for(delay);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    reader.join();
    close(pipeEnds[0]);
    return output;
}

std::string IntegrityCheck(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* statement = nullptr;
    std::string result = "no answer";
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}

LogOpenOptions NoBackup() {
    LogOpenOptions options;
    options.dailyBackup = false;
    return options;
}

TEST(LogKill, EditsKilledAtAnyMomentKeepEveryCommittedChange) {
    for (int run = 0; run < Runs(); ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        ScratchFolder folder;
        const std::string path = folder / "log.sqlite";
        std::mt19937 random(static_cast<unsigned>(run));
        const auto delay =
            std::chrono::milliseconds(std::uniform_int_distribution<int>(50, 600)(random));
        const std::string output = RunAndKill({QUINTREL_EDIT_WORKER, path}, delay);
        if (!std::filesystem::exists(path)) {
            continue;  // killed before it made the file
        }
        ASSERT_EQ(IntegrityCheck(path), "ok");

        // What the reports say the log must hold.
        std::map<std::int64_t, std::string> outings;   // id: notes
        std::map<std::int64_t, std::int64_t> catches;  // id: outing
        std::map<std::int64_t, double> weights;
        std::vector<std::int64_t> deleted;
        std::istringstream lines(output);
        std::string line;
        while (std::getline(lines, line)) {
            std::istringstream fields(line);
            char kind = 0;
            std::int64_t id = 0;
            std::string value;
            if (!(fields >> kind >> id >> value) && kind != 'D' && kind != 'd') {
                continue;  // the last report may be cut off
            }
            if (kind == 'O') {
                outings[id] = value;
            } else if (kind == 'C') {
                catches[id] = std::stoll(value);
            } else if (kind == 'U') {
                weights[id] = std::stod(value);
            } else if (kind == 'D') {
                deleted.push_back(id);
            } else if (kind == 'd') {
                // From here on the outing may be there or not.
                outings.erase(id);
                std::erase_if(catches, [&](const auto& entry) { return entry.second == id; });
            }
        }
        // A kill before the first commit (a slow start on a busy machine) checks the
        // file alone.
        const LogDatabase log = LogDatabase::Open(path, NoBackup());
        for (const auto& [id, notes] : outings) {
            const std::optional<Outing> outing = log.FindOuting(id);
            ASSERT_TRUE(outing.has_value()) << "outing " << id;
            EXPECT_EQ(outing->notes, notes);
        }
        for (const std::int64_t id : deleted) {
            EXPECT_FALSE(log.FindOuting(id).has_value()) << "deleted outing " << id;
        }
        for (const auto& [id, outing] : catches) {
            const std::vector<Catch> found = log.CatchesById(std::vector<std::int64_t>{id});
            ASSERT_EQ(found.size(), 1u) << "catch " << id;
            if (weights.contains(id)) {
                EXPECT_EQ(found[0].weightKg, weights[id]) << "catch " << id;
            }
        }
    }
}

#ifdef QUINTREL_TABLE_PROGRAM
TEST(LogKill, AnImportKilledAtAnyMomentStoresAllOrNothing) {
    ScratchFolder folder;
    const std::string csv = folder / "import.csv";
    const int lines = std::getenv("QUINTREL_KILL_RUNS") != nullptr ? 100000 : 20000;
    {
        std::string text = "Date,Time,Place,Species,Count,Weight\n";
        for (int i = 0; i < lines; ++i) {
            text += "2024-" + std::string(i % 12 < 9 ? "0" : "") + std::to_string(i % 12 + 1) +
                    "-1" + std::to_string(i % 9) + ",0" + std::to_string(i % 10) +
                    ":15,Boston,Pike,1,2.5\n";
        }
        quintrel::testing::WriteBytes(csv, text);
    }
    for (int run = 0; run < Runs(); ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        ScratchFolder logFolder;
        const std::string path = logFolder / "log.sqlite";
        // Entries saved before the import must stay whatever happens to it.
        LogDatabase before = LogDatabase::Open(path, NoBackup());
        Outing kept;
        kept.date = "2020-01-01";
        kept.record = kBoston;
        const std::int64_t keptId = before.AddOuting(kept);

        std::mt19937 random(static_cast<unsigned>(run));
        const auto delay =
            std::chrono::milliseconds(std::uniform_int_distribution<int>(50, lines / 20)(random));
        const std::string output = RunAndKill(
            {QUINTREL_TABLE_PROGRAM, "--record", kBoston, "--log", path, "--log-import", csv},
            delay);
        ASSERT_EQ(IntegrityCheck(path), "ok");
        const LogTotals totals = before.Totals();
        EXPECT_TRUE(before.FindOuting(keptId).has_value());
        if (output.starts_with("Imported")) {
            EXPECT_EQ(totals.catchEntries, lines);
        } else {
            EXPECT_TRUE(totals.catchEntries == 0 || totals.catchEntries == lines)
                << totals.catchEntries << " of " << lines << " catches after " << delay.count()
                << " ms";
        }
    }
}
#endif

}  // namespace
}  // namespace quintrel::logbook
