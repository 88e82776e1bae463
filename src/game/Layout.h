// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Controls.h"

// Distances of the kitchen in twips and the colours the game sets, each named once.
namespace game::layout {

// From one sandwich on the belt to the next; the belt's texture repeats as often.
inline constexpr int SandwichSpacing = 480;
// A loaded cook facing left holds his load out on the left: turning to or
// from the left shifts him by this much.
inline constexpr int LoadReach = 255;
// The lowest the cook stands in the lower room: this far above the counter.
inline constexpr int CookAboveCounter = 752;
// How far an oven rises for each sandwich it takes, and sinks back at the count-down.
inline constexpr int OvenStep = 525;
inline constexpr ui::Colour White = 16777215;

} // namespace game::layout
