// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/Input.h"

#include "ui/KeyCodes.h"

#include <algorithm>

namespace host {

namespace keys = ui::keys;

namespace {

constexpr int F2 = keys::F1 + 1;
constexpr int F11 = keys::F1 + 10;
constexpr int PauseKey = 19;

} // namespace

Bindings::Bindings() {
    plain_ = {{keys::Left, Action::WalkLeft},  {keys::Right, Action::WalkRight},
              {keys::Up, Action::WalkUp},      {keys::Down, Action::WalkDown},
              {keys::Ctrl, Action::ActionKey}, {keys::Space, Action::ActionKey},
              {F2, Action::NewGame},           {'P', Action::Pause},
              {PauseKey, Action::Pause},       {'M', Action::Mute},
              {F11, Action::FullScreen},       {keys::F1, Action::Help}};
}

Action Bindings::Of(int code, Modifiers modifiers) const {
    if (modifiers.ctrl && (code == '+' || code == '=')) {
        return Action::ZoomIn;
    }
    if (modifiers.ctrl && code == '-') {
        return Action::ZoomOut;
    }
    if (modifiers.ctrl && !modifiers.alt && code == 'Q') {
        return Action::Quit;
    }
    const auto found = plain_.find(code);
    if (found == plain_.end()) {
        return Action::None;
    }
    // The game's moves take any modifier (Ctrl is itself the action key);
    // the additions only a plain key.
    const bool move = GameCode(found->second) >= 0;
    return move || !modifiers.any() ? found->second : Action::None;
}

void Bindings::Bind(int code, Action action) {
    plain_[code] = action;
}

int Bindings::GameCode(Action action) {
    switch (action) {
    case Action::WalkLeft:
        return keys::Left;
    case Action::WalkRight:
        return keys::Right;
    case Action::WalkUp:
        return keys::Up;
    case Action::WalkDown:
        return keys::Down;
    case Action::ActionKey:
        return keys::Space;
    default:
        return -1;
    }
}

std::vector<std::pair<std::int64_t, int>> HeldKeys::TakeDue(std::int64_t now) {
    std::vector<std::pair<std::int64_t, int>> due;
    for (auto it = pending_.begin(); it != pending_.end();) {
        if (it->second <= now) {
            due.emplace_back(it->second, it->first);
            it = pending_.erase(it);
        } else {
            ++it;
        }
    }
    std::sort(due.begin(), due.end());
    return due;
}

std::optional<std::int64_t> HeldKeys::NextDue() const {
    std::optional<std::int64_t> next;
    for (const auto& [code, at] : pending_) {
        if (!next || at < *next) {
            next = at;
        }
    }
    return next;
}

} // namespace host
