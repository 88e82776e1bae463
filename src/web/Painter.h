// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Controls.h"
#include "ui/Effects.h"

#include <string>

namespace web {

// A pixel rectangle: left, top, width, height.
struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    Box operator&(const Box& o) const;
    bool Empty() const { return w <= 0 || h <= 0; }
    // Whether `o` lies wholly inside this box (an empty one always does).
    bool Contains(const Box& o) const {
        return o.Empty() || (o.x >= x && o.y >= y && o.x + o.w <= x + w && o.y + o.h <= y + h);
    }
};

// What one paint draws over the controls: the effects, and which of the
// blinking line's two colours shows now.
struct Painting {
    const ui::Effects* effects = nullptr;
    bool blinkStrong = true;
};

// Paints the part `area` of a form's client area onto its page canvas from
// the model: picture boxes, images and labels in z-order, each clipped to
// its own box and to its container, as the desktop paints them; then the
// splashes over their containers.
void PaintForm(int canvas, const ui::Form& form, const Box& area, const Painting& with = {});

// The CSS colour of a 0x00BBGGRR value or of a desktop colour.
std::string CssColour(ui::Colour colour);
// The CSS font of a control; its pixel size as the desktop computes it,
// unless `pixels` gives another.
std::string CssFont(const ui::Font& font, int pixels = 0);

// The sign over the playfield while the player has paused the game, with the
// desktop's box, colours, font and place: where it lies in a client area of
// this size, and its paint over what is already there.
Box PauseSignBox(int width, int height);
void PaintPauseSign(int canvas, const Box& sign);

} // namespace web
