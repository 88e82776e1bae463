// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

class QKeyEvent;

namespace qt {

// Whether the key of a release is in fact still held down, asked of the X
// server's keymap: auto-repeat sends a release before each repeated press,
// and a busy machine may deliver that press too late to tell them apart.
// Nothing where the window system cannot say.
std::optional<bool> StillHeld(const QKeyEvent& release);

} // namespace qt
