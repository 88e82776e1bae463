// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Controls.h"
#include "ui/Effects.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QRect>

class QPainter;

namespace qt {

// The colour of a 0x00BBGGRR value, or of a desktop colour.
QColor ToQColor(ui::Colour colour);
// The window font of a control: its family where the desktop has it, else a
// sans serif (or monospace) of the same pixel size.
QFont ToQFont(const ui::Font& font);
// The pictures by their PNG names, each loaded once from the resources: the
// copy in the language installed where a picture has one (words in it),
// kept apart from the other languages' copies.
class PictureCache {
public:
    const QImage& Of(const ui::PictureRef& picture);

private:
    QHash<QString, QImage> images_;
};

// Paints a form's client area (or the part `area` of it, in pixels) from its
// model, as every front end walks it, and the losses left on screen for a
// moment over the rooms they happened in.
// What one paint draws with: the pictures, and the effects shown over the
// controls (none for a plain picture of the form).
struct Painting {
    PictureCache& pictures;
    const ui::Effects* effects = nullptr;
    // Which of the blinking line's two colours shows now.
    bool blinkStrong = true;
};

void PaintForm(QPainter& painter, PictureCache& pictures, const ui::Form& form, const QRect& area);
void PaintForm(QPainter& painter, const Painting& with, const ui::Form& form, const QRect& area);
void PaintForm(QPainter& painter, PictureCache& pictures, const ui::Form& form);
// Copies `part` of a 1x picture into `scaled` with every pixel a square of
// `factor`'s side; both images are RGB32, `scaled` factor times the size.
void ScaleUp(const QImage& single, const QRect& part, int factor, QImage& scaled);
// The sign over the playfield while the player has paused the game.
void PaintPauseSign(QPainter& painter, const QSize& client);
// "REPETIÇÃO", small, in a corner of the kitchen: a record plays.
void PaintReplaySign(QPainter& painter, const QSize& client);

} // namespace qt
