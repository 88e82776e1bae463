// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace host {

// What the player can ask for, whatever the device: the game's own moves
// and the front end's additions.
enum class Action {
    None,
    WalkLeft,
    WalkRight,
    WalkUp,
    WalkDown,
    ActionKey,
    NewGame,
    Pause,
    Mute,
    ZoomIn,
    ZoomOut,
    FullScreen,
    // Escape: back to a window from full screen; the game sees the key too.
    LeaveFullScreen,
    Help,
    Quit,
    // Escape while a record plays: the program ends.
    EndReplay,
};

struct Modifiers {
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
    bool any() const { return ctrl || alt || shift; }
};

// Which key asks for which action, and the key code the game expects for
// each of its moves. The defaults are the game's own keys.
class Bindings {
public:
    Bindings();
    // The action of a key (a code of ui/KeyCodes.h, or a capital letter)
    // pressed with these modifiers.
    Action Of(int code, Modifiers modifiers) const;
    void Bind(int code, Action action);
    // The key that asks for an action, as a menu shows it beside its entry
    // ("F2", "Ctrl+Q"); empty where no key does.
    std::string KeysOf(Action action) const;
    // The code the game's key events carry for a move; -1 for an action
    // the game does not see as a key.
    static int GameCode(Action action);

private:
    std::map<int, Action> plain_;
};

// Key releases waiting to be told apart from auto-repeat: a press of the
// same key within the wait takes the release back.
class HeldKeys {
public:
    static constexpr std::int64_t WaitNanoseconds = 15'000'000;
    void Released(int code, std::int64_t now) { pending_[code] = now + WaitNanoseconds; }
    // True when a release was waiting for this press.
    bool Pressed(int code) { return pending_.erase(code) != 0; }
    // The releases due by `now`, earliest first, taken out.
    std::vector<std::pair<std::int64_t, int>> TakeDue(std::int64_t now);
    std::optional<std::int64_t> NextDue() const;
    void Clear() { pending_.clear(); }

private:
    std::map<int, std::int64_t> pending_;
};

} // namespace host
