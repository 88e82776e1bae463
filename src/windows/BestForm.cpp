// The high-score window.
#include "game/Dump.h"
#include "game/Game.h"
#include "windows/Forms.h"

namespace windows {

void BestForm::Form_Activate() {}

void BestForm::Command1_click() {
    game::Game& g = *game;
    if (g.EndOfGame != 0) {
        if (!g.platform().AskYesNo("Deseja jogar novamente?", "Fim do Jogo.")) {
            g.EndProgram();
            return;
        }
        g.NewGame();
    }
    g.EndOfGame = game::False;
    Text1->SetEnabled(false);
    Text1->SetVisible(false);
    g.windows().cfrm.SetEnabled(true);
    Hide();
}

void BestForm::Text1_Change() {}

std::string BestForm::StateJson() const {
    using game::JsonNumber;
    using game::JsonString;
    auto table = [](auto cell) {
        std::string out = "[";
        for (int p = 1; p <= 7; ++p) {
            out += p > 1 ? ",[" : "[";
            for (int t = 1; t <= 3; ++t) {
                if (t > 1) {
                    out += ',';
                }
                out += cell(p, t);
            }
            out += "]";
        }
        return out + "]";
    };
    std::string counts = "[";
    for (int t = 1; t <= 3; ++t) {
        if (t > 1) {
            counts += ',';
        }
        counts += JsonNumber(BestCount[t]);
    }
    counts += "]";
    return "{\"BestName\":" + table([this](int p, int t) { return JsonString(BestName[p][t]); }) +
           ",\"BestPoints\":" +
           table([this](int p, int t) { return JsonNumber(double(BestPoints[p][t])); }) +
           ",\"BestLevel\":" + table([this](int p, int t) { return JsonNumber(BestLevel[p][t]); }) +
           ",\"BestCount\":" + counts + ",\"BestTable\":" + JsonNumber(BestTable) +
           ",\"BestRow\":" + JsonNumber(BestRow) + ",\"NotEntered\":" + (NotEntered ? "-1" : "0") +
           ",\"TimerWasOn\":" + (TimerWasOn ? "-1" : "0") + "}";
}

} // namespace windows
