// SPDX-License-Identifier: GPL-3.0-or-later
#include "Simulator.h"

namespace sim {

Simulator::Simulator() {
    platform.keepSounds = true;
    platform.Start();
}

Simulator::Simulator(const host::Beginning& beginning,
                     std::deque<std::pair<std::string, std::string>> files) {
    platform.keepSounds = true;
    platform.clock = beginning.clock;
    platform.Seed(beginning.seed);
    platform.recordedFiles = std::move(files);
    platform.Start();
}

} // namespace sim
