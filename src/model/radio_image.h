// The program's copy of the radio's EEPROM: a 32768-byte buffer of which 0 to ImageEnd
// (8191) is in use, with the default image and the checksum.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/model_traits.h"

namespace tq530 {

constexpr int kImageBufferSize = 32768;
constexpr int kImageSize = 8192;
constexpr int kDefaultImageEnd = kImageSize - 1;
constexpr uint16_t kModelCode = 6120;  // 0x17E8, big-endian at 0 and ImageEnd - 1
constexpr int kChecksumAddress = 0x005F;
constexpr int kChecksumStart = 0x0042;
constexpr int kChecksumCount = 29;

struct RadioImage {
    std::array<uint8_t, kImageBufferSize> Bytes{};
    int32_t ImageEnd = kDefaultImageEnd;

    uint8_t& operator[](int address) { return Bytes[static_cast<size_t>(address)]; }
    uint8_t operator[](int address) const { return Bytes[static_cast<size_t>(address)]; }
    int Size() const { return ImageEnd + 1; }

    int Bit(int address, int bit) const;
    void SetBitAt(int address, int bit, int value);
    // Big-endian 16-bit word at address.
    uint16_t Word(int address) const;

    bool operator==(const RadioImage& o) const {
        return Bytes == o.Bytes && ImageEnd == o.ImageEnd;
    }
    bool operator!=(const RadioImage& o) const { return !(*this == o); }
};

// The default image of a supported model type; any other type leaves the image as it is.
void BuildDefaultImage(RadioImage& image, int modelType);

// Low 8 bits of the sum of count bytes from start.
uint8_t Checksum(const RadioImage& image, int start, int count);
// Stores the checksum of 0x0042-0x005E at 0x005F.
void StoreChecksum(RadioImage& image);

// The acceptance check of an image that enters the program from a file or the radio:
// equal model words at 0 and ImageEnd - 1, both 6120, and a supported model type.
bool ModelWordsOk(const uint8_t* bytes, int imageEnd);
bool ImageAcceptable(const uint8_t* bytes, int imageEnd, int modelType);

}  // namespace tq530
