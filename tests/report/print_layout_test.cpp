#include "report/print_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tq530 {
namespace {

// The texts of a printed line, joined by "|", for comparing whole lines.
std::string Texts(const PrintLine& line) {
    std::string joined;
    for (const PrintItem& item : line) {
        joined += (joined.empty() ? "" : "|") + item.Text;
    }
    return joined;
}

const PrintLine* FindLine(const std::vector<PrintPage>& pages, const std::string& first) {
    for (const PrintPage& page : pages) {
        for (const PrintLine& line : page.Lines) {
            if (!line.empty() && line.front().Text == first) {
                return &line;
            }
        }
    }
    return nullptr;
}

class PrintLayoutTest : public ::testing::Test {
  protected:
    PrintLayoutTest() {
        ws.SetModelType(1);
        ws.AtisEnabled = true;
        NewData(ws);
    }
    Workspace ws;
};

TEST_F(PrintLayoutTest, EachPageGroupStartsAPageUnderThePageHeader) {
    const auto pages = LayOutPrintedReport(ws, 1000);
    const std::vector<std::string> firsts = {"##### Usable CH Group Setup #####",
                                             "##### Programable USA Channel #####",
                                             "##### Programable International Channel #####",
                                             "##### Programable Canada Channel #####",
                                             "##### Programable WX Channel #####",
                                             "##### Memory ID #####",
                                             "##### Group ID #####",
                                             "##### Programable EXP Channel #####"};
    ASSERT_EQ(pages.size(), firsts.size());
    for (size_t p = 0; p < pages.size(); ++p) {
        const auto& lines = pages[p].Lines;
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(Texts(lines[0]), "NR6120 Clonewise Setup System");
        EXPECT_EQ(lines[0].front().Mm, kPrintLeftMarginMm);
        EXPECT_TRUE(lines[1].empty());
        EXPECT_EQ(Texts(lines[2]), firsts[p]) << "page " << p + 1;
    }
    // Sections 1 to 6 share the first page, in their order.
    std::vector<std::string> headers;
    for (const PrintLine& line : pages[0].Lines) {
        if (!line.empty() && line.front().Text.rfind("#####", 0) == 0) {
            headers.push_back(line.front().Text);
        }
    }
    EXPECT_EQ(headers,
              (std::vector<std::string>{
                  "##### Usable CH Group Setup #####", "##### Common Setup #####",
                  "##### DSC Setup (Basic Setup) #####", "##### DSC Setup (Advanced Setup) #####",
                  "##### DSC Setup (Display Setup) #####", "##### ATIS Setup (Common) #####"}));
}

TEST_F(PrintLayoutTest, PrintedLabelsAndPositions) {
    ws.Model.DscBasic.Group = {kOn, kOff, kOn, kOff};
    ws.Model.DscBasic.PosRequest = {kOff, kOff, kOn, kOff};
    ws.Model.DscBasic.PosRequestTx = {kOff, kOff, kOn, kOff};
    const auto pages = LayOutPrintedReport(ws, 1000);
    for (const char* label : {"[TIme Setup]", "Status name", "Received Geographic:"}) {
        EXPECT_NE(FindLine(pages, label), nullptr) << label;
    }
    for (const char* label : {"[Time Setup]", "Status Name", "Received Geografic:"}) {
        EXPECT_EQ(FindLine(pages, label), nullptr) << label;
    }

    // DSC Basic values at 50 and 80 mm, others at the settings columns; all past the margin.
    const PrintLine* request = FindLine(pages, "POS Request:");
    ASSERT_NE(request, nullptr);
    ASSERT_EQ(request->size(), 3u);
    EXPECT_EQ((*request)[0].Mm, kPrintLeftMarginMm);
    EXPECT_EQ((*request)[1].Mm, kPrintLeftMarginMm + 50);
    EXPECT_EQ((*request)[2].Mm, kPrintLeftMarginMm + 80);
    EXPECT_EQ((*request)[1].Text, "On");

    const PrintLine* scan = FindLine(pages, "SCAN:");
    ASSERT_NE(scan, nullptr);
    ASSERT_EQ(scan->size(), 2u);
    EXPECT_GT((*scan)[1].Mm, kPrintLeftMarginMm + 50);

    // Table cells stand under their column titles, without the blanks that pad them.
    const PrintLine* title = FindLine(pages, "CH");
    ASSERT_NE(title, nullptr);
    const PrintLine* first = FindLine(pages, "01");
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(title->size(), 9u);
    ASSERT_LE(first->size(), title->size());
    for (size_t c = 0; c < first->size(); ++c) {
        EXPECT_EQ((*first)[c].Text.back() != ' ', true);
        const bool underATitle = std::any_of(title->begin(), title->end(), [&](const PrintItem& t) {
            return t.Mm == (*first)[c].Mm;
        });
        EXPECT_TRUE(underATitle) << (*first)[c].Text;
    }
}

TEST_F(PrintLayoutTest, ALongTableGoesOnWithItsTitlesAndNoPageOverflows) {
    const int linesPerPage = 20;
    const auto pages = LayOutPrintedReport(ws, linesPerPage);
    std::vector<std::string> expRows;
    size_t expPages = 0;
    for (const PrintPage& page : pages) {
        ASSERT_LE(page.Lines.size(), static_cast<size_t>(linesPerPage));
        EXPECT_EQ(Texts(page.Lines[0]), "NR6120 Clonewise Setup System");
        EXPECT_FALSE(page.Lines[2].empty()) << "a page does not start with an empty line";
        if (Texts(page.Lines[2]) != "##### Programable EXP Channel #####") {
            continue;
        }
        ++expPages;
        EXPECT_EQ(page.Lines[3].front().Text, "CH");
        EXPECT_EQ(page.Lines[4].front().Text, "--");
        for (size_t i = 5; i < page.Lines.size(); ++i) {
            expRows.push_back(page.Lines[i].front().Text);
        }
    }
    EXPECT_EQ(expPages, 3u);  // 40 channels, 15 a page below the header and the titles
    ASSERT_EQ(expRows.size(), 40u);
    for (size_t i = 0; i < expRows.size(); ++i) {
        EXPECT_EQ(expRows[i], std::to_string(i + 1));
    }
}

TEST_F(PrintLayoutTest, APlanWithNoEnabledChannelPrintsItsTitlesOnly) {
    for (ChannelRec& ch : ws.Model.Canada) {
        ch.Enable = 0;
    }
    ws.AtisEnabled = false;
    const auto pages = LayOutPrintedReport(ws, 1000);
    ASSERT_EQ(pages.size(), 8u);
    EXPECT_EQ(FindLine(pages, "##### ATIS Setup (Common) #####"), nullptr);
    const auto& canada = pages[3].Lines;
    ASSERT_EQ(canada.size(), 5u);
    EXPECT_EQ(Texts(canada[2]), "##### Programable Canada Channel #####");
    EXPECT_EQ(canada[3].front().Text, "CH");
    EXPECT_EQ(canada[4].front().Text, "---");
}

TEST(PrintPagesTest, TooFewLinesStillPrintsEveryRow) {
    std::vector<ReportRow> rows;
    for (int i = 0; i < 5; ++i) {
        rows.push_back({{{std::to_string(i), 0, 0, ""}}, PageGroup::Settings, false});
    }
    const auto pages = LayOutPages(rows, "H", 1);
    ASSERT_EQ(pages.size(), 5u);
    for (size_t p = 0; p < pages.size(); ++p) {
        ASSERT_EQ(pages[p].Lines.size(), 3u);
        EXPECT_EQ(Texts(pages[p].Lines[2]), std::to_string(p));
    }
}

}  // namespace
}  // namespace tq530
