// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Controls.h"
#include "ui/Effects.h"

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

#include <functional>

class QTimer;

namespace qt {

class PictureCache;

// A form's client area, painted from the model: only what changed, and
// never more than once a display frame.
class Canvas : public QWidget {
public:
    Canvas(QWidget* parent, ui::Form& form, PictureCache& pictures);

    // Something drawn changed: repaint it at the next frame.
    void ScheduleFrame();

    // Shows the form at a whole factor, every picture pixel a square.
    void SetZoom(int factor);
    int zoom() const { return zoom_; }
    // The size of the form's client area at 1x, in pixels.
    QSize BaseSize() const;
    // Draws the pause sign over the playfield; the effects stand still with it.
    void ShowPauseSign(bool shown);
    // A small sign in a corner while a record plays instead of the player.
    void ShowReplaySign(bool shown);
    // Where the effects to draw over the controls are kept, and which colour
    // the blinking line shows now.
    void SetEffects(const ui::Effects* effects, std::function<bool()> blinkStrong);
    // Paints what changed at once: the end of a wake-up.
    void PaintChanges();
    // Runs `then` once, as soon as the first frame has been painted: what
    // the player need not wait for before the window shows.
    void AfterFirstPaint(std::function<void()> then);

    // For the whole-program measurements: paints so far, and when the first
    // one happened (milliseconds since the epoch, 0 before it).
    long long paints() const { return paints_; }
    qint64 firstPaintEpochMs() const { return firstPaintEpochMs_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ui::Form& form_;
    PictureCache& pictures_;
    QTimer* frame_;
    QElapsedTimer sinceLastPaint_;
    const ui::Effects* effects_ = nullptr;
    std::function<bool()> blinkStrong_;
    std::function<void()> afterFirstPaint_;
    int zoom_ = 1;
    // The form at 1x, scaled up when the factor is larger.
    QImage single_;
    QImage scaled_;
    bool pauseSign_ = false;
    bool replaySign_ = false;
    long long paints_ = 0;
    qint64 firstPaintEpochMs_ = 0;
};

} // namespace qt
