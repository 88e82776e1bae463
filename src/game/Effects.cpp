// SPDX-License-Identifier: GPL-3.0-or-later
// What the front ends draw beside the game's state: a loss left on screen for
// a moment where it happened, and the carried order's line blinking at a
// steady pace. The game's own variables and controls stay as they are.
#include "game/Game.h"

#include <algorithm>

namespace game {

void Game::PublishEffects(ui::Effects next) {
    if (!(next == effects_)) {
        effects_ = std::move(next);
        platform_.ShowEffects(effects_);
    }
}

void Game::Splash(const ui::Control& item, const ui::PictureRef& broken) {
    ui::Effects next = effects_;
    next.splashes.push_back({item.parent(), broken, item.Left(), item.Top()});
    splashUntil_.push_back(Now() + SplashHundredths);
    PublishEffects(std::move(next));
}

void Game::StepEffects() {
    const double now = Now();
    const bool splashesEnd = std::any_of(splashUntil_.begin(), splashUntil_.end(),
                                         [now](double until) { return until <= now; });
    const ui::Control* line =
        BlinkLine(1) != 0 ? &windows::At(cfrm.selec, BlinkLine(1) - 1, "selec") : nullptr;
    if (!splashesEnd && line == effects_.blinkLine &&
        (line == nullptr ||
         effects_.pale == static_cast<ui::Colour>(HighlightColour(BlinkLine(2), False)))) {
        return;
    }
    ui::Effects next = effects_;
    for (std::size_t i = next.splashes.size(); i-- > 0;) {
        if (splashUntil_[i] <= now) {
            next.splashes.erase(next.splashes.begin() + static_cast<std::ptrdiff_t>(i));
            splashUntil_.erase(splashUntil_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    next.blinkLine = line;
    next.strong =
        line != nullptr ? static_cast<ui::Colour>(HighlightColour(BlinkLine(2), True)) : 0;
    next.pale = line != nullptr ? static_cast<ui::Colour>(HighlightColour(BlinkLine(2), False)) : 0;
    PublishEffects(std::move(next));
}

void Game::ClearEffects() {
    splashUntil_.clear();
    PublishEffects({});
}

} // namespace game
