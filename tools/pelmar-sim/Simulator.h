// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScriptedPlatform.h"
#include "game/Game.h"
#include "windows/Forms.h"

#include <iosfwd>
#include <stdexcept>
#include <string>

namespace sim {

// A script line that cannot be understood.
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The game without a window: runs script commands against the real windows
// and game module, with the clock, the draws and the dialogs scripted.
class Simulator {
public:
    Simulator();

    ScriptedPlatform platform;
    windows::Windows windows;
    game::Game game{windows, platform};

    // Runs one line; output goes to `out`. Throws ScriptError on a line it
    // cannot understand. Returns false once the program has ended.
    bool Execute(const std::string& line, std::ostream& out);
    // Runs a whole script; returns the exit status (0, or 2 on a bad line).
    int Run(std::istream& in, std::ostream& out, std::ostream& err);

    // The whole state; `takeSounds` empties the sounds it reports.
    std::string Dump(bool takeSounds = true);
    // The factor a window would show the game at; the simulator has no screen.
    int zoom = 1;
    void FireTimer();

private:
    ui::Control& ControlByName(std::string_view name);
    std::string Get(std::string_view name);
    void Set(std::string_view name, const std::string& value);
};

} // namespace sim
