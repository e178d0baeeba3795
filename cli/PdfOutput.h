#pragma once

#include <memory>
#include <string>
#include <vector>

#include "table/MonthTable.h"
#include "table/Planner.h"
#include "table/YearView.h"

namespace quintrel {
class PdfStream;
}

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

/// WriteReportPdf for months that come one at a time: each month's pages go to the file
/// as they are drawn. `last` is the report's last month, whose title ends the PDF's title.
class ReportPdfStream {
  public:
    ReportPdfStream(const std::string& path, const std::string& record,
                    const quintrel::MonthTable& last);
    ~ReportPdfStream();
    void Add(const quintrel::MonthTable& table);
    void Finish();

  private:
    std::string path_;
    std::string record_;
    std::string placeText_;
    std::string lastTitle_;
    std::unique_ptr<quintrel::PdfStream> stream_;
};

/// Writes the planner's list (the planner report) to a PDF file at `path`.
void WritePlanPdf(const std::string& path, const quintrel::PlanRequest& request,
                  const std::vector<quintrel::PlanDay>& days);

/// Writes the year at a glance to a PDF file at `path`.
void WriteYearViewPdf(const std::string& path, const quintrel::YearSheet& sheet);

}  // namespace quintrel::cli
