#include "model/bit_ops.h"

namespace tq530 {

int TestBit(uint8_t value, int bit) {
    if (bit < 0 || bit > 7) {
        return 0;
    }
    return (value >> bit) & 1;
}

int16_t TestBitFrom1(uint8_t value, int n) {
    return TestBit(value, n < 1 || n > 8 ? -1 : n - 1) != 0 ? -1 : 0;
}

int BitValue(int flag, int n) {
    if (n < 1 || n > 8 || flag == 0) {
        return 0;
    }
    return 1 << (n - 1);
}

void SetBit(uint8_t& byte, int value, int bit) {
    if (bit < 0 || bit > 7) {
        return;
    }
    const uint8_t mask = static_cast<uint8_t>(1u << bit);
    byte = value == 1 ? static_cast<uint8_t>(byte | mask) : static_cast<uint8_t>(byte & ~mask);
}

int ReadBitField(uint8_t byte, int width, int topBit) {
    if (width <= 0) {
        return 0;
    }
    const int shift = topBit - width + 1;
    if (shift < 0 || topBit > 7) {
        return 0;
    }
    return (byte >> shift) & ((1 << width) - 1);
}

void WriteBitField(uint8_t& byte, int value, int width, int topBit) {
    if (width <= 0) {
        return;
    }
    const int shift = topBit - width + 1;
    if (shift < 0 || topBit > 7) {
        return;
    }
    const int mask = ((1 << width) - 1) << shift;
    byte = static_cast<uint8_t>((byte & ~mask) | ((value << shift) & mask));
}

}  // namespace tq530
