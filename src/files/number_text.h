// Numbers and booleans as the text files of this program write and read them: the same forms
// on every platform and in every locale.
#pragma once

#include <optional>
#include <string>

#include "model/text_util.h"

namespace tq530 {

// The value of a text that is a number as a whole: optional sign, digits with an optional
// "." fraction, an optional exponent; blanks around it are allowed. Nothing else is a number.
std::optional<double> ParseNumber(const std::string& text);

// The number at the start of a text, 0 when it does not start with one.
double LeadingNumber(const std::string& text);

// Rounds to the nearest whole number, halves to the even neighbour.
double RoundHalfEven(double value);

// A whole number of the given range from a number text, rounded halves to even; nothing
// when the text is no number or the rounded value does not fit.
std::optional<long long> ParseRoundedInteger(const std::string& text, long long min, long long max);

// "true" or "false" in any case, or a number (nonzero is true); nothing for any other text.
std::optional<bool> ParseBoolText(const std::string& text);

// Shortest decimal text with at most 15 significant digits, "." as decimal point, "0" for zero.
std::string FormatReal(double value);

}  // namespace tq530
