// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Controls.h"

#include <cstdint>
#include <vector>

namespace host {

// The timer controls of the windows, fired as perfect timers would be on a
// clock that moves in whole milliseconds: a timer started at tick t with
// interval n fires at t + n, t + 2n, ... A timer that is changed (enabled,
// disabled, given a new interval) starts over from the tick of the change.
class Timers {
public:
    template <class Forms> explicit Timers(const Forms& forms) {
        for (ui::Form* form : forms) {
            Add(*form);
        }
    }

    // Takes note of every timer changed since the last look, as of tick `now`.
    void Follow(std::int64_t now);
    // Fires, in order, every running timer due at tick `now`. Each firing is
    // followed by a look at the changes it made.
    void Fire(std::int64_t now);
    // Every running timer starts over from `now`, as after a pause.
    void RestartAll(std::int64_t now);
    // Whether any timer runs.
    bool AnyRunning() const;
    // The first tick at which a running timer is due; -1 when none runs.
    std::int64_t NextDue() const;

private:
    void Add(ui::Form& form);
    struct Slot {
        ui::Control* timer;
        unsigned changesSeen;
        std::int64_t due;
    };
    std::vector<Slot> slots_;
};

} // namespace host
