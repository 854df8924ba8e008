// The fixed texts the grids and the report show for setting values.
#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "model/display_texts.h"
#include "model/encodings.h"
#include "support/scratch_dir.h"

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

// A GUI runs with the user's LC_NUMERIC. Pashto (Afghanistan) writes the decimal point as
// U+066B, so any text or byte that went through the C library's number formatting would show it.
TEST(DisplayTexts, SameTextsAndBytesInEveryNumericLocale) {
    char pattern[] = "/tmp/tq530_locale_XXXXXX";
    struct LocaleDir {
        std::string Path;
        ~LocaleDir() {
            std::setlocale(LC_NUMERIC, "C");
            tq530::testing::RemoveDir(Path);
        }
    } dir{mkdtemp(pattern)};
    const std::string build =
        "localedef -c -i ps_AF -f UTF-8 '" + dir.Path + "/ps_AF.UTF-8' >/dev/null 2>&1";
    std::system(build.c_str());
    setenv("LOCPATH", dir.Path.c_str(), 1);
    const char* chosen = std::setlocale(LC_NUMERIC, "ps_AF.UTF-8");
    unsetenv("LOCPATH");
    ASSERT_NE(chosen, nullptr) << "localedef could not build ps_AF.UTF-8 (Debian package locales)";

    EXPECT_EQ(FreqText(156.8), "156.800");
    EXPECT_EQ(FreqText(8.5), "008.500");
    EXPECT_EQ(FreqText4(156.0125), "156.0125");
    EXPECT_EQ(FreqText4(161.6), "161.6000");
    EXPECT_EQ(OffsetTimeText(-1), "-0:30");
    EXPECT_EQ(OffsetTimeText(11), "+5:30");
    EXPECT_EQ(OffsetTimeText(-24), "-12:00");
    RadioImage image;
    WriteFrequency(image, 0, 105.025);
    EXPECT_EQ(image[0], 0x05);
    EXPECT_EQ(image[1], 0x02);
    EXPECT_EQ(image[2], 0x50);
    EXPECT_DOUBLE_EQ(ReadFrequency(image, 0), 105.025);
}

}  // namespace
}  // namespace tq530
