// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Game.h"

#include "game/Layout.h"
#include "game/ScoreFormat.h"

#include <cstdlib>

namespace game {

Game::Game(windows::Windows& windows, ui::Platform& platform)
    : windows_(windows), platform_(platform), cfrm(windows.cfrm), Figform(windows.fig) {
    windows.Attach(*this);
    windows.best.Text1->accepts = [](const std::string& text) { return scores::NameFits(text); };
}

void Game::Main() {
    windows_.best.Form_Load();
    cfrm.Form_Load();
    windows_.fig.Form_Load();
    windows_.sobr.Form_Load();
    cfrm.keyPreview = true;
    CrLf = "\r\n";
    CookSpeed = 150;
    cfrm.fundo2->SetTop(-15);
    cfrm.fundo->SetHeight(cfrm.Lista->Top() - cfrm.fundo->Top());
    cfrm.fundo2->SetHeight(cfrm.Lista->Top() - cfrm.fundo2->Top());
    DropStep = 60;
    BeltWidth = cfrm.LimEsteira->Width();
    cfrm.MenuDisplay->SetChecked(false);
    ApplyDisplayMode();
    HighlightColour(1, True) = 65280;
    HighlightColour(1, False) = 13696976;
    HighlightColour(2, True) = 255;
    HighlightColour(2, False) = 13684991;
    HighlightColour(3, True) = 16711680;
    HighlightColour(3, False) = 16765136;
    cfrm.Show();
}

void Game::EndProgram() {
    if (!ended_) {
        ended_ = true;
        cfrm.Timer1->SetEnabled(false);
        platform_.EndProgram();
    }
}

void Game::ShowRoom(bool lower, View view) {
    cfrm.fundo->SetVisible(!lower);
    cfrm.fundo2->SetVisible(lower);
    // The count-down and game over are watched under the score panel, which
    // the lower room hides while the cook works there.
    cfrm.Picture4->SetVisible(!lower || view != View::Play);
    // The count-down leaves the counter and its sandwich as the level left them.
    if (view != View::CountDown) {
        cfrm.Picture2->SetVisible(lower);
        cfrm.eleme2->SetVisible(lower);
    }
    LowerRoom = ToFlag(lower);
}

void Game::SetPaused(bool paused) {
    if (paused_ != paused) {
        paused_ = paused;
        platform_.SetPaused(paused);
    }
}

void Game::EndPause() {
    SetPaused(false);
}

void Game::FinishPendingGameOver() {
    // A repaint while the game-over sequence waits on a dialog must not
    // start it again.
    if (GameOverPending != 0 && !inGameOver_) {
        GameOver();
    }
}

void Game::ClearShownPage() {
    (LowerRoom != 0 ? cfrm.fundo2 : cfrm.fundo)->Cls();
}

void Game::GameTick() {
    if (paused_) {
        return;
    }
    platform_.DoEvents();
    if (ended_ || GameOverPending != 0) {
        return;
    }
    if (RoundPhase != 0) {
        PhaseStep();
        StepEffects();
        return;
    }
    ClearShownPage();
    TickSinceKey = True;
    cfrm.fogo->SetVisible(!cfrm.fogo->Visible());
    StepOrders();
    MoveCook();
    SwitchRoom();
    StepSandwichDrop();
    DispenseIngredient();
    CatchIngredient();
    StepConveyor();
    WorkAtBelt();
    StepEffects();
    if (Lives <= 0) {
        GameOver();
    } else if (BeltOldest <= 0 && ItemState != 3 && SandwichDropClock == 0) {
        // A sandwich still falling finishes its fall in this level.
        RoundPhase = -1;
    }
}

void Game::PhaseStep() {
    ShowRoom(true, View::CountDown);
    cfrm.pelmar->SetTop(cfrm.Picture2->Top() - layout::CookAboveCounter);
    ReleaseKeys();
    RoundPhase = static_cast<Integer>(std::abs(RoundPhase));

    if (RoundPhase == 1) {
        cfrm.Timer1->SetInterval(100);
        if (SavedLives == 0) {
            SavedLives = Lives;
        }
        if (Lives > 0) {
            Sound("tally");
            AddLives(-1);
            // At the score cap the points no longer grow: the step pays
            // nothing, so no bonus hands the lives back and the count-down
            // ends after the lives it has.
            if (Score < MaxScore) {
                AddScore(10);
            }
        } else {
            AddLives(SavedLives);
            RoundPhase = 2;
            SavedLives = 0;
        }
    } else if (RoundPhase == 5) {
        Sound("level");
        RoundPhase = 0;
        AdvanceLevel();
        SetupLevel();
    } else {
        cfrm.Timer1->SetInterval(500);
        ui::Control& oven = windows::At(cfrm.forno, RoundPhase - 1, "forno");
        if (oven.Top() < cfrm.Lista->Top()) {
            Sound("tally");
            oven.SetTop(oven.Top() + layout::OvenStep);
            AddScore(100);
        } else {
            ++RoundPhase;
        }
    }
}

void Game::GameOver() {
    EndPause();
    ClearEffects();
    GameOverPending = True;
    cfrm.Picture3->Cls();
    cfrm.Timer1->SetEnabled(false);
    if (cfrm.WindowState() == 1) {
        // Finished by the next paint, once the window is restored.
        return;
    }
    Sound("gameover");
    cfrm.SetEnabled(false);
    cfrm.pelmar->SetTop(cfrm.Picture2->Top() - layout::CookAboveCounter);
    ShowRoom(true, View::GameOver);
    cfrm.fundo2->Cls();
    EndOfGame = True;
    inGameOver_ = true;
    if (windows_.best.Visible()) {
        // Opened from the menu while the game went on: rank this result too.
        windows_.best.Form_Activate();
    } else {
        windows_.best.Show();
    }
    inGameOver_ = false;
    GameOverPending = False;
}

void Game::ReleaseKeys() {
    KeyStart.Fill(0);
}

void Game::AddScore(double points) {
    const bool bonus = Int((Score + points) / 10000) > Int(Score / 10000);
    if (points == 0) {
        Score = 0;
    } else {
        Score = Score + points + (Level * 5 - 5);
        if (Score > MaxScore) {
            Score = MaxScore;
        }
    }
    ShowScore();
    if (bonus) {
        Sound("bonus");
        AddLives(10);
    }
}

void Game::Sound(std::string_view name) {
    if (cfrm.MenuSom->Checked()) {
        platform_.PlaySound(name);
    }
}

void Game::AddLives(int delta) {
    int lives = Lives + delta;
    if (lives < 0) {
        lives = 0;
    }
    if (lives >= 100) {
        lives = 99;
    }
    Lives = static_cast<Integer>(lives);
    ShowLives();
}

void Game::AdvanceLevel() {
    int level = Level + 1;
    if (level >= 100) {
        level = 99;
    }
    Level = static_cast<Integer>(level);
    ShowLevel();
}

void Game::NewGame() {
    AddScore(0);
    Lives = 50;
    AddLives(0);
    Level = 0;
    AdvanceLevel();
    SetupLevel();
}

void Game::SetupLevel() {
    EndPause();
    ClearEffects();
    RoundPhase = 0;
    GameOverPending = False;
    CookLoad = 0;
    CookPose = 2;
    ShowCookFrame();
    ui::Control& cook = *cfrm.pelmar;
    cook.Move(2685, 1365);
    cook.SetPicture(windows::At(Figform.pelmar, 2, "pelmar").Picture());
    cook.SetVisible(true);
    cook.SetEnabled(true);
    ReleaseKeys();

    ShowRoom(false);
    cfrm.Picture2->ZOrder();
    SavedLives = 0;
    cfrm.Picture4->Move(0, 0);
    BlinkLine(1) = 0;
    BlinkPhase = True;
    OrderDeck = "123123123123";
    cfrm.eleme2->Move(cfrm.Picture2->Left(), cfrm.Picture2->Top());
    for (int line = 1; line <= 3; ++line) {
        ui::Control& label = *cfrm.selec[line - 1];
        label.SetEnabled(true);
        label.SetCaption("");
        label.SetBackColor(layout::White);
        OrderSlot(line, 1) = 0;
        OrderSlot(line, 2) = 0;
        windows::At(cfrm.forno, line, "forno").SetTop(cfrm.Lista->Top());
    }
    ItemState = 0;
    cfrm.eleme->SetLeft(cfrm.Picture1->Left());

    BeltSpeed = 0.3 * std::pow(2.0, Int((Level - 1) / 4.0));
    BeltStart = -9800;
    BeltNewest = 12;
    BeltOldest = 12;
    BeltOffset = BeltStart;
    for (Idx = 1; Idx <= 7; ++Idx) {
        SandestSlot(Idx, 1) = static_cast<Integer>(Idx + 12);
        SandestSlot(Idx, 2) =
            static_cast<Integer>((Idx - 1) * layout::SandwichSpacing - BeltStart - 95);
        ui::Control& plate = windows::At(cfrm.Sandest, Idx, "Sandest");
        plate.SetPicture(windows::At(Figform.Sanduba, 0, "Sanduba").Picture());
        plate.SetVisible(true);
        plate.SetHeight(300);
    }
    for (int i = 1; i <= 12; ++i) {
        SandwichFilling(i) = 1;
        SandwichPos(i) = i * layout::SandwichSpacing + 3375;
    }
    BeltClock = 0;
    // A sandwich still falling from the last game is dropped with it.
    SandwichDropClock = 0;
    SandwichDropOven = 0;
    cfrm.Timer1->SetInterval(1);
    cfrm.Timer1->SetEnabled(true);
}

} // namespace game
