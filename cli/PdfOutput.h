#pragma once

#include <string>
#include <vector>

#include "table/MonthTable.h"

namespace quintrel::cli {

/// Makes the GUI application that fonts, pictures and the document writers need, on the
/// offscreen platform unless the caller chose one; once per process.
void EnsureGuiApplication();

/// Writes the printable report of the given month tables to a PDF file at `path`.
/// `record` is the place's location record (the bytes of its line in locs.dat); the
/// report's heading comes from it and from the tables. Needs no display.
/// Throws quintrel::CoreError when the file cannot be written or PDF output is missing.
void WriteReportPdf(const std::string& path, const std::vector<quintrel::MonthTable>& tables,
                    const std::string& record);

}  // namespace quintrel::cli
