// SPDX-License-Identifier: GPL-3.0-or-later
// What a window looks like, as a short list of drawing calls: every front
// end paints the same walk of the same forms, and only carries the calls
// out with its own toolkit.
#pragma once

#include "ui/Controls.h"
#include "ui/Effects.h"

#include <string>

namespace ui {

// A rectangle of pixels: left, top, width, height.
struct PixelBox {
    int x = 0, y = 0, w = 0, h = 0;
    PixelBox operator&(const PixelBox& o) const;
    bool Empty() const { return w <= 0 || h <= 0; }
    // Whether `o` lies wholly inside this box (an empty one always does).
    bool Contains(const PixelBox& o) const {
        return o.Empty() || (o.x >= x && o.y >= y && o.x + o.w <= x + w && o.y + o.h <= y + h);
    }
    bool operator==(const PixelBox&) const = default;
};

// One line of text. It sits in its box from the box's top edge, or in the
// middle of it when `middle`; its left edge at the box's left, its right
// edge at the box's right, or its middle in the box's middle.
struct TextCall {
    // As the game has it; the front end shows it in the player's language.
    std::string text;
    Font font;
    // The font's height in pixels, and extra pixels between the letters.
    int pixels = 0;
    int spacing = 0;
    Colour colour = 0;
    Alignment align = Alignment::Left;
    bool middle = false;
};

// The calls a front end carries out. Each draws only inside the last clip.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void Clip(const PixelBox& area) = 0;
    virtual void Unclip() = 0;
    // `alpha` of 255 is opaque; less lets what is beneath show through.
    virtual void Fill(const PixelBox& box, Colour colour, int alpha = 255) = 0;
    // A picture at its own size, its top-left corner at (x, y).
    virtual void Picture(const PictureRef& picture, int x, int y) = 0;
    virtual void Text(const PixelBox& box, const TextCall& text) = 0;
    // How wide the text is shown, and how high a line of its font is.
    virtual int TextWidth(const TextCall& text) = 0;
    virtual int TextHeight(const TextCall& text) = 0;
};

// What one paint shows over the controls: the effects, and which of the
// blinking line's two colours shows now.
struct Painting {
    const Effects* effects = nullptr;
    bool blinkStrong = true;
};

// A font's height in pixels on a 96 dpi screen; a fixed-width font a pixel
// smaller, so that its letters take the widths the windows were laid out for.
int FontPixels(const Font& font);
// Whether a font is the fixed-width one.
bool Monospaced(const Font& font);

// Paints the part `area` of a form's client area from its model: the picture
// boxes, images and labels in z-order, each clipped to its own box and to
// its container, leaving out what an opaque picture box hides; then the
// splashes of the effects over their containers.
void PaintForm(Canvas& canvas, const Form& form, const PixelBox& area, const Painting& with = {});

// The sign over the playfield while the player has paused the game: where it
// lies in a client area of this size, and its paint.
PixelBox PauseSignBox(Canvas& canvas, int width, int height);
void PaintPauseSign(Canvas& canvas, const PixelBox& sign);
// "REPETIÇÃO", small, in a corner of the kitchen: a record plays.
void PaintReplaySign(Canvas& canvas, int width, int height);

} // namespace ui
