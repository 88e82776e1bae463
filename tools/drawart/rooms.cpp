// SPDX-License-Identifier: GPL-3.0-or-later
// Panels, rooms, banners and the About picture.
#include "pictures.h"

#include <QFontMetrics>

#include <array>

namespace art {

namespace {

constexpr QRgb kPanel = C(0x2A2A30);
constexpr QRgb kPanelLight = C(0x6A6A74);
constexpr QRgb kPanelDark = C(0x0A0A0C);
constexpr QRgb kPanelText = C(0xFFD800);

const QString kFont = QStringLiteral("DejaVu Sans");

// Digit cell x positions of the score; the counter is 11 digits wide.
constexpr std::array<int, 11> kScoreCells = {0, 13, 26, 38, 51, 64, 77, 90, 103, 116, 129};

} // namespace

const Words& portugueseWords() {
    static const Words words{QStringLiteral("PONTOS"),
                             QStringLiteral("FASE"),
                             QStringLiteral("VIDAS"),
                             QStringLiteral("Melhores Desempenhos"),
                             QStringLiteral("Entre com o seu nome"),
                             QStringLiteral("Vers\u00e3o"),
                             QStringLiteral("Programa elaborado por: a equipe Pelmar")};
    return words;
}

const Words& englishWords() {
    static const Words words{QStringLiteral("SCORE"),
                             QStringLiteral("LEVEL"),
                             QStringLiteral("LIVES"),
                             QStringLiteral("Best Scores"),
                             QStringLiteral("Enter your name"),
                             QStringLiteral("Version"),
                             QStringLiteral("Program written by: the Pelmar team")};
    return words;
}

namespace {

QImage scorePanelSized(int h, const Words& words = portugueseWords()) {
    QImage img = blank(143, h, kPanel);
    bevel(img, 0, 0, 143, h, kPanelLight, kPanelDark);
    shadowText(img, QRect(0, 3, 143, 15), words.score, pixelFont(kFont, 14, true, false, false),
               kPanelText, kPanelDark);
    for (int x : kScoreCells)
        blit(img, x, 21, digit(10));
    return img;
}

QImage levelPanelSized(int h, const Words& words = portugueseWords()) {
    QImage img = blank(59, h, kPanel);
    bevel(img, 0, 0, 59, h, kPanelLight, kPanelDark);
    const QFont f = pixelFont(kFont, 13, true, false, false);
    shadowText(img, QRect(0, 2, 59, 15), words.level, f, kPanelText, kPanelDark);
    shadowText(img, QRect(0, 55, 59, 15), words.lives, f, kPanelText, kPanelDark);
    for (int y : {19, 72})
        for (int x : {17, 29})
            if (y + 23 <= h)
                blit(img, x, y, digit(10));
    return img;
}

QImage dispenserSized(int w) {
    // One band per source, top to bottom: lettuce, cyan vegetable, tomato, cheese, basket.
    struct Band {
        QRgb base, light, dark;
        Load load;
    };
    const std::array<Band, 5> bands = {{{C(0x00C000), C(0x70F070), C(0x006800), Lettuce},
                                        {C(0x00E0E0), C(0x90FFFF), C(0x007880), Cucumber},
                                        {C(0xE00000), C(0xFF7070), C(0x800000), Tomato},
                                        {C(0xF0E000), C(0xFFFF90), C(0x908000), Cheese},
                                        {pal::olive, C(0xB8B840), C(0x404000), Basket}}};
    QImage img = blank(w, 161, bands[0].base);
    for (int i = 0; i < 5; ++i) {
        const Band& b = bands[static_cast<size_t>(i)];
        const int y = 32 * i, h = i == 4 ? 33 : 32;
        rect(img, 0, y, w, h, b.base);
        bevel(img, 1, y + 1, w - 2, h - 2, b.light, b.dark);
        // Hatch on the left edge, where the item is flung out.
        rect(img, 0, y + 7, 7, 18, C(0x141414));
        vline(img, 7, y + 6, y + 25, b.dark);
        hline(img, 0, 7, y + 6, b.dark);
        hline(img, 0, 7, y + 25, b.light);
        for (int j = y + 9; j < y + 24; j += 3)
            hline(img, 0, 5, j, C(0x3A3A3A));
        // A little window showing what comes out of here.
        const int cx = 8 + (w - 8) / 2;
        rect(img, cx - 10, y + 6, 21, 20, C(0xFFFFFF));
        bevel(img, cx - 11, y + 5, 23, 22, b.dark, b.light);
        drawHeld(img, b.load, cx, y + 16);
    }
    return img;
}

// The floor of the lower room, a function of room coordinates so that pieces
// cut from it line up wherever they are placed.
QRgb lowerFloor(int x, int y) {
    if (x % 20 == 18 || y % 20 == 18)
        return C(0x989898);
    if (x % 20 == 19 || y % 20 == 19)
        return C(0xA6A6A6);
    return pal::floorGrey;
}

struct Tint {
    QRgb base, light, dark, line;
};

Tint ovenTint(int which) {
    switch (which) {
    case 1:
        return {pal::ovenGreen, C(0xA0FFA0), C(0x00A000), C(0x004000)};
    case 2:
        return {pal::ovenRed, C(0xFFA0A0), C(0xA00000), C(0x400000)};
    default:
        return {pal::ovenBlue, C(0xA0A0FF), C(0x0000A0), C(0x000040)};
    }
}

void ovenColumn(QImage& img, int x, int y, int h, int which, bool buns) {
    const Tint t = ovenTint(which);
    rect(img, x, y, 63, h, t.base);
    vline(img, x + 1, y, y + h - 1, t.line);
    vline(img, x + 2, y, y + h - 1, t.light);
    vline(img, x + 3, y, y + h - 1, t.light);
    vline(img, x + 58, y, y + h - 1, t.dark);
    vline(img, x + 59, y, y + h - 1, t.dark);
    vline(img, x + 60, y, y + h - 1, t.line);
    // Four shelves, 35 px apart, each with a bun sitting on it.
    for (int band = 0; band < h / 35; ++band) {
        const int by = y + band * 35;
        hline(img, x + 2, x + 59, by + 32, C(0xC8C8C8));
        hline(img, x + 2, x + 59, by + 33, C(0x808080));
        hline(img, x + 2, x + 59, by + 34, C(0x404040));
        if (buns && band < 4)
            drawBreadRoll(img, x + 18, by + 16, 27, 16);
    }
}

void funnel(QImage& img, int x, int y, int which) {
    // Hopper: round rim with a dark mouth, sides narrowing down to the neck.
    const Tint t = ovenTint(which);
    Mask m(63, 31);
    m.ellipse(31.5, 4.5, 31.5, 4.6);
    for (int j = 4; j < 31; ++j) {
        const int in = (j - 4) * 16 / 26;
        m.box(in, j, 63 - 2 * in, 1);
    }
    m.fill(img, x, y, t.base);
    for (int j = 5; j < 31; ++j) {
        const int in = (j - 4) * 16 / 26;
        put(img, x + in + 1, y + j, t.light);
        put(img, x + in + 2, y + j, t.light);
        put(img, x + 62 - in - 1, y + j, t.dark);
        put(img, x + 62 - in - 2, y + j, t.dark);
    }
    Mask rim(63, 31), mouth(63, 31);
    rim.ellipse(31.5, 4.5, 31.5, 4.6);
    rim.fill(img, x, y, t.light);
    for (int i = 2; i < 61; ++i)
        put(img, x + i, y + rim.bottom(i) + 1, t.dark);
    mouth.ellipse(31.5, 4.5, 27.5, 2.6);
    mouth.fill(img, x, y, C(0x101010));
    for (int i = 0; i < 63; ++i)
        if (mouth.bottom(i) >= 0)
            put(img, x + i, y + mouth.bottom(i), C(0x383838));
    m.outline(img, x, y, t.line);
}

QImage funnelsWithFloor(int ox, int oy) {
    QImage img = blank(301, 31, pal::floorGrey);
    for (int j = 0; j < 31; ++j)
        for (int i = 0; i < 301; ++i)
            img.setPixel(i, j, lowerFloor(ox + i, oy + j));
    funnel(img, 12, 0, 1);
    funnel(img, 108, 0, 2);
    funnel(img, 202, 0, 3);
    return img;
}

QImage beltTile() {
    // One tray of the belt; the tray pattern repeats every 32 px.
    QImage t = blank(63, 32, pal::belt);
    for (int y = 0; y < 32; ++y) {
        put(t, 1, y, C(0x808080));
        put(t, 2, y, C(0x5A5A5A));
        put(t, 60, y, C(0x5A5A5A));
        put(t, 61, y, C(0x808080));
    }
    hline(t, 3, 59, 0, C(0xE8E8E8));
    vline(t, 3, 0, 27, C(0xE0E0E0));
    vline(t, 59, 1, 27, C(0x989898));
    hline(t, 4, 59, 27, C(0x989898));
    hline(t, 3, 59, 28, C(0x808080));
    hline(t, 3, 59, 29, C(0x505050));
    hline(t, 3, 59, 30, C(0x383838));
    hline(t, 3, 59, 31, C(0x808080));
    // Rollers under the tray gaps, showing past the edges.
    for (int x : {0, 62}) {
        put(t, x, 28, C(0x808080));
        put(t, x, 29, C(0x505050));
        put(t, x, 30, C(0x505050));
    }
    put(t, 1, 14, C(0xE0E0E0));
    put(t, 61, 14, C(0xE0E0E0));
    return t;
}

void beltColumn(QImage& img, int x, int y, int h) {
    const QImage tile = beltTile();
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < 63; ++i)
            put(img, x + i, y + j, tile.pixel(i, j % 32));
}

void kitchenTiles(QImage& img, int x0, int y0, int w, int h) {
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const bool grout = x % 12 == 0 || y % 12 == 0;
            const bool shine = x % 12 == 1 && y % 12 > 1 && y % 12 < 5;
            put(img, x, y, grout ? C(0xB8C4CC) : shine ? C(0xFFFFFF) : C(0xE2ECF2));
        }
}

void fireplace(QImage& img) {
    // Brick surround 186..224 x 8..46, opening where the fire picture goes.
    constexpr QRgb mortar = C(0xD8C8A8), brick = C(0xB04428), brickDark = C(0x843018);
    rect(img, 192, 0, 27, 8, mortar);
    rect(img, 186, 12, 39, 35, mortar);
    auto bricks = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const int row = (y - y0) / 4;
                const int shift = row % 2 ? 4 : 0;
                if ((y - y0) % 4 == 3 || (x - x0 + shift) % 8 == 7)
                    continue;
                put(img, x, y, (y - y0) % 4 == 2 ? brickDark : brick);
            }
    };
    bricks(193, 0, 217, 7);
    bricks(186, 12, 224, 46);
    // Mantel shelf.
    rect(img, 184, 8, 43, 4, C(0x7A4A22));
    hline(img, 184, 226, 8, C(0xA86E38));
    hline(img, 184, 226, 11, C(0x4A2A10));
    // Stone hearth and the dark opening.
    rect(img, 190, 41, 31, 6, C(0x9A9A9A));
    hline(img, 190, 220, 41, C(0xC8C8C8));
    hline(img, 190, 220, 46, C(0x5A5A5A));
    // The fire picture is shown and hidden over this opening; under it the fire
    // has sunk to embers, so the two together flicker.
    rect(img, 192, 15, 26, 27, C(0x2A1A10));
    blit(img, 193, 16, embers());
    frame(img, 192, 15, 26, 27, C(0x4A2A10));
}

void conveyor(QImage& img, int x0, int x1, int y) {
    // Horizontal belt 13 px tall: rail, slats, rollers.
    hline(img, x0, x1, y, C(0x303030));
    hline(img, x0, x1, y + 1, C(0xA8A8A8));
    for (int j = y + 2; j <= y + 8; ++j)
        for (int x = x0; x <= x1; ++x)
            put(img, x, j, x % 8 == 0 ? C(0x585858) : x % 8 == 1 ? C(0x9A9A9A) : C(0x7C7C7C));
    hline(img, x0, x1, y + 9, C(0x505050));
    rect(img, x0, y + 10, x1 - x0 + 1, 3, C(0x383838));
    for (int x = x0 + 4; x < x1; x += 16) {
        hline(img, x, x + 2, y + 11, C(0x8A8A8A));
        put(img, x + 1, y + 10, C(0x6A6A6A));
        put(img, x + 1, y + 12, C(0x6A6A6A));
    }
}

} // namespace

QImage scorePanel() {
    return scorePanelSized(62);
}
QImage scorePanel(const Words& words) {
    return scorePanelSized(62, words);
}
QImage levelPanel() {
    return levelPanelSized(107);
}
QImage levelPanel(const Words& words) {
    return levelPanelSized(107, words);
}
QImage dispenser() {
    return dispenserSized(62);
}

QImage belt() {
    QImage img = blank(63, 225, pal::belt);
    beltColumn(img, 0, 0, 225);
    return img;
}

QImage oven(int which) {
    QImage img = blank(63, 141, ovenTint(which).base);
    ovenColumn(img, 0, 0, 141, which, true);
    return img;
}

QImage funnels() {
    return funnelsWithFloor(50, 75);
}

QImage upperRoom() {
    QImage img = blank(380, 301, pal::white);
    kitchenTiles(img, 0, 0, 321, 48);
    fireplace(img);
    conveyor(img, 0, 320, 48);
    hline(img, 64, 320, 61, C(0xE0E0E0));
    hline(img, 64, 320, 62, C(0xF0F0F0));
    // Tray machine feeding the belt column.
    rect(img, 0, 61, 64, 25, C(0x8A94A4));
    bevel(img, 0, 61, 64, 25, C(0xC0C8D4), C(0x4A5260));
    rect(img, 4, 81, 56, 5, C(0x202020));
    for (int x : {4, 59})
        for (int y : {65, 75})
            put(img, x, y, C(0xE0E8F0));
    hline(img, 10, 53, 68, C(0x4A5260));
    hline(img, 10, 53, 72, C(0x4A5260));
    hline(img, 10, 53, 76, C(0x4A5260));
    beltColumn(img, 0, 86, 181);
    vline(img, 63, 86, 266, C(0x404040));
    blit(img, 0, 0, scorePanelSized(44));
    blit(img, 321, 0, levelPanelSized(105));
    hline(img, 321, 379, 105, C(0x101010));
    blit(img, 321, 106, dispenserSized(59));
    return img;
}

QImage lowerRoom() {
    QImage img = blank(380, 359, pal::floorGrey);
    for (int y = 0; y < 359; ++y)
        for (int x = 0; x < 380; ++x)
            img.setPixel(x, y, lowerFloor(x, y));
    blit(img, 50, 75, funnels());
    const std::array<int, 3> xs = {62, 158, 252};
    for (int i = 0; i < 3; ++i) {
        const int x = xs[static_cast<size_t>(i)];
        const Tint t = ovenTint(i + 1);
        // Neck from the funnel down to the column, then a flange.
        rect(img, x + 16, 106, 31, 15, t.base);
        vline(img, x + 16, 106, 120, t.line);
        vline(img, x + 17, 106, 120, t.light);
        vline(img, x + 45, 106, 120, t.dark);
        vline(img, x + 46, 106, 120, t.line);
        rect(img, x, 121, 63, 6, t.dark);
        hline(img, x, x + 62, 121, t.light);
        frame(img, x, 121, 63, 6, t.line);
        // An empty, shadowed shaft: the ovens rise in front of it as they fill.
        ovenColumn(img, x, 127, 232, i + 1, false);
        for (int y = 127; y < 359; ++y)
            for (int dx = 0; dx < 63; ++dx) {
                const QRgb c = img.pixel(x + dx, y);
                img.setPixel(x + dx, y, qRgb(qRed(c) / 3, qGreen(c) / 3, qBlue(c) / 3));
            }
    }
    blit(img, 321, 0, levelPanel());
    return img;
}

QImage orderList() {
    QImage img = blank(380, 72, pal::belt);
    bevel(img, 1, 1, 378, 70, C(0xE8E8E8), C(0x808080));
    hline(img, 0, 379, 71, C(0x404040));
    vline(img, 379, 0, 71, C(0x404040));
    // The white table, sunk into the frame.
    rect(img, 37, 1, 302, 59, pal::white);
    bevel(img, 36, 0, 304, 61, C(0x808080), C(0xFFFFFF));
    hline(img, 37, 338, 21, C(0x808080));
    for (int y : {33, 45})
        hline(img, 38, 337, y, C(0xE4E4E4));
    for (int x : {80, 136, 192, 248, 304})
        vline(img, x, 2, 20, C(0xD0D0D0));
    drawHeld(img, Lettuce, 108, 11);
    drawHeld(img, Cucumber, 164, 11);
    drawHeld(img, Tomato, 220, 11);
    drawHeld(img, Cheese, 276, 11);
    // Small sandwich badges in the grey margins.
    drawBurger(img, 9, 5, 20, 13);
    drawBurger(img, 350, 5, 20, 13);
    return img;
}

QImage lettuceCard() {
    QImage img = blank(133, 73, pal::white);
    drawLettuce(img, 2, 2, 29, 20);
    return img;
}

QImage sandwichOnRed() {
    return smallSandwich(pal::darkRed);
}

QImage banner(const QString& words, bool italic) {
    QImage img = blank(289, 33, C(0x404040));
    rect(img, 4, 4, 281, 25, C(0x9A9AA0));
    bevel(img, 3, 3, 283, 27, C(0xD8D8DC), C(0x202024));
    bevel(img, 4, 4, 281, 25, C(0xB8B8BC), C(0x6A6A70));
    shadowText(img, QRect(4, 4, 281, 25), words, pixelFont(kFont, 18, true, italic, false),
               C(0xFFE040), C(0x202024));
    return img;
}

QImage about() {
    return about(portugueseWords());
}

QImage about(const Words& words) {
    const int w = 288, h = 197;
    QImage img = blank(w, h, pal::white);
    // Green and white checks, 8 px.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (((x / 8) + (y / 8)) % 2)
                img.setPixel(x, y, C(0x48B850));
    frame(img, 0, 0, w, h, C(0x1C6A24));

    auto plaque = [&](int x, int y, int pw, int ph) {
        rect(img, x, y, pw, ph, pal::white);
        frame(img, x, y, pw, ph, C(0x1C6A24));
        put(img, x, y, C(0x48B850));
        put(img, x + pw - 1, y, C(0x48B850));
        put(img, x, y + ph - 1, C(0x48B850));
        put(img, x + pw - 1, y + ph - 1, C(0x48B850));
    };

    plaque(6, 6, 276, 40);
    blit(img, 12, 15, cookHead(pal::white));
    blit(img, 259, 15, mirrored(cookHead(pal::white)));
    shadowText(img, QRect(30, 6, 228, 40), QStringLiteral("Vulcro Pelmar"),
               pixelFont(kFont, 27, true, false, false), C(0x0038D0), C(0x001060));

    plaque(92, 53, 98, 20);
    int versionPx = 13;
    while (versionPx > 9 && QFontMetrics(pixelFont(kFont, versionPx, true, false, false))
                                    .horizontalAdvance(words.version) > 57)
        --versionPx;
    text(img, QRect(94, 56, 57, 14), words.version, pixelFont(kFont, versionPx, true, false, false),
         C(0x102060), Qt::AlignRight | Qt::AlignVCenter);

    const QString credit = words.credit;
    int px = 14;
    while (px > 8 &&
           QFontMetrics(pixelFont(kFont, px, true, false, false)).horizontalAdvance(credit) > 262)
        --px;
    plaque(8, 117, 272, 20);
    text(img, QRect(8, 118, 272, 18), credit, pixelFont(kFont, px, true, false, false),
         C(0x102060));

    // Where the Ok button sits.
    rect(img, 109, 152, 82, 26, C(0xC0C0C0));
    frame(img, 109, 152, 82, 26, C(0x101010));
    bevel(img, 110, 153, 80, 24, C(0xFFFFFF), C(0x808080));
    return img;
}

} // namespace art
