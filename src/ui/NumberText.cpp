// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NumberText.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace ui {

namespace {

bool Digit(char c) {
    return c >= '0' && c <= '9';
}

// Past the last significant digit only whether any other digit is non-zero
// still matters for the rounding: the exact halfway point between two
// doubles never has more than 767 significant digits.
constexpr std::size_t KeptDigits = 800;
constexpr long long ExponentLimit = 1000000;

} // namespace

namespace {

// The significant digits read so far, without leading zeros, and the power
// of ten of the place just after the last digit kept; past the digits kept,
// whether any left out was not zero.
struct Digits {
    std::string kept;
    long long scale = 0;
    bool sticky = false;
    bool any = false;

    void Take(char c, bool fraction) {
        any = true;
        if (kept.empty() && c == '0') {
            scale -= fraction ? 1 : 0;
            return;
        }
        if (kept.size() < KeptDigits) {
            kept += c;
            scale -= fraction ? 1 : 0;
        } else {
            sticky = sticky || c != '0';
            scale += fraction ? 0 : 1;
        }
    }
};

// An exponent at `i` ("e", a sign, digits), added to `scale`; false when
// the "e" has no digits after it. Nothing there is no exponent.
bool ReadExponent(std::string_view text, std::size_t& i, long long& scale) {
    if (i >= text.size() || (text[i] != 'e' && text[i] != 'E')) {
        return true;
    }
    ++i;
    const bool down = i < text.size() && text[i] == '-';
    i += i < text.size() && (text[i] == '-' || text[i] == '+') ? 1 : 0;
    if (i == text.size() || !Digit(text[i])) {
        return false;
    }
    long long exponent = 0;
    while (i < text.size() && Digit(text[i])) {
        exponent = std::min(exponent * 10 + (text[i++] - '0'), ExponentLimit);
    }
    scale += down ? -exponent : exponent;
    return true;
}

// The value of the digits read, rounded correctly.
Decimal ValueOf(Digits d, bool negative) {
    Decimal result;
    const double sign = negative ? -1.0 : 1.0;
    if (d.kept.empty()) {
        result.value = sign * 0.0;
        return result;
    }
    if (d.sticky) {
        d.kept += '1';
        --d.scale;
    }
    // The power of ten of the first significant digit.
    const long long magnitude = d.scale + static_cast<long long>(d.kept.size()) - 1;
    if (magnitude > 400 || magnitude < -400) {
        result.outOfRange = true;
        result.value = sign * (magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0);
        return result;
    }
    // The digits are checked; the C library's reading rounds them correctly.
    // They are written with no decimal point, so the program's locale,
    // which may have a comma for one, has no say.
    const std::string digits = d.kept + "e" + std::to_string(d.scale);
    double value = std::strtod(digits.c_str(), nullptr);
    if (value == 0 || std::isinf(value)) {
        result.outOfRange = true;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    result.value = sign * value;
    return result;
}

} // namespace

std::optional<Decimal> ReadDecimal(std::string_view text) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    i += negative ? 1 : 0;
    Digits digits;
    while (i < text.size() && Digit(text[i])) {
        digits.Take(text[i++], false);
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && Digit(text[i])) {
            digits.Take(text[i++], true);
        }
    }
    if (!digits.any || !ReadExponent(text, i, digits.scale) || i != text.size()) {
        return std::nullopt;
    }
    return ValueOf(std::move(digits), negative);
}

namespace {

// A number as printf writes it, with a '.' whatever the program's locale.
std::string Printed(const char* format, double value) {
    std::string text(std::snprintf(nullptr, 0, format, value), '\0');
    std::snprintf(text.data(), text.size() + 1, format, value);
    const std::string point = std::localeconv()->decimal_point;
    if (point != "." && !point.empty()) {
        if (const auto at = text.find(point); at != std::string::npos) {
            text.replace(at, point.size(), ".");
        }
    }
    return text;
}

} // namespace

std::string WholeNumberText(double value) {
    return Printed("%.0f", value);
}

std::string SignificantText(double value) {
    return Printed("%.17g", value);
}

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    std::size_t end = i;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) {
        ++end;
    }
    bool digits = false;
    while (end < text.size() && Digit(text[end])) {
        digits = true;
        ++end;
    }
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && Digit(text[end])) {
            digits = true;
            ++end;
        }
    }
    if (!digits) {
        return 0;
    }
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        if (exponent < text.size() && Digit(text[exponent])) {
            while (exponent < text.size() && Digit(text[exponent])) {
                ++exponent;
            }
            end = exponent;
        }
    }
    const std::string_view number = text.substr(i, end - i);
    const bool negative = number.front() == '-';
    const std::string_view unsigned_ = number.substr(number.front() == '+' || negative ? 1 : 0);
    // Beyond a double a negative exponent reads as 0, anything else as an
    // infinity of its sign.
    const double value = ReadDecimal(unsigned_).value_or(Decimal{}).value;
    return negative ? -value : value;
}

} // namespace ui
