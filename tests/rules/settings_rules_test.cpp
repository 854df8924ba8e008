// The rules of the usable-group, common, DSC and ATIS screens: list contents and their
// values, the digit-box checks and the enable rules.
#include <gtest/gtest.h>

#include "core/workspace.h"
#include "rules/settings_rules.h"

namespace tq530 {
namespace {

std::vector<std::string> Texts(const ChoiceItems& items) {
    std::vector<std::string> texts;
    for (const ChoiceItem& item : items) {
        texts.push_back(item.Text);
    }
    return texts;
}

TEST(SettingsRulesTest, FixedListsStoreTheirIndex) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Texts(FixedItems(FixedList::OffOn)), (V{"Off", "On"}));
    EXPECT_EQ(Texts(FixedItems(FixedList::LowHi)), (V{"Low", "Hi"}));
    EXPECT_EQ(Texts(FixedItems(FixedList::TxPoDisplay)),
              (V{"Lo Po Only", "Lo Po on Changing CH", "Last TX Po"}));
    EXPECT_EQ(Texts(FixedItems(FixedList::ResumeTime)),
              (V{"Off", "1Sec", "2Sec", "3Sec", "4Sec", "5Sec"}));
    EXPECT_EQ(Texts(FixedItems(FixedList::TimeDisplay)), (V{"UTC", "Local"}));
    EXPECT_EQ(Texts(FixedItems(FixedList::WeatherAlert)),
              (V{"Off", "On Wx", "On Scan", "Wx and Scan"}));
    EXPECT_EQ(Texts(FixedItems(FixedList::SelectCall)), (V{"Individual", "Group", "Multi-St"}));
    const ChoiceItems interval = FixedItems(FixedList::Interval);
    ASSERT_EQ(interval.size(), 15u);
    EXPECT_EQ(interval.front().Text, "OFF");
    EXPECT_EQ(interval[3].Text, "1 min");
    EXPECT_EQ(interval.back().Text, "50 min");
    for (const FixedList list : {FixedList::OffOn, FixedList::WeatherAlert, FixedList::Interval}) {
        const ChoiceItems items = FixedItems(list);
        for (size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i].Value, static_cast<int>(i));
        }
    }
}

TEST(SettingsRulesTest, FlagsShowOnForAnyNonzeroValueAndStoreMinusOne) {
    EXPECT_EQ(FlagIndex(kOff), 0);
    EXPECT_EQ(FlagIndex(kOn), 1);
    EXPECT_EQ(FlagIndex(1), 1);
    EXPECT_EQ(FlagOfIndex(1), kOn);
    EXPECT_EQ(FlagOfIndex(0), kOff);
    EXPECT_EQ(FlagOfIndex(-1), kOff);
}

TEST(SettingsRulesTest, OffsetListRunsInHalfHoursFromMinusTwelveToPlusTwelve) {
    const ChoiceItems items = OffsetTimeItems();
    ASSERT_EQ(items.size(), 49u);
    EXPECT_EQ(items.front(), (ChoiceItem{"-12:00", -24}));
    EXPECT_EQ(items[1], (ChoiceItem{"-11:30", -23}));
    EXPECT_EQ(items[24], (ChoiceItem{" 0", 0}));
    EXPECT_EQ(items[25], (ChoiceItem{"+0:30", 1}));
    EXPECT_EQ(items.back(), (ChoiceItem{"+12:00", 24}));
    EXPECT_EQ(IndexOfValue(items, 11), 35);
    EXPECT_EQ(IndexOfValue(items, 25), -1);
}

class ChannelListsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        NewData(ws);
        for (ChannelPlan* plan : {&ws.Model.Usa, &ws.Model.International, &ws.Model.Exp}) {
            for (ChannelRec& ch : *plan) {
                ch.Enable = kOff;
            }
        }
    }
    Workspace ws;
};

TEST_F(ChannelListsTest, PriorityListHoldsTheEnabledChannelsOfItsPlanByPosition) {
    ws.Model.International[30].Enable = kOn;  // "16"
    ws.Model.International[1].Enable = kOn;   // "01A"
    ws.Model.Usa[5].Enable = kOn;
    const ChoiceItems items = PriorityChannelItems(ws.Model, 1);
    EXPECT_EQ(items, (ChoiceItems{{"01A", 1}, {"16", 30}}));
    EXPECT_TRUE(PriorityChannelItems(ws.Model, 3).empty());  // the EXP row has no list
}

TEST_F(ChannelListsTest, AutoPosChannelsAreUsaThenExpValuedFrom160) {
    ws.Model.Usa[30].Enable = kOn;
    ws.Model.Exp[0].Enable = kOn;
    ws.Model.Exp[0].CHDisplayL = "12";
    ws.Model.Exp[0].CHDisplayR = "A";
    ws.Model.Exp[39].Enable = kOn;
    ws.Model.Exp[39].CHDisplayL = "99";
    ws.Model.International[2].Enable = kOn;  // not the USA plan: not offered
    EXPECT_EQ(AutoPosChannelItems(ws.Model), (ChoiceItems{{"16", 30}, {"12A", 160}, {"99", 199}}));
}

TEST_F(ChannelListsTest, DirectoryNamesStopAtTheFirstEntryWithoutAName) {
    ws.Model.MemoryIds[0].TagName = "HARBOUR";
    ws.Model.MemoryIds[1].TagName = "PILOT";
    ws.Model.MemoryIds[1].Mmsid = "2111234560";
    ws.Model.MemoryIds[3].TagName = "BEHIND A GAP";
    ws.Model.GroupIds[0].TagName = "FLEET";
    ws.Model.GroupIds[0].Mmsid = "0211123450";
    EXPECT_EQ(DirectoryNameItems(ws.Model, 0), (ChoiceItems{{"HARBOUR", 0}, {"PILOT", 1}}));
    EXPECT_EQ(DirectoryNameItems(ws.Model, 2), DirectoryNameItems(ws.Model, 0));
    EXPECT_EQ(DirectoryNameItems(ws.Model, kSelectCallGroup), (ChoiceItems{{"FLEET", 0}}));
    EXPECT_EQ(DirectoryMmsi(ws.Model, 0, 1), "2111234560");
    EXPECT_EQ(DirectoryMmsi(ws.Model, kSelectCallGroup, 0), "0211123450");
    EXPECT_EQ(DirectoryMmsi(ws.Model, kSelectCallGroup, 8), "");
    EXPECT_EQ(DirectoryMmsi(ws.Model, 0, -1), "");
}

TEST(SettingsRulesTest, DigitBoxChecksAcceptEmptyOrTheirExactLength) {
    const RuleField user = RuleField::UserMmsi;
    EXPECT_EQ(CheckMmsi(user, "").Stored(), "");
    EXPECT_EQ(CheckMmsi(user, "211123456").Stored(), "2111234560");
    EXPECT_FALSE(CheckMmsi(user, "21112345"));
    EXPECT_FALSE(CheckMmsi(user, "2111234560"));
    EXPECT_FALSE(CheckMmsi(user, "21112345x"));
    EXPECT_EQ(CheckAtisCode("").Stored(), "");
    EXPECT_EQ(CheckAtisCode("9211123456").Stored(), "9211123456");
    EXPECT_FALSE(CheckAtisCode("921112345"));
    EXPECT_FALSE(CheckAtisCode("92111234567"));
}

TEST(SettingsRulesTest, MmsiBoxesShowTheDigitsWithoutWhatTheStoreAdded) {
    EXPECT_EQ(MmsiBoxText("2111234560"), "211123456");
    EXPECT_EQ(MmsiBoxText("0211123450", true), "21112345");
    EXPECT_EQ(MmsiBoxText(""), "");
    // Anything else is shown as it was stored.
    EXPECT_EQ(MmsiBoxText("2111234561"), "2111234561");
    EXPECT_EQ(MmsiBoxText("12345"), "12345");
    EXPECT_EQ(MmsiBoxText("2111234560", true), "2111234560");
}

TEST(SettingsRulesTest, StatusNamesAreCutToFourAndBlanksStoreNothing) {
    EXPECT_EQ(StatusNameToStore("HARBOR"), "HARB");
    EXPECT_EQ(StatusNameToStore("    "), "");
    EXPECT_EQ(StatusNameToStore(""), "");
    EXPECT_EQ(StatusNameToStore(" A "), " A ");
}

TEST(SettingsRulesTest, CaptionsAndEnableRules) {
    EXPECT_EQ(UsableGroupCaption(0), "Group1");
    EXPECT_EQ(UsableGroupCaption(3), "EXP CH Group");
    EXPECT_EQ(AtisGroupCaption(2, "CAN"), "Group3[CAN]");
    EXPECT_EQ(AtisGroupCaption(3, ""), "EXP CH Group");
    EXPECT_TRUE(DependentEnabled(1));
    EXPECT_FALSE(DependentEnabled(0));
    EXPECT_FALSE(DependentEnabled(-1));
    EXPECT_FALSE(AutoPosEnableRules(false, kOn).Fields);
    EXPECT_FALSE(AutoPosEnableRules(false, kOn).Mmsi);
    EXPECT_TRUE(AutoPosEnableRules(true, kOff).Fields);
    EXPECT_FALSE(AutoPosEnableRules(true, kOff).Mmsi);
    EXPECT_TRUE(AutoPosEnableRules(true, 1).Mmsi);
    SettingsModel m;
    EXPECT_FALSE(AnyGroupUsable(m));
    m.UsableGroups[3].Usable = kOn;
    EXPECT_TRUE(AnyGroupUsable(m));
}

}  // namespace
}  // namespace tq530
