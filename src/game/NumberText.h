// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace game {

// Reads the number at the start of an answer: leading blanks skipped, reading
// stops at the first character that cannot continue the number, no number
// reads as 0. The result is rounded to a whole number, halves to even, and
// clamped to the 16-bit range the game's variables hold.
int ReadWholeNumber(std::string_view text);

} // namespace game
