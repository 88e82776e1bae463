// SPDX-License-Identifier: GPL-3.0-or-later
#include "Painter.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdio>

namespace {

// The drawing calls of the page's canvases (PelmarPage in page.js).
EM_JS(void, canvas_clip, (int canvas, int x, int y, int w, int h),
      { PelmarPage.clip(canvas, x, y, w, h); });
EM_JS(void, canvas_fill, (int canvas, int x, int y, int w, int h, const char* colour),
      { PelmarPage.fill(canvas, x, y, w, h, UTF8ToString(colour)); });
EM_JS(void, canvas_image, (int canvas, const char* picture, int x, int y),
      { PelmarPage.image(canvas, UTF8ToString(picture), x, y); });
EM_JS(void, canvas_border, (int canvas, int x, int y, int w, int h),
      { PelmarPage.border(canvas, x, y, w, h); });
EM_JS(void, canvas_text,
      (int canvas, int x, int y, int w, int h, int align, int grid, const char* font,
       const char* colour, const char* text),
      {
          PelmarPage.text(canvas, x, y, w, h, align, grid, UTF8ToString(font), UTF8ToString(colour),
                          UTF8ToString(text));
      });
EM_JS(void, canvas_done, (int canvas), { PelmarPage.done(canvas); });
EM_JS(void, canvas_centred_text,
      (int canvas, int x, int y, int w, int h, const char* font, int spacing, const char* colour,
       const char* text),
      {
          PelmarPage.centredText(canvas, x, y, w, h, UTF8ToString(font), spacing,
                                 UTF8ToString(colour), UTF8ToString(text));
      });
EM_JS(int, text_advance, (const char* font, int spacing, const char* text),
      { return PelmarPage.textAdvance(UTF8ToString(font), spacing, UTF8ToString(text)); });
EM_JS(int, font_height, (const char* font), { return PelmarPage.fontHeight(UTF8ToString(font)); });

// The pause sign's words: the window font, bold, 22 pixels high, its
// letters 3 pixels further apart.
constexpr const char* PauseWord = "PAUSA";
constexpr int PauseSpacing = 3;

std::string PauseFont() {
    return web::CssFont(ui::Font{"MS Sans Serif", 8.25, true, false}, 22);
}

using web::Box;
using web::Painting;

constexpr int Px = ui::TwipsPerPixel;

Box PixelBox(const ui::Control& c, int originX, int originY) {
    return {originX + ui::FloorPixels(c.Left()), originY + ui::FloorPixels(c.Top()), c.Width() / Px,
            c.Height() / Px};
}

void Clip(int canvas, const Box& b) {
    canvas_clip(canvas, b.x, b.y, b.w, b.h);
}

void DrawPicture(int canvas, const ui::Control& c, const Box& box) {
    if (c.Picture()) {
        // Shown from the top-left corner at its own size; the box clips it.
        canvas_image(canvas, c.Picture()->resource.c_str(), box.x, box.y);
    }
}

void DrawLabel(int canvas, const Painting& with, const ui::Control& c, const Box& box) {
    if (!c.transparent) {
        // The blinking line shows the colour of the moment, not of the last tick.
        const bool blinking = with.effects != nullptr && with.effects->blinkLine == &c;
        const ui::Colour colour =
            blinking ? (with.blinkStrong ? with.effects->strong : with.effects->pale)
                     : c.BackColor();
        canvas_fill(canvas, box.x, box.y, box.w, box.h, web::CssColour(colour).c_str());
    }
    if (!c.Caption().empty()) {
        const std::string colour = c.Enabled() ? web::CssColour(c.ForeColor()) : "#808080";
        canvas_text(canvas, box.x, box.y, box.w, box.h, static_cast<int>(c.GetAlignment()),
                    c.gridText ? 1 : 0, web::CssFont(c.font).c_str(), colour.c_str(),
                    c.Caption().c_str());
    }
    if (c.bordered) {
        canvas_border(canvas, box.x, box.y, box.w, box.h);
    }
}

void PaintChildren(int canvas, const Painting& with, const ui::Control& container, int x, int y,
                   const Box& clip, const ui::Control* cover);

void PaintSurface(int canvas, const ui::Control& c, const Box& box, const Box& clip) {
    Clip(canvas, clip);
    // The pictures are opaque: where one covers the clip, its back colour
    // would never show.
    const ui::PictureRef& picture = c.Picture();
    if (!picture || !Box{box.x, box.y, picture->widthPx, picture->heightPx}.Contains(clip)) {
        canvas_fill(canvas, box.x, box.y, box.w, box.h, web::CssColour(c.BackColor()).c_str());
    }
    DrawPicture(canvas, c, box);
}

// The topmost of the container's picture boxes that hides all of `clip`
// (each is filled with its back colour, so it is opaque); nothing of the
// container beneath it shows there. Null when none does.
const ui::Control* Cover(const ui::Control& container, int x, int y, const Box& clip) {
    const ui::Control* cover = nullptr;
    for (const ui::Control* child : container.children()) {
        if (child->Visible() && child->kind() == ui::Kind::PictureBox &&
            PixelBox(*child, x, y).Contains(clip)) {
            cover = child;
        }
    }
    return cover;
}

void PaintPictureBox(int canvas, const Painting& with, const ui::Control& c, int x, int y,
                     const Box& clip) {
    const Box box = PixelBox(c, x, y);
    const Box visible = box & clip;
    if (visible.Empty()) {
        return;
    }
    const ui::Control* cover = Cover(c, box.x, box.y, visible);
    if (cover == nullptr) {
        PaintSurface(canvas, c, box, visible);
        if (c.bordered) {
            canvas_border(canvas, box.x, box.y, box.w, box.h);
        }
    }
    PaintChildren(canvas, with, c, box.x, box.y, visible, cover);
}

// Paints the container's children within `clip`, from `cover` up when one
// hides the rest.
void PaintChildren(int canvas, const Painting& with, const ui::Control& container, int x, int y,
                   const Box& clip, const ui::Control* cover) {
    // Labels and images lie on the container's surface, under its picture boxes.
    for (const ui::Control* child : container.children()) {
        if (cover != nullptr || !child->Visible() ||
            (child->kind() != ui::Kind::Image && child->kind() != ui::Kind::Label)) {
            continue;
        }
        const Box box = PixelBox(*child, x, y);
        const Box visible = box & clip;
        if (visible.Empty()) {
            continue;
        }
        Clip(canvas, visible);
        if (child->kind() == ui::Kind::Image) {
            DrawPicture(canvas, *child, box);
        } else {
            DrawLabel(canvas, with, *child, box);
        }
    }
    for (const ui::Control* child : container.children()) {
        if (child == cover) {
            cover = nullptr;
        }
        if (cover == nullptr && child->Visible() && child->kind() == ui::Kind::PictureBox) {
            PaintPictureBox(canvas, with, *child, x, y, clip);
        }
    }
}

// Where a control's own top-left corner lies in its form's client area, in
// pixels, placed as PaintChildren places it.
void Origin(const ui::Control& c, int& x, int& y) {
    x = 0;
    y = 0;
    for (const ui::Control* at = &c; at != nullptr && at->kind() != ui::Kind::Form;
         at = at->parent()) {
        x += ui::FloorPixels(at->Left());
        y += ui::FloorPixels(at->Top());
    }
}

// Each broken item or sandwich where it broke, over everything in its
// container and only there.
void PaintSplashes(int canvas, const ui::Form& form, const Painting& with, const Box& area) {
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
        const int left = ui::FloorPixels(shown->left);
        const int top = ui::FloorPixels(shown->top);
        const Box room{left, top, ui::CeilPixels(shown->right) - left,
                       ui::CeilPixels(shown->bottom) - top};
        const Box clip = room & area;
        if (clip.Empty()) {
            continue;
        }
        int x = 0;
        int y = 0;
        Origin(*splash.container, x, y);
        Clip(canvas, clip);
        canvas_image(canvas, splash.picture->resource.c_str(), x + ui::FloorPixels(splash.left),
                     y + ui::FloorPixels(splash.top));
    }
}

} // namespace

namespace web {

Box Box::operator&(const Box& o) const {
    const int left = std::max(x, o.x);
    const int top = std::max(y, o.y);
    const int right = std::min(x + w, o.x + o.w);
    const int bottom = std::min(y + h, o.y + o.h);
    return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

std::string CssColour(ui::Colour colour) {
    if (colour == ui::SystemWindow) {
        return "#ffffff";
    }
    if (colour == ui::SystemWindowText) {
        return "#000000";
    }
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF,
                  (colour >> 16) & 0xFF);
    return text;
}

std::string CssFont(const ui::Font& font, int pixels) {
    const bool mono = font.family.rfind("Courier", 0) == 0;
    if (pixels <= 0) {
        pixels = static_cast<int>(font.points * 96.0 / 72.0 + 0.5) - (mono ? 1 : 0);
    }
    std::string css = font.italic ? "italic " : "";
    css += font.bold ? "bold " : "";
    css += std::to_string(pixels) + "px ";
    css += mono ? "\"DejaVu Sans Mono\", \"Liberation Mono\", monospace"
                : "\"DejaVu Sans\", \"Liberation Sans\", Arial, sans-serif";
    return css;
}

void PaintForm(int canvas, const ui::Form& form, const Box& area, const Painting& with) {
    const Box client{0, 0, form.clientWidth / Px, form.clientHeight / Px};
    const Box clip = client & area;
    const ui::Control* cover = Cover(form, 0, 0, clip);
    if (!clip.Empty() && cover == nullptr) {
        PaintSurface(canvas, form, client, clip);
    }
    PaintChildren(canvas, with, form, 0, 0, clip, cover);
    PaintSplashes(canvas, form, with, clip);
    canvas_done(canvas);
}

Box PauseSignBox(int width, int height) {
    const std::string font = PauseFont();
    const int w = text_advance(font.c_str(), PauseSpacing, PauseWord) + 36;
    const int h = font_height(font.c_str()) + 14;
    // Over the middle of the kitchen, above the order lines.
    return {(width - w) / 2, height * 2 / 5 - h / 2, w, h};
}

void PaintPauseSign(int canvas, const Box& sign) {
    // Black at 190 of 255 over the picture, then a yellow frame: the desktop
    // strokes the box's edge moved 1 pixel in with a pen 2 pixels wide, whose
    // bevelled joins leave out the two outer corners on the left.
    canvas_fill(canvas, sign.x, sign.y, sign.w, sign.h, "rgba(0, 0, 0, 0.745098)");
    const Box edge{sign.x + 1, sign.y + 1, sign.w - 3, sign.h - 3};
    constexpr const char* yellow = "#ffdc40";
    canvas_fill(canvas, edge.x, edge.y - 1, edge.w + 1, 2, yellow);
    canvas_fill(canvas, edge.x, edge.y + edge.h - 1, edge.w + 1, 2, yellow);
    canvas_fill(canvas, edge.x - 1, edge.y, 2, edge.h, yellow);
    canvas_fill(canvas, edge.x + edge.w - 1, edge.y - 1, 2, edge.h + 2, yellow);
    canvas_centred_text(canvas, sign.x, sign.y, sign.w, sign.h, PauseFont().c_str(), PauseSpacing,
                        "#ffffff", PauseWord);
    canvas_done(canvas);
}

} // namespace web
