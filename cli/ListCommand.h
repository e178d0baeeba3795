#pragma once

#include <ostream>

#include "cli/TableOptions.h"

namespace quintrel::cli {

/// --list: the places of the list with their positions, to --output or standard output.
bool IsListMode(const TableOptions& options);
void RunListCommand(const TableOptions& options, std::ostream& standardOutput,
                    std::ostream& messages);

}  // namespace quintrel::cli
