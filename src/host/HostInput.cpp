// SPDX-License-Identifier: GPL-3.0-or-later
// The host's input: the player's keys, clicks and typing, applied between
// the game's ticks and recorded.
#include "host/Host.h"

#include "ui/KeyCodes.h"

#include <utility>

namespace host {

namespace {

bool IsGameKey(int code) {
    namespace keys = ui::keys;
    return (code >= keys::Left && code <= keys::Down) || code == keys::Ctrl || code == keys::Space;
}

// The code the game's key event carries: a key bound to one of the game's
// moves gives that move's own key; any other key its own code.
int GameCodeOf(int code, Action action) {
    const int move = Bindings::GameCode(action);
    return move < 0 || IsGameKey(code) ? code : move;
}

} // namespace

// ---- input ----

void Host::Apply(const std::function<void()>& work) {
    if (ended_ || replaying_) {
        return;
    }
    if (!CanRunNow()) {
        pending_.push_back(work);
        return;
    }
    if (!pause_.Paused() || lastWake_ >= 0) {
        CatchUp();
    }
    ++busy_;
    work();
    --busy_;
    AfterInput();
}

void Host::InputDone() {
    timers_.Follow(WholeMilliseconds());
}

void Host::AfterInput() {
    KeepRecords();
    InputDone();
    if (busy_ == 0) {
        RunPending();
        ScheduleWake();
    }
}

void Host::KeepRecords() {
    // Not while game code waits in a dialog: the input that opened it is
    // written once it returns.
    if (!recorder_.on || replaying_ || busy_ != 0) {
        return;
    }
    if (enteredTable_) {
        frontEnd_.KeepRecord(std::exchange(enteredTable_, std::nullopt), recorder_.Script());
    }
    if (ended_) {
        frontEnd_.KeepRecord(std::nullopt, recorder_.Script());
        recorder_.on = false;
    }
}

void Host::RunPending() {
    while (!pending_.empty() && CanRunNow() && !ended_) {
        const auto work = pending_.front();
        pending_.erase(pending_.begin());
        ++busy_;
        work();
        --busy_;
        timers_.Follow(WholeMilliseconds());
    }
}

Action Host::KeyDown(int code, Modifiers modifiers, bool repeat) {
    const Action action = bindings_.Of(code, modifiers);
    switch (action) {
    case Action::ZoomIn:
    case Action::ZoomOut:
    case Action::FullScreen:
        return action;
    // F2, F1 and Ctrl+Q do what "Jogo Novo", "Como jogar..." and "Sair" do.
    case Action::NewGame:
    case Action::Help:
    case Action::Quit:
        if (!repeat) {
            Click(*MenuOf(action));
        }
        return action;
    case Action::Pause:
        if (!repeat) {
            TogglePause();
        }
        return action;
    default:
        break;
    }
    // A press of a key whose release was waiting was only auto-repeat.
    held_.Pressed(code);
    const int gameCode = GameCodeOf(code, action);
    Apply([this, gameCode, action, repeat] {
        DoKeyDown(gameCode);
        // M switches the sound, as the menu entry does; the game still sees the key.
        if (action == Action::Mute && !repeat && windows_.cfrm.Enabled()) {
            DoClick(*windows_.cfrm.MenuSom);
        }
    });
    return action == Action::LeaveFullScreen ? action : Action::None;
}

std::optional<Action> Host::KeyIn(ui::Form& form, int code, Modifiers modifiers, bool repeat) {
    if (replaying_) {
        return code == ui::keys::Escape ? Action::EndReplay : Action::None;
    }
    if (!form.Enabled()) {
        return Action::None;
    }
    if (form.keyPreview) {
        // An auto-repeated press is another key-down, as the game expects.
        return KeyDown(code, modifiers, repeat);
    }
    const bool enter = code == ui::keys::Enter;
    if (enter || code == ui::keys::Escape) {
        for (const auto& control : form.controls()) {
            ui::Control& c = *control;
            if (c.kind() == ui::Kind::Button && c.Visible() && c.Enabled() && c.onClick &&
                (enter ? c.isDefault : c.isCancel)) {
                Click(c);
                return Action::None;
            }
        }
    }
    return std::nullopt;
}

void Host::KeyUp(int code, std::optional<bool> stillHeld) {
    if (stillHeld.value_or(false)) {
        return;
    }
    held_.Released(GameCodeOf(code, bindings_.Of(code, {})), frontEnd_.Nanoseconds());
    ScheduleWake();
}

void Host::ReleaseAll() {
    held_.Clear();
    Apply([this] {
        for (int code : {ui::keys::Left, ui::keys::Up, ui::keys::Right, ui::keys::Down,
                         ui::keys::Ctrl, ui::keys::Space}) {
            DoKeyUp(code);
        }
    });
}

void Host::Click(ui::Control& control) {
    Apply([this, &control] { DoClick(control); });
}

void Host::Type(ui::Control& box, const std::string& text) {
    Apply([this, &box, text] { DoType(box, text); });
}

void Host::SetWindowState(ui::Form& form, int state) {
    Apply([this, &form, state] {
        form.SetWindowState(state);
        recorder_.Input("set " + form.name() + ".WindowState " + std::to_string(state));
    });
}

void Host::Paint(ui::Form& form) {
    Apply([this, &form] {
        if (&form == &windows_.cfrm) {
            form.Form_Paint();
            recorder_.Input("paint");
        } else {
            form.Form_Paint();
        }
    });
}

void Host::LostFocus(ui::Form& form) {
    Apply([this, &form] {
        if (&form == &windows_.cfrm) {
            form.Form_LostFocus();
            recorder_.Input("lostfocus");
        }
    });
}

void Host::Close(ui::Form& form) {
    Apply([this, &form] {
        if (&form == &windows_.cfrm) {
            // Closing the main window is its exit entry.
            recorder_.Input("menu MenuSair");
            form.Form_Unload();
        }
    });
}

void Host::SetSoundOn(bool on) {
    if (on != SoundOn()) {
        Click(*windows_.cfrm.MenuSom);
    }
}

void Host::TogglePause() {
    SetPausedByPlayer(!game_.Paused());
}

void Host::SetPausedByPlayer(bool paused) {
    Apply([this, paused] {
        if (windows_.cfrm.Enabled()) {
            DoPause(paused);
        }
    });
}

void Host::DoKeyDown(int code) {
    if (windows_.cfrm.Enabled()) {
        if (IsWalk(code)) {
            walking_.insert(code);
        }
        windows_.cfrm.KeyDown(code);
        recorder_.Input("keydown " + std::to_string(code));
    }
}

void Host::DoKeyUp(int code) {
    walking_.erase(code);
    if (windows_.cfrm.Enabled()) {
        windows_.cfrm.KeyUp(code);
        recorder_.Input("keyup " + std::to_string(code));
    }
}

void Host::DoClick(ui::Control& control) {
    if (!control.onClick || !control.Enabled()) {
        return;
    }
    if (control.kind() == ui::Kind::Menu) {
        if (control.form() != &windows_.cfrm || !windows_.cfrm.Enabled()) {
            return;
        }
        control.onClick();
        recorder_.Input("menu " + control.name());
    } else {
        control.onClick();
        recorder_.Input("click " + control.FullName());
    }
}

void Host::DoType(ui::Control& box, const std::string& text) {
    box.SetText(text);
    recorder_.Input("text " + box.FullName() + " " + text);
}

void Host::DoPause(bool paused) {
    game_.SetPaused(paused);
    recorder_.Input(paused ? "pause" : "resume");
    // The paused game dropped the presses it got; a direction still held
    // walks on at once, as if it had just been pressed.
    if (!paused) {
        for (int code : walking_) {
            windows_.cfrm.KeyDown(code);
        }
    }
}

bool Host::IsWalk(int code) {
    return code == ui::keys::Left || code == ui::keys::Right || code == ui::keys::Up ||
           code == ui::keys::Down;
}

} // namespace host
