// SPDX-License-Identifier: GPL-3.0-or-later
// What the game asks of its platform: dialogs, sounds, files, the pause and
// the dump of its state, answered live or from a record.
#include "host/Host.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <utility>

namespace host {

// ---- ui::Platform ----

void Host::SetPaused(bool paused) {
    paused ? pause_.Pause(clock) : pause_.Resume(clock);
    if (!paused) {
        // The timers start over, and the time spent paused is not owed.
        timers_.RestartAll(WholeMilliseconds());
        lastWake_ = frontEnd_.Nanoseconds();
        owed_ = 0;
    }
    if (effects_.blinkLine != nullptr) {
        ui::MarkEffectsDirty(windows.cfrm, effects_);
    }
    frontEnd_.ShowPaused(paused);
    if (busy_ == 0) {
        ScheduleWake();
    }
}

void Host::ShowEffects(const ui::Effects& effects) {
    if (effects.blinkLine != effects_.blinkLine) {
        blinkStart_ = WholeMilliseconds();
        blinkStrong_ = true;
    }
    ui::MarkEffectsDirty(windows.cfrm, effects_);
    effects_ = effects;
    ui::MarkEffectsDirty(windows.cfrm, effects_);
}

double Host::Random() {
    ++drawsTaken;
    if (!queuedDraws.empty()) {
        const double v = queuedDraws.front();
        queuedDraws.pop_front();
        return v;
    }
    return generator_.Next();
}

std::string Host::InputBox(const std::string& prompt, const std::string& title,
                           const std::string& defaultAnswer) {
    lastInputBox = InputBoxShown{prompt, title, defaultAnswer};
    std::string answer;
    if (!answers.empty()) {
        RunBehindDialog();
        answer = answers.front().value_or("");
        answers.pop_front();
    } else {
        recorder_.DialogOpens(ticking_);
        ++dialogs_;
        answer = frontEnd_.InputBox(prompt, title, defaultAnswer);
        --dialogs_;
        recorder_.DialogCloses();
    }
    recorder_.Answer(answer.empty() ? "answer" : "answer " + answer, ticking_);
    return answer;
}

bool Host::AskYesNo(const std::string& prompt, const std::string& title) {
    lastMessageBox = MessageBoxShown{prompt, title};
    ++questionsAsked;
    bool yes = true;
    if (!yesNo.empty()) {
        RunBehindDialog();
        yes = yesNo.front();
        yesNo.pop_front();
    } else {
        recorder_.DialogOpens(ticking_);
        ++dialogs_;
        yes = frontEnd_.AskYesNo(prompt, title);
        --dialogs_;
        recorder_.DialogCloses();
    }
    recorder_.Answer(yes ? "yes" : "no", ticking_);
    return yes;
}

void Host::RunBehindDialog() {
    if (behindDialog.empty()) {
        return;
    }
    const std::int64_t ticks = behindDialog.front();
    behindDialog.pop_front();
    ++dialogs_;
    RunTicks(ticks);
    --dialogs_;
}

void Host::OpenHelp(const std::string& page) {
    ++helpOpened;
    if (!replaying) {
        frontEnd_.OpenHelp(page);
    }
}

void Host::EndProgram() {
    ended = true;
    frontEnd_.EndProgram();
}

void Host::PlaySound(std::string_view name) {
    if (keepSounds) {
        sounds.emplace_back(name);
        if (sounds.size() > mostSounds) {
            sounds.erase(sounds.begin());
        }
    }
    frontEnd_.PlaySound(name);
}

std::string Host::ReadFile(const std::string& name) {
    if (!recordedFiles.empty() && recordedFiles.front().first == name) {
        std::string bytes = std::move(recordedFiles.front().second);
        recordedFiles.pop_front();
        return bytes;
    }
    std::string bytes = replaying ? std::string() : frontEnd_.ReadFile(name);
    recorder_.FileRead(name, bytes, ticking_);
    return bytes;
}

bool Host::ReplaceFile(const std::string& name, const std::string& bytes) {
    if (replaying) {
        return true;
    }
    return frontEnd_.ReplaceFile(name, bytes);
}

bool Host::UpdateFile(const std::string& name, const FileChange& change) {
    // The table as the record read it, where one is played back.
    if (replaying || (!recordedFiles.empty() && recordedFiles.front().first == name)) {
        const auto bytes = change(ReadFile(name));
        return replaying || !bytes || frontEnd_.ReplaceFile(name, *bytes);
    }
    const bool saved = frontEnd_.UpdateFile(name, [&](const std::string& current) {
        recorder_.FileRead(name, current, ticking_);
        return change(current);
    });
    if (saved) {
        // Only a game that entered the table saves it.
        enteredTable_ = game.Score;
    }
    return saved;
}

// ---- the dump ----

std::string Host::Dump(bool takeSounds, std::vector<std::pair<std::string, std::string>> more,
                       std::optional<int> zoom) {
    game::DumpExtras extras;
    if (lastMessageBox) {
        extras.lastMessageBox = {lastMessageBox->prompt, lastMessageBox->title};
    }
    if (lastInputBox) {
        extras.lastInputBox = game::DumpExtras::InputBox{lastInputBox->prompt, lastInputBox->title,
                                                         lastInputBox->defaultAnswer};
    }
    extras.helpOpened = helpOpened;
    extras.zoom = zoom;
    if (keepSounds) {
        // Each dump shows the sounds since the one before; a get only looks.
        extras.sounds = sounds;
        if (takeSounds) {
            sounds.clear();
        }
    }
    extras.members = std::move(more);
    return game::DumpJson(game, extras);
}

} // namespace host
