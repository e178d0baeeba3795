// The log's CSV reader on any bytes. What it accepts, written back by the export and read
// again, must give the same entries: the export-import round trip holds for every file the
// reader takes, not only for the ones the export made.

#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "log/LogCsv.h"

namespace {

using namespace quintrel;
using quintrel::fuzz::Require;
using quintrel::fuzz::Tolerate;

const std::string kBoston =
    "1USA - Massachusetts  Boston           + 42 21- 71  4-   51022103021111";

std::string Resolve(std::string_view place) {
    if (place == "Boston") {
        return kBoston;
    }
    throw CoreError("no such place");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);
    logbook::LogImport parsed;
    if (!Tolerate([&] { parsed = logbook::ParseLogCsv(text, Resolve); })) {
        return 0;
    }
    const std::string exported = logbook::LogCsvText(parsed.outings);
    logbook::LogImport again;
    Require(Tolerate([&] { again = logbook::ParseLogCsv(exported, Resolve); }),
            "the export of an accepted file is refused", exported);
    Require(logbook::LogCsvText(again.outings) == exported, "export, import, export differ",
            exported);
    return 0;
}
