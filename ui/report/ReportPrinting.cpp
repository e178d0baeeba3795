#include "ui/report/ReportPrinting.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

namespace quintrel {

bool PrintDocument(const ReportDocument& document, QPrinter& printer) {
    const int pageCount = static_cast<int>(document.pages.size());
    if (pageCount == 0)
        return true;
    printer.setFullPage(true);
    printer.setPageLayout(document.pageLayout);
    printer.setDocName(document.title);

    int from = 1;
    int to = pageCount;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::clamp(printer.fromPage(), 1, pageCount);
        to = std::clamp(printer.toPage() > 0 ? printer.toPage() : pageCount, from, pageCount);
    }

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // Full-page mode puts the origin at the paper's corner, where the pages' twips start.
    const double scale = printer.resolution() / 1440.0;
    for (int index = from; index <= to; ++index) {
        if (index > from)
            printer.newPage();
        painter.save();
        painter.scale(scale, scale);
        DrawReportPage(painter, document.pages[static_cast<std::size_t>(index - 1)]);
        painter.restore();
    }
    return painter.end();
}

PrintOutcome PrintWithDialog(const ReportDocument& document, QWidget* parent, bool offerPageRange) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(document.pageLayout);
    printer.setDocName(document.title);
    QPrintDialog dialog(&printer, parent);
    if (offerPageRange) {
        dialog.setMinMax(1, static_cast<int>(document.pages.size()));
        dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return PrintOutcome::Cancelled;
    }
    return PrintDocument(document, printer) ? PrintOutcome::Printed : PrintOutcome::Failed;
}

}  // namespace quintrel
