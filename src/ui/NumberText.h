// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ui {

// The number at the start of a text, as the standard number reading takes
// it: leading blanks skipped, an optional sign, digits with an optional
// decimal point and exponent; reading stops at the first character that
// cannot continue the number. No number reads as 0. Very long numbers give
// an infinity of their sign, never NaN.
double LeadingNumber(std::string_view text);

// A decimal number that is the whole text: an optional '-', digits with an
// optional '.' (".5" and "5." too), an optional exponent. Nothing for any
// other text (no '+', no blanks, no "inf").
struct Decimal {
    double value = 0;
    // Beyond a double: `value` is then an infinity of its sign, or a zero
    // for a number too small to tell from 0.
    bool outOfRange = false;
};
std::optional<Decimal> ReadDecimal(std::string_view text);

// Numbers written the same under every locale, with a '.':
// rounded to a whole number, as "%.0f" writes it ("-3", "100000000000000000000");
std::string WholeNumberText(double value);
// with 17 significant digits, as "%.17g" writes it ("0.29999999999999999", "1e+20").
std::string SignificantText(double value);

} // namespace ui
