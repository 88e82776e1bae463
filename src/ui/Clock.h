// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <random>

namespace ui {

// The game's clock in hundredths of a second: the time of day when the
// program started plus a monotonic elapsed time. It starts above 0 and only
// grows, so a game that crosses midnight keeps moving.
class DayClock {
public:
    explicit DayClock(double startOfDayHundredths);
    double At(std::int64_t elapsedNanoseconds);

private:
    double base_;
    double last_ = 0;
};

// The game's time around the player's pauses: it stands still while paused
// and goes on from there afterwards, so nothing in the game jumps on resume.
class PauseClock {
public:
    // The game's time for the outside time `now`.
    double At(double now) const;
    void Pause(double now);
    void Resume(double now);
    bool Paused() const { return paused_; }

private:
    bool paused_ = false;
    double pausedAt_ = 0;
    double pausedFor_ = 0;
};

// Uniform draws in [0, 1), reseedable from any number.
class UniformRandom {
public:
    UniformRandom();
    double Next();
    void Reseed(double seed);

private:
    std::mt19937_64 engine_;
};

} // namespace ui
