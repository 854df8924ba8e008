#include "model/text_util.h"

#include <gtest/gtest.h>

namespace tq530 {
namespace {

TEST(TextUtilTest, TrimTakesOnlyTheBlanksItIsGiven) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("\t a \t"), "\t a \t");
    EXPECT_EQ(TrimBlanks("\t a \f"), "a");
    EXPECT_EQ(Trim("   "), "");
}

TEST(TextUtilTest, CaseIsAsciiOnly) {
    EXPECT_TRUE(EqualsIgnoringCase("error", "ERROR"));
    EXPECT_FALSE(EqualsIgnoringCase("ERRO", "ERROR"));
    EXPECT_FALSE(EqualsIgnoringCase("\xE9", "\xC9"));
    EXPECT_EQ(UpperAscii("ch\xE9x1"), "CH\xE9X1");
    EXPECT_EQ(LowerAscii("AB.DAT"), "ab.dat");
}

TEST(TextUtilTest, HexFieldsKeepTheirWidthAndTextHasNoLeadingZeros) {
    EXPECT_EQ(HexField(0x40, 4), "0040");
    EXPECT_EQ(HexField(0x12345, 4), "2345");
    EXPECT_EQ(HexField(0, 2), "00");
    EXPECT_EQ(HexText(0), "0");
    EXPECT_EQ(HexText(0x134), "134");
    EXPECT_EQ(HexDigitValue('f'), 15);
    EXPECT_EQ(HexDigitValue('g'), -1);
}

}  // namespace
}  // namespace tq530
