// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a high-score file. Reading never crashes or
// hangs, and what was read writes and reads back the same.
#include "game/ScoreFormat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace scores = game::scores;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto records = scores::Read(bytes);
    const auto again = scores::Read(scores::Write(records));
    if (again.size() != records.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        const bool same = again[i].table == records[i].table &&
                          again[i].level == records[i].level &&
                          again[i].points == records[i].points &&
                          again[i].name.substr(0, again[i].name.find_last_not_of(' ') + 1) ==
                              records[i].name.substr(0, records[i].name.find_last_not_of(' ') + 1);
        if (!same) {
            std::abort();
        }
    }
    return 0;
}
