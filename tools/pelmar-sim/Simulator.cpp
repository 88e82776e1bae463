// SPDX-License-Identifier: GPL-3.0-or-later
#include "Simulator.h"

namespace sim {

Simulator::Simulator() {
    platform.scripted().keepSounds = true;
    platform.Start();
}

Simulator::Simulator(const host::Beginning& beginning,
                     std::deque<std::pair<std::string, std::string>> files)
    : frontEnd(ScriptedFrontEnd::OffDisk{}) {
    // A record may come from anyone: played back, it reads and writes no file.
    platform.SetReplaying(true);
    platform.scripted().keepSounds = true;
    platform.SetWallClock(beginning.clock);
    platform.Seed(beginning.seed);
    platform.scripted().recordedFiles = std::move(files);
    platform.Start();
}

} // namespace sim
