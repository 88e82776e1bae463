// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

namespace ui {

// A picture is shared, never copied: a control that takes another control's
// picture shows the same image. `name` says whose picture it is
// ("Figform.pelmar(12)", "cfrm.fundo"); `resource` is the PNG's file name.
struct Picture {
    std::string name;
    std::string resource;
    int widthPx = 0;
    int heightPx = 0;
};

using PictureRef = std::shared_ptr<const Picture>;

inline constexpr int TwipsPerPixel = 15;

// Whole pixels of a place in twips, rounding towards minus infinity, so a
// picture above or left of its window keeps its exact place.
constexpr int FloorPixels(int twips) {
    return twips >= 0 ? twips / TwipsPerPixel : -((-twips + TwipsPerPixel - 1) / TwipsPerPixel);
}
constexpr int CeilPixels(int twips) {
    return -FloorPixels(-twips);
}

} // namespace ui
