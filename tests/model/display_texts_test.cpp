// The fixed texts the grids and the report show for setting values.
#include <gtest/gtest.h>

#include "model/display_texts.h"

namespace tq530 {
namespace {

TEST(DisplayTexts, Frequencies) {
    EXPECT_EQ(FreqText(0), "---.---");
    EXPECT_EQ(FreqText(-1), "---.---");
    EXPECT_EQ(FreqText(156.8), "156.800");
    EXPECT_EQ(FreqText(156.05), "156.050");
    EXPECT_EQ(FreqText(8.5), "008.500");
    EXPECT_EQ(FreqTextIf(156.8, true), "---.---");
    EXPECT_EQ(FreqTextIf(156.8, false), "156.800");
    EXPECT_EQ(FreqText4(0), "---.----");
    EXPECT_EQ(FreqText4(156.0125), "156.0125");
    EXPECT_EQ(FreqText4(156.0126), "156.0100");
    EXPECT_EQ(FreqText4(161.6), "161.6000");
    EXPECT_EQ(FreqText4(156.005), "156.0050");
    EXPECT_EQ(FreqText4(156.0049), "156.0000");
}

TEST(DisplayTexts, FlagsAndEnumerations) {
    EXPECT_EQ(OnOffText(true) + OnOffText(false), "OnOff");
    EXPECT_EQ(HiLowText(false), "Low");
    EXPECT_EQ(EnableText(false), "------");
    EXPECT_EQ(TxText(true) + LowText(false) + UpText(true) + DupText(false) + MemText(true),
              "TX---UP---MEM");
    EXPECT_EQ(ResumeTimeText(0), "--");
    EXPECT_EQ(ResumeTimeText(3), "3Sec");
    EXPECT_EQ(ResumeTimeText(4), "");
    EXPECT_EQ(TxPoDisplayText(1), "Lo Po on Changing CH");
    EXPECT_EQ(TxPoDisplayText(255), "");
    EXPECT_EQ(WeatherAlertText(3), "WX and SCAN");
    EXPECT_EQ(WeatherAlertText(-1), "");
    EXPECT_EQ(TimeDisplayText(0), "UTC");
    EXPECT_EQ(TimeDisplayText(-1), "Local");
    EXPECT_EQ(StatusNameText("    "), "----");
    EXPECT_EQ(StatusNameText(""), "----");
    EXPECT_EQ(StatusNameText(" AB"), " AB");
}

TEST(DisplayTexts, OffsetTime) {
    EXPECT_EQ(OffsetTimeText(-24), "-12:00");
    EXPECT_EQ(OffsetTimeText(-23), "-11:30");
    EXPECT_EQ(OffsetTimeText(-1), "-0:30");
    EXPECT_EQ(OffsetTimeText(0), " 0");
    EXPECT_EQ(OffsetTimeText(1), "+0:30");
    EXPECT_EQ(OffsetTimeText(11), "+5:30");
    EXPECT_EQ(OffsetTimeText(20), "+10:00");
    EXPECT_EQ(OffsetTimeText(24), "+12:00");
    EXPECT_EQ(OffsetTimeText(25), "");
    EXPECT_EQ(OffsetTimeText(-25), "");
}

TEST(DisplayTexts, PriorityChannel) {
    EXPECT_EQ(PriorityChText(0), "01");
    EXPECT_EQ(PriorityChText(31), "16A");
    EXPECT_EQ(PriorityChText(113), "88A");
    EXPECT_EQ(PriorityChText(114), "EXP-125");
    EXPECT_EQ(PriorityChText(240), "EXP1");
    EXPECT_EQ(PriorityChText(279), "EXP40");
    EXPECT_EQ(PriorityChText(280), "Off");
    EXPECT_EQ(PriorityChText(-1), "Off");
}

TEST(DisplayTexts, FixedWidthCells) {
    EXPECT_EQ(PadText("ABCDEFGHIJKLMN", 12), "ABCDEFGHIJKL");
    EXPECT_EQ(PadText("AB", 3), "AB ");
    EXPECT_EQ(PadText("AB", 0), "");
    EXPECT_EQ(LabelText("Count", 7), "Count : ");
    EXPECT_EQ(NameOr12(""), "------------");
    EXPECT_EQ(NameOr12("SHIP"), "SHIP        ");
    EXPECT_EQ(EntryName12(""), "------------");
    EXPECT_EQ(EntryNumber9(""), "---------");
    EXPECT_EQ(EntryNumber9("2111111110"), "211111111");
    EXPECT_EQ(ExpDisplayText("7", ""), "7  ");
    EXPECT_EQ(ExpDisplayText("123", "AB"), "12B");
}

}  // namespace
}  // namespace tq530
