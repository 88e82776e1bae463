// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NumberText.h"

#include <cmath>
#include <limits>
#include <locale>
#include <sstream>

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

std::optional<Decimal> ReadDecimal(std::string_view text) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    i += negative ? 1 : 0;
    // The significant digits, without leading zeros, and the power of ten
    // of the place just after the last digit kept.
    std::string digits;
    long long scale = 0;
    bool sticky = false;
    bool any = false;
    auto take = [&](char c, bool fraction) {
        any = true;
        if (digits.empty() && c == '0') {
            scale -= fraction ? 1 : 0;
            return;
        }
        if (digits.size() < KeptDigits) {
            digits += c;
            scale -= fraction ? 1 : 0;
        } else {
            sticky = sticky || c != '0';
            scale += fraction ? 0 : 1;
        }
    };
    while (i < text.size() && Digit(text[i])) {
        take(text[i++], false);
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && Digit(text[i])) {
            take(text[i++], true);
        }
    }
    if (!any) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool down = i < text.size() && text[i] == '-';
        i += i < text.size() && (text[i] == '-' || text[i] == '+') ? 1 : 0;
        if (i == text.size() || !Digit(text[i])) {
            return std::nullopt;
        }
        long long exponent = 0;
        while (i < text.size() && Digit(text[i])) {
            exponent = std::min(exponent * 10 + (text[i++] - '0'), ExponentLimit);
        }
        scale += down ? -exponent : exponent;
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    Decimal result;
    const double sign = negative ? -1.0 : 1.0;
    if (digits.empty()) {
        result.value = sign * 0.0;
        return result;
    }
    if (sticky) {
        digits += '1';
        --scale;
    }
    // The power of ten of the first significant digit.
    const long long magnitude = scale + static_cast<long long>(digits.size()) - 1;
    if (magnitude > 400 || magnitude < -400) {
        result.outOfRange = true;
        result.value = sign * (magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0);
        return result;
    }
    // The digits are checked; the classic locale's reading rounds them
    // correctly, with a '.' whatever the program's locale.
    std::istringstream in(digits + "e" + std::to_string(scale));
    in.imbue(std::locale::classic());
    double value = 0;
    in >> value;
    if (value == 0 || (in.fail() && magnitude > 0) || std::isinf(value)) {
        result.outOfRange = true;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    result.value = sign * value;
    return result;
}

std::string WholeNumberText(double value) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.setf(std::ios::fixed, std::ios::floatfield);
    out.precision(0);
    out << value;
    return out.str();
}

std::string SignificantText(double value) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.precision(17);
    out << value;
    return out.str();
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
