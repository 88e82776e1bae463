// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace game {

// 16-bit signed, as the game's counters, codes and flags are held.
using Integer = std::int16_t;
// Flags: True is -1, False 0; any non-zero value counts as True and Not is
// the bitwise complement.
using Flag = std::int16_t;
inline constexpr Flag True = -1;
inline constexpr Flag False = 0;
constexpr Flag ToFlag(bool b) {
    return b ? True : False;
}
constexpr Flag Not(Flag f) {
    return static_cast<Flag>(~f);
}

[[noreturn]] inline void IndexOutOfRange(int index, int lo, int hi) {
    throw std::out_of_range("index " + std::to_string(index) + " outside " + std::to_string(lo) +
                            ".." + std::to_string(hi));
}

// A fixed array with the game's own bounds, checked on every access.
template <class T, int Lo, int Hi> class Array1 {
public:
    static constexpr int lower = Lo;
    static constexpr int upper = Hi;
    T& operator()(int i) { return values_[Slot(i)]; }
    const T& operator()(int i) const { return values_[Slot(i)]; }
    void Fill(T v) { values_.fill(v); }

private:
    static std::size_t Slot(int i) {
        if (i < Lo || i > Hi) {
            IndexOutOfRange(i, Lo, Hi);
        }
        return static_cast<std::size_t>(i - Lo);
    }
    std::array<T, Hi - Lo + 1> values_{};
};

template <class T, int Lo1, int Hi1, int Lo2, int Hi2> class Array2 {
public:
    static constexpr int lower1 = Lo1, upper1 = Hi1, lower2 = Lo2, upper2 = Hi2;
    T& operator()(int i, int j) { return values_[Slot(i, j)]; }
    const T& operator()(int i, int j) const { return values_[Slot(i, j)]; }
    void Fill(T v) { values_.fill(v); }

private:
    static std::size_t Slot(int i, int j) {
        if (i < Lo1 || i > Hi1) {
            IndexOutOfRange(i, Lo1, Hi1);
        }
        if (j < Lo2 || j > Hi2) {
            IndexOutOfRange(j, Lo2, Hi2);
        }
        return static_cast<std::size_t>((i - Lo1) * (Hi2 - Lo2 + 1) + (j - Lo2));
    }
    std::array<T, (Hi1 - Lo1 + 1) * (Hi2 - Lo2 + 1)> values_{};
};

} // namespace game
