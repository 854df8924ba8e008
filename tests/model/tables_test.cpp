// The channel number table, the built-in plans and the start-up data set.
#include <gtest/gtest.h>

#include "core/workspace.h"
#include "model/builtin_tables.h"
#include "model/channel_number_table.h"
#include "model/image_codec.h"

namespace tq530 {
namespace {

TEST(ChannelNumbers, PairsOfChannelAndItsATwin) {
    const ChannelNumberTable& t = Channels();
    EXPECT_EQ(t[0].Name, "01");
    EXPECT_EQ(t[1].Name, "01A");
    EXPECT_DOUBLE_EQ(t[0].TxFreq, 156.050);
    EXPECT_DOUBLE_EQ(t[0].DuplexRxFreq, 160.650);
    EXPECT_TRUE(t[0].HasDuplex);
    EXPECT_FALSE(t[1].HasDuplex);
    EXPECT_EQ(t[1].DuplexRxFreq, 0.0);
    EXPECT_EQ(t[55].Name, "28A");
    EXPECT_NEAR(t[55].RxFreq, 157.400, 1e-9);
    EXPECT_EQ(t[56].Name, "60");
    EXPECT_DOUBLE_EQ(t[56].TxFreq, 156.025);
    EXPECT_EQ(t[113].Name, "88A");
    EXPECT_NEAR(t[113].TxFreq, 157.425, 1e-9);
    EXPECT_EQ(t[30].Name, "16");
    EXPECT_NEAR(t[30].TxFreq, 156.800, 1e-9);
}

// The image holds every other attribute and tag of the built-in plans.
TEST(BuiltInPlans, ReceiveOnlyChannels) {
    Workspace ws;
    NewData(ws);
    const SettingsModel& m = ws.Model;
    ASSERT_EQ(m.Usa.size(), 114u);
    for (const int rx : {28, 76}) {
        EXPECT_EQ(m.Usa[rx].Enable, kOn) << rx;
        EXPECT_EQ(m.Usa[rx].TxEnable, kOff) << rx;
        EXPECT_EQ(m.Usa[rx].DuplexAllowed, kOff) << rx;
        EXPECT_EQ(m.Usa[rx].RxOnly, kOn) << rx;
    }
}

TEST(BuiltInPlans, WeatherChannels) {
    Workspace ws;
    NewData(ws);
    ASSERT_EQ(ws.Model.Wx.size(), 10u);
    const ChannelRec& wx1 = ws.Model.Wx[0];
    EXPECT_EQ(wx1.Position, 1);
    EXPECT_EQ(wx1.ChTag, "WX01[162.550MHz]");
    EXPECT_EQ(wx1.Enable, kOn);
    EXPECT_EQ(wx1.LowPower, kOn);
    EXPECT_EQ(wx1.DispayA, kOn);
    EXPECT_EQ(wx1.DuplexAllowed, kOff);
    EXPECT_EQ(ws.Model.Wx[9].ChTag, "WX10[163.275MHz]");
    EXPECT_DOUBLE_EQ(WeatherChannels()[7].RxFreq, 161.650);
}

TEST(StartUpData, OtherModelTypesKeepTheImage) {
    Workspace ws;
    ws.SetModelType(3);
    EXPECT_EQ(ws.ModelName, "Unknown model");
    EXPECT_EQ(ws.TitleText, "PC Program for Unknown model");
    ws.Image.Bytes.fill(0x5A);
    BuildDefaultImage(ws.Image, 3);
    EXPECT_EQ(ws.Image[0], 0x5A);
    ws.SetModelType(11);
    EXPECT_EQ(ws.ModelName, "NR6120M");
}

TEST(StartUpData, NewDataThrowsEditsAway) {
    Workspace ws;
    NewData(ws);
    ws.Model.Usa[0].Enable = kOn;
    ws.Model.MemoryIds[0] = {kOn, "X", "1", {}};
    ws.CurrentFileName = "/tmp/x.dat";
    ws.Image.ImageEnd = 0;
    NewData(ws);
    EXPECT_EQ(ws.Image.ImageEnd, 8191);
    EXPECT_EQ(ws.Model.Usa[0].Enable, kOff);
    EXPECT_EQ(ws.Model.MemoryIds[0].Enable, kOff);
    EXPECT_EQ(ws.CurrentFileName, "");
}

TEST(PlanQueries, FirstEnabledAndEmptyPlans) {
    ChannelPlan plan;
    EXPECT_EQ(FirstEnabledChannel(plan), -1);
    BuildPlan(plan);
    EXPECT_EQ(FirstEnabledChannel(plan), -1);
    plan[37].Enable = 1;
    EXPECT_EQ(FirstEnabledChannel(plan), 37);
    SettingsModel m;
    EXPECT_TRUE(PlanHasNoEnabledChannel(m, 3));
    EXPECT_FALSE(PlanHasNoEnabledChannel(m, 4));
    EXPECT_FALSE(PlanHasNoEnabledChannel(m, -1));
}

}  // namespace
}  // namespace tq530
