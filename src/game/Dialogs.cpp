// SPDX-License-Identifier: GPL-3.0-or-later
// The two option dialogs: the start level and the cook's speed.
#include "game/Game.h"
#include "game/NumberText.h"
#include "ui/NumberText.h"
#include "ui/Translate.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace game {

int ReadWholeNumber(std::string_view text) {
    return static_cast<int>(std::clamp(std::nearbyint(ui::LeadingNumber(text)), -32768.0, 32767.0));
}

void Game::AskStartLevel() {
    // A paused game stays paused while the box is open and after a cancel;
    // the level an answer starts ends the pause.
    const std::string answer =
        platform_.InputBox(PELMAR_TR("pelmar", " Entre Com A Fase para iniciar o jogo:"),
                           PELMAR_TR("pelmar", "Fase:"), "1");
    if (answer.empty()) {
        return;
    }
    const int n = ReadWholeNumber(answer);
    Level = static_cast<Integer>(n >= 1 ? n - 1 : 0);
    AddScore(0);
    Lives = 50;
    AddLives(0);
    AdvanceLevel();
    SetupLevel();
}

void Game::AskCookSpeed() {
    // The front end translates the two lines one by one.
    std::string prompt = PELMAR_TR("pelmar", " Entre Com A Velocidade do Dirovid:");
    prompt.append(CrLf).append(PELMAR_TR("pelmar", "  O Valor Padrao e 150."));
    std::string current = " ";
    current.append(std::to_string(CookSpeed));
    const std::string answer =
        platform_.InputBox(prompt, PELMAR_TR("pelmar", "Velocidade:"), current);
    const int v = ReadWholeNumber(answer);
    if (v > 0) {
        CookSpeed = static_cast<Integer>(v);
    }
}

} // namespace game
