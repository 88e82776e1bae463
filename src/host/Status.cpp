// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is told of the game as it goes: the counters the
// main window shows in pictures, each by its name and its value as text. A
// front end tells them again whenever one changes, in the player's words.
#include "host/Host.h"

#include <cmath>

namespace host {

std::vector<std::pair<std::string, std::string>> Host::Status() const {
    // The score is kept in a double and shown in whole points.
    const auto points = static_cast<long long>(std::floor(game_.Score));
    return {{"Pontos", std::to_string(points)},
            {"Fase", std::to_string(game_.Level)},
            {"Vidas", std::to_string(game_.Lives)}};
}

} // namespace host
