// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Canvas.h"

#include "qt/FormPainter.h"

#include <QDateTime>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <algorithm>

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
    setFixedSize(form.clientWidth / ui::TwipsPerPixel, form.clientHeight / ui::TwipsPerPixel);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    frame_->setSingleShot(true);
    frame_->setTimerType(Qt::PreciseTimer);
    connect(frame_, &QTimer::timeout, this, [this] { PaintChanges(); });
    sinceLastPaint_.start();
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
    QRegion changed;
    for (const ui::Rect& r : form_.TakeDirty()) {
        changed += QRect(QPoint(ui::FloorPixels(r.left), ui::FloorPixels(r.top)),
                         QPoint(ui::CeilPixels(r.right) - 1, ui::CeilPixels(r.bottom) - 1));
    }
    if (!changed.isEmpty()) {
        sinceLastPaint_.restart();
        update(changed);
    }
}

void Canvas::paintEvent(QPaintEvent* event) {
    if (paints_++ == 0) {
        firstPaintEpochMs_ = QDateTime::currentMSecsSinceEpoch();
    }
    QPainter painter(this);
    for (const QRect& area : event->region()) {
        PaintForm(painter, pictures_, form_, area);
    }
}

} // namespace qt
