#include "ui/NumberText.h"

#include <cstdlib>
#include <string>

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
    // Past a few hundred characters the value is beyond any Double anyway.
    const std::string number(text.substr(i, std::min<std::size_t>(end - i, 400)));
    return std::strtod(number.c_str(), nullptr);
}

} // namespace ui
