// Telling wide text, NUL bytes and other code pages from UTF-8 by the bytes alone.
#include "core/text_encoding.h"

#include <gtest/gtest.h>

namespace tq530 {
namespace {

std::string Widen(const std::string& ascii, size_t width, bool bigEndian) {
    std::string out;
    for (const char c : ascii) {
        if (bigEndian) {
            out.append(width - 1, '\0');
        }
        out += c;
        if (!bigEndian) {
            out.append(width - 1, '\0');
        }
    }
    return out;
}

TEST(TextEncodingTest, WideTextIsToldByItsMarkOrItsNuls) {
    const std::string csv = "CH,RX[MHz],TX[MHz],TX,LOW,UP,DUP,MEM,CH Name\r\n16,,,TX,,,,,\r\n";
    EXPECT_EQ(WideEncodingOf("\xFF\xFE" + Widen(csv, 2, false)), "UTF-16");
    EXPECT_EQ(WideEncodingOf("\xFE\xFF" + Widen(csv, 2, true)), "UTF-16");
    EXPECT_EQ(WideEncodingOf(Widen(csv, 2, false)), "UTF-16");
    EXPECT_EQ(WideEncodingOf(Widen(csv, 2, true)), "UTF-16");
    EXPECT_EQ(WideEncodingOf(std::string("\xFF\xFE\0\0", 4) + Widen(csv, 4, false)), "UTF-32");
    EXPECT_EQ(WideEncodingOf(Widen(csv, 4, false)), "UTF-32");
    EXPECT_EQ(WideEncodingOf(Widen(csv, 4, true)), "UTF-32");
    // 8-bit text, and a stray NUL in it, are not wide.
    EXPECT_EQ(WideEncodingOf(csv), "");
    EXPECT_EQ(WideEncodingOf(csv + std::string(1, '\0') + csv), "");
    EXPECT_EQ(WideEncodingOf(""), "");
    EXPECT_EQ(WideEncodingOf(std::string("\xEF\xBB\xBF") + csv), "");
}

TEST(TextEncodingTest, FirstNonUtf8ByteAndItsLine) {
    EXPECT_EQ(FirstNonUtf8("plain, K\xC3\xB8GE \xE2\x82\xAC \xF0\x9F\x98\x80"), std::string::npos);
    EXPECT_EQ(FirstNonUtf8("ab\r\nK\xF8GE"), 5u);     // Latin-1
    EXPECT_EQ(FirstNonUtf8("\x93quoted\x94"), 0u);    // Windows-1252 quotes
    EXPECT_EQ(FirstNonUtf8("x\xC0\xAF"), 1u);         // overlong "/"
    EXPECT_EQ(FirstNonUtf8("x\xED\xA0\x80"), 1u);     // a surrogate
    EXPECT_EQ(FirstNonUtf8("abc\xE2\x82"), 3u);       // cut short
    EXPECT_EQ(FirstNonUtf8("\xF4\x90\x80\x80"), 0u);  // beyond U+10FFFF
    EXPECT_EQ(LineOfOffset("a\r\nb\nc\rd", 0), 1);
    EXPECT_EQ(LineOfOffset("a\r\nb\nc\rd", 3), 2);
    EXPECT_EQ(LineOfOffset("a\r\nb\nc\rd", 7), 4);
    EXPECT_EQ(FirstNul(std::string("ab\0c", 4)), 2u);
    EXPECT_EQ(WithoutUtf8Bom("\xEF\xBB\xBFx"), "x");
    EXPECT_EQ(WithoutUtf8Bom("\xEF\xBBx"), "\xEF\xBBx");
}

}  // namespace
}  // namespace tq530
