#include "model/radio_image.h"

#include <utility>

#include "model/bit_ops.h"
#include "model/image_layout.h"

namespace tq530 {

int RadioImage::Bit(int address, int bit) const {
    return TestBit((*this)[address], bit);
}

void RadioImage::SetBitAt(int address, int bit, int value) {
    SetBit((*this)[address], value, bit);
}

uint16_t RadioImage::Word(int address) const {
    return static_cast<uint16_t>(((*this)[address] << 8) | (*this)[address + 1]);
}

namespace {

// Bytes of the default image that are not 0xFF: first address, last address, value.
struct DefaultRun {
    int First;
    int Last;
    uint8_t Value;
};

constexpr DefaultRun kDefaultRuns[] = {
    {0x0002, 0x000A, 0x00}, {0x002D, 0x002D, 0x00},
    {0x0014, 0x0016, 0x20}, {0x001A, 0x001A, 0x03},
    {0x0141, 0x0141, 0x01}, {0x0150, 0x0150, 0x60},
    {0x0151, 0x0152, 0x10}, {0x0153, 0x0153, 0xAC},
    {0x0154, 0x0154, 0xFE}, {0x0072, 0x0079, 0x00},
    {0x00B2, 0x00B9, 0x00}, {kUserMmsiCountAddress, kUserMmsiCountAddress, 0x00},
};

void StoreModelCode(RadioImage& image, int address) {
    image[address] = static_cast<uint8_t>(kModelCode >> 8);
    image[address + 1] = static_cast<uint8_t>(kModelCode & 0xFF);
}

}  // namespace

void BuildDefaultImage(RadioImage& image, int modelType) {
    const ModelTraits& traits = TraitsOf(modelType);
    if (!traits.Supported) {
        return;
    }
    image.Bytes.fill(0xFF);
    image.ImageEnd = traits.ImageSize - 1;
    for (const DefaultRun& run : kDefaultRuns) {
        for (int a = run.First; a <= run.Last; ++a) {
            image[a] = run.Value;
        }
    }
    StoreModelCode(image, 0x0000);
    StoreModelCode(image, image.ImageEnd - 1);
}

uint8_t Checksum(const RadioImage& image, int start, int count) {
    unsigned sum = 0;
    for (int i = 0; i < count; ++i) {
        sum += image[start + i];
    }
    return static_cast<uint8_t>(sum & 0xFF);
}

void StoreChecksum(RadioImage& image) {
    image[kChecksumAddress] = Checksum(image, kChecksumStart, kChecksumCount);
}

bool ModelWordsOk(const uint8_t* bytes, int imageEnd) {
    if (imageEnd < 3) {
        return false;
    }
    const int first = (bytes[0] << 8) | bytes[1];
    const int last = (bytes[imageEnd - 1] << 8) | bytes[imageEnd];
    return first == last && first == kModelCode;
}

bool ImageAcceptable(const uint8_t* bytes, int imageEnd, int modelType) {
    return ModelWordsOk(bytes, imageEnd) && TraitsOf(modelType).Supported;
}

}  // namespace tq530
