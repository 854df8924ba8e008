#include "model/encodings.h"

#include "model/text_util.h"

#include <cstdio>

namespace tq530 {

namespace {

bool InCharacterSet(unsigned char c) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
        return true;
    }
    switch (c) {
        case '-':
        case '+':
        case '(':
        case ')':
        case '.':
        case '*':
        case '/':
        case ',':
        case ' ':
            return true;
        default:
            return false;
    }
}

int DigitValue(const std::string& text, size_t pos) {
    if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') {
        return 0xF;
    }
    return text[pos] - '0';
}

}  // namespace

uint8_t CharToByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return InCharacterSet(u) ? u : 0xFF;
}

std::string ByteToChar(uint8_t b) {
    return InCharacterSet(b) ? std::string(1, static_cast<char>(b)) : std::string();
}

void WriteName(RadioImage& image, int address, const std::string& text, int width) {
    for (int i = 0; i < width; ++i) {
        image[address + i] =
            static_cast<size_t>(i) < text.size() ? CharToByte(text[static_cast<size_t>(i)]) : 0xFF;
    }
}

std::string ReadName(const RadioImage& image, int address, int width) {
    std::string text;
    for (int i = 0; i < width; ++i) {
        const uint8_t b = image[address + i];
        if (!InCharacterSet(b)) {
            break;
        }
        text.push_back(static_cast<char>(b));
    }
    const size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

void WriteDigits(RadioImage& image, int address, const std::string& text, bool zeroLastNibble) {
    if (Trim(text).empty()) {
        for (int j = 0; j < 5; ++j) {
            image[address + j] = 0xFF;
        }
        return;
    }
    for (int j = 0; j < 5; ++j) {
        const int high = DigitValue(text, static_cast<size_t>(2 * j));
        const int low = DigitValue(text, static_cast<size_t>(2 * j + 1));
        image[address + j] = static_cast<uint8_t>((high << 4) | low);
    }
    if (zeroLastNibble) {
        image[address + 4] = static_cast<uint8_t>(image[address + 4] & 0xF0);
    }
}

std::string ReadDigits(const RadioImage& image, int address) {
    std::string digits;
    for (int j = 0; j < 5; ++j) {
        const uint8_t b = image[address + j];
        for (const int nibble : {b >> 4, b & 0x0F}) {
            if (nibble > 9) {
                return digits;
            }
            digits.push_back(static_cast<char>('0' + nibble));
        }
    }
    return digits;
}

void WriteFrequency(RadioImage& image, int address, double mhz) {
    if (mhz <= 100.0) {
        image[address] = image[address + 1] = image[address + 2] = 0x00;
        return;
    }
    // "DD.DDDD" of the offset from 100 MHz, the point dropped, packed two digits a byte.
    char text[32];
    std::snprintf(text, sizeof text, "%07.4f", mhz - 100.0);
    std::string digits;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p >= '0' && *p <= '9') {  // whatever the locale's decimal separator
            digits.push_back(*p);
        }
    }
    for (int j = 0; j < 3; ++j) {
        const int high = DigitValue(digits, static_cast<size_t>(2 * j));
        const int low = DigitValue(digits, static_cast<size_t>(2 * j + 1));
        image[address + j] = static_cast<uint8_t>((high << 4) | low);
    }
}

double ReadFrequency(const RadioImage& image, int address) {
    const std::string text = HexField(image[address], 2) + "." + HexField(image[address + 1], 2) +
                             HexField(image[address + 2], 2);
    // The number ends at the first character that cannot continue it: a hex letter cuts it.
    long long mantissa = 0;
    long long scale = 1;
    bool point = false;
    for (const char* p = text.c_str(); *p != '\0'; ++p) {
        if (*p >= '0' && *p <= '9') {
            mantissa = mantissa * 10 + (*p - '0');
            if (point) {
                scale *= 10;
            }
        } else if (*p == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    // One correctly rounded division, the same double a decimal parser gives.
    const double value = static_cast<double>(mantissa) / static_cast<double>(scale);
    return value + 100.0;
}

int ClampOffset(int value) {
    if (value < -kOffsetLimit) {
        return -kOffsetLimit;
    }
    if (value > kOffsetLimit) {
        return kOffsetLimit;
    }
    return value;
}

uint8_t EncodeOffset(int value) {
    const int v = ClampOffset(value);
    return static_cast<uint8_t>(v >= 0 ? 0x20 + v : -v);
}

int DecodeOffset(uint8_t byte) {
    const int magnitude = byte & 0x1F;
    return (byte & 0x20) != 0 ? magnitude : -magnitude;
}

}  // namespace tq530
