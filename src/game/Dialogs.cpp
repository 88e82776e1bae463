// The two option dialogs: the start level and the cook's speed.
#include "game/Game.h"
#include "game/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace game {

int ReadWholeNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    // The longest prefix that reads as a decimal number.
    std::size_t end = i;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) {
        ++end;
    }
    const std::size_t digitsStart = end;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
        ++end;
    }
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
            ++end;
        }
    }
    const bool anyDigit = std::string_view(text.data() + digitsStart, end - digitsStart)
                              .find_first_of("0123456789") != std::string_view::npos;
    if (!anyDigit) {
        return 0;
    }
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        if (exponent < text.size() && text[exponent] >= '0' && text[exponent] <= '9') {
            while (exponent < text.size() && text[exponent] >= '0' && text[exponent] <= '9') {
                ++exponent;
            }
            end = exponent;
        }
    }
    const std::string number(text.substr(i, end - i));
    double value = std::strtod(number.c_str(), nullptr);
    if (std::isnan(value)) {
        return 0;
    }
    value = std::nearbyint(value);
    if (value > 32767) {
        return 32767;
    }
    if (value < -32768) {
        return -32768;
    }
    return static_cast<int>(value);
}

void Game::AskStartLevel() {
    const std::string answer =
        platform_.InputBox(" Entre Com A Fase para iniciar o jogo:", "Fase:", "1");
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
    std::string prompt = " Entre Com A Velocidade do Dirovid:";
    prompt.append(CrLf).append("  O Valor Padrao e 150.");
    std::string current = " ";
    current.append(std::to_string(CookSpeed));
    const std::string answer = platform_.InputBox(prompt, "Velocidade:", current);
    const int v = ReadWholeNumber(answer);
    if (v > 0) {
        CookSpeed = static_cast<Integer>(v);
    }
}

} // namespace game
