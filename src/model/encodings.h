// Conversions between the settings model's texts and numbers and the image bytes:
// names in the radio's character set, packed-decimal digits and frequencies, the time offset.
#pragma once

#include <cstdint>
#include <string>

#include "model/radio_image.h"

namespace tq530 {

// The code of c when it is in the radio's character set; 0xFF otherwise.
uint8_t CharToByte(char c);
// The character of b when b is the code of an allowed character; "" otherwise.
std::string ByteToChar(uint8_t b);

void WriteName(RadioImage& image, int address, const std::string& text, int width);
std::string ReadName(const RadioImage& image, int address, int width);

void WriteDigits(RadioImage& image, int address, const std::string& text, bool zeroLastNibble);
std::string ReadDigits(const RadioImage& image, int address);

void WriteFrequency(RadioImage& image, int address, double mhz);
double ReadFrequency(const RadioImage& image, int address);
// An EXP frequency the radio accepts: strictly between 100 and 200 MHz.
inline bool ExpFrequencyInRange(double mhz) {
    return mhz > 100.0 && mhz < 200.0;
}

constexpr int kOffsetLimit = 24;
int ClampOffset(int value);
// Bits 0-6 of the time-offset byte: bit 5 set for zero or positive, bits 0-4 the magnitude.
uint8_t EncodeOffset(int value);
int DecodeOffset(uint8_t byte);

}  // namespace tq530
