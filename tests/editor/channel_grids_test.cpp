// The overview grids as data: rows, cells and the key each row jumps to.
#include <gtest/gtest.h>

#include "core/workspace.h"
#include "editor/channel_grids.h"

namespace tq530 {
namespace {

class ChannelGridsTest : public ::testing::Test {
  protected:
    void SetUp() override { NewData(ws); }
    Workspace ws;
};

TEST_F(ChannelGridsTest, PresetGridListsEnabledChannelsOnly) {
    for (ChannelRec& ch : ws.Model.Usa) {
        ch.Enable = kOff;
    }
    EXPECT_TRUE(PresetGrid(ws.Model, PlanId::Usa).Rows.empty());

    ChannelRec& ch16 = ws.Model.Usa[30];
    ch16.Enable = kOn;
    ch16.TxEnable = kOn;
    ch16.LowPower = kOff;
    ch16.Duplex = kOff;
    ch16.ScanMemory = kOn;
    ch16.ChTag = "DISTRESS";
    ch16.RxOnly = kOff;
    ChannelRec& ch01 = ws.Model.Usa[0];
    ch01.Enable = kOn;
    ch01.Duplex = kOn;
    ch01.RxOnly = kOn;
    ch01.ChTag.clear();
    ch01.TxEnable = ch01.LowPower = ch01.PowUp = ch01.ScanMemory = kOff;
    ch16.PowUp = kOff;
    const GridData grid = PresetGrid(ws.Model, PlanId::Usa);
    ASSERT_EQ(grid.Columns.size(), 9u);
    EXPECT_EQ(grid.Columns[1].Header, "RX[MHz]");
    EXPECT_EQ(grid.Columns[8].WidthTwips, 2000);
    ASSERT_EQ(grid.Rows.size(), 2u);
    EXPECT_EQ(grid.Rows[0].Cells, (std::vector<std::string>{"01", "160.650", "---.---", "--", "---",
                                                            "--", "DUP", "---", ""}));
    EXPECT_EQ(grid.Rows[0].JumpKey, "PU 0");
    EXPECT_EQ(grid.Rows[1].Cells, (std::vector<std::string>{"16", "156.800", "156.800", "TX", "---",
                                                            "--", "---", "MEM", "DISTRESS"}));
    EXPECT_EQ(grid.Rows[1].JumpKey, "PU 30");
}

TEST_F(ChannelGridsTest, ExpAndDirectoryGridsListEveryEntry) {
    ChannelRec& e3 = ws.Model.Exp[2];
    e3.Enable = kOn;
    e3.CHDisplayL = "12";
    e3.CHDisplayR = "A";
    e3.Rxfreq = 156.0125;
    e3.Txfreq = 0;
    const GridData exp = ExpGrid(ws.Model);
    ASSERT_EQ(exp.Rows.size(), 40u);
    EXPECT_EQ(exp.Rows[2].Cells[0], "3");
    EXPECT_EQ(exp.Rows[2].Cells[1], "[Enable]");
    EXPECT_EQ(exp.Rows[2].Cells[2], "12A");
    EXPECT_EQ(exp.Rows[2].Cells[3], "156.0125");
    EXPECT_EQ(exp.Rows[2].Cells[4], "---.----");
    EXPECT_EQ(exp.Rows[2].JumpKey, "E 3");

    ws.Model.GroupIds[1].TagName = "FLEET";
    ws.Model.GroupIds[1].Mmsid = "0123456780";
    const GridData groups = DirectoryGrid(ws.Model, true);
    ASSERT_EQ(groups.Rows.size(), 8u);
    EXPECT_EQ(groups.Columns[1].Header, "GROUP NAME");
    EXPECT_EQ(groups.Rows[1].Cells, (std::vector<std::string>{"2", "FLEET", "012345678"}));
    EXPECT_EQ(groups.Rows[0].Cells[2], "---------");
    EXPECT_EQ(groups.Rows[7].JumpKey, "SG 8");
    const GridData memory = DirectoryGrid(ws.Model, false);
    EXPECT_EQ(memory.Rows.size(), 24u);
    EXPECT_EQ(memory.Columns[1].Header, "STATION NAME");
    EXPECT_EQ(memory.Rows[23].JumpKey, "SM 24");
}

TEST_F(ChannelGridsTest, JumpKeyOfACell) {
    EXPECT_EQ(PresetJumpKey(PlanId::Canada, "16A"), "PC 31");
    EXPECT_EQ(PresetJumpKey(PlanId::International, "88A"), "PI 113");
    EXPECT_EQ(PresetJumpKey(PlanId::Usa, "CH"), "");
}

}  // namespace
}  // namespace tq530
