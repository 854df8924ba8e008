#include "core/text_encoding.h"

namespace tq530 {

namespace {

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

// Enough of a file to see its pattern; a whole large file adds nothing to the guess.
constexpr size_t kSampleSize = 4096;

}  // namespace

std::string WideEncodingOf(std::string_view bytes) {
    using namespace std::string_view_literals;
    if (StartsWith(bytes, "\xFF\xFE\0\0"sv) || StartsWith(bytes, "\0\0\xFE\xFF"sv)) {
        return "UTF-32";
    }
    if (StartsWith(bytes, "\xFF\xFE"sv) || StartsWith(bytes, "\xFE\xFF"sv)) {
        return "UTF-16";
    }
    // Latin letters, digits and punctuation in wide text: one byte of each pair (UTF-16) or
    // three of each four (UTF-32) are NUL, always at the same places.
    const std::string_view sample = bytes.substr(0, kSampleSize);
    size_t nulAt[4] = {0, 0, 0, 0};
    size_t nuls = 0;
    for (size_t i = 0; i < sample.size(); ++i) {
        if (sample[i] == '\0') {
            ++nulAt[i % 4];
            ++nuls;
        }
    }
    const size_t quads = sample.size() / 4;
    if (quads == 0 || nuls == 0) {
        return "";
    }
    const size_t most = quads * 3 / 4;  // most of the characters are ASCII
    const bool le32 = nulAt[1] >= most && nulAt[2] >= most && nulAt[3] >= most;
    const bool be32 = nulAt[0] >= most && nulAt[1] >= most && nulAt[2] >= most;
    if ((le32 && nulAt[0] == 0) || (be32 && nulAt[3] == 0)) {
        return "UTF-32";
    }
    const size_t odd = nulAt[1] + nulAt[3];
    const size_t even = nulAt[0] + nulAt[2];
    if ((odd >= 2 * most && even * 8 <= odd) || (even >= 2 * most && odd * 8 <= even)) {
        return "UTF-16";
    }
    return "";
}

size_t FirstNul(std::string_view bytes) {
    return bytes.find('\0');
}

size_t FirstNonUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t len = 0;
        unsigned long code = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            code = c & 0x07;
        } else {
            return i;
        }
        if (i + len > bytes.size()) {
            return i;
        }
        for (size_t k = 1; k < len; ++k) {
            const auto cont = static_cast<unsigned char>(bytes[i + k]);
            if ((cont & 0xC0) != 0x80) {
                return i;
            }
            code = (code << 6) | (cont & 0x3F);
        }
        // Overlong forms, surrogates and code points beyond Unicode are not UTF-8.
        static const unsigned long kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kLeast[len] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return i;
        }
        i += len;
    }
    return std::string_view::npos;
}

int LineOfOffset(std::string_view bytes, size_t offset) {
    int line = 1;
    const size_t end = offset < bytes.size() ? offset : bytes.size();
    for (size_t i = 0; i < end; ++i) {
        if (bytes[i] == '\n' ||
            (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) {
            ++line;
        }
    }
    return line;
}

std::string_view WithoutUtf8Bom(std::string_view text) {
    return StartsWith(text, kUtf8Bom) ? text.substr(kUtf8Bom.size()) : text;
}

}  // namespace tq530
