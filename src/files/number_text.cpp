#include "files/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tq530 {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the number that starts at text[pos], 0 when none does.
size_t NumberLength(const std::string& text, size_t pos) {
    size_t i = pos;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i - pos;
}

// Converts a text that NumberLength accepted; from_chars takes neither "+" nor a bare ".5".
double ConvertNumber(const std::string& number) {
    std::string digits = number;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.erase(0, 1);
    }
    double value = 0.0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Far beyond any setting: keep the direction, the callers only compare it with ranges.
        const bool tiny =
            digits.find("e-") != std::string::npos || digits.find("E-") != std::string::npos;
        value = tiny ? 0.0 : HUGE_VAL;
    }
    return negative ? -value : value;
}

}  // namespace

std::optional<double> ParseNumber(const std::string& text) {
    const std::string trimmed = TrimBlanks(text);
    const size_t length = NumberLength(trimmed, 0);
    if (length == 0 || length != trimmed.size()) {
        return std::nullopt;
    }
    return ConvertNumber(trimmed);
}

double LeadingNumber(const std::string& text) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    const size_t length = NumberLength(text, start);
    return length == 0 ? 0.0 : ConvertNumber(text.substr(start, length));
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    const double down = std::floor(value);
    const double fraction = value - down;
    if (fraction > 0.5) {
        return down + 1.0;
    }
    if (fraction < 0.5) {
        return down;
    }
    return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

std::optional<long long> ParseRoundedInteger(const std::string& text, long long min,
                                             long long max) {
    const std::optional<double> number = ParseNumber(text);
    if (!number) {
        return std::nullopt;
    }
    const double rounded = RoundHalfEven(*number);
    if (!(rounded >= static_cast<double>(min) && rounded <= static_cast<double>(max))) {
        return std::nullopt;
    }
    return static_cast<long long>(rounded);
}

std::optional<bool> ParseBoolText(const std::string& text) {
    const std::string word = UpperAscii(TrimBlanks(text));
    if (word == "TRUE") {
        return true;
    }
    if (word == "FALSE") {
        return false;
    }
    if (const std::optional<double> number = ParseNumber(word)) {
        return *number != 0.0;
    }
    return std::nullopt;
}

std::string FormatReal(double value) {
    if (value == 0.0) {
        return "0";
    }
    char buffer[64];
    if (!std::isfinite(value)) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return std::string(buffer, result.ptr);
    }
    // Fifteen significant digits, then written out in plain positional form: the files hold
    // decimals, never an exponent.
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string scientific(buffer, result.ptr);
    const bool negative = scientific[0] == '-';
    const size_t e = scientific.find('e');
    std::string digits;
    for (size_t i = negative ? 1 : 0; i < e; ++i) {
        if (scientific[i] != '.') {
            digits += scientific[i];
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    const long integerDigits = std::strtol(scientific.c_str() + e + 1, nullptr, 10) + 1;
    std::string text = negative ? "-" : "";
    if (integerDigits <= 0) {
        text += "0." + std::string(static_cast<size_t>(-integerDigits), '0') + digits;
    } else if (static_cast<size_t>(integerDigits) >= digits.size()) {
        text += digits + std::string(static_cast<size_t>(integerDigits) - digits.size(), '0');
    } else {
        const size_t point = static_cast<size_t>(integerDigits);
        text += digits.substr(0, point) + "." + digits.substr(point);
    }
    return text;
}

}  // namespace tq530
