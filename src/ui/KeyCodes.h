// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The key codes the game's key events carry, shared by the game, the front
// ends and the tests.
namespace ui::keys {

enum Code : int {
    Backspace = 8,
    Tab = 9,
    Enter = 13,
    Shift = 16,
    Ctrl = 17,
    Alt = 18,
    Pause = 19,
    Escape = 27,
    Space = 32,
    PageUp = 33,
    PageDown = 34,
    End = 35,
    Home = 36,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
    Insert = 45,
    Delete = 46,
    F1 = 112,
};

} // namespace ui::keys
