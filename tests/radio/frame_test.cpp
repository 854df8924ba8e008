#include <gtest/gtest.h>

#include "core/link_host.h"
#include "radio/protocol.h"
#include "radio/serial_link.h"

namespace tq530 {
namespace {

TEST(BuildFrame, StatusQueryIsTheTwelveKnownBytes) {
    EXPECT_EQ(BuildFrame("#CEPSR", "00", "", ""), "#CEPSR\t00\t74\r\n");
}

TEST(BuildFrame, FieldsArePaddedUppercaseHexAndEachEndsWithTab) {
    EXPECT_EQ(AddressField(0x40), "0040");
    EXPECT_EQ(AddressField(0x1FFE), "1FFE");
    EXPECT_EQ(AddressField(0), "0000");
    EXPECT_EQ(LengthField(64), "40");
    EXPECT_EQ(LengthField(1), "01");
    EXPECT_EQ(LengthField(7), "07");
    const uint8_t data[] = {0x00, 0xAB, 0x0F};
    EXPECT_EQ(DataField(data, 3), "00AB0F");
    const std::string frame = BuildFrame("#CEPWR", "0002", "01", "AB");
    EXPECT_EQ(frame.substr(0, 18), "#CEPWR\t0002\t01\tAB\t");
    EXPECT_EQ(frame.size(), 6u + 1 + 5 + 3 + 3 + 2 + 2);
}

TEST(BuildFrame, ChecksumIsAlwaysTwoDigitsAndCoversTheLastTab) {
    for (int address = 0; address < 8192; ++address) {
        const std::string frame = BuildFrame("#CEPRD", AddressField(address), "40", "");
        const std::string line = frame.substr(0, frame.size() - 2);
        ASSERT_EQ(frame.substr(frame.size() - 2), "\r\n");
        ASSERT_EQ(line.size(), 17u) << frame;
        ASSERT_TRUE(VerifyLineChecksum(line)) << frame;
    }
    // "#CEPWR", TAB, "0000", TAB, "01", TAB, "0A", TAB XORs to 0.
    EXPECT_EQ(BuildFrame("#CEPWR", "0000", "01", "0A"), "#CEPWR\t0000\t01\t0A\t00\r\n");
}

TEST(VerifyLineChecksum, RejectsShortWrongAndReadsBadDigitsAsZero) {
    EXPECT_FALSE(VerifyLineChecksum(""));
    EXPECT_FALSE(VerifyLineChecksum("00"));
    EXPECT_TRUE(VerifyLineChecksum("#CEPSD\t00\t62"));  // xor of "#CEPSD\t00\t" is 0x62
    EXPECT_FALSE(VerifyLineChecksum("#CEPSD\t00\t63"));
    // "aa" XORs to 0, which is what an invalid digit pair reads as.
    EXPECT_TRUE(VerifyLineChecksum("aaZZ"));
    EXPECT_FALSE(VerifyLineChecksum("abZZ"));
    EXPECT_TRUE(VerifyLineChecksum("aa00"));
}

TEST(ParseHex, ReadsLeadingDigitsOfEitherCase) {
    EXPECT_EQ(ParseHex("1FFE"), 0x1FFE);
    EXPECT_EQ(ParseHex("ff"), 255);
    EXPECT_EQ(ParseHex(""), 0);
    EXPECT_EQ(ParseHex("G1"), 0);
    EXPECT_EQ(ParseHex("4G"), 4);
}

TEST(PortSettings, ParsesTheThreeSpeedsAndRefusesNonsense) {
    EXPECT_EQ(ParsePortSettings("19200,N,8,1").Baud, 19200);
    EXPECT_EQ(PortSettingsText(ParsePortSettings("57600,n,8,1")), "57600,N,8,1");
    EXPECT_EQ(ParsePortSettings("9600,N,8,1").Baud, 9600);
    EXPECT_THROW(ParsePortSettings("fast,N,8,1"), SerialError);
    EXPECT_THROW(ParsePortSettings("9600,N,8"), SerialError);
    EXPECT_THROW(ParsePortSettings("9600,X,8,1"), SerialError);
}

TEST(ResyncAnswerLimit, AnswersOkThreeTimesPerFrameThenCancel) {
    ResyncAnswerLimit limit;
    EXPECT_EQ(limit.Next("A"), Answer::Ok);
    EXPECT_EQ(limit.Next("A"), Answer::Ok);
    EXPECT_EQ(limit.Next("A"), Answer::Ok);
    EXPECT_EQ(limit.Next("A"), Answer::Cancel);
    EXPECT_EQ(limit.Next("B"), Answer::Ok);
    EXPECT_EQ(limit.Next("A"), Answer::Ok);
}

}  // namespace
}  // namespace tq530
