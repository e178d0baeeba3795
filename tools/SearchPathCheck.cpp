#include "tools/SearchPathCheck.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>

#include "astro/FastRiseSet.h"
#include "locations/PlaceValues.h"
#include "table/CalculateMonth.h"
#include "table/CsvExport.h"

namespace quintrel {

namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

void AddToDigest(std::uint64_t& digest, std::string_view bytes) {
    for (const char c : bytes) {
        digest = (digest ^ static_cast<unsigned char>(c)) * kFnvPrime;
    }
    digest = (digest ^ '\n') * kFnvPrime;
}

struct PlaceResult {
    std::uint64_t exactDigest = kFnvOffset;
    std::uint64_t fastDigest = kFnvOffset;
    std::uint64_t differingMonths = 0;
    std::string firstDifference;
};

PlaceResult ComparePlace(const std::string& record, const std::vector<MonthOfYear>& months) {
    PlaceValues place;
    ParseSelectedLocation(record, place);
    PlaceResult result;
    for (const MonthOfYear& when : months) {
        const MonthTable exact = CalculateMonthExact(place, record, when.month, when.year);
        const MonthTable fast = CalculateMonth(place, record, when.month, when.year);
        bool differs = exact.rows.size() != fast.rows.size();
        for (std::size_t i = 0; i < exact.rows.size(); ++i) {
            const std::string exactLine = CsvDayLine(exact, exact.rows[i]);
            const std::string fastLine =
                i < fast.rows.size() ? CsvDayLine(fast, fast.rows[i]) : std::string();
            AddToDigest(result.exactDigest, exactLine);
            AddToDigest(result.fastDigest, fastLine);
            if (exactLine != fastLine && result.firstDifference.empty()) {
                result.firstDifference =
                    record + "\n  exact: " + exactLine + "\n  fast:  " + fastLine;
            }
            differs = differs || exactLine != fastLine;
        }
        result.differingMonths += differs ? 1 : 0;
    }
    return result;
}

}  // namespace

SearchPathComparison CompareSearchPaths(const std::vector<std::string>& records,
                                        const std::vector<MonthOfYear>& months, unsigned threads) {
    std::vector<PlaceResult> results(records.size());
    std::mutex countsMutex;
    mRiseSet::FastSearchCounts counts;
    std::exception_ptr failure;
    const auto work = [&](std::size_t first) {
        const mRiseSet::FastSearchCounts before = mRiseSet::ThisThreadFastSearchCounts();
        try {
            for (std::size_t i = first; i < records.size(); i += std::max(threads, 1u)) {
                results[i] = ComparePlace(records[i], months);
            }
        } catch (...) {
            const std::lock_guard lock(countsMutex);
            failure = std::current_exception();
        }
        const mRiseSet::FastSearchCounts after = mRiseSet::ThisThreadFastSearchCounts();
        const std::lock_guard lock(countsMutex);
        counts.searches += after.searches - before.searches;
        counts.fallbacks += after.fallbacks - before.fallbacks;
    };
    std::vector<std::thread> workers;
    for (unsigned t = 1; t < std::max(threads, 1u); ++t) {
        workers.emplace_back(work, t);
    }
    work(0);
    for (std::thread& worker : workers) {
        worker.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }

    SearchPathComparison comparison;
    comparison.exactDigest = kFnvOffset;
    comparison.fastDigest = kFnvOffset;
    comparison.months = records.size() * months.size();
    comparison.fastSearches = counts.searches;
    comparison.fallbacks = counts.fallbacks;
    for (const PlaceResult& result : results) {
        comparison.differingMonths += result.differingMonths;
        AddToDigest(comparison.exactDigest, std::to_string(result.exactDigest));
        AddToDigest(comparison.fastDigest, std::to_string(result.fastDigest));
        if (comparison.firstDifference.empty()) {
            comparison.firstDifference = result.firstDifference;
        }
    }
    return comparison;
}

}  // namespace quintrel
