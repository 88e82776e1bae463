// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace art {

QImage blank(int w, int h, QRgb bg) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(bg);
    return img;
}

void put(QImage& img, int x, int y, QRgb c) {
    if (x >= 0 && y >= 0 && x < img.width() && y < img.height())
        img.setPixel(x, y, c);
}

QRgb get(const QImage& img, int x, int y) {
    if (x >= 0 && y >= 0 && x < img.width() && y < img.height())
        return img.pixel(x, y);
    return 0;
}

void rect(QImage& img, int x, int y, int w, int h, QRgb c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            put(img, i, j, c);
}

void frame(QImage& img, int x, int y, int w, int h, QRgb c) {
    hline(img, x, x + w - 1, y, c);
    hline(img, x, x + w - 1, y + h - 1, c);
    vline(img, x, y, y + h - 1, c);
    vline(img, x + w - 1, y, y + h - 1, c);
}

void bevel(QImage& img, int x, int y, int w, int h, QRgb light, QRgb dark, int t) {
    for (int k = 0; k < t; ++k) {
        hline(img, x + k, x + w - 1 - k, y + k, light);
        vline(img, x + k, y + k, y + h - 1 - k, light);
        hline(img, x + k, x + w - 1 - k, y + h - 1 - k, dark);
        vline(img, x + w - 1 - k, y + k, y + h - 1 - k, dark);
    }
}

void hline(QImage& img, int x0, int x1, int y, QRgb c) {
    if (x0 > x1)
        std::swap(x0, x1);
    for (int x = x0; x <= x1; ++x)
        put(img, x, y, c);
}

void vline(QImage& img, int x, int y0, int y1, QRgb c) {
    if (y0 > y1)
        std::swap(y0, y1);
    for (int y = y0; y <= y1; ++y)
        put(img, x, y, c);
}

void line(QImage& img, int x0, int y0, int x1, int y1, QRgb c) {
    // Plain Bresenham, so diagonals come out as clean 1-px steps.
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        put(img, x0, y0, c);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void blit(QImage& dst, int x, int y, const QImage& src) {
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i)
            put(dst, x + i, y + j, src.pixel(i, j));
}

void blitKeyed(QImage& dst, int x, int y, const QImage& src, QRgb key) {
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i)
            if (src.pixel(i, j) != key)
                put(dst, x + i, y + j, src.pixel(i, j));
}

QImage mirrored(const QImage& src) {
    QImage out(src.size(), QImage::Format_RGB32);
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i)
            out.setPixel(src.width() - 1 - i, j, src.pixel(i, j));
    return out;
}

void recolour(QImage& img, const QRect& area, QRgb from, QRgb to) {
    for (int j = area.top(); j <= area.bottom(); ++j)
        for (int i = area.left(); i <= area.right(); ++i)
            if (get(img, i, j) == from)
                put(img, i, j, to);
}

void sprite(QImage& img, int x, int y, const Rows& rows, const Keys& keys) {
    for (int j = 0; j < static_cast<int>(rows.size()); ++j) {
        const std::string& row = rows[static_cast<size_t>(j)];
        for (int i = 0; i < static_cast<int>(row.size()); ++i) {
            const char ch = row[static_cast<size_t>(i)];
            if (ch == '.')
                continue;
            auto it =
                std::find_if(keys.begin(), keys.end(), [ch](const Key& k) { return k.ch == ch; });
            if (it == keys.end()) {
                std::fprintf(stderr, "drawart: no colour for '%c' (row %d)\n", ch, j);
                std::exit(2);
            }
            put(img, x + i, y + j, it->colour);
        }
    }
}

Rows mirrorHalves(const Rows& halves, bool sharedCentre) {
    Rows out;
    for (const std::string& h : halves) {
        std::string full = h;
        for (int i = static_cast<int>(h.size()) - (sharedCentre ? 2 : 1); i >= 0; --i)
            full += h[static_cast<size_t>(i)];
        out.push_back(full);
    }
    return out;
}

Rows flipRows(const Rows& rows) {
    Rows out;
    for (const std::string& r : rows)
        out.emplace_back(r.rbegin(), r.rend());
    return out;
}

Mask::Mask(int w, int h) : w_(w), h_(h), bits_(static_cast<size_t>(w * h), 0) {}

bool Mask::on(int x, int y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_)
        return false;
    return bits_[static_cast<size_t>(y * w_ + x)] != 0;
}

void Mask::set(int x, int y, bool v) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_)
        return;
    bits_[static_cast<size_t>(y * w_ + x)] = v ? 1 : 0;
}

void Mask::ellipse(double cx, double cy, double rx, double ry, bool v) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0)
                set(x, y, v);
        }
}

void Mask::box(int x, int y, int w, int h, bool v) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            set(i, j, v);
}

void Mask::unite(const Mask& o) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            if (o.on(x, y))
                set(x, y);
}

void Mask::intersect(const Mask& o) {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            if (!o.on(x, y))
                set(x, y, false);
}

bool Mask::edge(int x, int y) const {
    return on(x, y) && (!on(x - 1, y) || !on(x + 1, y) || !on(x, y - 1) || !on(x, y + 1));
}

int Mask::top(int x) const {
    for (int y = 0; y < h_; ++y)
        if (on(x, y))
            return y;
    return -1;
}

int Mask::bottom(int x) const {
    for (int y = h_ - 1; y >= 0; --y)
        if (on(x, y))
            return y;
    return -1;
}

void Mask::fill(QImage& img, int ox, int oy, QRgb c) const {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            if (on(x, y))
                put(img, ox + x, oy + y, c);
}

void Mask::outline(QImage& img, int ox, int oy, QRgb c) const {
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            if (edge(x, y))
                put(img, ox + x, oy + y, c);
}

QFont pixelFont(const QString& family, int px, bool bold, bool italic, bool smooth) {
    QFont f(family);
    f.setPixelSize(px);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(smooth ? QFont::PreferAntialias : QFont::NoAntialias);
    return f;
}

void text(QImage& img, const QRect& box, const QString& s, const QFont& font, QRgb c, int align) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, font.styleStrategy() != QFont::NoAntialias);
    p.setFont(font);
    p.setPen(QColor::fromRgb(c));
    p.drawText(box, align, s);
}

void shadowText(QImage& img, const QRect& box, const QString& s, const QFont& font, QRgb c,
                QRgb shadow, int align) {
    text(img, box.translated(1, 1), s, font, shadow, align);
    text(img, box, s, font, c, align);
}

} // namespace art
