// Comparing two data sets: one line per differing setting, by the report's labels and texts,
// each with the screen that edits it.
#include "editor/settings_diff.h"

#include <gtest/gtest.h>

#include "core/workspace.h"
#include "editor/screen_tree.h"
#include "model/display_texts.h"
#include "report/report_text.h"

namespace tq530 {
namespace {

class SettingsDiffTest : public ::testing::Test {
  protected:
    void SetUp() override {
        NewData(ws);
        a = ws.Model;
    }
    std::vector<std::string> Lines(const SettingsModel& b) const {
        std::vector<std::string> lines;
        for (const SettingDifference& d : CompareSettings(a, b)) {
            lines.push_back(DifferenceLine(d));
        }
        return lines;
    }
    Workspace ws;
    SettingsModel a;
};

TEST_F(SettingsDiffTest, EachChangedSettingIsOneLineWithItsScreen) {
    ws.Model.Usa[30].ChTag = "CH16";
    a = ws.Model;
    SettingsModel b = a;
    EXPECT_TRUE(CompareSettings(a, b).empty());
    b.Usa[30].ChTag = "HARBOUR";
    b.Common.ResumeTime = static_cast<int16_t>(a.Common.ResumeTime == 2 ? 3 : 2);
    b.MemoryIds[0] = {kOn, "HOME", "2110000010", {}};
    const std::vector<SettingDifference> diff = CompareSettings(a, b);
    ASSERT_EQ(diff.size(), 5u);  // the entry's Enable, name and MMSI are three settings
    std::vector<std::string> lines;
    for (const SettingDifference& d : diff) {
        lines.push_back(DifferenceLine(d));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Resume Time: " + ResumeTimeText(a.Common.ResumeTime) + " -> " +
                             ResumeTimeText(b.Common.ResumeTime),
                         "USA CH 16 Name: CH16 -> HARBOUR",
                         "Memory ID 1 Enable: Off -> On",
                         "Memory ID 1 Station Name: ------------ -> HOME",
                         "Memory ID 1 MMSI: --------- -> 211000001",
                     }));
    EXPECT_EQ(diff[0].ScreenKey, "Common");
    EXPECT_EQ(diff[1].ScreenKey, ChannelKey(PlanId::Usa, 30));
    EXPECT_EQ(diff[4].ScreenKey, DirectoryKey(false, 1));
}

TEST_F(SettingsDiffTest, EveryPlanAndScreenIsCovered) {
    SettingsModel b = a;
    b.UsableGroups[1].StatusName = "INTL";
    b.DscAdvanced.GroupCallTx[2] = b.DscAdvanced.GroupCallTx[2] != 0 ? kOff : kOn;
    b.Atis.AtisCode = "1234567890";
    b.Canada[2].ScanMemory = b.Canada[2].ScanMemory != 0 ? kOff : kOn;
    b.Wx[9].ChTag = "WX TEN";
    b.GroupIds[7].TagName = "LAST";
    b.Exp[39].Rxfreq = 150.0;
    b.AutoPos.Polling[1].Interval = 3;
    std::vector<std::string> keys;
    std::vector<std::string> labels;
    for (const SettingDifference& d : CompareSettings(a, b)) {
        keys.push_back(d.ScreenKey);
        labels.push_back(d.Label);
    }
    EXPECT_EQ(labels,
              (std::vector<std::string>{"Group2 Status Name", "Group Call Safty TX",
                                        "Auto POS Report Interval", "ATIS Code", "Canada CH 02 MEM",
                                        "Wx CH 10 Name", "Group ID 8 Group Name", "EXP CH 40 RX"}));
    EXPECT_EQ(keys, (std::vector<std::string>{"Usable", "DSC", "DSC", "ATIS",
                                              ChannelKey(PlanId::Canada, 2), "PW",
                                              DirectoryKey(true, 8), ChannelKey(PlanId::Exp, 40)}));
}

TEST_F(SettingsDiffTest, LabelsAndTextsAreTheReports) {
    SettingsModel b = a;
    b.Common.TxPoDisplay = 2;
    b.Common.TimeDisplay = b.Common.TimeDisplay != 0 ? kOff : kOn;
    b.Common.OffsetTime = 11;
    b.Common.Weather = 3;
    b.DscBasic.BeepOut[4] = b.DscBasic.BeepOut[4] != 0 ? kOff : kOn;
    b.DscDisplay.PosRequestAckMenu = b.DscDisplay.PosRequestAckMenu != 0 ? kOff : kOn;
    ws.AtisEnabled = true;
    ws.Model = b;
    const std::string report = BuildReportText(ws);
    const std::vector<SettingDifference> diff = CompareSettings(a, b);
    ASSERT_EQ(diff.size(), 6u);
    for (const SettingDifference& d : diff) {
        // The report shows the label and the new value on one line.
        const size_t at = report.find(d.Label + ":");
        ASSERT_NE(at, std::string::npos) << d.Label;
        const std::string line = report.substr(at, report.find("\r\n", at) - at);
        EXPECT_NE(line.find(d.After), std::string::npos) << line << " / " << d.After;
    }
    EXPECT_EQ(DifferenceLine(diff[1]),
              "Offset Time: " + OffsetTimeText(a.Common.OffsetTime) + " -> +5:30");
}

TEST_F(SettingsDiffTest, ValuesTheTextsHideAreShownStored) {
    a.MemoryIds[0] = {kOn, "HOME", "2110000010", {}};
    SettingsModel b = a;
    b.MemoryIds[0].Mmsid = "2110000011";  // the grid and report show nine digits only
    EXPECT_EQ(Lines(b), (std::vector<std::string>{"Memory ID 1 MMSI: 2110000010 -> 2110000011"}));
    b = a;
    b.CallSigns[0].Mid = "123";  // no screen shows it
    EXPECT_EQ(Lines(b), (std::vector<std::string>{"Settings that no screen shows differ"}));
}

}  // namespace
}  // namespace tq530
