// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedPlatform.h"

namespace sim {

double ScriptedPlatform::Random() {
    ++drawsTaken;
    if (!queuedDraws.empty()) {
        const double v = queuedDraws.front();
        queuedDraws.pop_front();
        return v;
    }
    return generator_.Next();
}

std::string ScriptedPlatform::InputBox(const std::string& prompt, const std::string& title,
                                       const std::string& defaultAnswer) {
    lastInputBox = InputBoxShown{prompt, title, defaultAnswer};
    if (answers.empty()) {
        return "";
    }
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer.value_or("");
}

bool ScriptedPlatform::AskYesNo(const std::string& prompt, const std::string& title) {
    lastMessageBox = MessageBoxShown{prompt, title};
    ++questionsAsked;
    if (yesNo.empty()) {
        return true;
    }
    const bool yes = yesNo.front();
    yesNo.pop_front();
    return yes;
}

} // namespace sim
