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
EM_JS(void, canvas_text,
      (int canvas, int x, int y, int w, int h, int align, int middle, const char* font, int spacing,
       const char* colour, const char* text),
      {
          PelmarPage.text(canvas, x, y, w, h, align, middle, UTF8ToString(font), spacing,
                          UTF8ToString(colour), UTF8ToString(text));
      });
EM_JS(void, canvas_done, (int canvas), { PelmarPage.done(canvas); });
EM_JS(int, text_advance, (const char* font, int spacing, const char* text),
      { return PelmarPage.textAdvance(UTF8ToString(font), spacing, UTF8ToString(text)); });
EM_JS(int, font_height, (const char* font), { return PelmarPage.fontHeight(UTF8ToString(font)); });
// In a call the page has the program make in slices, the page takes its turn
// whenever the program has held its thread for a slice: the program sleeps
// (Asyncify) and wakes in a task of its own. Waking, the call comes again
// to finish its sleep.
EM_JS(void, page_breathe, (), {
    if (Asyncify.state == Asyncify.State.Rewinding || PelmarPage.sliceOver()) {
        Asyncify.handleSleep(PelmarPage.breathe);
    }
});

// The walk's drawing calls carried out on a page canvas.
class WebCanvas final : public ui::Canvas {
public:
    explicit WebCanvas(int canvas) : canvas_(canvas) {}
    void Clip(const ui::PixelBox& b) override { canvas_clip(canvas_, b.x, b.y, b.w, b.h); }
    void Unclip() override { canvas_done(canvas_); }
    void Fill(const ui::PixelBox& b, ui::Colour colour, int alpha) override {
        web::Breathe();
        canvas_fill(canvas_, b.x, b.y, b.w, b.h, web::CssColour(colour, alpha).c_str());
    }
    void Picture(const ui::PictureRef& picture, int x, int y) override {
        web::Breathe();
        canvas_image(canvas_, picture->resource.c_str(), x, y);
    }
    void Text(const ui::PixelBox& b, const ui::TextCall& text) override {
        web::Breathe();
        const std::string font = web::CssFont(text.font, text.pixels);
        const std::string colour = web::CssColour(text.colour);
        canvas_text(canvas_, b.x, b.y, b.w, b.h, static_cast<int>(text.align), text.middle ? 1 : 0,
                    font.c_str(), text.spacing, colour.c_str(), text.text.c_str());
    }
    int TextWidth(const ui::TextCall& text) override {
        return text_advance(web::CssFont(text.font, text.pixels).c_str(), text.spacing,
                            text.text.c_str());
    }
    int TextHeight(const ui::TextCall& text) override {
        return font_height(web::CssFont(text.font, text.pixels).c_str());
    }

private:
    int canvas_;
};

} // namespace

namespace web {

namespace {
bool sliced = false;
} // namespace

// Outside a call in slices, which is nearly always, no trip out of the
// program: Breathe comes before every item painted.
void Breathe() {
    if (sliced) {
        page_breathe();
    }
}

void SetSliced(bool on) {
    sliced = on;
}

std::string CssColour(ui::Colour colour, int alpha) {
    if (colour == ui::SystemWindow) {
        colour = 0xFFFFFF;
    } else if (colour == ui::SystemWindowText) {
        colour = 0;
    }
    char text[40];
    if (alpha >= 255) {
        std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF,
                      (colour >> 16) & 0xFF);
    } else {
        std::snprintf(text, sizeof text, "rgba(%u, %u, %u, %.6f)", colour & 0xFF,
                      (colour >> 8) & 0xFF, (colour >> 16) & 0xFF, alpha / 255.0);
    }
    return text;
}

std::string CssFont(const ui::Font& font, int pixels) {
    const bool mono = ui::Monospaced(font);
    if (pixels <= 0) {
        pixels = ui::FontPixels(font);
    }
    std::string css = font.italic ? "italic " : "";
    css += font.bold ? "bold " : "";
    css += std::to_string(pixels) + "px ";
    css += mono ? "\"DejaVu Sans Mono\", \"Liberation Mono\", monospace"
                : "\"DejaVu Sans\", \"Liberation Sans\", Arial, sans-serif";
    return css;
}

void PaintForm(int canvas, const ui::Form& form, const Box& area, const Painting& with) {
    WebCanvas on(canvas);
    ui::PaintForm(on, form, area, with);
}

Box PauseSignBox(int canvas, int width, int height) {
    WebCanvas on(canvas);
    return ui::PauseSignBox(on, width, height);
}

void PaintPauseSign(int canvas, const Box& sign) {
    WebCanvas on(canvas);
    ui::PaintPauseSign(on, sign);
    on.Unclip();
}

} // namespace web
