// The town search of the place window and of --find/--town on any typed text: the
// drop-down's entries, its status line and the place a picked entry fills in.

#include "FuzzSupport.h"
#include "gazetteer/GeonamesGazetteer.h"
#include "gazetteer/TownSearch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quintrel;
    static GeonamesGazetteer gazetteer;
    TownSearch search(gazetteer);
    const std::vector<std::string>& entries = search.Update(fuzz::AsText(data, size));
    // Either entries or a line saying why there are none, never both or neither.
    fuzz::Require(entries.empty() != search.Status().empty(), "entries and status disagree");
    if (!entries.empty()) {
        fuzz::Tolerate([&] { search.Pick(entries.size() - 1); });
    }
    return 0;
}
