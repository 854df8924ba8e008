// Byte and bit primitives of the radio image. Bits are numbered 7 (most significant) to 0.
#pragma once

#include <cstdint>

namespace tq530 {

// 1 when bit 0-7 of value is set, else 0; 0 for any other bit number.
int TestBit(uint8_t value, int bit);
// Bit n - 1 for n in 1-8 as a settings flag (-1 or 0); 0 outside 1-8.
int16_t TestBitFrom1(uint8_t value, int n);
// 2^(n - 1) when flag is nonzero, else 0; 0 for n outside 1-8.
int BitValue(int flag, int n);
// Sets bit 0-7 when value is 1 and clears it otherwise; a bit outside 0-7 changes nothing.
void SetBit(uint8_t& byte, int value, int bit);
// The unsigned value of the width bits ending at topBit (width 2, topBit 7: bits 7-6).
int ReadBitField(uint8_t byte, int width, int topBit);
// Stores value in the width bits ending at topBit and keeps the other bits.
void WriteBitField(uint8_t& byte, int value, int width, int topBit);
// A settings flag (-1/0 or any nonzero) as 1 or 0 for writing.
inline int IsFlagSet(int value) {
    return value != 0 ? 1 : 0;
}

}  // namespace tq530
