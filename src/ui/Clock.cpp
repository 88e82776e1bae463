// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Clock.h"

#include <algorithm>
#include <cstring>

namespace ui {

DayClock::DayClock(double startOfDayHundredths) : base_(std::max(startOfDayHundredths, 1.0)) {}

double DayClock::At(std::int64_t elapsedNanoseconds) {
    const double now =
        base_ + static_cast<double>(std::max<std::int64_t>(elapsedNanoseconds, 0)) / 1e7;
    last_ = std::max(last_, now);
    return last_;
}

double PauseClock::At(double now) const {
    return (paused_ ? pausedAt_ : now) - pausedFor_;
}

void PauseClock::Pause(double now) {
    if (!paused_) {
        paused_ = true;
        pausedAt_ = now;
    }
}

void PauseClock::Resume(double now) {
    if (paused_) {
        paused_ = false;
        pausedFor_ += std::max(now - pausedAt_, 0.0);
    }
}

UniformRandom::UniformRandom() : engine_(0x5EED) {}

double UniformRandom::Next() {
    // 53 random bits give every double of [0, 1) on the 2^-53 grid, never 1.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

void UniformRandom::Reseed(double seed) {
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof seed);
    std::memcpy(&bits, &seed, sizeof bits);
    engine_.seed(bits ^ 0x9E3779B97F4A7C15ULL);
}

} // namespace ui
