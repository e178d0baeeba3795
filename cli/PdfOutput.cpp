#include "cli/PdfOutput.h"

#include "astro/CoreError.h"

namespace quintrel::cli {

void WriteReportPdf(const std::string& /*path*/,
                    const std::vector<quintrel::MonthTable>& /*tables*/,
                    const std::string& /*record*/) {
    throw quintrel::CoreError("PDF output is not available in this build");
}

}  // namespace quintrel::cli
