// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace qt {

// The game's key code for a Qt key: arrows 37..40, Ctrl 17, Space 32, ...
int GameKeyCode(int qtKey);

} // namespace qt
