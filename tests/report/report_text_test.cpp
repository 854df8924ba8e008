#include "report/report_text.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/recording_host.h"
#include "support/scratch_dir.h"

namespace tq530 {
namespace {

std::string Blanks(size_t n) {
    return std::string(n, ' ');
}

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
    }
    std::vector<std::string> Lines() const { return BuildReportLines(ws); }
    // The lines from the one equal to first, count of them.
    std::vector<std::string> LinesFrom(const std::string& first, size_t count) const {
        const std::vector<std::string> all = Lines();
        const auto it = std::find(all.begin(), all.end(), first);
        if (it == all.end() || static_cast<size_t>(all.end() - it) < count) {
            return {};
        }
        return std::vector<std::string>(it, it + static_cast<std::ptrdiff_t>(count));
    }

    Workspace ws;
};

TEST_F(ReportTextTest, UsableGroupAndCommonSections) {
    const std::vector<std::string> expected = {
        "",
        "##### Usable CH Group Setup #####",
        Blanks(35) + "Group1" + Blanks(12) + "Group2" + Blanks(12) + "Group3" + Blanks(12) +
            "EXP CH" + Blanks(12),
        "Enable" + Blanks(29) + "On" + Blanks(16) + "Off" + Blanks(15) + "Off" + Blanks(15) + "On" +
            Blanks(16),
        "Priority CH" + Blanks(24) + "09" + Blanks(16) + "EXP1" + Blanks(14) + "Off" + Blanks(15),
        "Status Name" + Blanks(24) + "USA" + Blanks(15) + "----" + Blanks(14) + "----" +
            Blanks(14) + "EXP" + Blanks(15),
        "",
        "##### Common Setup #####",
        "[Starting TX Mode]",
        "TX Po Display:" + Blanks(21) + "Lo Po on Changing CH" + Blanks(15),
        "",
        "[Scanning Function]",
        "SCAN:" + Blanks(30) + "On" + Blanks(16),
        "Resume Time:" + Blanks(23) + "2Sec" + Blanks(14),
        "PTT SCAN Clear:" + Blanks(20) + "Off" + Blanks(15),
        "Dual Watch:" + Blanks(24) + "On" + Blanks(16),
        "",
        "[Time Setup]",
        "Time Display:" + Blanks(22) + "UTC" + Blanks(15),
        "Offset Time:" + Blanks(23) + "+5:30" + Blanks(13),
        "",
        "[Weather CH Function]",
        "Weather Alert:" + Blanks(21) + "WX and SCAN" + Blanks(7),
    };
    const std::vector<std::string> lines = Lines();
    ASSERT_GE(lines.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(lines[i], expected[i]) << "line " << i;
    }
}

TEST_F(ReportTextTest, DscBasicSection) {
    const std::vector<std::string> expected = {
        "##### DSC Setup (Basic Setup) #####",
        "[Usable DSC CH Group]",
        "USA:" + Blanks(31) + "On" + Blanks(18),
        "    :" + Blanks(30) + "Off" + Blanks(17),
        ":" + Blanks(34) + "On" + Blanks(18),
        "User MMSI:" + Blanks(25) + "3669990010" + Blanks(2) + "----- Count : 3",
        "Distress Cancel Call:" + Blanks(14) + "On" + Blanks(16),
        "POS Request:" + Blanks(23) + "On" + Blanks(16) + "Hi" + Blanks(16),
        "POS Reporting:" + Blanks(21) + "Off" + Blanks(15) + "Low" + Blanks(15),
        "",
        "[DSC Beep Output]",
        "Send Distress Alert:" + Blanks(15) + "On" + Blanks(16),
        "Received All Ships:" + Blanks(16) + "Off" + Blanks(15),
        "Received Individual:" + Blanks(15) + "On" + Blanks(16),
        "Received Group:" + Blanks(20) + "Off" + Blanks(15),
        "Received Geografic:" + Blanks(16) + "On" + Blanks(16),
        "Received POS Request:" + Blanks(14) + "Off" + Blanks(15),
        "Received POS Reporting:" + Blanks(12) + "On" + Blanks(16),
        "",
        "##### DSC Setup (Advanced Setup) #####",
        "[All Ships Call]",
    };
    EXPECT_EQ(LinesFrom(expected[0], expected.size()), expected);
}

TEST_F(ReportTextTest, AdvancedDisplayAndAtisSections) {
    ws.Model.DscAdvanced.GroupCall = {kOff, kOff, kOn, kOff};
    ws.Model.DscAdvanced.GroupCallTx = {kOff, kOff, kOn, kOn};
    ws.Model.DscDisplay = {kOff, kOn, kOff};
    ws.Model.Atis.UsableAtisGroup = {kOn, kOff, kOn, kOff};
    ws.Model.Atis.AtisCode = "9211234567";
    const std::vector<std::string> group = {
        "",
        "[Group Call]",
        "Distress:" + Blanks(26) + "Off" + Blanks(15) + "Low" + Blanks(15),
        "Urgency:" + Blanks(27) + "Off" + Blanks(15) + "Low" + Blanks(15),
        "Safty:" + Blanks(29) + "On" + Blanks(16) + "Hi" + Blanks(16),
        "Routine:" + Blanks(27) + "Off" + Blanks(15) + "Hi" + Blanks(16),
        "",
        "[Individual Call]",
    };
    const std::vector<std::string> lines = Lines();
    const auto at = std::find(lines.begin(), lines.end(), "[Group Call]");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(std::vector<std::string>(at - 1, at + 7), group);

    const std::vector<std::string> displayAndAtis = {
        "##### DSC Setup (Display Setup) #####",
        "Individual ACK Menu:" + Blanks(15) + "Off" + Blanks(15),
        "Individual ACK Message Menu:" + Blanks(7) + "On" + Blanks(16),
        "POS Request ACK Menu:" + Blanks(14) + "Off" + Blanks(15),
        "",
        "##### ATIS Setup (Common) #####",
        Blanks(35) + "USA" + Blanks(15) + Blanks(18) + Blanks(18) + "EXP" + Blanks(15),
        "Usable ATIS CH Group:" + Blanks(14) + "On" + Blanks(16) + "Off" + Blanks(15) + "On" +
            Blanks(16) + "Off" + Blanks(15),
        "ATIS Code:" + Blanks(25) + "9211234567" + Blanks(8),
        "",
        "##### Programable USA Channel #####",
    };
    EXPECT_EQ(LinesFrom(displayAndAtis[0], displayAndAtis.size()), displayAndAtis);

    ws.AtisEnabled = false;
    const std::vector<std::string> noAtis = Lines();
    EXPECT_EQ(std::find(noAtis.begin(), noAtis.end(), "##### ATIS Setup (Common) #####"),
              noAtis.end());
}

TEST_F(ReportTextTest, PresetPlansListOnlyEnabledChannels) {
    ChannelRec& duplex = ws.Model.Usa[2];  // channel "02"
    duplex.Enable = kOn;
    duplex.Duplex = kOn;
    duplex.TxEnable = kOn;
    duplex.LowPower = kOn;
    duplex.PowUp = kOff;
    duplex.ScanMemory = kOn;
    duplex.ChTag = "TAG";
    ChannelRec& rxOnly = ws.Model.Usa[3];  // channel "02A"
    rxOnly.Enable = kOn;
    rxOnly.Duplex = kOff;
    rxOnly.RxOnly = kOn;
    rxOnly.TxEnable = kOff;
    rxOnly.LowPower = kOff;
    rxOnly.PowUp = kOn;
    rxOnly.ScanMemory = kOff;
    rxOnly.ChTag = "A NAME LONGER THAN TWELVE";
    const std::vector<std::string> expected = {
        "##### Programable USA Channel #####",
        "CH   RX(MHz)  TX(MHz)  TX  LOW  UP  DUP  MEM  CH Name",
        "---  -------  -------  --  ---  --  ---  ---  ------------",
        "02   160.700  156.100  TX  LOW  --  DUP  MEM  TAG" + Blanks(9),
        "02A  156.100  ---.---  --  ---  UP  ---  ---  A NAME LONGE",
        "",
        "##### Programable International Channel #####",
        "CH   RX(MHz)  TX(MHz)  TX  LOW  UP  DUP  MEM  CH Name",
        "---  -------  -------  --  ---  --  ---  ---  ------------",
        "",
        "##### Programable Canada Channel #####",
    };
    EXPECT_EQ(LinesFrom(expected[0], expected.size()), expected);
}

TEST_F(ReportTextTest, WxDirectoryAndExpLines) {
    ws.Model.Wx[0].Enable = kOn;
    ws.Model.Wx[0].ScanMemory = kOff;
    ws.Model.Wx[0].ChTag = "WX01[162.550MHz]";
    ws.Model.MemoryIds[0].TagName = "";
    ws.Model.MemoryIds[0].Mmsid = "";
    ws.Model.MemoryIds[1].TagName = "HARBOUR MASTER";
    ws.Model.MemoryIds[1].Mmsid = "2441234560";
    ChannelRec& exp = ws.Model.Exp[0];
    exp.CHDisplayL = "7";
    exp.CHDisplayR = "AB";
    exp.Enable = kOn;
    exp.Rxfreq = 156.0126;
    exp.Txfreq = 0.0;
    exp.LowPower = kOff;
    exp.PowUp = kOn;
    exp.ScanMemory = kOff;
    exp.ChTag = "";

    const std::vector<std::string> wx = {
        "##### Programable Wx Channel #####",
        "CH  ENABLE  MEM  CH Name",
        "--  ------  ---  ------------",
        "1   ENABLE  ---  WX01[162.550",
    };
    EXPECT_EQ(LinesFrom(wx[0], wx.size()), wx);
    const std::vector<std::string> memoryIds = {
        "##### Memory ID Setting #####", "No.  Station Name  MMSI",
        "---  ------------  ---------",  "1    ------------  ---------",
        "2    HARBOUR MAST  244123456",
    };
    EXPECT_EQ(LinesFrom(memoryIds[0], memoryIds.size()), memoryIds);
    const std::vector<std::string> groupIds = {
        "##### Group ID Setting #####",
        "No.  Group Name    MMSI",
        "---  ------------  ---------",
    };
    EXPECT_EQ(LinesFrom(groupIds[0], groupIds.size()), groupIds);
    const std::vector<std::string> exps = {
        "##### Programable Exp Channel #####",
        "CH  CHD  ENABLE  RX(MHz)   TX(MHz)   LOW  UP  MEM  CH Name",
        "--  ---  ------  --------  --------  ---  --  ---  ------------",
        "1   7 B  ENABLE  156.0100  ---.----  ---  UP  ---  ------------",
    };
    EXPECT_EQ(LinesFrom(exps[0], exps.size()), exps);

    const std::vector<std::string> lines = Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), ""), 13 + 6);  // sections and groups
    EXPECT_EQ(lines.back().substr(0, 4), "40  ");
    const size_t wxLines =
        static_cast<size_t>(std::find(lines.begin(), lines.end(), "##### Memory ID Setting #####") -
                            std::find(lines.begin(), lines.end(), wx[0]));
    EXPECT_EQ(wxLines, 3u + 10u + 1u);
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
