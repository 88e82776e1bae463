// SPDX-License-Identifier: GPL-3.0-or-later
// Small pixel-art toolbox on top of QImage: every call writes whole pixels,
// nothing is blended, so colours stay exact.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <string>
#include <vector>

namespace art {

constexpr QRgb C(unsigned hex) {
    return 0xff000000u | hex;
}

using Rows = std::vector<std::string>;

struct Key {
    char ch;
    QRgb colour;
};
using Keys = std::vector<Key>;

QImage blank(int w, int h, QRgb bg);
void put(QImage& img, int x, int y, QRgb c);
QRgb get(const QImage& img, int x, int y);
void rect(QImage& img, int x, int y, int w, int h, QRgb c);
void frame(QImage& img, int x, int y, int w, int h, QRgb c);
// Raised (light top-left) or sunken look, `t` pixels thick.
void bevel(QImage& img, int x, int y, int w, int h, QRgb light, QRgb dark, int t = 1);
void hline(QImage& img, int x0, int x1, int y, QRgb c);
void vline(QImage& img, int x, int y0, int y1, QRgb c);
void line(QImage& img, int x0, int y0, int x1, int y1, QRgb c);
void blit(QImage& dst, int x, int y, const QImage& src);
// Copy skipping every pixel of colour `key`.
void blitKeyed(QImage& dst, int x, int y, const QImage& src, QRgb key);
QImage mirrored(const QImage& src);
void recolour(QImage& img, const QRect& area, QRgb from, QRgb to);

// Hand-placed pixels: one string per row, one char per pixel; '.' stays untouched.
void sprite(QImage& img, int x, int y, const Rows& rows, const Keys& keys);
// Builds symmetric rows from left halves. With a shared centre the last char of each half is
// the middle column (odd width), otherwise the half is mirrored whole (even width).
Rows mirrorHalves(const Rows& halves, bool sharedCentre = true);
Rows flipRows(const Rows& rows);

// A boolean shape that can be filled and outlined, for round things.
class Mask {
public:
    Mask(int w, int h);
    int width() const { return w_; }
    int height() const { return h_; }
    bool on(int x, int y) const;
    void set(int x, int y, bool v = true);
    // Pixel centres inside the ellipse (cx, cy, rx, ry) in continuous coordinates.
    void ellipse(double cx, double cy, double rx, double ry, bool v = true);
    void box(int x, int y, int w, int h, bool v = true);
    void unite(const Mask& o);
    void intersect(const Mask& o);
    // Inside, with a 4-neighbour outside.
    bool edge(int x, int y) const;
    int top(int x) const;    // first row set in column x, -1 if none
    int bottom(int x) const; // last row set in column x, -1 if none
    void fill(QImage& img, int ox, int oy, QRgb c) const;
    void outline(QImage& img, int ox, int oy, QRgb c) const;

private:
    int w_, h_;
    std::vector<unsigned char> bits_;
};

QFont pixelFont(const QString& family, int px, bool bold, bool italic, bool smooth);
void text(QImage& img, const QRect& box, const QString& s, const QFont& font, QRgb c,
          int align = Qt::AlignCenter);
// Text with a one-pixel drop shadow to the lower right.
void shadowText(QImage& img, const QRect& box, const QString& s, const QFont& font, QRgb c,
                QRgb shadow, int align = Qt::AlignCenter);

} // namespace art
