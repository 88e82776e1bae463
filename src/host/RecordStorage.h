// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/Files.h"
#include "ui/Platform.h"

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace host {

// The records of the sessions, kept as the high-score table is: `last.sim`
// for the last session and SCORE-yyyy-MM-dd-HHmmss.sim for each game that
// entered the table, each written whole beside the old one and renamed over
// it, so a link in its place is replaced and what it pointed to stays as it
// was. Only the newest score records are kept, and only names the game gives
// are ever removed: a player's own .sim files stay. A record that cannot be
// kept is told once a run; later failures say nothing new.
class RecordStorage {
public:
    using Teller = std::function<void(const ui::Notice&)>;
    static constexpr int MostScored = 50;
    static constexpr std::string_view LastName = "last.sim";
    // Temporary files of killed writes older than this are removed by a write.
    static constexpr int StaleSeconds = 60;

    // No folder (no home): nothing is kept and nothing is told, the front
    // end having said so already.
    RecordStorage(std::optional<std::string> folder, Teller tell,
                  files::WriteCall write = files::RealWrite());

    const std::optional<std::string>& folder() const { return folder_; }
    // Looks, creating nothing, whether a record could be kept, so that a
    // player is told at the start rather than as the program ends.
    void Check();
    // The record of a game that entered the table with `score`, or of the
    // last session (none), at the time `when`; false when it was not kept.
    bool Keep(std::optional<double> score, const std::string& script, std::time_t when);

    static std::string NameFor(std::optional<double> score, std::time_t when);
    // last.sim or a score record's name: the only names the game removes.
    static bool IsOwnName(std::string_view name);

private:
    // The oldest score records beyond the newest MostScored go.
    void Prune() const;
    void TellOnce(const std::string& where, const std::string& reason);

    std::optional<std::string> folder_;
    Teller tell_;
    files::WriteCall write_;
    bool told_ = false;
};

} // namespace host
