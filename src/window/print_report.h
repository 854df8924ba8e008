// The printed report: the laid-out pages drawn on a printer the caller has set up (the print
// dialog's choice, or a PDF file).
#pragma once

class QPrinter;

namespace tq530 {

struct Workspace;

// Prints every page; false when the printer could not be started.
bool PrintReportOn(QPrinter& printer, const Workspace& ws);

}  // namespace tq530
