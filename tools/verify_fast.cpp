// quintrel-verify-fast: the release check that the fast search changes no output. Every
// shipped place, every month of 1990-2040 (or the years given), computed the exact way
// and the fast way on all cores; every CSV day line must be the same.
//
//   quintrel-verify-fast [locs.dat] [first year] [last year]

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "astro/FastRiseSet.h"
#include "locations/LocationFile.h"
#include "locations/LocationList.h"
#include "tools/SearchPathCheck.h"

int main(int argc, char** argv) {
    using namespace quintrel;
    const std::string path = argc > 1 ? argv[1] : "data/locs.dat";
    const int firstYear = argc > 2 ? std::stoi(argv[2]) : 1990;
    const int lastYear = argc > 3 ? std::stoi(argv[3]) : 2040;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "quintrel-verify-fast: cannot read %s\n", path.c_str());
        return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    LocationState state;
    state.Locations = SplitLocationText(text.str());
    CompactLocationList(state);  // drops the empty line after the last line end
    const std::vector<std::string>& records = state.Locations;
    std::vector<MonthOfYear> months;
    for (int year = firstYear; year <= lastYear; ++year) {
        for (std::int16_t month = 1; month <= 12; ++month) {
            months.push_back({month, static_cast<std::int16_t>(year)});
        }
    }
    if (!mRiseSet::FastSearchAvailable()) {
        std::printf("This processor has no AVX2 and FMA: only the exact search runs here.\n");
    }
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    const auto start = std::chrono::steady_clock::now();
    const SearchPathComparison result = CompareSearchPaths(records, months, threads);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%zu places x %zu months = %llu months in %.1f s on %u threads\n", records.size(),
                months.size(), static_cast<unsigned long long>(result.months), seconds, threads);
    std::printf("exact digest %016llx, fast digest %016llx\n",
                static_cast<unsigned long long>(result.exactDigest),
                static_cast<unsigned long long>(result.fastDigest));
    std::printf("fast searches %llu, sent to the exact search %llu (%.4f%%)\n",
                static_cast<unsigned long long>(result.fastSearches),
                static_cast<unsigned long long>(result.fallbacks),
                result.fastSearches ? 100.0 * static_cast<double>(result.fallbacks) /
                                          static_cast<double>(result.fastSearches)
                                    : 0.0);
    if (result.differingMonths != 0) {
        std::printf("DIFFERENT: %llu months differ; first:\n%s\n",
                    static_cast<unsigned long long>(result.differingMonths),
                    result.firstDifference.c_str());
        return 1;
    }
    std::printf("identical\n");
    return 0;
}
