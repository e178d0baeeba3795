#pragma once

#include <string>
#include <vector>

#include "table/MonthTable.h"

namespace quintrel::cli {

/// Writes the printable report of the given month tables to a PDF file at `path`.
/// `record` is the place's location record (the bytes of its line in locs.dat); the
/// report's heading comes from it and from the tables. Needs no display.
/// Throws quintrel::CoreError when the file cannot be written or PDF output is missing.
void WriteReportPdf(const std::string& path, const std::vector<quintrel::MonthTable>& tables,
                    const std::string& record);

}  // namespace quintrel::cli
