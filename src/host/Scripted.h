// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace host {

// What a script or a test gives the game in the player's place (the draws,
// the dialogs' answers, the files a record read), and what the game showed
// that a dump reports.
struct Scripted {
    std::deque<double> queuedDraws;
    std::deque<std::optional<std::string>> answers; // nullopt = Cancel
    std::deque<bool> yesNo;
    // Ticks the game ran behind a dialog while the player answered it, run
    // by the next dialog answered from the queues before it answers.
    std::deque<std::int64_t> behindDialog;
    // Files as a record read them: the next read of the name takes the
    // first queued for it.
    std::deque<std::pair<std::string, std::string>> recordedFiles;

    struct InputBoxShown {
        std::string prompt, title, defaultAnswer;
    };
    struct MessageBoxShown {
        std::string prompt, title;
    };
    std::optional<InputBoxShown> lastInputBox;
    std::optional<MessageBoxShown> lastMessageBox;
    int helpOpened = 0;
    int drawsTaken = 0;
    int questionsAsked = 0;
    // The sounds asked for since the last dump, kept where a front end
    // reports them.
    bool keepSounds = false;
    std::size_t mostSounds = static_cast<std::size_t>(-1);
    std::vector<std::string> sounds;
};

} // namespace host
