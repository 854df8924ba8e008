#include "files/number_text.h"

#include <gtest/gtest.h>

namespace tq530 {
namespace {

TEST(NumberTextTest, WholeTextMustBeANumber) {
    EXPECT_EQ(ParseNumber("12"), 12.0);
    EXPECT_EQ(ParseNumber(" -3.5 "), -3.5);
    EXPECT_EQ(ParseNumber("+.5"), 0.5);
    EXPECT_EQ(ParseNumber("1e3"), 1000.0);
    EXPECT_EQ(ParseNumber("156.0125"), 156.0125);
    for (const char* notNumber : {"", " ", "yes", "12abc", "1,5", "--1", ".", "e5", "0x10"}) {
        EXPECT_FALSE(ParseNumber(notNumber).has_value()) << notNumber;
    }
}

TEST(NumberTextTest, LeadingNumberIsZeroWithoutOne) {
    EXPECT_EQ(LeadingNumber("12abc"), 12.0);
    EXPECT_EQ(LeadingNumber(" 7.5 x"), 7.5);
    EXPECT_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_EQ(LeadingNumber(""), 0.0);
    EXPECT_EQ(LeadingNumber("-2"), -2.0);
}

TEST(NumberTextTest, HalvesRoundToEven) {
    EXPECT_EQ(RoundHalfEven(0.5), 0.0);
    EXPECT_EQ(RoundHalfEven(1.5), 2.0);
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
    EXPECT_EQ(RoundHalfEven(2.51), 3.0);
    EXPECT_EQ(RoundHalfEven(-0.4), 0.0);
}

TEST(NumberTextTest, RoundedIntegerMustFitItsField) {
    EXPECT_EQ(ParseRoundedInteger("3.5", -32768, 32767), 4);
    EXPECT_EQ(ParseRoundedInteger("32767.4", -32768, 32767), 32767);
    EXPECT_FALSE(ParseRoundedInteger("32767.5", -32768, 32767).has_value());
    EXPECT_FALSE(ParseRoundedInteger("1e300", -32768, 32767).has_value());
    EXPECT_FALSE(ParseRoundedInteger("true", -32768, 32767).has_value());
}

TEST(NumberTextTest, BoolTextIsTrueFalseOrANumber) {
    EXPECT_EQ(ParseBoolText("TRUE"), true);
    EXPECT_EQ(ParseBoolText("false"), false);
    EXPECT_EQ(ParseBoolText("-1"), true);
    EXPECT_EQ(ParseBoolText("0.0"), false);
    EXPECT_EQ(ParseBoolText("2"), true);
    EXPECT_FALSE(ParseBoolText("yes").has_value());
    EXPECT_FALSE(ParseBoolText("").has_value());
}

TEST(NumberTextTest, RealsAreShortestWithAtMost15Digits) {
    EXPECT_EQ(FormatReal(0.0), "0");
    EXPECT_EQ(FormatReal(-0.0), "0");
    EXPECT_EQ(FormatReal(156.05), "156.05");
    EXPECT_EQ(FormatReal(156.0125), "156.0125");
    EXPECT_EQ(FormatReal(160.0), "160");
    EXPECT_EQ(FormatReal(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatReal(156.05 + 0.05 * 3), "156.2");
    EXPECT_EQ(FormatReal(-2.5), "-2.5");
    EXPECT_EQ(FormatReal(123456789012345.0), "123456789012345");
    // Never an exponent, however small or large the value.
    EXPECT_EQ(FormatReal(0.00005), "0.00005");
    EXPECT_EQ(FormatReal(-0.000125), "-0.000125");
    EXPECT_EQ(FormatReal(1e20), "100000000000000000000");
    EXPECT_EQ(FormatReal(1234567890123456.0), "1234567890123460");
    EXPECT_EQ(FormatReal(0.1234567890123456), "0.123456789012346");
}

}  // namespace
}  // namespace tq530
