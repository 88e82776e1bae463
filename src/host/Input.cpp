// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/Input.h"

#include "ui/KeyCodes.h"

#include <algorithm>
#include <array>

namespace host {

namespace keys = ui::keys;

namespace {

constexpr int F2 = keys::F1 + 1;
constexpr int F11 = keys::F1 + 10;

struct Chord {
    int code;
    Action action;
};
// The keys that ask for an action only with Ctrl held.
constexpr std::array<Chord, 4> CtrlChords{
    {{'+', Action::ZoomIn}, {'=', Action::ZoomIn}, {'-', Action::ZoomOut}, {'Q', Action::Quit}}};

// A plain key's name as menus write it; empty for a key they never name.
// Only letters and digits are their own characters: the arrows' codes are
// those of "%&'(".
std::string KeyName(int code) {
    if (code >= keys::F1 && code < keys::F1 + 24) {
        return "F" + std::to_string(code - keys::F1 + 1);
    }
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
        return std::string(1, static_cast<char>(code));
    }
    return {};
}

} // namespace

Bindings::Bindings() {
    plain_ = {{keys::Left, Action::WalkLeft},
              {keys::Right, Action::WalkRight},
              {keys::Up, Action::WalkUp},
              {keys::Down, Action::WalkDown},
              {keys::Ctrl, Action::ActionKey},
              {keys::Space, Action::ActionKey},
              {F2, Action::NewGame},
              {'P', Action::Pause},
              {keys::Pause, Action::Pause},
              {'M', Action::Mute},
              {F11, Action::FullScreen},
              {keys::F1, Action::Help},
              {keys::Escape, Action::LeaveFullScreen}};
}

Action Bindings::Of(int code, Modifiers modifiers) const {
    for (const Chord& chord : CtrlChords) {
        // With Alt too it is another chord: AltGr is Ctrl+Alt on some desktops.
        if (modifiers.ctrl && chord.code == code &&
            (!modifiers.alt || chord.action != Action::Quit)) {
            return chord.action;
        }
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

std::string Bindings::KeysOf(Action action) const {
    for (const Chord& chord : CtrlChords) {
        if (chord.action == action) {
            return std::string("Ctrl+") + static_cast<char>(chord.code);
        }
    }
    for (const auto& [code, bound] : plain_) {
        if (bound == action && !KeyName(code).empty()) {
            return KeyName(code);
        }
    }
    return {};
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
