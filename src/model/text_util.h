// Small text helpers every layer shares: blanks, ASCII letter case and hexadecimal digits.
// They never depend on the locale, so files and frames come out the same everywhere.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tq530 {

// The radio's texts and the settings file trim spaces only; a tab is part of the text.
constexpr std::string_view kSpaces = " ";
// Numbers and the lines of global.ini also lose tabs, vertical tabs and form feeds.
constexpr std::string_view kBlanks = " \t\v\f";

// text without the leading and trailing characters of blanks.
std::string Trim(std::string_view text, std::string_view blanks = kSpaces);
inline std::string TrimBlanks(std::string_view text) {
    return Trim(text, kBlanks);
}

std::string UpperAscii(std::string text);
std::string LowerAscii(std::string text);
// Equal when the ASCII letters are taken in either case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Upper-case hex digits of value without leading zeros ("0" for zero).
std::string HexText(unsigned value);
// Exactly width upper-case hex digits: zeros in front, only the low digits of a wider value.
std::string HexField(unsigned value, int width);
// 0-15 for a hex digit of either case, -1 for any other character.
int HexDigitValue(char c);

}  // namespace tq530
