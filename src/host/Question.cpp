// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/Question.h"

#include "ui/KeyCodes.h"

namespace host {

QuestionKeys::Verdict QuestionKeys::KeyDown(int code, bool autoRepeat, std::int64_t nowMs) {
    autoRepeat = !down_.insert(code).second || autoRepeat;
    if (autoRepeat && taken_.contains(code)) {
        return Verdict::Ignore; // held after a press that was taken
    }
    // A repeat of a press it never took: the key was down as it came up, or
    // went down in its first moments. The player is still steering, and the
    // question stays deaf until a while after the last of them.
    if (autoRepeat) {
        deafFrom_ = nowMs;
        return Verdict::Ignore;
    }
    if (Deaf(nowMs)) {
        return Verdict::Ignore;
    }
    taken_.insert(code);
    return Of(code);
}

QuestionKeys::Verdict QuestionKeys::Of(int code) {
    switch (code) {
    case ui::keys::Left:
    case ui::keys::Up:
        return Verdict::ChooseYes;
    case ui::keys::Right:
    case ui::keys::Down:
        return Verdict::ChooseNo;
    case ui::keys::Enter:
    case ui::keys::Space:
        return Verdict::Answer;
    case ui::keys::Escape:
        return Verdict::Ignore;
    default:
        return Verdict::Pass;
    }
}

std::string QuestionKeys::Described() {
    std::string rule = std::to_string(DeafMilliseconds);
    for (const int code : {ui::keys::Left, ui::keys::Up, ui::keys::Right, ui::keys::Down,
                           ui::keys::Enter, ui::keys::Space, ui::keys::Escape}) {
        rule += " " + std::to_string(code) + ":" + std::to_string(static_cast<int>(Of(code)));
    }
    return rule;
}

} // namespace host
