// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Canvas.h"

#include "qt/FormPainter.h"

#include <QDateTime>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace qt {

namespace {

int FrameMilliseconds(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    const double rate = screen != nullptr && screen->refreshRate() > 1 ? screen->refreshRate() : 60;
    return static_cast<int>(1000.0 / rate);
}

} // namespace

Canvas::Canvas(QWidget* parent, ui::Form& form, PictureCache& pictures)
    : QWidget(parent), form_(form), pictures_(pictures), frame_(new QTimer(this)) {
    setFixedSize(BaseSize());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    frame_->setSingleShot(true);
    frame_->setTimerType(Qt::PreciseTimer);
    connect(frame_, &QTimer::timeout, this, [this] { PaintChanges(); });
    sinceLastPaint_.start();
}

void Canvas::SetEffects(const ui::Effects* effects, std::function<bool()> blinkStrong) {
    effects_ = effects;
    blinkStrong_ = std::move(blinkStrong);
}

QSize Canvas::BaseSize() const {
    return {form_.clientWidth / ui::TwipsPerPixel, form_.clientHeight / ui::TwipsPerPixel};
}

void Canvas::SetZoom(int factor) {
    factor = std::clamp(factor, 1, 8);
    if (factor != zoom_) {
        zoom_ = factor;
        setFixedSize(BaseSize() * zoom_);
        update();
    }
}

void Canvas::ShowPauseSign(bool shown) {
    if (shown != pauseSign_) {
        pauseSign_ = shown;
        update();
    }
}

void Canvas::ShowReplaySign(bool shown) {
    if (shown != replaySign_) {
        replaySign_ = shown;
        update();
    }
}

void Canvas::ScheduleFrame() {
    // Every change until the next display frame is painted at once.
    if (frame_->isActive()) {
        return;
    }
    const int wait = FrameMilliseconds(*this) - static_cast<int>(sinceLastPaint_.elapsed());
    frame_->start(std::max(wait, 0));
}

void Canvas::PaintChanges() {
    frame_->stop();
    QRegion changed;
    for (const ui::Rect& r : form_.TakeDirty()) {
        const QRect pixels(QPoint(ui::FloorPixels(r.left), ui::FloorPixels(r.top)),
                           QPoint(ui::CeilPixels(r.right) - 1, ui::CeilPixels(r.bottom) - 1));
        changed += QRect(pixels.topLeft() * zoom_, pixels.size() * zoom_);
    }
    if (!changed.isEmpty()) {
        sinceLastPaint_.restart();
        update(changed);
    }
}

void Canvas::AfterFirstPaint(std::function<void()> then) {
    afterFirstPaint_ = std::move(then);
}

void Canvas::paintEvent(QPaintEvent* event) {
    if (paints_++ == 0) {
        firstPaintEpochMs_ = QDateTime::currentMSecsSinceEpoch();
        if (afterFirstPaint_) {
            QTimer::singleShot(0, this, std::exchange(afterFirstPaint_, nullptr));
        }
    }
    QPainter painter(this);
    // While paused the effects stand still, as everything else does.
    static const ui::Effects none;
    const Painting with{pictures_, effects_ != nullptr ? effects_ : &none,
                        pauseSign_ || !blinkStrong_ || blinkStrong_()};
    if (zoom_ == 1) {
        for (const QRect& area : event->region()) {
            PaintForm(painter, with, form_, area);
        }
    } else {
        // Painted at 1x, then every pixel drawn as a square of the factor's
        // side: pixel art stays sharp, and one paint costs little more.
        if (single_.size() != BaseSize()) {
            single_ = QImage(BaseSize(), QImage::Format_RGB32);
        }
        QPainter single(&single_);
        QRegion model;
        for (const QRect& area : event->region()) {
            const QRect part(QPoint(area.left() / zoom_, area.top() / zoom_),
                             QPoint(area.right() / zoom_, area.bottom() / zoom_));
            PaintForm(single, with, form_, part);
            model += part;
        }
        single.end();
        if (scaled_.size() != size()) {
            scaled_ = QImage(size(), QImage::Format_RGB32);
        }
        for (const QRect& part : model) {
            ScaleUp(single_, part, zoom_, scaled_);
        }
        // Each area under a clip of its own rectangle: Qt copies such a
        // picture row by row, where the paint's many-rectangle clip would
        // send it through its threaded blending, which costs a thread
        // hand-over on every paint.
        for (const QRect& area : event->region()) {
            painter.setClipRect(area);
            painter.drawImage(area.topLeft(), scaled_, area);
        }
        painter.setClipping(false);
        painter.scale(zoom_, zoom_);
    }
    if (replaySign_) {
        PaintReplaySign(painter, BaseSize());
    }
    if (pauseSign_) {
        PaintPauseSign(painter, BaseSize());
    }
}

} // namespace qt
