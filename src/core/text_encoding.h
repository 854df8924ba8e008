// What the bytes of a text file say about its encoding, so that a file saved as UTF-16 or
// with a code page other than the expected one is refused by name instead of being read as
// garbage, and no NUL byte ever reaches a message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tq530 {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// "UTF-16" or "UTF-32" when a byte-order mark or the NUL bytes between the characters show
// wide text; "" otherwise. Wide text without a mark is told by where its NULs fall.
std::string WideEncodingOf(std::string_view bytes);

// Offset of the first NUL byte, npos when there is none.
size_t FirstNul(std::string_view bytes);

// Offset of the first byte that does not belong to well-formed UTF-8, npos when all do.
size_t FirstNonUtf8(std::string_view bytes);

// The 1-based line of a byte offset (CR LF, CR and LF end a line).
int LineOfOffset(std::string_view bytes, size_t offset);

// text without a leading UTF-8 byte-order mark.
std::string_view WithoutUtf8Bom(std::string_view text);

}  // namespace tq530
