// SPDX-License-Identifier: GPL-3.0-or-later
// Every picture of the game, one builder each. Sizes are fixed by the UI layout.
#pragma once

#include "canvas.h"

#include <QImage>
#include <QString>

namespace art {

// What the cook can carry; the numbers match the load digit of the cook pictures.
enum Load { Empty = 0, Bun = 1, Lettuce = 2, Cucumber = 3, Tomato = 4, Cheese = 5, Basket = 6 };

namespace pal {
constexpr QRgb white = C(0xFFFFFF);
constexpr QRgb black = C(0x000000);
constexpr QRgb belt = C(0xC0C0C0);
constexpr QRgb floorGrey = C(0xA0A0A0);
constexpr QRgb ovenGreen = C(0x00FF00);
constexpr QRgb ovenRed = C(0xFF0000);
constexpr QRgb ovenBlue = C(0x0000FF);
constexpr QRgb darkRed = C(0x800000);
constexpr QRgb olive = C(0x808000);
} // namespace pal

// food.cpp -- ingredients at any size, drawn into the box (x, y, w, h)
void drawLettuce(QImage& img, int x, int y, int w, int h);
void drawCucumber(QImage& img, int x, int y, int w, int h);
void drawTomato(QImage& img, int x, int y, int w, int h);
void drawCheese(QImage& img, int x, int y, int w, int h, QRgb rim);
void drawBasket(QImage& img, int x, int y, int w, int h);
void drawBurger(QImage& img, int x, int y, int w, int h);
void drawBreadRoll(QImage& img, int x, int y, int w, int h);
// The small version carried by the cook / shown as an icon, centred on (cx, cy).
void drawHeld(QImage& img, Load load, int cx, int cy);

QImage flyingItem(int k); // item_1..5
QImage brokenItem(int k); // item_11..15 (k = 1..5)
QImage smallSandwich(QRgb bg);
QImage beltSandwich(int v);
QImage digit(int d); // 0..9, 10 = blank
QImage fire();       // the flames shown over the fireplace, 24 x 25
QImage embers();     // the same fireplace with the flames sunk low, same size

// cook.cpp
QImage cook(int code);
QImage pelmar();
QImage cookHead(QRgb bg); // 15 x 22 head and hat
// The cook's head, hand-placed on the 32-px grid; around it `background`
// (white in the game's picture, transparent for the desktop's icons).
QImage icon(QRgb background = pal::white);
// The same head drawn anew at any other size, from shapes on the 32-px grid.
QImage iconAt(int size, QRgb background = pal::white);

// rooms.cpp
QImage scorePanel();
QImage levelPanel();
QImage dispenser();
QImage belt();
QImage oven(int which); // 1 green, 2 red, 3 blue
QImage funnels();
QImage upperRoom();
QImage lowerRoom();
QImage orderList();
QImage lettuceCard();
QImage sandwichOnRed();
QImage banner(const QString& words, bool italic);

// The words painted into the pictures, in one language.
struct Words {
    QString score, level, lives, bestScores, enterName, version, credit;
};
const Words& portugueseWords();
const Words& englishWords();

QImage scorePanel(const Words& words);
QImage levelPanel(const Words& words);
QImage about(const Words& words);
QImage about();

} // namespace art
