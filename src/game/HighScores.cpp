// SPDX-License-Identifier: GPL-3.0-or-later
// The high-score table's rules: ranking a finished game, the winner's name,
// the file, and the question of another game.
#include "game/Game.h"
#include "game/ScoreFormat.h"
#include "ui/Translate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace game {

void Game::BestOpenedFromMenu() {
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

namespace {

// The places of the three tables, from 1; a table's eighth record and beyond
// are not read, as LoadBest does.
using Tables = std::array<std::vector<scores::Record>, scores::Tables + 1>;

Tables ByTable(const std::vector<scores::Record>& records) {
    Tables tables;
    for (const scores::Record& r : records) {
        if (tables[r.table].size() < static_cast<std::size_t>(scores::Places)) {
            tables[r.table].push_back(r);
        }
    }
    return tables;
}

} // namespace

void Game::SaveBest() {
    windows::BestForm& best = windows_.best;
    const int t = best.BestTable;
    const int row = best.BestRow;
    if (t < 1 || t > scores::Tables || row < 1 || row > scores::Places) {
        return;
    }
    const scores::Record entry{t, best.BestLevel[row][t], best.BestName[row][t],
                               best.BestPoints[row][t]};
    // The entry goes into the table as it is now, by EnterBest's rule, so a
    // result saved meanwhile by another copy of the game is kept.
    Tables tables;
    int place = 0;
    const double score = Score;
    platform_.UpdateFile(scores::FileName, [&](const std::string& current) {
        tables = ByTable(scores::Read(current));
        std::vector<scores::Record>& places = tables[t];
        const auto at = std::find_if(places.begin(), places.end(), [&](const scores::Record& r) {
            return static_cast<double>(r.points) < score;
        });
        if (at == places.end() && places.size() == static_cast<std::size_t>(scores::Places)) {
            return std::optional<std::string>();
        }
        place = static_cast<int>(at - places.begin()) + 1;
        places.insert(at, entry);
        places.resize(std::min<std::size_t>(places.size(), scores::Places));
        std::vector<scores::Record> records;
        for (const auto& table : tables) {
            records.insert(records.end(), table.begin(), table.end());
        }
        return std::optional<std::string>(scores::Write(records));
    });
    if (place == 0) {
        // Not saved, or pushed out by better results saved meanwhile.
        return;
    }
    // What was saved is what the window holds.
    for (int u = 1; u <= scores::Tables; ++u) {
        for (int p = 1; p <= scores::Places; ++p) {
            const bool filled = static_cast<std::size_t>(p) <= tables[u].size();
            best.BestName[p][u] = filled ? tables[u][p - 1].name : std::string();
            best.BestPoints[p][u] = filled ? tables[u][p - 1].points : 0;
            best.BestLevel[p][u] = filled ? static_cast<std::int16_t>(tables[u][p - 1].level) : 0;
        }
    }
    best.BestRow = static_cast<std::int16_t>(place);
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

namespace {

// The places as the table shows them; the front end translates each.
constexpr std::array<const char*, 7> PlaceNames{
    PELMAR_TR("pelmar", "1º"), PELMAR_TR("pelmar", "2º"), PELMAR_TR("pelmar", "3º"),
    PELMAR_TR("pelmar", "4º"), PELMAR_TR("pelmar", "5º"), PELMAR_TR("pelmar", "6º"),
    PELMAR_TR("pelmar", "7º")};
static_assert(PlaceNames.size() == scores::Places);

} // namespace

void Game::ShowBest() {
    windows::BestForm& best = windows_.best;
    const int t = best.BestTable;
    for (int p = 1; p <= scores::Places && best.BestLevel[p][t] != 0; ++p) {
        const int r = p - 1;
        best.Lugar[r]->SetCaption(PlaceNames[r]);
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
