// The settings report as plain text: every setting in fixed-width columns, for the report
// window, its ".txt" file and the printout.
#pragma once

#include <string>
#include <vector>

#include "core/ui_host.h"
#include "core/workspace.h"

namespace tq530 {

// The lines of the report, without line ends.
std::vector<std::string> BuildReportLines(const Workspace& ws);

// The text image: the lines joined by CR LF.
std::string BuildReportText(const Workspace& ws);

// Saves the text image as the report window does: the text followed by CR LF. A failure shows
// its error text and sets CommError and CancelRequested.
bool SaveReportText(Workspace& ws, UiHost& host, const std::string& text, const std::string& path);

}  // namespace tq530
