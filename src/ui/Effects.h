// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Controls.h"

#include <vector>

namespace ui {

// What a front end draws over the controls beside the game's own state: the
// game decides what shows and for how long; the controls stay as they are.
struct Effects {
    // A broken item or sandwich left for a moment where it broke, placed in
    // its container's coordinates (twips), drawn over the container only.
    struct Splash {
        const Control* container = nullptr;
        PictureRef picture;
        int left = 0;
        int top = 0;
        bool operator==(const Splash&) const = default;
    };
    std::vector<Splash> splashes;
    // The order line that blinks on screen, strong and pale in turn at a
    // steady pace whatever the tick rate; none when null.
    const Control* blinkLine = nullptr;
    Colour strong = 0;
    Colour pale = 0;

    bool operator==(const Effects&) const = default;
};

// How long the blinking line shows each colour, in milliseconds: under
// three flashes a second.
inline constexpr int BlinkMilliseconds = 180;

// Whether the blinking line shows its strong colour this long after it began.
inline bool BlinkStrongAfter(long long milliseconds) {
    return (milliseconds / BlinkMilliseconds) % 2 == 0;
}

// Marks what the effects cover as changed on their form: the blinking line
// and the rooms of the splashes.
inline void MarkEffectsDirty(Form& form, const Effects& effects) {
    auto mark = [&form](const Control* control) {
        if (control != nullptr) {
            if (const auto shown = control->ShownRect()) {
                form.MarkDirty(*shown);
            }
        }
    };
    mark(effects.blinkLine);
    for (const auto& splash : effects.splashes) {
        mark(splash.container);
    }
}

} // namespace ui
