#include "report/print_layout.h"

#include <algorithm>

namespace tq530 {

namespace {

std::string TrimRight(const std::string& text) {
    const size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

// Fills pages with the lines of one page group.
class PageFiller {
  public:
    PageFiller(std::vector<PrintPage>& pages, std::string header, size_t linesPerPage)
        : pages_(pages), header_(std::move(header)), linesPerPage_(linesPerPage) {}

    void StartPage() {
        pages_.push_back({});
        pages_.back().Lines.push_back({{kPrintLeftMarginMm, header_}});
        pages_.back().Lines.emplace_back();
    }

    // heading: the lines a continuation page repeats before the next line.
    void Add(PrintLine line, const std::vector<PrintLine>& heading) {
        if (pages_.back().Lines.size() >= linesPerPage_) {
            StartPage();
            if (line.empty()) {
                return;  // an empty line at the top of a page helps no one
            }
            // The title lines stay only when the page has room for a line below them.
            if (heading.size() + 3 <= linesPerPage_) {
                for (const PrintLine& h : heading) {
                    pages_.back().Lines.push_back(h);
                }
            }
        }
        pages_.back().Lines.push_back(std::move(line));
    }

  private:
    std::vector<PrintPage>& pages_;
    std::string header_;
    size_t linesPerPage_;
};

}  // namespace

std::string PageHeaderText(const Workspace& ws) {
    return ws.ModelName + " Clonewise Setup System";
}

PrintLine PrintLineOf(const ReportRow& row) {
    PrintLine line;
    for (const ReportCell& cell : row.Cells) {
        const std::string text = TrimRight(cell.Printed.empty() ? cell.Text : cell.Printed);
        if (!text.empty()) {
            line.push_back({kPrintLeftMarginMm + cell.PrintMm, text});
        }
    }
    return line;
}

std::vector<PrintPage> LayOutPages(const std::vector<ReportRow>& rows, const std::string& header,
                                   int linesPerPage) {
    std::vector<PrintPage> pages;
    PageFiller filler(pages, header, static_cast<size_t>(std::max(linesPerPage, 3)));
    std::vector<PrintLine> heading;
    bool first = true;
    for (size_t i = 0; i < rows.size(); ++i) {
        const ReportRow& row = rows[i];
        if (first || row.Group != rows[i - 1].Group) {
            filler.StartPage();
            heading.clear();
            first = false;
            if (row.Cells.empty()) {
                continue;  // the section's empty line: the page header has its own
            }
        }
        PrintLine line = PrintLineOf(row);
        filler.Add(line, heading);
        if (row.Heading) {
            heading.push_back(std::move(line));
        }
    }
    return pages;
}

std::vector<PrintPage> LayOutPrintedReport(const Workspace& ws, int linesPerPage) {
    return LayOutPages(BuildReportRows(ws), PageHeaderText(ws), linesPerPage);
}

}  // namespace tq530
