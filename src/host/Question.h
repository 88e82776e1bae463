// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <set>
#include <string>

namespace host {

// How a yes/no question that ends a game takes keys, in every front end.
// It is not answered by reflex: a key pressed in its first moments, or held
// when it came up, is a player still steering. Such a key, and its
// auto-repeat, never answers; the question stays deaf until a while after
// it opened and after the last repeat of a key held. After that Left/Up and
// Right/Down move the choice, Return or Space takes the chosen one, Escape
// does nothing.
class QuestionKeys {
public:
    static constexpr std::int64_t DeafMilliseconds = 750;

    enum class Verdict {
        Ignore,    // the key does nothing
        ChooseYes, // the choice moves to Yes
        ChooseNo,  // the choice moves to No
        Answer,    // the chosen answer is taken
        Pass,      // the front end's own handling (Tab, access keys)
    };

    explicit QuestionKeys(std::int64_t openedMs) : deafFrom_(openedMs) {}
    // What a fresh press of a key does once the question hears keys.
    static Verdict Of(int code);
    // The rule as a page applies it itself: "DEAF CODE:VERDICT ..." for the
    // keys the question takes; any other key is Pass.
    static std::string Described();
    // A press, or an auto-repeat of one, at `nowMs` (a key code of ui/KeyCodes.h).
    // A press of a key already down and not let go since is its auto-repeat,
    // whatever the window system calls it (a busy one may miss the pairing).
    Verdict KeyDown(int code, bool autoRepeat, std::int64_t nowMs);
    void KeyUp(int code) {
        taken_.erase(code);
        down_.erase(code);
    }
    bool Deaf(std::int64_t nowMs) const { return nowMs - deafFrom_ < DeafMilliseconds; }

private:
    std::int64_t deafFrom_;
    // Keys whose press the question took, still down; and every key down.
    std::set<int> taken_;
    std::set<int> down_;
};

} // namespace host
