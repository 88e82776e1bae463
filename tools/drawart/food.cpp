// SPDX-License-Identifier: GPL-3.0-or-later
// Ingredients, sandwiches, splashes, digits and the fireplace flames.
#include "pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace art {

namespace {

// Lettuce greens, darkest first.
constexpr QRgb kLeafLine = C(0x1E5A14);
constexpr QRgb kLeafDark = C(0x2F8A22);
constexpr QRgb kLeaf = C(0x46B032);
constexpr QRgb kLeafLight = C(0x7CD454);
constexpr QRgb kLeafHeart = C(0xB4EC84);

constexpr QRgb kCucLine = C(0x004C58);
constexpr QRgb kCucStripe = C(0x0098A8);
constexpr QRgb kCuc = C(0x00E4F0);
constexpr QRgb kCucLight = C(0xA8FFFF);
constexpr QRgb kStalk = C(0x2E8B2E);
constexpr QRgb kStalkDark = C(0x17571A);

constexpr QRgb kTomLine = C(0x780000);
constexpr QRgb kTomDark = C(0xC41010);
constexpr QRgb kTom = C(0xF02418);
constexpr QRgb kTomLight = C(0xFF8068);

constexpr QRgb kCheese = C(0xFFD830);
constexpr QRgb kCheeseLight = C(0xFFF090);
constexpr QRgb kCheeseDark = C(0xE0A800);
constexpr QRgb kHole = C(0xD09400);
constexpr QRgb kHoleShade = C(0x9C6C00);

constexpr QRgb kWicker = C(0x4A2A10);
constexpr QRgb kWickerRim = C(0xC8904C);
constexpr QRgb kWickerRimLight = C(0xE8B878);
constexpr QRgb kWickerA = C(0xB07838);
constexpr QRgb kWickerB = C(0x8A5426);

constexpr QRgb kBunLine = C(0x5A2E0E);
constexpr QRgb kBun = C(0xD08A34);
constexpr QRgb kBunLight = C(0xF0B460);
constexpr QRgb kBunDark = C(0xA86220);
constexpr QRgb kSesame = C(0xFFF2C8);
constexpr QRgb kPatty = C(0x6E3C1C);
constexpr QRgb kPattyDark = C(0x46220E);

constexpr double kPi = std::numbers::pi;

} // namespace

void drawLettuce(QImage& img, int x, int y, int w, int h) {
    // A round head: frilly outer leaves wrap a pale heart that shows at the top.
    const double cx = w / 2.0, cy = h / 2.0;
    const bool big = w >= 20;
    Mask m(w, h);
    m.ellipse(cx, cy + 0.4, w / 2.0 - 1.0, h / 2.0 - 1.0);
    const int bumps = big ? 11 : 7;
    const double br = big ? 1.7 : 1.25;
    for (int i = 0; i < bumps; ++i) {
        const double a = kPi * 0.85 + (i + 0.5) * kPi * 1.3 / bumps;
        m.ellipse(cx + std::cos(a) * (w / 2.0 - br), cy + 0.4 + std::sin(a) * (h / 2.0 - br), br,
                  br);
    }
    m.fill(img, x, y, kLeaf);

    Mask heart(w, h);
    heart.ellipse(cx, cy - h * 0.05, w * 0.25, h * 0.40);
    heart.intersect(m);
    heart.fill(img, x, y, kLeafLight);
    Mask core(w, h);
    core.ellipse(cx, cy - h * 0.18, w * 0.11, h * 0.2);
    core.fill(img, x, y, kLeafHeart);
    // Where the outer leaves overlap the heart.
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (heart.on(i, j) && j > h * 0.28 && (!heart.on(i - 1, j) || !heart.on(i + 1, j)))
                put(img, x + i, y + j, kLeafDark);
    // Ribs fanning out from the stem at the bottom.
    if (big) {
        for (int side : {-1, 1}) {
            line(img, x + w / 2 + side * 4, y + h - 3, x + w / 2 + side * 10, y + h / 2 - 3,
                 kLeafLight);
            line(img, x + w / 2 + side * 3, y + h - 3, x + w / 2 + side * 6, y + h / 2 + 1,
                 kLeafLight);
        }
    } else {
        line(img, x + w / 2 - 3, y + h - 2, x + w / 2 - 5, y + h / 2 - 1, kLeafLight);
        line(img, x + w / 2 + 3, y + h - 2, x + w / 2 + 5, y + h / 2 - 1, kLeafLight);
    }
    for (int i = 0; i < w; ++i) {
        const int b = m.bottom(i);
        if (b > 0)
            put(img, x + i, y + b - 1, kLeafDark);
    }
    m.outline(img, x, y, kLeafLine);
}

void drawCucumber(QImage& img, int x, int y, int w, int h) {
    // A plump cyan gourd lying on a slant: fat end lower left, green cap and stem upper right.
    const bool big = w >= 20;
    const double ax = w - (big ? 4.5 : 2.5), ay = big ? 4.5 : 2.5; // stem end
    const double bx = big ? 1.5 : 1.0, by = h - (big ? 2.0 : 1.0); // blossom end
    const double mx = (ax + bx) / 2, my = (ay + by) / 2;
    const double len = std::hypot(ax - bx, ay - by) / 2;
    const double ux = (ax - bx) / (2 * len), uy = (ay - by) / (2 * len);
    const double half = big ? 6.4 : 3.6;
    Mask m(w, h), cap(w, h);
    std::vector<double> across(static_cast<size_t>(w * h), 0.0);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const double px = i + 0.5 - mx, py = j + 0.5 - my;
            const double u = (px * ux + py * uy) / len, v = -px * uy + py * ux;
            if (std::abs(u) > 1.0)
                continue;
            const double hw = half * std::sqrt(1.0 - u * u) * (1.0 - 0.3 * u) + 0.3;
            if (std::abs(v) > hw)
                continue;
            m.set(i, j);
            across[static_cast<size_t>(j * w + i)] = v / hw;
            if (u > 0.74)
                cap.set(i, j);
        }
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            if (!m.on(i, j))
                continue;
            const double t = across[static_cast<size_t>(j * w + i)];
            QRgb c = kCuc;
            if (std::abs(t) < 0.12 || std::abs(std::abs(t) - 0.58) < 0.12)
                c = kCucStripe;
            else if (t > 0.82)
                c = kCucStripe;
            else if (t < -0.28 && t > -0.46)
                c = kCucLight;
            put(img, x + i, y + j, c);
        }
    m.outline(img, x, y, kCucLine);
    cap.fill(img, x, y, kStalk);
    cap.outline(img, x, y, kStalkDark);
    // Little sepals reaching down the body.
    const double tipU = 0.58 * len;
    for (double t : {-0.7, 0.0, 0.7}) {
        const double px = mx + ux * tipU - uy * t * half * 0.6,
                     py = my + uy * tipU + ux * t * half * 0.6;
        put(img, x + static_cast<int>(px), y + static_cast<int>(py), kStalkDark);
    }
    // Stem.
    const int sx = static_cast<int>(ax + ux * (big ? 1.5 : 0.8)),
              sy = static_cast<int>(ay + uy * (big ? 1.5 : 0.8));
    const int ex = std::min(w - 1, sx + (big ? 2 : 1)), ey = std::max(0, sy - (big ? 3 : 1));
    line(img, x + sx, y + sy, x + ex, y + ey, kStalkDark);
    if (big) {
        line(img, x + sx + 1, y + sy, x + ex + 1, y + ey, kStalk);
        put(img, x + ex + 1, y + ey, kStalkDark);
    }
}

void drawTomato(QImage& img, int x, int y, int w, int h) {
    const int calyx = std::max(2, h / 6);
    const double cx = w / 2.0, cy = calyx + (h - calyx) / 2.0, rx = w / 2.0, ry = (h - calyx) / 2.0;
    Mask m(w, h);
    m.ellipse(cx, cy, rx, ry);
    // The dimple on top where the stalk sits.
    const int top = m.top(w / 2);
    m.set(w / 2 - 1, top, false);
    m.set(w / 2, top, false);
    m.fill(img, x, y, kTom);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            if (!m.on(i, j))
                continue;
            const double nx = (i + 0.5 - cx) / rx, ny = (j + 0.5 - cy) / ry;
            if (nx * 0.55 + ny * 0.75 > 0.62)
                put(img, x + i, y + j, kTomDark);
        }
    Mask shine(w, h);
    shine.ellipse(cx - rx * 0.45, cy - ry * 0.35, std::max(1.2, rx * 0.22),
                  std::max(1.0, ry * 0.22));
    shine.intersect(m);
    shine.fill(img, x, y, kTomLight);
    put(img, x + static_cast<int>(cx - rx * 0.5), y + static_cast<int>(cy - ry * 0.45), pal::white);
    if (w >= 20) {
        // A faint groove down from the dimple.
        for (int j = top + 1; j < top + 4; ++j)
            put(img, x + w / 2 - 1, y + j, kTomDark);
    }
    m.outline(img, x, y, kTomLine);
    // Calyx: a green star flat on top, stalk sticking up.
    const int s = std::max(2, w / 5);
    const int cxi = w / 2;
    const int row = top + 1;
    hline(img, x + cxi - s, x + cxi + s - 1, y + row - 1, kStalk);
    hline(img, x + cxi - s / 2, x + cxi + s / 2 - 1, y + row, kStalk);
    put(img, x + cxi - s - 1, y + row, kStalkDark);
    put(img, x + cxi + s, y + row, kStalkDark);
    put(img, x + cxi - 1, y + row + 1, kStalkDark);
    if (w >= 20) {
        put(img, x + cxi - s - 2, y + row + 1, kStalkDark);
        put(img, x + cxi + s + 1, y + row + 1, kStalkDark);
        put(img, x + cxi + 1, y + row + 1, kStalkDark);
        put(img, x + cxi - 1, y + row + 2, kStalkDark);
    }
    const int stem = std::max(2, calyx);
    vline(img, x + cxi - 1, y + row - 1 - stem, y + row - 2, kStalkDark);
    put(img, x + cxi, y + row - 1 - stem, kStalkDark);
}

void drawCheese(QImage& img, int x, int y, int w, int h, QRgb rim) {
    rect(img, x, y, w, h, kCheese);
    bevel(img, x + 1, y + 1, w - 2, h - 2, kCheeseLight, kCheeseDark);
    struct Hole {
        double fx, fy, r;
    };
    const bool big = w >= 20;
    const std::vector<Hole> holes =
        big ? std::vector<Hole>{{8.0, 7.0, 3.2},  {20.5, 5.5, 2.2},  {21.0, 14.0, 3.4},
                                {9.5, 15.5, 2.3}, {14.5, 10.5, 1.5}, {4.5, 12.5, 1.3}}
            : std::vector<Hole>{{3.5, 3.5, 1.6}, {8.0, 6.5, 1.7}, {9.0, 2.5, 0.6}, {3.0, 7.5, 0.6}};
    for (const Hole& hole : holes) {
        Mask m(w, h);
        m.ellipse(hole.fx, hole.fy, hole.r, hole.r * 0.9);
        m.fill(img, x, y, kHole);
        // The upper-left wall of each hole is in shadow, its lower-right lip catches the light.
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) {
                if (m.on(i, j) && (!m.on(i - 1, j) || !m.on(i, j - 1)))
                    put(img, x + i, y + j, kHoleShade);
                if (big && !m.on(i, j) && (m.on(i - 1, j) || m.on(i, j - 1)) && !m.on(i + 1, j) &&
                    !m.on(i, j + 1) && (m.on(i - 1, j - 1) || (m.on(i - 1, j) && m.on(i, j - 1))))
                    put(img, x + i, y + j, kCheeseLight);
            }
    }
    frame(img, x, y, w, h, rim);
}

void drawBasket(QImage& img, int x, int y, int w, int h) {
    // A flat woven tray seen a little from above: rim, dark inside, woven sides sloping in.
    const bool big = h >= 8;
    const int rimH = big ? 5 : 3;
    Mask m(w, h), inside(w, h);
    m.ellipse(w / 2.0, rimH / 2.0, w / 2.0, rimH / 2.0 + 0.3);
    m.box(1, 0, w - 2, rimH);
    m.set(0, 0, false);
    m.set(w - 1, 0, false);
    m.set(1, 0, false);
    m.set(w - 2, 0, false);
    for (int j = rimH; j < h; ++j) {
        const int in = 1 + (j - rimH + 1) * (big ? 3 : 1) / (h - rimH);
        m.box(in, j, w - 2 * in, 1);
    }
    inside.box(2, 1, w - 4, rimH - 2);
    inside.set(2, 1, false);
    inside.set(w - 3, 1, false);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            if (!m.on(i, j))
                continue;
            QRgb c = kWickerRim;
            if (j >= rimH) // weave: stakes every 4 px, weavers alternate each row
                c = i % 4 == 0 ? kWicker : ((i / 4 + j) % 2 ? kWickerA : kWickerB);
            put(img, x + i, y + j, c);
        }
    inside.fill(img, x, y, C(0x6A3E18));
    for (int i = 3; i < w - 3; i += 3)
        put(img, x + i, y + rimH - 2, C(0x5A3212));
    hline(img, x + 2, x + w - 3, y + rimH - 1, kWickerRimLight);
    m.outline(img, x, y, kWicker);
}

void drawBurger(QImage& img, int x, int y, int w, int h) {
    const int topH = static_cast<int>(std::lround(h * 0.45));
    const int leafH = h >= 14 ? 2 : 1;
    const int pattyH = std::max(2, static_cast<int>(std::lround(h * 0.2)));
    const int bottomH = h - topH - leafH - pattyH;

    Mask dome(w, topH);
    dome.ellipse(w / 2.0, topH, w / 2.0, topH);
    dome.fill(img, x, y, kBun);
    Mask light(w, topH);
    light.ellipse(w * 0.42, topH * 0.85, w * 0.3, topH * 0.6);
    light.intersect(dome);
    light.fill(img, x, y, kBunLight);
    dome.outline(img, x, y, kBunLine);
    // Sesame seeds.
    const std::array<std::pair<double, double>, 6> seeds = {
        {{0.30, 0.45}, {0.52, 0.30}, {0.70, 0.55}, {0.42, 0.70}, {0.20, 0.78}, {0.80, 0.80}}};
    for (auto [fx, fy] : seeds) {
        const int i = static_cast<int>(fx * w), j = static_cast<int>(fy * topH);
        if (dome.on(i, j) && !dome.edge(i, j))
            put(img, x + i, y + j, kSesame);
    }

    int yy = y + topH;
    for (int j = 0; j < leafH; ++j)
        for (int i = 0; i < w; ++i) {
            QRgb c = (i + j) % 2 ? kLeaf : kLeafLight;
            if (j == leafH - 1 && leafH > 1 && i % 3 == 2)
                c = kLeafDark;
            put(img, x + i, yy + j, c);
        }
    yy += leafH;
    for (int j = 0; j < pattyH; ++j)
        for (int i = 0; i < w; ++i) {
            const bool corner = (i == 0 || i == w - 1) && (j == 0 || j == pattyH - 1);
            if (!corner)
                put(img, x + i, yy + j,
                    (j == pattyH - 1 || (i + 2 * j) % 5 == 0) ? kPattyDark : kPatty);
        }
    yy += pattyH;
    Mask bottom(w, bottomH);
    bottom.box(1, 0, w - 2, bottomH);
    bottom.set(1, bottomH - 1, false);
    bottom.set(w - 2, bottomH - 1, false);
    bottom.fill(img, x, yy, kBun);
    if (bottomH >= 3)
        hline(img, x + 2, x + w - 3, yy + bottomH - 2, kBunDark);
    bottom.outline(img, x, yy, kBunLine);
}

void drawBreadRoll(QImage& img, int x, int y, int w, int h) {
    // A whole bun: tall dome, a cut line, a flat base.
    const int domeH = h * 2 / 3;
    Mask m(w, h);
    m.ellipse(w / 2.0, domeH, w / 2.0, domeH);
    m.box(0, domeH, w, h - domeH - 1);
    m.box(1, h - 1, w - 2, 1);
    m.fill(img, x, y, kBun);
    Mask light(w, h);
    light.ellipse(w * 0.40, domeH * 0.75, w * 0.28, domeH * 0.5);
    light.intersect(m);
    light.fill(img, x, y, kBunLight);
    hline(img, x + 1, x + w - 2, y + h - 2, kBunDark);
    hline(img, x + 1, x + w - 2, y + domeH, kBunDark);
    m.outline(img, x, y, kBunLine);
    const std::array<std::pair<double, double>, 5> seeds = {
        {{0.30, 0.40}, {0.55, 0.25}, {0.72, 0.50}, {0.45, 0.62}, {0.20, 0.70}}};
    for (auto [fx, fy] : seeds) {
        const int i = static_cast<int>(fx * w), j = static_cast<int>(fy * domeH);
        if (m.on(i, j) && !m.edge(i, j))
            put(img, x + i, y + j, kSesame);
    }
}

void drawHeld(QImage& img, Load load, int cx, int cy) {
    auto box = [&](int w, int h, auto fn) { fn(img, cx - w / 2, cy - h / 2, w, h); };
    switch (load) {
    case Empty:
        break;
    case Bun:
        box(14, 10, drawBurger);
        break;
    case Lettuce:
        box(13, 11, drawLettuce);
        break;
    case Cucumber:
        box(14, 10, drawCucumber);
        break;
    case Tomato:
        box(13, 11, drawTomato);
        break;
    case Cheese:
        drawCheese(img, cx - 6, cy - 5, 12, 10, C(0x8A6000));
        break;
    case Basket:
        box(14, 6, drawBasket);
        break;
    }
}

QImage flyingItem(int k) {
    switch (k) {
    case 1: {
        QImage img = blank(29, 20, pal::white);
        drawLettuce(img, 0, 0, 29, 20);
        return img;
    }
    case 2: {
        QImage img = blank(30, 22, pal::white);
        drawCucumber(img, 0, 1, 30, 20);
        return img;
    }
    case 3: {
        QImage img = blank(30, 22, pal::white);
        drawTomato(img, 2, 0, 26, 22);
        return img;
    }
    case 4: {
        QImage img = blank(29, 21, pal::white);
        drawCheese(img, 0, 0, 29, 21, pal::black);
        return img;
    }
    default: {
        QImage img = blank(29, 11, pal::white);
        drawBasket(img, 0, 0, 29, 11);
        return img;
    }
    }
}

QImage brokenItem(int k) {
    struct Tint {
        QRgb line, body, light;
    };
    const std::array<Tint, 5> tints = {{{kLeafLine, kLeaf, kLeafLight},
                                        {kCucLine, kCuc, kCucLight},
                                        {kTomLine, kTom, kTomLight},
                                        {C(0x9C6C00), kCheese, kCheeseLight},
                                        {kWicker, C(0xA0682C), kWickerRim}}};
    const Tint& t = tints[static_cast<size_t>(std::clamp(k, 1, 5) - 1)];
    const int w = 31, h = 24;
    QImage img = blank(w, h, pal::white);
    const double cx = w / 2.0, cy = h / 2.0 + 1;

    // Grey shards flying out between the lobes; the splat goes on top of their roots.
    constexpr std::array<double, 7> lobeAngle = {0.2, 1.1, 1.95, 2.8, 3.65, 4.5, 5.4};
    constexpr std::array<double, 7> lobeDist = {7.0, 5.8, 7.2, 6.4, 7.0, 5.6, 6.6};
    constexpr std::array<double, 7> lobeSize = {2.6, 2.2, 2.7, 2.1, 2.5, 2.3, 2.2};
    constexpr std::array<double, 7> shardLen = {1.0, 0.82, 1.0, 0.9, 1.0, 0.78, 0.95};
    Mask shards(w, h);
    for (size_t s = 0; s < lobeAngle.size(); ++s) {
        const double a = lobeAngle[s] + 0.43;
        const double tx = cx + std::cos(a) * 15.5 * shardLen[s],
                     ty = cy + std::sin(a) * 12.0 * shardLen[s];
        const double bx1 = cx + std::cos(a - 0.3) * 7.5, by1 = cy + std::sin(a - 0.3) * 5.6;
        const double bx2 = cx + std::cos(a + 0.3) * 7.5, by2 = cy + std::sin(a + 0.3) * 5.6;
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) {
                const double px = i + 0.5, py = j + 0.5;
                auto side = [&](double ax, double ay, double bx, double by) {
                    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
                };
                const double d1 = side(tx, ty, bx1, by1), d2 = side(bx1, by1, bx2, by2),
                             d3 = side(bx2, by2, tx, ty);
                const bool neg = d1 < 0 || d2 < 0 || d3<0, pos = d1> 0 || d2 > 0 || d3 > 0;
                if (!(neg && pos))
                    shards.set(i, j);
            }
    }
    shards.fill(img, 0, 0, C(0xB0B0B0));
    shards.outline(img, 0, 0, C(0x5C5C5C));

    Mask splat(w, h);
    splat.ellipse(cx, cy, 7.0, 5.0);
    for (size_t s = 0; s < lobeAngle.size(); ++s)
        splat.ellipse(cx + std::cos(lobeAngle[s]) * lobeDist[s],
                      cy + std::sin(lobeAngle[s]) * lobeDist[s] * 0.72, lobeSize[s],
                      lobeSize[s] * 0.85);
    // Loose drops.
    const std::array<std::pair<double, double>, 3> drops = {
        {{3.0, 5.0}, {28.0, 19.5}, {24.5, 2.5}}};
    for (auto [dx, dy] : drops)
        splat.ellipse(dx, dy, 1.5, 1.5);
    splat.fill(img, 0, 0, t.body);
    Mask shine(w, h);
    shine.ellipse(cx - 3, cy - 2.5, 3.0, 1.6);
    shine.fill(img, 0, 0, t.light);
    splat.outline(img, 0, 0, t.line);
    return img;
}

QImage smallSandwich(QRgb bg) {
    QImage img = blank(29, 17, bg);
    drawBurger(img, 1, 1, 27, 15);
    return img;
}

QImage beltSandwich(int v) {
    QImage img = blank(38, 21, pal::belt);
    // The plate, seen slightly from above.
    Mask plate(38, 21), well(38, 21);
    plate.ellipse(19, 17, 18.5, 3.8);
    well.ellipse(19, 16.8, 12.5, 2.2);
    plate.fill(img, 0, 0, C(0xF8F8F8));
    for (int i = 0; i < 38; ++i) {
        const int b = plate.bottom(i);
        if (b >= 0)
            put(img, i, b - 1, C(0xD4D4DC));
    }
    well.fill(img, 0, 0, C(0xE4E4EC));
    for (int i = 0; i < 38; ++i)
        if (well.top(i) >= 0)
            put(img, i, well.top(i), C(0xC8C8D0));
    plate.outline(img, 0, 0, C(0x707078));
    if (v == 0)
        return img;

    // Bottom bun on the plate, patty on the bun: always there.
    Mask bun(38, 21);
    bun.box(9, 13, 20, 4);
    bun.set(9, 16, false);
    bun.set(28, 16, false);
    bun.fill(img, 0, 0, kBun);
    hline(img, 10, 27, 15, kBunDark);
    hline(img, 10, 27, 13, kBunLight);
    bun.outline(img, 0, 0, kBunLine);
    hline(img, 9, 28, 11, kPatty);
    hline(img, 8, 29, 12, kPattyDark);
    for (int i = 10; i < 28; i += 4)
        put(img, i, 11, kPattyDark);
    put(img, 8, 11, kPattyDark);
    put(img, 29, 11, kPattyDark);

    // Each further bit is one 2-px layer, stacked upward in a fixed order.
    int top = 11;
    if (v & 2) { // lettuce: frilly, sticking out on both sides
        top -= 2;
        for (int i = 6; i <= 31; ++i)
            put(img, i, top + 1, i % 3 == 0 ? kLeafDark : kLeaf);
        for (int i = 8; i <= 29; ++i)
            put(img, i, top, i % 4 == 1 ? kLeaf : kLeafLight);
    }
    if (v & 4) { // cyan slices: three round discs
        top -= 2;
        for (int s : {9, 16, 23}) {
            hline(img, s + 1, s + 4, top, kCuc);
            put(img, s + 2, top, kCucLight);
            hline(img, s, s + 5, top + 1, kCucStripe);
            put(img, s + 2, top + 1, kCuc);
            put(img, s + 3, top + 1, kCuc);
        }
    }
    if (v & 8) { // tomato: two wide red slices with seeds
        top -= 2;
        for (int s : {9, 19}) {
            hline(img, s + 1, s + 8, top, kTom);
            put(img, s + 3, top, kTomLight);
            put(img, s + 6, top, kTomLight);
            hline(img, s, s + 9, top + 1, kTomDark);
        }
    }
    if (v & 16) { // cheese: square slice, corners drooping over the edge
        top -= 2;
        hline(img, 7, 30, top, kCheese);
        hline(img, 7, 30, top + 1, kCheeseDark);
        put(img, 12, top, kCheeseLight);
        put(img, 13, top, kCheeseLight);
        put(img, 21, top, kHole);
        put(img, 7, top + 2, kCheeseDark);
        put(img, 30, top + 2, kCheeseDark);
    }
    return img;
}

QImage digit(int d) {
    // Seven segments a..g, 2 px thick, 1 px margin all round.
    static const std::array<unsigned, 11> lit = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D,
                                                 0x7D, 0x07, 0x7F, 0x6F, 0x00};
    const unsigned bits = lit[static_cast<size_t>(std::clamp(d, 0, 10))];
    QImage img = blank(13, 23, pal::black);
    struct Seg {
        int x, y, w, h;
    };
    const std::array<Seg, 7> segs = {{{3, 1, 7, 2},
                                      {10, 3, 2, 7},
                                      {10, 12, 2, 8},
                                      {3, 20, 7, 2},
                                      {1, 12, 2, 8},
                                      {1, 3, 2, 7},
                                      {3, 10, 7, 2}}};
    for (size_t s = 0; s < segs.size(); ++s) {
        const Seg& g = segs[s];
        rect(img, g.x, g.y, g.w, g.h, (bits >> s) & 1 ? C(0xFF0000) : C(0x500000));
    }
    return img;
}

namespace {

// r red, o orange, y yellow, w white-hot, b/B logs, e embers
Keys fireKeys() {
    return {{'r', C(0xD01800)}, {'o', C(0xFF7A00)}, {'y', C(0xFFD000)}, {'w', C(0xFFFFB0)},
            {'b', C(0x7A4418)}, {'B', C(0x4A2A0C)}, {'e', C(0xA02000)}};
}

} // namespace

QImage fire() {
    QImage img = blank(24, 25, pal::black);
    const Rows flames = {
        "...........r............", "..........rr............", "....r.....ror......r....",
        "....rr....ror.....rr....", "...ror...rooor....ror...", "...roor..rooyor..roor...",
        "..rooor.rooyyor..rooor..", "..rooyor.rooyyorroyyor..", ".rroyyoorooyyyoorooyyor.",
        ".rooyyooooyyyyooooyyyor.", ".rooyyyoooyywyyooyywyor.", "rrooyywyooyywwyyoyywyoor",
        "rooyyywyyyywwwyyywwyyoor", "rooyywwwyyywwwwyywwwyyor", "rooyywwwwyywwwwwywwwyoor",
        "rooyyywwwwwwwwwwwwwyyoor", ".rooyyywwwwwwwwwwwwyyor.", ".rrooyyyywwwwwwwwyyyoor.",
        "..rrooyyyyyyyyyyyyyoorr.", "...rroooooyyyyooooooor..", "..bbbrrroooooooooorrbbb.",
        ".bBbbbbbrrrerrrrbbbbbBb.", ".bbbbBbbbbbeeebbbbBbbbb.", "..bbbbbbBb.eee.bBbbbbb..",
        "...........e.e..........",
    };
    sprite(img, 0, 0, flames, fireKeys());
    return img;
}

QImage embers() {
    // The same logs with the flames sunk low: no white-hot core, a couple of sparks.
    QImage img = blank(24, 25, pal::black);
    const Rows low = {
        "........................", "........................", "........................",
        "........................", "........................", "........................",
        "........................", "........................", "..............e.........",
        "........................", ".....e..................", "..........r.............",
        "..........rr........r...", ".....r....ror......rr...", "....rr...roor.....ror...",
        "....ror..rooor...rooor..", "...rooor.rooyor..rooor..", "...rooyorrooyyorrooyor..",
        "..rrooyyoooyyyyoooyyoor.", "..reoooyyyyyyyyyyyyooer.", "..bbbeerrooooooooreebbb.",
        ".bBbbbbbrrrerrrrbbbbbBb.", ".bbbbBbbbbbeeebbbbBbbbb.", "..bbbbbbBb.eee.bBbbbbb..",
        "...........e.e..........",
    };
    sprite(img, 0, 0, low, fireKeys());
    return img;
}

} // namespace art
