#include "report/report_text.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/recording_host.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

class ReportTextTest : public ::testing::Test {
  protected:
    ReportTextTest() {
        ws.SetModelType(1);
        ws.AtisEnabled = true;
        NewData(ws);
        SettingsModel& m = ws.Model;
        m.UsableGroups[0] = {kOn, 16, "USA"};
        m.UsableGroups[1] = {kOff, 240, "    "};
        m.UsableGroups[2] = {kOff, -1, ""};
        m.UsableGroups[3] = {kOn, 0, "EXP"};
        m.Common = {};
        m.Common.TxPoDisplay = 1;
        m.Common.Scan = kOn;
        m.Common.ResumeTime = 2;
        m.Common.DualWatch = kOn;
        m.Common.OffsetTime = 11;
        m.Common.Weather = 3;
        m.DscBasic.Group = {kOn, kOff, kOn, kOff};
        m.DscBasic.UserMmsi = "3669990010";
        m.DscBasic.PosRequest = {kOn, kOff, kOn, kOff};
        m.DscBasic.PosRequestTx = {kOff, kOff, kOn, kOff};
        m.DscBasic.BeepOut = {kOn, kOff, kOn, kOff, kOn, kOff, kOn, kOff};
        ws.Image[327] = 3;
        for (ChannelPlan* plan : {&m.Usa, &m.International, &m.Canada}) {
            for (ChannelRec& ch : *plan) {
                ch.Enable = kOff;
            }
        }
        m.DscAdvanced.GroupCall = {kOff, kOff, kOn, kOff};
        m.DscAdvanced.GroupCallTx = {kOff, kOff, kOn, kOn};
        m.DscDisplay = {kOff, kOn, kOff};
        m.Atis.UsableAtisGroup = {kOn, kOff, kOn, kOff};
        m.Atis.AtisCode = "9211234567";
        ChannelRec& duplex = m.Usa[2];  // channel "02"
        duplex.Enable = kOn;
        duplex.Duplex = kOn;
        duplex.TxEnable = kOn;
        duplex.LowPower = kOn;
        duplex.PowUp = kOff;
        duplex.ScanMemory = kOn;
        duplex.ChTag = "TAG";
        ChannelRec& rxOnly = m.Usa[3];  // channel "02A"
        rxOnly.Enable = kOn;
        rxOnly.Duplex = kOff;
        rxOnly.RxOnly = kOn;
        rxOnly.TxEnable = kOff;
        rxOnly.LowPower = kOff;
        rxOnly.PowUp = kOn;
        rxOnly.ScanMemory = kOff;
        rxOnly.ChTag = "A NAME LONGER THAN TWELVE";
        m.Wx[0].Enable = kOn;
        m.Wx[0].ScanMemory = kOff;
        m.Wx[0].ChTag = "WX01[162.550MHz]";
        m.MemoryIds[0].TagName = "";
        m.MemoryIds[0].Mmsid = "";
        m.MemoryIds[1].TagName = "HARBOUR MASTER";
        m.MemoryIds[1].Mmsid = "2441234560";
        ChannelRec& exp = m.Exp[0];
        exp.CHDisplayL = "7";
        exp.CHDisplayR = "AB";
        exp.Enable = kOn;
        exp.Rxfreq = 156.0126;
        exp.Txfreq = 0.0;
        exp.LowPower = kOff;
        exp.PowUp = kOn;
        exp.ScanMemory = kOff;
        exp.ChTag = "";
    }
    std::vector<std::string> Lines() const { return BuildReportLines(ws); }
    Workspace ws;
};

// Every section, column and width of the report against the one the program made once and
// keeps as data (tests/data/golden/report.txt, a line per line of the report).
TEST_F(ReportTextTest, EveryLineAsTheGoldenReport) {
    const std::string golden = testing::ReadFile(TQ530_TEST_DATA_DIR "/golden/report.txt");
    std::vector<std::string> expected;
    for (size_t start = 0, end; (end = golden.find('\n', start)) != std::string::npos;
         start = end + 1) {
        expected.push_back(golden.substr(start, end - start));
    }
    const std::vector<std::string> lines = Lines();
    ASSERT_GT(expected.size(), 100u);
    for (size_t i = 0; i < std::min(lines.size(), expected.size()); ++i) {
        ASSERT_EQ(lines[i], expected[i]) << "line " << i + 1;
    }
    EXPECT_EQ(lines.size(), expected.size());

    ws.AtisEnabled = false;
    const std::vector<std::string> noAtis = Lines();
    EXPECT_EQ(std::find(noAtis.begin(), noAtis.end(), "##### ATIS Setup (Common) #####"),
              noAtis.end());
}

// A table's titles are cut into cells at its columns, so that the printout places each title
// over its column: every cell starts with a title (or its rule), never inside one or in a gap.
TEST_F(ReportTextTest, TableTitlesAreCutAtTheirColumns) {
    int titles = 0;
    for (const ReportRow& row : BuildReportRows(ws)) {
        if (!row.Heading || row.Cells.size() < 2) {
            continue;
        }
        ++titles;
        for (const ReportCell& cell : row.Cells) {
            ASSERT_FALSE(cell.Text.empty());
            EXPECT_NE(cell.Text.front(), ' ') << "a cell of \"" << row.Cells[0].Text << "...\"";
            const std::string text = cell.Text.substr(0, cell.Text.find_last_not_of(' ') + 1);
            EXPECT_EQ(text.find("  "), std::string::npos) << "two columns in one cell: " << text;
        }
    }
    EXPECT_EQ(titles, 2 * 7);  // three preset plans, weather, two directories, EXP
}

TEST_F(ReportTextTest, TextJoinsLinesWithCrLfAndTheFileAddsOne) {
    const std::string text = BuildReportText(ws);
    EXPECT_EQ(text.substr(0, 37), "\r\n##### Usable CH Group Setup #####\r\n");
    EXPECT_NE(text.substr(text.size() - 2), "\r\n");

    testing::ScratchDir dir;
    testing::RecordingHost host;
    ASSERT_TRUE(SaveReportText(ws, host, text, dir.File("report.txt")));
    EXPECT_EQ(testing::ReadFile(dir.File("report.txt")), text + "\r\n");
    EXPECT_FALSE(SaveReportText(ws, host, text, dir.File("missing/report.txt")));
    EXPECT_EQ(host.Last(), "No such file or directory|" + ws.TitleText);
    // The message is the system's text alone; the reason line names the file.
    EXPECT_EQ(host.Reasons, std::vector<std::string>{dir.File("missing/report.txt") +
                                                     ": No such file or directory"});
    EXPECT_TRUE(ws.CommError);
    EXPECT_TRUE(ws.CancelRequested);
}

}  // namespace
}  // namespace tq530
