// SPDX-License-Identifier: GPL-3.0-or-later
// drawart OUTDIR -- paints every picture of the game and saves it as PNG.
#include "pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QSet>

#include <algorithm>
#include <cstdio>

namespace {

int failures = 0;

bool sameImage(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) | 0xff000000u) != (b.pixel(x, y) | 0xff000000u))
                return false;
    return true;
}

void save(const QDir& dir, const QString& name, const QImage& picture, int w, int h) {
    QImage img = picture.convertToFormat(QImage::Format_RGB32);
    if (img.width() != w || img.height() != h) {
        std::fprintf(stderr, "drawart: %s is %dx%d, wanted %dx%d\n", qPrintable(name), img.width(),
                     img.height(), w, h);
        ++failures;
        return;
    }
    // Indexed PNGs are much smaller; only use them when every colour fits the table exactly.
    QSet<QRgb> seen;
    for (int y = 0; y < h && seen.size() <= 256; ++y)
        for (int x = 0; x < w; ++x)
            seen.insert(img.pixel(x, y) | 0xff000000u);
    QImage out = img;
    if (seen.size() <= 256) {
        QList<QRgb> table(seen.begin(), seen.end());
        std::sort(table.begin(), table.end());
        out = img.convertToFormat(QImage::Format_Indexed8, table,
                                  Qt::ThresholdDither | Qt::AvoidDither);
    }
    const QString path = dir.filePath(name);
    if (!out.save(path, "PNG")) {
        std::fprintf(stderr, "drawart: cannot write %s\n", qPrintable(path));
        ++failures;
        return;
    }
    const QImage back(path);
    if (!sameImage(back.convertToFormat(QImage::Format_RGB32), img)) {
        std::fprintf(stderr, "drawart: %s did not round-trip exactly\n", qPrintable(path));
        ++failures;
    }
}

// The desktop's icons keep their alpha: the corners around the head are clear.
void saveIcon(const QDir& dir, const QString& name, const QImage& picture, int size) {
    const QImage img = picture.convertToFormat(QImage::Format_ARGB32);
    const QString path = dir.filePath(name);
    if (img.width() != size || img.height() != size || !img.save(path, "PNG")) {
        std::fprintf(stderr, "drawart: cannot write the %d-px icon %s\n", size, qPrintable(path));
        ++failures;
        return;
    }
    if (QImage(path).convertToFormat(QImage::Format_ARGB32) != img) {
        std::fprintf(stderr, "drawart: %s did not round-trip exactly\n", qPrintable(path));
        ++failures;
    }
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: drawart OUTDIR [ICONDIR]\n");
        return 1;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "drawart: cannot create %s\n", argv[1]);
        return 1;
    }
    using namespace art;

    for (int code :
         {0, 1, 2, 3, 11, 12, 13, 21, 22, 23, 31, 32, 33, 41, 42, 43, 51, 52, 53, 61, 62, 63}) {
        const bool wide = code >= 10 && code % 2 == 1;
        save(dir, QStringLiteral("cook_%1.png").arg(code), cook(code), wide ? 45 : 31, 49);
    }
    for (int d = 0; d <= 10; ++d)
        save(dir, QStringLiteral("num_%1.png").arg(d), digit(d), 13, 23);

    const int itemW[] = {29, 30, 30, 29, 29};
    const int itemH[] = {20, 22, 22, 21, 11};
    for (int k = 1; k <= 5; ++k) {
        save(dir, QStringLiteral("item_%1.png").arg(k), flyingItem(k), itemW[k - 1], itemH[k - 1]);
        save(dir, QStringLiteral("item_%1.png").arg(k + 10), brokenItem(k), 31, 24);
    }
    const QRgb ovenBg[] = {pal::white, pal::ovenGreen, pal::ovenRed, pal::ovenBlue};
    for (int i = 0; i < 4; ++i)
        save(dir, QStringLiteral("small_sandwich_%1.png").arg(i), smallSandwich(ovenBg[i]), 29, 17);
    save(dir, QStringLiteral("sanduba_0.png"), beltSandwich(0), 38, 21);
    for (int v = 1; v <= 31; v += 2)
        save(dir, QStringLiteral("sanduba_%1.png").arg(v), beltSandwich(v), 38, 21);

    save(dir, QStringLiteral("fundo.png"), upperRoom(), 380, 301);
    save(dir, QStringLiteral("fundo2.png"), lowerRoom(), 380, 359);
    save(dir, QStringLiteral("lista.png"), orderList(), 380, 72);
    save(dir, QStringLiteral("picture4.png"), scorePanel(), 143, 62);
    save(dir, QStringLiteral("picture3.png"), levelPanel(), 59, 107);
    save(dir, QStringLiteral("picture1.png"), dispenser(), 62, 161);
    save(dir, QStringLiteral("eleme.png"), lettuceCard(), 133, 73);
    save(dir, QStringLiteral("esteira.png"), belt(), 63, 225);
    for (int i = 1; i <= 3; ++i)
        save(dir, QStringLiteral("forno_%1.png").arg(i), oven(i), 63, 141);
    save(dir, QStringLiteral("picture2.png"), funnels(), 301, 31);
    save(dir, QStringLiteral("eleme2.png"), sandwichOnRed(), 29, 17);
    save(dir, QStringLiteral("pelmar.png"), pelmar(), 30, 50);
    save(dir, QStringLiteral("fogo.png"), fire(), 24, 25);
    save(dir, QStringLiteral("melhores.png"), banner(QStringLiteral("Melhores Desempenhos"), true),
         289, 33);
    save(dir, QStringLiteral("entre.png"), banner(QStringLiteral("Entre com o seu nome"), false),
         289, 33);
    save(dir, QStringLiteral("sobre.png"), about(), 288, 197);
    save(dir, QStringLiteral("icon.png"), icon(), 32, 32);

    // The pictures with words in them, in English, under en/: the desktop
    // front end shows them to English players.
    QDir english(dir.filePath(QStringLiteral("en")));
    english.mkpath(QStringLiteral("."));
    const Words& en = englishWords();
    save(english, QStringLiteral("picture4.png"), scorePanel(en), 143, 62);
    save(english, QStringLiteral("picture3.png"), levelPanel(en), 59, 107);
    save(english, QStringLiteral("melhores.png"), banner(en.bestScores, true), 289, 33);
    save(english, QStringLiteral("entre.png"), banner(en.enterName, false), 289, 33);
    save(english, QStringLiteral("sobre.png"), about(en), 288, 197);
    if (argc == 3) {
        // The desktop's icons: the hand-placed 32-px art, and every other size
        // drawn anew from the same shapes, never scaled. The scalable one,
        // pelmar.svg, is written by hand after the same design.
        QDir icons(QString::fromLocal8Bit(argv[2]));
        icons.mkpath(QStringLiteral("."));
        constexpr QRgb clear = 0;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QImage picture = size == 32 ? icon(clear) : iconAt(size, clear);
            saveIcon(icons, QStringLiteral("pelmar_%1.png").arg(size), picture, size);
        }
    }

    if (failures) {
        std::fprintf(stderr, "drawart: %d picture(s) failed\n", failures);
        return 1;
    }
    return 0;
}
