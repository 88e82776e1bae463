// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScriptedFrontEnd.h"
#include "game/Game.h"
#include "host/Host.h"
#include "host/Script.h"
#include "windows/Forms.h"

#include <deque>
#include <iosfwd>
#include <string>

namespace sim {

using ScriptError = host::ScriptError;

// The game without a window: the host on a scripted front end, run by
// script commands.
class Simulator {
public:
    // Started as the simulator starts: the clock at ten o'clock, the
    // generator's fixed seed.
    Simulator();
    // Started as a record says the real program started: its clock and seed,
    // the files it read while loading.
    Simulator(const host::Beginning& beginning,
              std::deque<std::pair<std::string, std::string>> files);

    ScriptedFrontEnd frontEnd;
    host::Host platform{frontEnd};
    windows::Windows& windows = platform.windows();
    game::Game& game = platform.game();
    host::Script script{platform};

    bool Execute(const std::string& line, std::ostream& out) { return script.Execute(line, out); }
    int Run(std::istream& in, std::ostream& out, std::ostream& err, int firstLine = 1) {
        return script.Run(in, out, err, firstLine);
    }
    std::string Dump(bool takeSounds = true) { return script.Dump(takeSounds); }
    // The clock moved on by `hundredths`, then the play timer fired once.
    void Step(double hundredths) { platform.Step(hundredths); }
};

} // namespace sim
