#include "cli/ListCommand.h"

#include "cli/CommandParts.h"
#include "cli/PlaceChoice.h"

namespace quintrel::cli {

bool IsListMode(const TableOptions& options) {
    return options.list;
}

void RunListCommand(const TableOptions& options, std::ostream& standardOutput,
                    std::ostream& messages) {
    WriteWhole(options, standardOutput, PlaceListText(ReadPlaces(options, messages)));
}

}  // namespace quintrel::cli
