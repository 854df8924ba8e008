// The printed report laid out on pages: which rows go on which page and where each item
// stands. Page groups start on a new page; every page opens with the page header and an empty
// line; a table cut by a page break repeats its title lines on the next page.
#pragma once

#include <string>
#include <vector>

#include "core/workspace.h"
#include "report/report_text.h"

namespace tq530 {

constexpr double kPrintLeftMarginMm = 10;
constexpr double kPageHeaderTopMm = 5;

struct PrintItem {
    double Mm = 0;  // from the paper's left edge, margin included
    std::string Text;
};

using PrintLine = std::vector<PrintItem>;  // empty: an empty line

struct PrintPage {
    std::vector<PrintLine> Lines;  // the page header and its empty line first
};

// The model name followed by " Clonewise Setup System".
std::string PageHeaderText(const Workspace& ws);

// The printed line of a report row: the printed texts at their positions, without the
// blanks that only fill the text image's columns.
PrintLine PrintLineOf(const ReportRow& row);

// Lays the rows out on pages of linesPerPage lines (at least the header, its empty line and
// one more; fewer are taken as that many).
std::vector<PrintPage> LayOutPages(const std::vector<ReportRow>& rows, const std::string& header,
                                   int linesPerPage);

// The whole report as printed pages.
std::vector<PrintPage> LayOutPrintedReport(const Workspace& ws, int linesPerPage);

}  // namespace tq530
