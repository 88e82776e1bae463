// SPDX-License-Identifier: GPL-3.0-or-later
// What the game asks of its platform: dialogs, sounds, files, the pause and
// the dump of its state, answered live or from a record.
#include "host/Host.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace host {

// ---- ui::Platform ----

void Host::SetPaused(bool paused) {
    paused ? pause_.Pause(clock_) : pause_.Resume(clock_);
    if (!paused) {
        // The timers start over, and the time spent paused is not owed.
        timers_.RestartAll(WholeMilliseconds());
        lastWake_ = frontEnd_.Nanoseconds();
        owed_ = 0;
    }
    if (effects_.blinkLine != nullptr) {
        ui::MarkEffectsDirty(windows_.cfrm, effects_);
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
    ui::MarkEffectsDirty(windows_.cfrm, effects_);
    effects_ = effects;
    ui::MarkEffectsDirty(windows_.cfrm, effects_);
}

double Host::Random() {
    ++scripted_.drawsTaken;
    if (!scripted_.queuedDraws.empty()) {
        const double v = scripted_.queuedDraws.front();
        scripted_.queuedDraws.pop_front();
        return v;
    }
    return generator_.Next();
}

std::string Host::InputBox(const std::string& prompt, const std::string& title,
                           const std::string& defaultAnswer) {
    scripted_.lastInputBox = Scripted::InputBoxShown{prompt, title, defaultAnswer};
    std::string answer;
    if (!scripted_.answers.empty()) {
        RunBehindDialog();
        answer = scripted_.answers.front().value_or("");
        scripted_.answers.pop_front();
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
    scripted_.lastMessageBox = Scripted::MessageBoxShown{prompt, title};
    ++scripted_.questionsAsked;
    bool yes = true;
    if (!scripted_.yesNo.empty()) {
        RunBehindDialog();
        yes = scripted_.yesNo.front();
        scripted_.yesNo.pop_front();
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
    if (scripted_.behindDialog.empty()) {
        return;
    }
    const std::int64_t ticks = scripted_.behindDialog.front();
    scripted_.behindDialog.pop_front();
    ++dialogs_;
    RunTicks(ticks);
    --dialogs_;
}

void Host::OpenHelp(const std::string& page) {
    ++scripted_.helpOpened;
    if (!replaying_) {
        frontEnd_.OpenHelp(page);
    }
}

void Host::EndProgram() {
    ended_ = true;
    frontEnd_.EndProgram();
}

void Host::PlaySound(std::string_view name) {
    if (scripted_.keepSounds) {
        scripted_.sounds.emplace_back(name);
        if (scripted_.sounds.size() > scripted_.mostSounds) {
            scripted_.sounds.erase(scripted_.sounds.begin());
        }
    }
    frontEnd_.PlaySound(name);
}

std::string Host::ReadFile(const std::string& name) {
    if (!scripted_.recordedFiles.empty() && scripted_.recordedFiles.front().first == name) {
        std::string bytes = std::move(scripted_.recordedFiles.front().second);
        scripted_.recordedFiles.pop_front();
        return bytes;
    }
    std::string bytes = replaying_ ? std::string() : frontEnd_.ReadFile(name);
    recorder_.FileRead(name, bytes, ticking_);
    return bytes;
}

bool Host::ReplaceFile(const std::string& name, const std::string& bytes) {
    if (replaying_) {
        return true;
    }
    return frontEnd_.ReplaceFile(name, bytes);
}

bool Host::UpdateFile(const std::string& name, const FileChange& change) {
    // The table as the record read it, where one is played back.
    if (replaying_ ||
        (!scripted_.recordedFiles.empty() && scripted_.recordedFiles.front().first == name)) {
        const auto bytes = change(ReadFile(name));
        return replaying_ || !bytes || frontEnd_.ReplaceFile(name, *bytes);
    }
    const bool saved = frontEnd_.UpdateFile(name, [&](const std::string& current) {
        recorder_.FileRead(name, current, ticking_);
        return change(current);
    });
    if (saved) {
        // Only a game that entered the table saves it.
        enteredTable_ = game_.Score;
    }
    return saved;
}

// ---- the dump ----

std::string Host::Dump(bool takeSounds, std::vector<std::pair<std::string, std::string>> more,
                       std::optional<int> zoom) {
    game::DumpExtras extras;
    if (scripted_.lastMessageBox) {
        extras.lastMessageBox = {scripted_.lastMessageBox->prompt, scripted_.lastMessageBox->title};
    }
    if (scripted_.lastInputBox) {
        extras.lastInputBox = game::DumpExtras::InputBox{scripted_.lastInputBox->prompt,
                                                         scripted_.lastInputBox->title,
                                                         scripted_.lastInputBox->defaultAnswer};
    }
    extras.helpOpened = scripted_.helpOpened;
    extras.zoom = zoom;
    if (scripted_.keepSounds) {
        // Each dump shows the sounds since the one before; a get only looks.
        extras.sounds = scripted_.sounds;
        if (takeSounds) {
            scripted_.sounds.clear();
        }
    }
    extras.members = std::move(more);
    return game::DumpJson(game_, extras);
}

} // namespace host
