// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/Timers.h"

namespace host {

void Timers::Add(ui::Form& form) {
    for (const auto& control : form.controls()) {
        if (control->kind() == ui::Kind::Timer) {
            // Seen as changed, so the first look starts what already runs.
            slots_.push_back({control.get(), control->TimerChanges() - 1, -1});
        }
    }
}

void Timers::Follow(std::int64_t now) {
    for (Slot& slot : slots_) {
        if (slot.changesSeen != slot.timer->TimerChanges()) {
            slot.changesSeen = slot.timer->TimerChanges();
            slot.due = slot.timer->TimerRunning() ? now + slot.timer->Interval() : -1;
        }
    }
}

void Timers::Fire(std::int64_t now) {
    Follow(now);
    for (Slot& slot : slots_) {
        if (slot.due < 0 || slot.due > now) {
            continue;
        }
        slot.due = now + slot.timer->Interval();
        if (slot.timer->onClick) {
            slot.timer->onClick(); // the timer's event
        }
        Follow(now);
    }
}

void Timers::RestartAll(std::int64_t now) {
    for (Slot& slot : slots_) {
        slot.changesSeen = slot.timer->TimerChanges();
        slot.due = slot.timer->TimerRunning() ? now + slot.timer->Interval() : -1;
    }
}

bool Timers::AnyRunning() const {
    for (const Slot& slot : slots_) {
        if (slot.timer->TimerRunning()) {
            return true;
        }
    }
    return false;
}

std::int64_t Timers::NextDue() const {
    std::int64_t next = -1;
    for (const Slot& slot : slots_) {
        if (slot.due >= 0 && (next < 0 || slot.due < next)) {
            next = slot.due;
        }
    }
    return next;
}

} // namespace host
