// SPDX-License-Identifier: GPL-3.0-or-later
// The high-score table's rules: ranking a finished game, the winner's name,
// the file, and the question of another game.
#include "game/Game.h"
#include "game/ScoreFormat.h"
#include "ui/Translate.h"

#include <cmath>

namespace game {

void Game::BestOpenedFromMenu() {
    EndPause();
    EndOfGame = False;
}

void Game::ShowBestTable() {
    windows::BestForm& best = windows_.best;
    if (cfrm.Timer1->Enabled()) {
        best.TimerWasOn = true;
    }
    for (int p = 0; p <= 7; ++p) {
        for (int t = 0; t <= 3; ++t) {
            best.BestName[p][t].clear();
            best.BestPoints[p][t] = 0;
            best.BestLevel[p][t] = 0;
        }
    }
    best.Picture1->SetPicture(best.melhores->Picture());
    best.BestTable = 1;
    for (int r = 2; r <= 7; ++r) {
        for (ui::Control* label :
             {best.Nome[r], best.Sequencia[r], best.Pontos[r], best.Lugar[r]}) {
            label->SetCaption("");
        }
    }
    LoadBest();
    if (EndOfGame != 0) {
        best.Picture1->SetPicture(best.entre->Picture());
        EnterBest();
    }
    ShowBest();
    if (best.Text1->Enabled()) {
        best.Text1->SelectAll();
    }
    if (best.NotEntered) {
        best.Hide();
        CloseBestTable();
    }
}

void Game::LoadBest() {
    windows::BestForm& best = windows_.best;
    best.BestCount = {};
    for (const scores::Record& r : scores::Read(platform_.ReadFile(scores::FileName))) {
        // A table has seven places; further records are not read.
        if (best.BestCount[r.table] >= scores::Places) {
            continue;
        }
        const int p = ++best.BestCount[r.table];
        best.BestName[p][r.table] = r.name;
        best.BestPoints[p][r.table] = r.points;
        best.BestLevel[p][r.table] = static_cast<std::int16_t>(r.level);
    }
}

void Game::SaveBest() {
    const windows::BestForm& best = windows_.best;
    std::vector<scores::Record> records;
    for (int t = 1; t <= scores::Tables; ++t) {
        for (int p = 1; p <= scores::Places && best.BestLevel[p][t] != 0; ++p) {
            records.push_back(
                {t, best.BestLevel[p][t], best.BestName[p][t], best.BestPoints[p][t]});
        }
    }
    // A table that can be saved nowhere is kept in memory; the game goes on.
    platform_.ReplaceFile(scores::FileName, scores::Write(records));
}

void Game::EnterBest() {
    windows::BestForm& best = windows_.best;
    const int t = best.BestTable;
    best.NotEntered = true;
    for (int p = 1; p <= scores::Places; ++p) {
        if (static_cast<double>(best.BestPoints[p][t]) < Score) {
            best.NotEntered = false;
            for (int q = scores::Places; q >= p + 1; --q) {
                best.BestName[q][t] = best.BestName[q - 1][t];
                best.BestPoints[q][t] = best.BestPoints[q - 1][t];
                best.BestLevel[q][t] = best.BestLevel[q - 1][t];
            }
            best.BestPoints[p][t] = static_cast<std::int64_t>(std::nearbyint(Score));
            best.BestLevel[p][t] = Level;
            ShowBest();
            best.BestRow = static_cast<std::int16_t>(p);
            // The box's default is the name the game stores when the player
            // types none, so it reads the same on every desktop.
            best.Text1->SetText("Vencedor");
            // The new place takes the box's name even when the box already
            // read "Vencedor" and so saw no change.
            BestNameTyped();
            best.Text1->SetTop(best.Nome[p - 1]->Top());
            best.Text1->SetEnabled(true);
            best.Text1->SetVisible(true);
            best.Text1->SetFocus();
            break;
        }
    }
}

void Game::ShowBest() {
    windows::BestForm& best = windows_.best;
    const int t = best.BestTable;
    for (int p = 1; p <= scores::Places && best.BestLevel[p][t] != 0; ++p) {
        const int r = p - 1;
        best.Lugar[r]->SetCaption(std::to_string(p) + "º");
        best.Nome[r]->SetCaption(best.BestName[p][t]);
        best.Pontos[r]->SetCaption(std::to_string(best.BestPoints[p][t]));
        best.Sequencia[r]->SetCaption(std::to_string(best.BestLevel[p][t]));
    }
}

void Game::CloseBestTable() {
    windows::BestForm& best = windows_.best;
    if (EndOfGame != 0) {
        if (!best.NotEntered) {
            SaveBest();
        }
        if (!platform_.AskYesNo(PELMAR_TR("pelmar", "Deseja jogar novamente?"),
                                PELMAR_TR("pelmar", "Fim do Jogo."))) {
            EndProgram();
            return;
        }
        NewGame();
    }
    EndOfGame = False;
    best.Text1->SetEnabled(false);
    best.Text1->SetVisible(false);
    best.NotEntered = false;
    cfrm.SetEnabled(true);
    if (best.TimerWasOn) {
        cfrm.Timer1->SetEnabled(true);
    }
    best.Hide();
}

void Game::BestNameTyped() {
    windows::BestForm& best = windows_.best;
    if (best.BestRow >= 0 && best.BestRow <= 7 && best.BestTable >= 0 && best.BestTable <= 3) {
        best.BestName[best.BestRow][best.BestTable] = best.Text1->Text();
    }
}

} // namespace game
