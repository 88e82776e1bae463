// SPDX-License-Identifier: GPL-3.0-or-later
// The cook: back, side and front views, empty-handed or carrying something.
// Body pictures are 31 x 49; side views with a load grow to 45 px so the
// item can be held at arm's length.
#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace art {

namespace {

const Keys kCookKeys = {
    {'k', C(0x202024)}, // outline
    {'w', C(0xFFFFFF)}, // hat and jacket
    {'W', C(0xFFFFFF)}, // floor, used to wipe pixels in overlays
    {'g', C(0xCCD0DC)}, // shade on white cloth
    {'s', C(0xF6C894)}, // skin
    {'S', C(0xD89C68)}, // skin in shadow
    {'h', C(0x5A3418)}, // hair
    {'H', C(0x3C200C)}, // eyebrows
    {'e', C(0x101010)}, // eyes
    {'m', C(0xB83030)}, // mouth
    {'c', C(0xF4A080)}, // cheeks
    {'r', C(0xD82020)}, // neckerchief
    {'B', C(0x707480)}, // jacket buttons
    {'p', C(0x3A3A50)}, // trousers
    {'P', C(0x24242F)}, // trouser crease
    {'b', C(0x181818)}, // shoes
};

// Front view, left half; column 15 is the middle of the body.
const Rows kFrontHalf = {
    "...........kkkkk", // 0  hat puff
    ".........kkwwwww", "........kwwwwwww", ".......kwwwwwwww", ".......kwwwwwwww",
    ".......kwwwwwwww", ".......kgwwwwwww", "........kgwwwwww",
    ".........kkgwgwg", // 8  pleated band
    ".........kwgwgwg", ".........kwwwwww", ".........kkkkkkk",
    "..........khhhhh", // 12 face
    "..........khssss", "..........ksssss", "........ksSssess", "........ksSssess",
    ".........ksssssS", "..........kcsmss", "..........ksssmm", "..........kkssss",
    "............kSSS",
    ".......kkwwwwrrr", // 22 jacket
    ".....kkwwwwwwrrr", "....kwwwwwwwwwgr", "....kwwgkwwwwwww", "....kwwgkwwwBwww",
    "....kwwgkwwwwwww", "....kwwgkwwwwwww", "....kwwgkwwwBwww", "....kwwgkwwwwwww",
    "....kwwgkwwwwwww", "....kwwgkwwwBwww", "....kgggkwwwwwww", "....kssskwwwwwww",
    "....kssskggggggg", ".....kkk.kkkkkkk",
    ".........kpppppp", // 37 trousers
    ".........kpppppp", ".........kpppppk", ".........kPpppk.", ".........kPpppk.",
    ".........kPpppk.", ".........kPpppk.", ".........kPpppk.", ".........kPpppk.",
    ".........kbbbbk.", // 46 shoes
    "........kbbbbbk.", "........kkkkkkk.",
};

const Rows kBackHalf = {
    "...........kkkkk", ".........kkwwwww", "........kwwwwwww", ".......kwwwwwwww",
    ".......kwwwwwwww", ".......kwwwwwwww", ".......kgwwwwwww", "........kgwwwwww",
    ".........kkgwgwg", ".........kwgwgwg", ".........kwwwwww", ".........kkkkkkk",
    "..........khhhhh", // 12 back of the head
    "..........khhhhh", "..........khhhhh", "........kshhhhhh", "........kshhhhhh",
    ".........khhhhhh", "..........khhhhh", "..........kkhhhh", "...........kkSSS",
    "............kSSS",
    ".......kkwwwwrrr", // 22 jacket back, seam down the middle
    ".....kkwwwwwwwww", "....kwwwwwwwwwww", "....kwwgkwwwwwwg", "....kwwgkwwwwwwg",
    "....kwwgkwwwwwwg", "....kwwgkwwwwwwg", "....kwwgkwwwwwwg", "....kwwgkwwwwwwg",
    "....kwwgkwwwwwwg", "....kwwgkwwwwwwg", "....kgggkwwwwwwg", "....kssskwwwwwwg",
    "....kssskggggggg", ".....kkk.kkkkkkk",
    ".........kpppppp", // 37
    ".........kpppppp", ".........kpppppk", ".........kPpppk.", ".........kPpppk.",
    ".........kPpppk.", ".........kPpppk.", ".........kPpppk.", ".........kPpppk.",
    ".........kbbbbk.", ".........kbbbbk.", ".........kkkkkk.",
};

// Side view facing left, without the near arm (that one is an overlay).
const Rows kSideLeft = {
    "............kkkkkkkk...........", "..........kkwwwwwwwwkk.........",
    ".........kwwwwwwwwwwwwk........", "........kwwwwwwwwwwwwwwk.......",
    "........kwwwwwwwwwwwwwgk.......", "........kwwwwwwwwwwwwwgk.......",
    "........kgwwwwwwwwwwwggk.......", ".........kggwwwwwwwwggk........",
    "..........kkgwgwgwgwkk.........", "..........kwgwgwgwgwgk.........",
    "..........kwwwwwwwwwwk.........", "..........kkkkkkkkkkkk.........",
    "..........ksssshhhhhhk.........", // 12 profile, nose on the left
    "..........kHHsshhhhhhk.........", "..........kssessSShhhk.........",
    "..........kssessSShhhk.........", "........kssssssssShhhk.........",
    ".........kksssssssshhk.........", "..........ksmsssssshhk.........",
    "..........kssssssssshk.........", "...........kkssssssSk..........",
    ".............kSSSSk............",
    "..........kkrrrwwwwwkk.........", // 22 jacket
    ".........krrrrwwwwwwwwk........", ".........kwrrwwwwwwwwwk........",
    ".........kwwwwwwwwwwwwk........", ".........kwBwwwwwwwwwwk........",
    ".........kwwwwwwwwwwwwk........", ".........kwwwwwwwwwwwwk........",
    ".........kwBwwwwwwwwwwk........", ".........kwwwwwwwwwwwwk........",
    ".........kwwwwwwwwwwwwk........", ".........kwBwwwwwwwwwwk........",
    ".........kwwwwwwwwwwwwk........", ".........kwwwwwwwwwwwwk........",
    ".........kggggggggggggk........", ".........kkkkkkkkkkkkkk........",
    "..........kppppppppk...........", // 37 trousers
    "..........kppppppppk...........", "..........kppppppppk...........",
    "..........kppppPpppk...........", "..........kppppPpppk...........",
    "..........kppppPpppk...........", "..........kppppPpppk...........",
    "..........kppppPpppk...........", "..........kppppPpppk...........",
    "..........kbbbbbbbbk...........", // 46 shoes, toes forward
    "........kbbbbbbbbbbk...........", "........kkkkkkkkkkkk...........",
};

// Near arm hanging down, side view; drawn at (13, 23).
const Rows kArmDown = {
    ".kkk.", "kwwwk", "kwwwk", "kwwwk", "kwwgk", "kwwgk", "kwwgk",
    "kwwgk", "kwwgk", "kgggk", "kSssk", "kSssk", ".kkk.",
};

// Near arm stretched out to the left, in 45-px picture coordinates; drawn at (11, 24).
const Rows kArmOut = {
    "..............kkkkkk...", ".kkk.kkkkkkkkkwwwwwwkk.", "kSsskkgwwwwwwwwwwwwwwwk",
    "kSsssgwwwwwwwwwwwwwwwwk", "kSsssgwwwwwwwwwwwwwwwgk", "kSsskkgggggggggggggggk.",
    ".kkk.kkkkkkkkkkkkkkkk..",
};

// Hands gripping a load in front of the belly; left one drawn at (4, 31), right mirrored.
const Rows kFrontGrip = {
    "kgggk.", "kssskk", "kSssss", "kSssss", ".kkkk.", "WWWWW.",
};

void check(const Rows& rows, size_t width, const char* what) {
    for (const std::string& r : rows)
        if (r.size() != width) {
            std::fprintf(stderr, "drawart: %s row '%s' is %zu wide, wanted %zu\n", what, r.c_str(),
                         r.size(), width);
            std::exit(2);
        }
}

QImage front(Load load) {
    check(kFrontHalf, 16, "front");
    QImage img = blank(31, 49, pal::white);
    sprite(img, 0, 0, mirrorHalves(kFrontHalf), kCookKeys);
    if (load != Empty) {
        // Forearms bend in: the cuffs move up and the hands close on the item.
        drawHeld(img, load, 15, load == Basket ? 34 : 33);
        sprite(img, 4, 31, kFrontGrip, kCookKeys);
        sprite(img, 21, 31, flipRows(kFrontGrip), kCookKeys);
    }
    return img;
}

QImage back() {
    check(kBackHalf, 16, "back");
    QImage img = blank(31, 49, pal::white);
    sprite(img, 0, 0, mirrorHalves(kBackHalf), kCookKeys);
    return img;
}

QImage sideLeft(Load load) {
    check(kSideLeft, 31, "side");
    if (load == Empty) {
        QImage img = blank(31, 49, pal::white);
        sprite(img, 0, 0, kSideLeft, kCookKeys);
        sprite(img, 13, 23, kArmDown, kCookKeys);
        return img;
    }
    QImage img = blank(45, 49, pal::white);
    sprite(img, 14, 0, kSideLeft, kCookKeys);
    drawHeld(img, load, 7, load == Basket ? 30 : 28);
    sprite(img, 11, 24, kArmOut, kCookKeys);
    return img;
}

} // namespace

QImage cook(int code) {
    const Load load = static_cast<Load>(code / 10);
    switch (code % 10) {
    case 0:
        return back();
    case 1:
        return sideLeft(load);
    case 3:
        return mirrored(sideLeft(load));
    default:
        return front(load);
    }
}

QImage pelmar() {
    // Same cook, one row taller and one column narrower.
    QImage img = blank(30, 50, pal::white);
    blit(img, 0, 1, front(Empty).copy(0, 0, 30, 49));
    return img;
}

QImage cookHead(QRgb bg) {
    QImage img = front(Empty).copy(7, 0, 17, 22);
    recolour(img, img.rect(), pal::white, bg);
    // Put the white back inside the hat.
    QImage clean = front(Empty).copy(7, 0, 17, 22);
    for (int y = 0; y < 22; ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < 17; ++x)
            if (clean.pixel(x, y) != pal::white) {
                if (first < 0)
                    first = x;
                last = x;
            }
        for (int x = first + 1; x < last && first >= 0; ++x)
            if (clean.pixel(x, y) == pal::white)
                img.setPixel(x, y, pal::white);
    }
    return img;
}

QImage icon(QRgb background) {
    // Big head with the toque; the halves mirror into 32 columns.
    const Rows half = {
        "..........kkkkkk", "......kkkkwwwwww", ".....kwwwwwwwwww", "....kwwwwwwwwwww",
        "...kwwwwwwwwwwww", "...kwwwwwwwwwwww", "...kgwwwwwwwwwww", "...kgwwwwwwwwwww",
        "....kggwwwwwwwww", ".....kkggwwwwwww", "......kgwgwgwgwg", "......kgwgwgwgwg",
        "......kwwwwwwwww", "......kkkkkkkkkk", "......khhhhhhhhh", "......khhsssssss",
        "......khssssssss", "......ksssHHHsss", "....kkksssssssss", "....kSkssssseess",
        "....kSkssssseess", "....kSksssssssSs", "....kkkcccssssSS", "......kssssmssss",
        "......ksssssmmmm", ".......kssssssss", "........kkssssss", "..........kkkkkk",
        ".......kkwwwkrrr", ".....kkwwwwwkrrr", "...kkwwwwwwwwkrr", "..kwwwwwwwwwwwkr",
    };
    check(half, 16, "icon");
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(background);
    sprite(img, 0, 0, mirrorHalves(half, false), kCookKeys);
    return img;
}

QImage iconAt(int size, QRgb background) {
    // Shapes laid out on the 32-px grid, turned into whole pixels at this size;
    // the mask is taller than the picture so the shoulders run off the bottom.
    const double f = size / 32.0;
    const auto px = [f](double v) { return static_cast<int>(std::lround(v * f)); };
    const auto colour = [](char ch) {
        for (const Key& k : kCookKeys)
            if (k.ch == ch)
                return k.colour;
        return pal::black;
    };
    const QRgb k = colour('k');
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(background);
    const double mid = size / 2.0;

    // Shoulders in the white jacket, the red neckerchief in a V between them.
    Mask shoulders(size, size + 8);
    shoulders.ellipse(mid, 35 * f, 15.5 * f, 7.5 * f);
    shoulders.fill(img, 0, 0, colour('w'));
    shoulders.outline(img, 0, 0, k);
    // Ears, then the face over them, with hair under the hat's band.
    if (size >= 22) {
        Mask ears(size, size);
        ears.ellipse(6.5 * f, 20.5 * f, 3 * f, 3.5 * f);
        ears.fill(img, 0, 0, colour('S'));
        ears.outline(img, 0, 0, k);
    }
    Mask face(size, size);
    face.ellipse(mid, 18.5 * f, 10 * f, 10 * f);
    face.fill(img, 0, 0, colour('s'));
    for (int y = 0; y < px(15.5); ++y)
        for (int x = 0; x < size; ++x)
            if (face.on(x, y))
                put(img, x, y, colour('h'));
    face.outline(img, 0, 0, k);
    const int collar = face.bottom(size / 2) + 1;
    for (int y = collar; y < size; ++y) {
        const int half = std::max(1, px(3) - (y - collar));
        hline(img, size / 2 - half, size / 2 - 1, y, colour('r'));
        put(img, size / 2 - half - 1, y, k);
    }

    // Eyes, brows, a cheek and half the smile on the left; the right half is a mirror.
    const int eye = std::max(1, px(2));
    const int eyeX = px(12), eyeY = px(19);
    rect(img, eyeX, eyeY, eye, eye, colour('e'));
    if (size >= 22)
        hline(img, eyeX - 1, eyeX + eye - 1, eyeY - std::max(2, px(2)), colour('H'));
    for (int y = px(22.5); y < px(22.5) + std::max(1, px(1)); ++y)
        for (int x = px(8); x < px(8) + std::max(1, px(2)); ++x)
            if (get(img, x, y) == colour('s'))
                put(img, x, y, colour('c'));
    const int mouthY = px(24.5), mouthHalf = std::max(1, px(3));
    hline(img, size / 2 - mouthHalf, size / 2 - 1, mouthY, colour('m'));
    if (size >= 22)
        put(img, size / 2 - mouthHalf - 1, mouthY - 1, colour('m'));

    // The toque: a puff over a pleated band.
    Mask hat(size, size);
    hat.ellipse(mid, 6 * f, 13.5 * f, 6.5 * f);
    for (int y = px(10); y < size; ++y)
        for (int x = 0; x < size; ++x)
            hat.set(x, y, false);
    hat.box(px(6), px(8), size - 2 * px(6), px(14) - px(8));
    hat.fill(img, 0, 0, colour('w'));
    for (int y = px(10); y < px(14) - 1; ++y)
        for (int x = px(6) + 1; x < size - px(6) - 1; x += 2)
            put(img, x, y, colour('g'));
    for (int y = 0; y < px(10); ++y) {
        const int left = [&] {
            for (int x = 0; x < size; ++x)
                if (hat.on(x, y))
                    return x;
            return -1;
        }();
        if (left >= 0 && y >= px(4))
            put(img, left + 1, y, colour('g'));
    }
    hat.outline(img, 0, 0, k);

    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size / 2; ++x)
            img.setPixel(size - 1 - x, y, img.pixel(x, y));
    return img;
}

} // namespace art
