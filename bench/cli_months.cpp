// quintrel-table over many months, process start included: the cost a script or a batch
// run sees, per month, and the largest resident size the run reached.
// Targets: on one core (taskset -c 0) at most half the time a month of the npm package
// suncalc doing the same work (scripts/compare-suncalc/compare.sh runs both side by side),
// and under 20 MB resident.

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

// User and system time of the finished children so far.
double ChildrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
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
    const double cpuBefore = ChildrenCpuSeconds();
    for (auto _ : state) {
        if (!RunTable(arguments)) {
            state.SkipWithError("quintrel-table failed");
            return;
        }
    }
    const double cpuSeconds = ChildrenCpuSeconds() - cpuBefore;
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    state.counters["months"] = benchmark::Counter(static_cast<double>(months),
                                                  benchmark::Counter::kIsIterationInvariantRate);
    // CPU time, not wall time: what one core spends, whatever else the machine runs.
    state.counters["cpu_us_per_month"] =
        cpuSeconds * 1e6 / (static_cast<double>(state.iterations()) * static_cast<double>(months));
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(Months)->Arg(600)->Arg(1200)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
