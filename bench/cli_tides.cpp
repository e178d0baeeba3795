// quintrel-table --tides for a month, process start included (target under 100 ms).

#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

extern char** environ;

namespace {

bool RunTable(const std::vector<std::string>& arguments) {
    const std::string program = std::string(QUINTREL_BINARY_DIR) + "/bin/quintrel-table";
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void TidesForAMonth(benchmark::State& state) {
    const std::vector<std::string> arguments{
        "--locations", std::string(QUINTREL_SOURCE_DIR) + "/data/locs.dat",
        "--place",     "seattle",
        "--tides",     "--month",
        "3",           "--year",
        "2024",        "--output",
        "/dev/null"};
    for (auto _ : state) {
        if (!RunTable(arguments)) {
            state.SkipWithError("quintrel-table --tides failed");
            return;
        }
    }
}
BENCHMARK(TidesForAMonth)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
