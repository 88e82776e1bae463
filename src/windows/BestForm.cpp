// The high-score window: the best seven, the name of a new result, the file.
#include "game/Dump.h"
#include "game/Game.h"
#include "windows/Forms.h"

#include <cmath>

namespace windows {

void BestForm::Form_Load() {
    CentreOnScreen(*this, game->platform().Screen());
}

void BestForm::Form_Activate() {
    game::Game& g = *game;
    if (g.windows().cfrm.Timer1->Enabled()) {
        TimerWasOn = true;
    }
    for (int p = 0; p <= 7; ++p) {
        for (int t = 0; t <= 3; ++t) {
            BestName[p][t].clear();
            BestPoints[p][t] = 0;
            BestLevel[p][t] = 0;
        }
    }
    Picture1->SetPicture(melhores->Picture());
    BestTable = 1;
    for (int r = 2; r <= 7; ++r) {
        for (Control* label : {Nome[r], Sequencia[r], Pontos[r], Lugar[r]}) {
            label->SetCaption("");
        }
    }
    LoadBest();
    if (g.EndOfGame != 0) {
        Picture1->SetPicture(entre->Picture());
        EnterBest();
    }
    ShowBest();
    if (Text1->Enabled()) {
        Text1->SelectAll();
    }
    if (NotEntered) {
        Hide();
        Command1_click();
    }
}

void BestForm::LoadBest() {
    BestCount = {};
    for (const scores::Record& r : scores::Read(store.Load())) {
        // A table has seven places; further records are not read.
        if (BestCount[r.table] >= scores::Places) {
            continue;
        }
        const int p = ++BestCount[r.table];
        BestName[p][r.table] = r.name;
        BestPoints[p][r.table] = r.points;
        BestLevel[p][r.table] = static_cast<std::int16_t>(r.level);
    }
}

void BestForm::SaveBest() {
    std::vector<scores::Record> records;
    for (int t = 1; t <= scores::Tables; ++t) {
        for (int p = 1; p <= scores::Places && BestLevel[p][t] != 0; ++p) {
            records.push_back({t, BestLevel[p][t], BestName[p][t], BestPoints[p][t]});
        }
    }
    // A table that can be saved nowhere is kept in memory; the game goes on.
    store.Save(scores::Write(records));
}

void BestForm::EnterBest() {
    game::Game& g = *game;
    const int t = BestTable;
    NotEntered = true;
    for (int p = 1; p <= scores::Places; ++p) {
        if (static_cast<double>(BestPoints[p][t]) < g.Score) {
            NotEntered = false;
            for (int q = scores::Places; q >= p + 1; --q) {
                BestName[q][t] = BestName[q - 1][t];
                BestPoints[q][t] = BestPoints[q - 1][t];
                BestLevel[q][t] = BestLevel[q - 1][t];
            }
            BestPoints[p][t] = static_cast<std::int64_t>(std::nearbyint(g.Score));
            BestLevel[p][t] = g.Level;
            ShowBest();
            BestRow = static_cast<std::int16_t>(p);
            Text1->SetText("Vencedor");
            // The new place takes the box's name even when the box already
            // read "Vencedor" and so saw no change.
            Text1_Change();
            Text1->SetTop(Nome[p - 1]->Top());
            Text1->SetEnabled(true);
            Text1->SetVisible(true);
            Text1->SetFocus();
            break;
        }
    }
}

void BestForm::ShowBest() {
    const int t = BestTable;
    for (int p = 1; p <= scores::Places && BestLevel[p][t] != 0; ++p) {
        const int r = p - 1;
        Lugar[r]->SetCaption(std::to_string(p) + "º");
        Nome[r]->SetCaption(BestName[p][t]);
        Pontos[r]->SetCaption(std::to_string(BestPoints[p][t]));
        Sequencia[r]->SetCaption(std::to_string(BestLevel[p][t]));
    }
}

void BestForm::Command1_click() {
    game::Game& g = *game;
    if (g.EndOfGame != 0) {
        if (!NotEntered) {
            SaveBest();
        }
        if (!g.platform().AskYesNo("Deseja jogar novamente?", "Fim do Jogo.")) {
            g.EndProgram();
            return;
        }
        g.NewGame();
    }
    g.EndOfGame = game::False;
    Text1->SetEnabled(false);
    Text1->SetVisible(false);
    NotEntered = false;
    g.windows().cfrm.SetEnabled(true);
    if (TimerWasOn) {
        g.windows().cfrm.Timer1->SetEnabled(true);
    }
    Hide();
}

void BestForm::Text1_Change() {
    if (BestRow >= 0 && BestRow <= 7 && BestTable >= 0 && BestTable <= 3) {
        BestName[BestRow][BestTable] = Text1->Text();
    }
}

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
