#pragma once

#include "ui/report/ReportDocument.h"

class QPrinter;
class QWidget;

namespace quintrel {

/// Prints the pages of `document` on `printer` (the page range the printer was given,
/// all pages when none). The printer is switched to full-page mode on the document's
/// paper, so the pages come out as laid out, margins included. Returns false when the
/// printer could not start.
bool PrintDocument(const ReportDocument& document, QPrinter& printer);

enum class PrintOutcome { Printed, Cancelled, Failed };

/// Asks in the print dialog over `parent` where to print `document` (offering a range of its
/// pages when `offerPageRange`), then prints it there.
PrintOutcome PrintWithDialog(const ReportDocument& document, QWidget* parent,
                             bool offerPageRange = false);

}  // namespace quintrel
