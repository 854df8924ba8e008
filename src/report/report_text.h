// The settings report as plain text: every setting in fixed-width columns, for the report
// window, its ".txt" file and the printout.
#pragma once

#include <string>
#include <vector>

#include "core/ui_host.h"
#include "core/workspace.h"

namespace tq530 {

// One cell of a report row: its text, padded to Width in the text image (0: as it stands),
// and where and how the printout shows it.
struct ReportCell {
    std::string Text;
    int Width = 0;
    double PrintMm = 0;   // from the printable area's left margin
    std::string Printed;  // the printed text where it differs from Text
};

// The pages of a printout: a page group starts on a new page.
enum class PageGroup { Settings, Usa, International, Canada, Wx, MemoryIds, GroupIds, Exp };

struct ReportRow {
    std::vector<ReportCell> Cells;  // none: an empty line
    PageGroup Group = PageGroup::Settings;
    bool Heading = false;  // a table's header line or column title, repeated on a new page
};

// The report row by row, as both renderings share it.
std::vector<ReportRow> BuildReportRows(const Workspace& ws);

// The lines of the report, without line ends.
std::vector<std::string> BuildReportLines(const Workspace& ws);

// The text image: the lines joined by CR LF.
std::string BuildReportText(const Workspace& ws);

// Saves the text image as the report window does: the text followed by CR LF. A failure shows
// its error text and sets CommError and CancelRequested.
bool SaveReportText(Workspace& ws, UiHost& host, const std::string& text, const std::string& path);

}  // namespace tq530
