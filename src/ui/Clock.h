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
