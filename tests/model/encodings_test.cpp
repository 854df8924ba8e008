// Names, packed digits, frequencies, the time offset and the bit primitives.
#include <gtest/gtest.h>

#include <vector>

#include "model/bit_ops.h"
#include "model/encodings.h"

namespace tq530 {
namespace {

std::vector<int> Bytes(const RadioImage& image, int address, int count) {
    std::vector<int> out;
    for (int i = 0; i < count; ++i) {
        out.push_back(image[address + i]);
    }
    return out;
}

void Put(RadioImage& image, int address, std::initializer_list<int> bytes) {
    for (const int b : bytes) {
        image[address++] = static_cast<uint8_t>(b);
    }
}

TEST(CharacterSet, ExactlyTheRadiosCharacters) {
    int allowed = 0;
    for (int b = 0; b < 256; ++b) {
        const bool in = CharToByte(static_cast<char>(b)) != 0xFF;
        EXPECT_EQ(in, !ByteToChar(static_cast<uint8_t>(b)).empty()) << b;
        allowed += in ? 1 : 0;
    }
    EXPECT_EQ(allowed, 71);
    for (const char c : std::string("09AZaz-+().*/, ")) {
        EXPECT_EQ(CharToByte(c), static_cast<uint8_t>(c)) << c;
    }
    for (const char c : std::string("#[]_!?:@'\"&")) {
        EXPECT_EQ(CharToByte(c), 0xFF) << c;
    }
}

TEST(Names, WriteAndRead) {
    RadioImage image;
    WriteName(image, 100, "ab#c", 4);
    EXPECT_EQ(Bytes(image, 100, 4), (std::vector<int>{0x61, 0x62, 0xFF, 0x63}));
    EXPECT_EQ(ReadName(image, 100, 4), "ab");

    Put(image, 200, {'C', 'H', ' ', '1', '6', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(ReadName(image, 200, 12), "CH 16");
    Put(image, 200, {'C', 'H', '1', '6', ' ', ' ', 0xFF});
    EXPECT_EQ(ReadName(image, 200, 12), "CH16");
    Put(image, 200, {' ', 'A', 0x00, 'B'});
    EXPECT_EQ(ReadName(image, 200, 4), " A");

    WriteName(image, 300, "TOO LONG NAME", 4);  // cut to the field, no terminator
    EXPECT_EQ(ReadName(image, 300, 4), "TOO");
    EXPECT_EQ(image[304], 0x00);
    WriteName(image, 300, "", 3);
    EXPECT_EQ(Bytes(image, 300, 3), (std::vector<int>{0xFF, 0xFF, 0xFF}));
}

TEST(Digits, WriteAndRead) {
    RadioImage image;
    WriteDigits(image, 0, "12345678", false);
    EXPECT_EQ(Bytes(image, 0, 5), (std::vector<int>{0x12, 0x34, 0x56, 0x78, 0xFF}));
    WriteDigits(image, 0, "12345678", true);
    EXPECT_EQ(Bytes(image, 0, 5), (std::vector<int>{0x12, 0x34, 0x56, 0x78, 0xF0}));
    EXPECT_EQ(ReadDigits(image, 0), "12345678");

    WriteDigits(image, 0, "12 45", false);
    EXPECT_EQ(Bytes(image, 0, 5), (std::vector<int>{0x12, 0xF4, 0x5F, 0xFF, 0xFF}));
    EXPECT_EQ(ReadDigits(image, 0), "12");

    WriteDigits(image, 0, "   ", true);
    EXPECT_EQ(Bytes(image, 0, 5), (std::vector<int>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ReadDigits(image, 0), "");

    WriteDigits(image, 0, "123456789", true);
    EXPECT_EQ(ReadDigits(image, 0), "1234567890");
    WriteDigits(image, 0, "123456789012", false);  // only ten digits fit
    EXPECT_EQ(ReadDigits(image, 0), "1234567890");
    Put(image, 0, {0x0A, 0x12});
    EXPECT_EQ(ReadDigits(image, 0), "0");
}

TEST(Frequencies, WriteAndRead) {
    RadioImage image;
    WriteFrequency(image, 0, 156.025);
    EXPECT_EQ(Bytes(image, 0, 3), (std::vector<int>{0x56, 0x02, 0x50}));
    EXPECT_DOUBLE_EQ(ReadFrequency(image, 0), 156.025);
    WriteFrequency(image, 0, 100.0);
    EXPECT_EQ(Bytes(image, 0, 3), (std::vector<int>{0x00, 0x00, 0x00}));
    WriteFrequency(image, 0, 99.0);
    EXPECT_EQ(Bytes(image, 0, 3), (std::vector<int>{0x00, 0x00, 0x00}));
    WriteFrequency(image, 0, 100.0001);
    EXPECT_EQ(Bytes(image, 0, 3), (std::vector<int>{0x00, 0x00, 0x01}));
    WriteFrequency(image, 0, 199.99994);  // rounds to four decimals
    EXPECT_EQ(Bytes(image, 0, 3), (std::vector<int>{0x99, 0x99, 0x99}));

    Put(image, 0, {0xFF, 0xFF, 0xFF});
    EXPECT_DOUBLE_EQ(ReadFrequency(image, 0), 100.0);
    Put(image, 0, {0x5A, 0x12, 0x34});  // a hex letter ends the number
    EXPECT_DOUBLE_EQ(ReadFrequency(image, 0), 105.0);
    Put(image, 0, {0x56, 0x0B, 0x50});
    EXPECT_DOUBLE_EQ(ReadFrequency(image, 0), 156.0);
    Put(image, 0, {0x12, 0x3E, 0x45});  // "12.3E45": an exponent to a decimal parser
    EXPECT_DOUBLE_EQ(ReadFrequency(image, 0), 112.3);
    Put(image, 0, {0x00, 0x00, 0x00});
    EXPECT_DOUBLE_EQ(ReadFrequency(image, 0), 100.0);
    EXPECT_FALSE(ExpFrequencyInRange(100.0));
    EXPECT_TRUE(ExpFrequencyInRange(100.0001));
    EXPECT_FALSE(ExpFrequencyInRange(200.0));
}

TEST(Offset, SignAndMagnitude) {
    EXPECT_EQ(EncodeOffset(0), 0x20);
    EXPECT_EQ(EncodeOffset(5), 0x25);
    EXPECT_EQ(EncodeOffset(-5), 0x05);
    EXPECT_EQ(EncodeOffset(30), 0x38);
    EXPECT_EQ(EncodeOffset(-30), 0x18);
    EXPECT_EQ(DecodeOffset(0x00), 0);
    EXPECT_EQ(DecodeOffset(0x25), 5);
    EXPECT_EQ(DecodeOffset(0x05), -5);
    EXPECT_EQ(DecodeOffset(0xFF), 31);
    EXPECT_EQ(DecodeOffset(0xDF), -31);
}

TEST(BitPrimitives, RangesAndFields) {
    EXPECT_EQ(TestBit(0x80, 7), 1);
    EXPECT_EQ(TestBit(0x80, 8), 0);
    EXPECT_EQ(TestBit(0xFF, -1), 0);
    EXPECT_EQ(TestBitFrom1(0x01, 1), -1);
    EXPECT_EQ(TestBitFrom1(0xFF, 0), 0);
    EXPECT_EQ(TestBitFrom1(0xFF, 9), 0);
    EXPECT_EQ(BitValue(-1, 8), 128);
    EXPECT_EQ(BitValue(0, 8), 0);
    EXPECT_EQ(BitValue(1, 0), 0);
    uint8_t b = 0xF0;
    SetBit(b, 1, 0);
    SetBit(b, -1, 7);  // only the value 1 sets a bit
    SetBit(b, 1, 8);
    EXPECT_EQ(b, 0x71);
    EXPECT_EQ(ReadBitField(0xC0, 2, 7), 3);
    EXPECT_EQ(ReadBitField(0x40, 2, 7), 1);
    EXPECT_EQ(ReadBitField(0xFF, 0, 7), 0);
    uint8_t f = 0xFF;
    WriteBitField(f, 1, 2, 7);
    EXPECT_EQ(f, 0x7F);
    WriteBitField(f, 0, 3, 2);
    EXPECT_EQ(f, 0x78);
    EXPECT_EQ(IsFlagSet(-1), 1);
    EXPECT_EQ(IsFlagSet(7), 1);
    EXPECT_EQ(IsFlagSet(0), 0);
}

}  // namespace
}  // namespace tq530
