// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Controls.h"
#include "ui/Paint.h"

#include <string>

namespace web {

using Box = ui::PixelBox;
using Painting = ui::Painting;

// Lets the page take its turn, in a call the page has the program make in
// slices (its start, its first picture) once a slice is spent; nothing at
// any other time.
void Breathe();
// Whether the call the program is in is made in slices: set at its start,
// cleared at its end.
void SetSliced(bool sliced);

// Paints the part `area` of a form's client area onto its page canvas, as
// every front end walks it.
void PaintForm(int canvas, const ui::Form& form, const Box& area, const Painting& with = {});

// The CSS colour of a 0x00BBGGRR value or of a desktop colour, with
// `alpha` of 255 opaque.
std::string CssColour(ui::Colour colour, int alpha = 255);
// The CSS font of a control; its pixel size as the desktop computes it,
// unless `pixels` gives another.
std::string CssFont(const ui::Font& font, int pixels = 0);

// The sign over the playfield while the player has paused the game: where it
// lies in a client area of this size, and its paint over what is already there.
Box PauseSignBox(int canvas, int width, int height);
void PaintPauseSign(int canvas, const Box& sign);

} // namespace web
