// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace ui {

// The number at the start of a text, as the standard number reading takes
// it: leading blanks skipped, an optional sign, digits with an optional
// decimal point and exponent; reading stops at the first character that
// cannot continue the number. No number reads as 0. Very long numbers give
// an infinity of their sign, never NaN.
double LeadingNumber(std::string_view text);

} // namespace ui
