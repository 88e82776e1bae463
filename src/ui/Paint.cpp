// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Paint.h"

#include "ui/Translate.h"

#include <algorithm>

namespace ui {

namespace {

constexpr int Px = TwipsPerPixel;
constexpr Colour Black = 0x000000;
constexpr Colour White = 0xFFFFFF;
constexpr Colour Grey = 0x808080;
// The signs' yellow, 0x00BBGGRR.
constexpr Colour SignYellow = 0x40DCFF;

PixelBox BoxOf(const Control& c, int originX, int originY) {
    return {originX + FloorPixels(c.Left()), originY + FloorPixels(c.Top()), c.Width() / Px,
            c.Height() / Px};
}

// A one-pixel black frame along the inside of the box.
void Border(Canvas& canvas, const PixelBox& b) {
    canvas.Fill({b.x, b.y, b.w, 1}, Black);
    canvas.Fill({b.x, b.y + b.h - 1, b.w, 1}, Black);
    canvas.Fill({b.x, b.y, 1, b.h}, Black);
    canvas.Fill({b.x + b.w - 1, b.y, 1, b.h}, Black);
}

void DrawPicture(Canvas& canvas, const Control& c, const PixelBox& box) {
    if (c.Picture()) {
        // Shown from the top-left corner at its own size; the box clips it.
        canvas.Picture(c.Picture(), box.x, box.y);
    }
}

TextCall CaptionOf(const Control& c) {
    TextCall call;
    call.text = c.Caption();
    call.font = c.font;
    call.pixels = FontPixels(c.font);
    call.colour = c.Enabled() ? c.ForeColor() : Grey;
    call.align = c.GetAlignment();
    return call;
}

// Order lines lay their ticks on a grid: a blank is 4 pixels, any other
// character sits centred in 8, so the ticks stand under the column icons.
void DrawGridText(Canvas& canvas, TextCall call, const PixelBox& box) {
    const std::string line = call.text;
    int x = box.x + 1;
    for (std::size_t i = 0; i < line.size();) {
        // One character, whole: its UTF-8 bytes together.
        std::size_t length = 1;
        while (i + length < line.size() && (line[i + length] & 0xC0) == 0x80) {
            ++length;
        }
        call.text = line.substr(i, length);
        i += length;
        if (call.text == " ") {
            x += 4;
            continue;
        }
        const int width = canvas.TextWidth(call);
        canvas.Text({x + (8 - width) / 2, box.y, std::max(width, 8), box.h}, call);
        x += 8;
    }
}

void DrawLabel(Canvas& canvas, const Painting& with, const Control& c, const PixelBox& box) {
    if (!c.transparent) {
        // The blinking line shows the colour of the moment, not of the last tick.
        const bool blinking = with.effects != nullptr && with.effects->blinkLine == &c;
        const Colour colour = blinking
                                  ? (with.blinkStrong ? with.effects->strong : with.effects->pale)
                                  : c.BackColor();
        canvas.Fill(box, colour);
    }
    if (!c.Caption().empty()) {
        if (c.gridText) {
            DrawGridText(canvas, CaptionOf(c), box);
        } else {
            // A pixel of margin on either side.
            canvas.Text({box.x + 1, box.y, box.w - 2, box.h}, CaptionOf(c));
        }
    }
    if (c.bordered) {
        Border(canvas, box);
    }
}

// A form's or a picture box's own colour and picture, within `clip`.
void PaintSurface(Canvas& canvas, const Control& c, const PixelBox& box, const PixelBox& clip) {
    canvas.Clip(clip);
    // The pictures are opaque: where one covers the clip, its back colour
    // would never show.
    const PictureRef& picture = c.Picture();
    if (!picture || !PixelBox{box.x, box.y, picture->widthPx, picture->heightPx}.Contains(clip)) {
        canvas.Fill(box, c.BackColor());
    }
    DrawPicture(canvas, c, box);
}

// The topmost of the container's picture boxes that hides all of `clip`
// (each is filled with its back colour, so it is opaque); nothing of the
// container beneath it shows there. Null when none does.
const Control* Cover(const Control& container, int x, int y, const PixelBox& clip) {
    const Control* cover = nullptr;
    for (const Control* child : container.children()) {
        if (child->Visible() && child->kind() == Kind::PictureBox &&
            BoxOf(*child, x, y).Contains(clip)) {
            cover = child;
        }
    }
    return cover;
}

void PaintChildren(Canvas& canvas, const Painting& with, const Control& container, int x, int y,
                   const PixelBox& clip, const Control* cover);

void PaintPictureBox(Canvas& canvas, const Painting& with, const Control& c, int x, int y,
                     const PixelBox& clip) {
    const PixelBox box = BoxOf(c, x, y);
    const PixelBox visible = box & clip;
    if (visible.Empty()) {
        return;
    }
    const Control* cover = Cover(c, box.x, box.y, visible);
    if (cover == nullptr) {
        PaintSurface(canvas, c, box, visible);
        if (c.bordered) {
            Border(canvas, box);
        }
    }
    PaintChildren(canvas, with, c, box.x, box.y, visible, cover);
}

// Paints the container's children within `clip`, from `cover` up when one
// hides the rest.
void PaintChildren(Canvas& canvas, const Painting& with, const Control& container, int x, int y,
                   const PixelBox& clip, const Control* cover) {
    // Labels and images lie on the container's surface, under its picture boxes.
    for (const Control* child : container.children()) {
        if (cover != nullptr || !child->Visible() ||
            (child->kind() != Kind::Image && child->kind() != Kind::Label)) {
            continue;
        }
        const PixelBox box = BoxOf(*child, x, y);
        const PixelBox visible = box & clip;
        if (visible.Empty()) {
            continue;
        }
        canvas.Clip(visible);
        if (child->kind() == Kind::Image) {
            DrawPicture(canvas, *child, box);
        } else {
            DrawLabel(canvas, with, *child, box);
        }
    }
    for (const Control* child : container.children()) {
        if (child == cover) {
            cover = nullptr;
        }
        if (cover == nullptr && child->Visible() && child->kind() == Kind::PictureBox) {
            PaintPictureBox(canvas, with, *child, x, y, clip);
        }
    }
}

// Where a control's own top-left corner lies in its form's client area, in
// pixels, placed as PaintChildren places it.
void Origin(const Control& c, int& x, int& y) {
    x = 0;
    y = 0;
    for (const Control* at = &c; at != nullptr && at->kind() != Kind::Form; at = at->parent()) {
        x += FloorPixels(at->Left());
        y += FloorPixels(at->Top());
    }
}

// Each broken item or sandwich where it broke, over everything in its
// container and only there.
void PaintSplashes(Canvas& canvas, const Form& form, const Painting& with, const PixelBox& area) {
    if (with.effects == nullptr) {
        return;
    }
    for (const auto& splash : with.effects->splashes) {
        if (splash.container == nullptr || splash.container->form() != &form || !splash.picture) {
            continue;
        }
        const auto shown = splash.container->ShownRect();
        if (!shown) {
            continue;
        }
        const int left = FloorPixels(shown->left);
        const int top = FloorPixels(shown->top);
        const PixelBox room{left, top, CeilPixels(shown->right) - left,
                            CeilPixels(shown->bottom) - top};
        const PixelBox clip = room & area;
        if (clip.Empty()) {
            continue;
        }
        int x = 0;
        int y = 0;
        Origin(*splash.container, x, y);
        canvas.Clip(clip);
        canvas.Picture(splash.picture, x + FloorPixels(splash.left), y + FloorPixels(splash.top));
    }
}

// The signs' words: the window font, bold, at their own sizes.
TextCall SignText(const char* text, int pixels, int spacing, Colour colour) {
    TextCall call;
    call.text = text;
    call.pixels = pixels;
    call.spacing = spacing;
    call.colour = colour;
    call.align = Alignment::Center;
    call.middle = true;
    return call;
}

TextCall PauseWord() {
    return SignText(PELMAR_TR("pelmar", "PAUSA"), 22, 3, White);
}

} // namespace

PixelBox PixelBox::operator&(const PixelBox& o) const {
    const int left = std::max(x, o.x);
    const int top = std::max(y, o.y);
    const int right = std::min(x + w, o.x + o.w);
    const int bottom = std::min(y + h, o.y + o.h);
    return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

bool Monospaced(const Font& font) {
    return font.family.rfind("Courier", 0) == 0;
}

int FontPixels(const Font& font) {
    return static_cast<int>(font.points * 96.0 / 72.0 + 0.5) - (Monospaced(font) ? 1 : 0);
}

void PaintForm(Canvas& canvas, const Form& form, const PixelBox& area, const Painting& with) {
    const PixelBox client{0, 0, form.clientWidth / Px, form.clientHeight / Px};
    const PixelBox clip = client & area;
    const Control* cover = Cover(form, 0, 0, clip);
    if (!clip.Empty() && cover == nullptr) {
        PaintSurface(canvas, form, client, clip);
    }
    PaintChildren(canvas, with, form, 0, 0, clip, cover);
    PaintSplashes(canvas, form, with, clip);
    canvas.Unclip();
}

PixelBox PauseSignBox(Canvas& canvas, int width, int height) {
    const TextCall word = PauseWord();
    const int w = canvas.TextWidth(word) + 36;
    const int h = canvas.TextHeight(word) + 14;
    // Over the middle of the kitchen, above the order lines.
    return {(width - w) / 2, height * 2 / 5 - h / 2, w, h};
}

void PaintPauseSign(Canvas& canvas, const PixelBox& sign) {
    canvas.Unclip();
    // Black at 190 of 255 over the picture, then a yellow frame two pixels
    // wide along a line a pixel in, the left corners cut.
    canvas.Fill(sign, Black, 190);
    const PixelBox edge{sign.x + 1, sign.y + 1, sign.w - 3, sign.h - 3};
    canvas.Fill({edge.x, edge.y - 1, edge.w + 1, 2}, SignYellow);
    canvas.Fill({edge.x, edge.y + edge.h - 1, edge.w + 1, 2}, SignYellow);
    canvas.Fill({edge.x - 1, edge.y, 2, edge.h}, SignYellow);
    canvas.Fill({edge.x + edge.w - 1, edge.y - 1, 2, edge.h + 2}, SignYellow);
    canvas.Text(sign, PauseWord());
}

void PaintReplaySign(Canvas& canvas, int width, int height) {
    canvas.Unclip();
    const TextCall word = SignText(PELMAR_TR("pelmar", "REPETIÇÃO"), 10, 0, SignYellow);
    // In the upper room's far corner, clear of the counters and the lines.
    const PixelBox sign{width / 5, height / 5, canvas.TextWidth(word) + 8,
                        canvas.TextHeight(word) + 2};
    canvas.Fill(sign, Black, 160);
    canvas.Text(sign, word);
}

} // namespace ui
