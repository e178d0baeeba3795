// quintrel-table over many months, process start included: the cost a script or a batch
// run sees, per month, and the largest resident size the run reached.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

extern char** environ;

namespace {

// Runs quintrel-table with `arguments` and waits for it; false when it failed.
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

void Months(benchmark::State& state) {
    const auto months = state.range(0);
    const std::vector<std::string> arguments{
        "--locations", std::string(QUINTREL_SOURCE_DIR) + "/data/locs.dat",
        "--place",     "sydney",
        "--month",     "1",
        "--year",      "2004",
        "--months",    std::to_string(months),
        "--format",    "csv",
        "--output",    "/dev/null"};
    for (auto _ : state) {
        if (!RunTable(arguments)) {
            state.SkipWithError("quintrel-table failed");
            return;
        }
    }
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    state.counters["months"] = benchmark::Counter(static_cast<double>(months),
                                                  benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(Months)->Arg(600)->Arg(1200)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
