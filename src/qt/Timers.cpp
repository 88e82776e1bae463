// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/Timers.h"

#include <QTimer>

namespace qt {

Timers::Timers(ui::Form& form) {
    for (const auto& control : form.controls()) {
        ui::Control& c = *control;
        if (c.kind() != ui::Kind::Timer) {
            continue;
        }
        auto* timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, [this, &c] {
            if (c.onClick) {
                c.onClick(); // the timer's event
            }
            if (afterEvent) {
                afterEvent(c);
            }
        });
        timers_.insert(&c, timer);
        Sync(c);
    }
}

void Timers::Sync(ui::Control& control) {
    QTimer* timer = timers_.value(&control);
    if (timer == nullptr) {
        return;
    }
    if (running_ && control.Enabled() && control.Interval() > 0) {
        if (!timer->isActive() || timer->interval() != control.Interval()) {
            timer->start(control.Interval());
        }
    } else {
        timer->stop();
    }
}

void Timers::SetRunning(bool running) {
    running_ = running;
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        Sync(*it.key());
    }
}

} // namespace qt
