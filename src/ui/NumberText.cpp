// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NumberText.h"

#include <charconv>
#include <limits>

namespace ui {

namespace {

bool Digit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

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
    // Read the same under every locale: the decimal point is always '.'.
    const std::string_view number = text.substr(i, end - i);
    const bool negative = number.front() == '-';
    const std::string_view unsigned_ = number.substr(number.front() == '+' || negative ? 1 : 0);
    double value = 0;
    const auto [stop, error] =
        std::from_chars(unsigned_.data(), unsigned_.data() + unsigned_.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Beyond a Double: a negative exponent reads as 0, anything else as
        // an infinity of its sign.
        const auto e = unsigned_.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && unsigned_[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

} // namespace ui
