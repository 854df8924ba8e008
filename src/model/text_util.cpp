#include "model/text_util.h"

namespace tq530 {

namespace {

const char* const kHexDigits = "0123456789ABCDEF";

char UpperChar(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::string Trim(std::string_view text, std::string_view blanks) {
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return std::string();
    }
    const size_t last = text.find_last_not_of(blanks);
    return std::string(text.substr(first, last - first + 1));
}

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        c = UpperChar(c);
    }
    return text;
}

std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (UpperChar(a[i]) != UpperChar(b[i])) {
            return false;
        }
    }
    return true;
}

std::string HexText(unsigned value) {
    std::string text;
    do {
        text.insert(text.begin(), kHexDigits[value & 0x0F]);
        value >>= 4;
    } while (value != 0);
    return text;
}

std::string HexField(unsigned value, int width) {
    std::string text(static_cast<size_t>(width), '0');
    for (size_t i = text.size(); i > 0 && value != 0; --i, value >>= 4) {
        text[i - 1] = kHexDigits[value & 0x0F];
    }
    return text;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace tq530
