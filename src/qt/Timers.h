// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Controls.h"

#include <QHash>
#include <QObject>
#include <functional>

class QTimer;

namespace qt {

// A precise QTimer for each timer control of a form, firing its event.
class Timers : public QObject {
public:
    explicit Timers(ui::Form& form);
    // Starts, restarts or stops a timer as its control says.
    void Sync(ui::Control& timer);
    // While the player pauses, no timer runs, whatever the controls say.
    void SetRunning(bool running);
    // Told after each timer event, with the timer that fired.
    std::function<void(const ui::Control&)> afterEvent;

private:
    QHash<ui::Control*, QTimer*> timers_;
    bool running_ = true;
};

} // namespace qt
