// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/Arrays.h"
#include "ui/Effects.h"
#include "ui/Platform.h"
#include "windows/Forms.h"

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace game {

// The game module: every variable of a running game and every procedure
// that works on them and on the main window's controls. One instance per
// game, so tests can make as many as they like.
// Every variable of a running game, listed once: type, name, and the range
// its values keep while a game runs (the soak test checks it). The members
// below, the dump and the simulator's get and set all come from this list.
// Texts have no range.
#define PELMAR_GAME_VARIABLES(X)                                                                   \
    /* game flow */                                                                                \
    X(Integer, RoundPhase, -1, 5)                                                                  \
    X(Flag, GameOverPending, -1, 0)                                                                \
    X(Flag, EndOfGame, -1, 0)                                                                      \
    X(Flag, TickSinceKey, -1, 0)                                                                   \
    X(Flag, LowerRoom, -1, 0)                                                                      \
    X(std::string, CrLf, 0, 0)                                                                     \
    /* counters */                                                                                 \
    X(double, Score, 0, MaxScore)                                                                  \
    X(Integer, Lives, 0, 99)                                                                       \
    X(Integer, SavedLives, 0, 99)                                                                  \
    X(Integer, Level, 1, 99)                                                                       \
    /* options */                                                                                  \
    X(Integer, CookSpeed, 1, 32767)                                                                \
    /* keyboard: (1) left, (2) right, (3) up, (4) down; 0 idle, -1 pressed, else the start */      \
    X(Flag, ActionKey, -1, 0)                                                                      \
    X(KeyStamps, KeyStart, -1, Unbounded)                                                          \
    /* cook */                                                                                     \
    X(Integer, CookPose, 0, 63)                                                                    \
    X(Integer, CookLoad, 0, 6)                                                                     \
    X(Place, WalkOrigin, -Unbounded, Unbounded)                                                    \
    X(Integer, CarriedFilling, 0, 31)                                                              \
    /* flying item */                                                                              \
    X(Integer, ItemState, 0, 4)                                                                    \
    X(Integer, ItemKind, 0, 5)                                                                     \
    X(Integer, DropStep, -60, 60)                                                                  \
    X(double, ItemClock, 0, Unbounded)                                                             \
    X(double, ItemLeft, -Unbounded, Unbounded)                                                     \
    X(Flag, LastItemNotToken, -1, 0)                                                               \
    /* conveyor */                                                                                 \
    X(Fillings, SandwichFilling, 0, 31)                                                            \
    X(Positions, SandwichPos, -Unbounded, Unbounded)                                               \
    X(Integer, BeltNewest, 1, 12)                                                                  \
    X(Integer, BeltOldest, 0, 12)                                                                  \
    X(double, BeltSpeed, 0, Unbounded)                                                             \
    X(double, BeltClock, 0, Unbounded)                                                             \
    X(double, BeltOffset, -Unbounded, 0.3 * 16777216.0 * 1e6)                                      \
    X(double, BeltStart, -9800, -9800)                                                             \
    X(double, BeltWidth, 0, Unbounded)                                                             \
    X(PlateSlots, SandestSlot, -Unbounded, Unbounded)                                              \
    /* orders: (line, 1) what it wants, (line, 2) its oven */                                      \
    X(std::string, OrderDeck, 0, 0)                                                                \
    X(OrderLines, OrderSlot, 0, 31)                                                                \
    X(Blink, BlinkLine, 0, 3)                                                                      \
    X(Flag, BlinkPhase, -1, 0)                                                                     \
    X(Highlights, HighlightColour, 0, 16777215)                                                    \
    /* ovens */                                                                                    \
    X(double, SandwichDropClock, 0, Unbounded)                                                     \
    X(double, SandwichDropTop, -Unbounded, Unbounded)                                              \
    X(Integer, SandwichDropOven, 0, 3)                                                             \
    /* displays */                                                                                 \
    X(std::string, ScoreText, 0, 0)                                                                \
    /* loop counters the game keeps module-wide */                                                 \
    X(Integer, Idx, 0, 8)                                                                          \
    X(double, LoopVar, -Unbounded, Unbounded)

// The highest score the game keeps.
inline constexpr double MaxScore = 9999999999.0;
inline constexpr double Unbounded = std::numeric_limits<double>::infinity();
using KeyStamps = Array1<double, 1, 4>;
using Place = Array1<double, 1, 2>;
using Fillings = Array1<Integer, 1, 12>;
using Positions = Array1<double, 1, 12>;
using PlateSlots = Array2<Integer, 1, 7, 1, 2>;
using OrderLines = Array2<Integer, 1, 3, 1, 2>;
using Blink = Array1<Integer, 1, 2>;
using Highlights = Array2<float, 1, 3, -1, 0>;

// A variable's name and range, as the list gives them.
struct VariableInfo {
    std::string_view name;
    double lowest;
    double highest;
};

// The game module: every variable of a running game and every procedure
// that works on them and on the main window's controls. One instance per
// game, so tests can make as many as they like.
class Game : public windows::GameEvents {
public:
    Game(windows::Windows& windows, ui::Platform& platform);

#define PELMAR_DECLARE(type, name, lowest, highest) type name{};
    PELMAR_GAME_VARIABLES(PELMAR_DECLARE)
#undef PELMAR_DECLARE

    // Calls visit(VariableInfo, variable) for every variable, in list order.
    template <class Visitor> void ForEachVariable(Visitor&& visit) {
#define PELMAR_VISIT(type, name, lowest, highest) visit(VariableInfo{#name, lowest, highest}, name);
        PELMAR_GAME_VARIABLES(PELMAR_VISIT)
#undef PELMAR_VISIT
    }

    // ---- startup and flow ----
    void Main();
    void GameTick() override;
    void GameOver();
    void ReleaseKeys();

    // ---- counters ----
    void AddScore(double points);
    void AddLives(int delta);
    void AdvanceLevel();
    void NewGame() override;
    // Asks the platform for a sound effect, unless the sound is switched off.
    void Sound(std::string_view name);
    void SetupLevel();

    // ---- keyboard and cook ----
    void KeyDown(int keyCode) override;
    void KeyUp(int keyCode) override;
    // The four walks: key, the opposite key, axis (1 across, 2 down), pose, direction.
    void WalkLeft() {
        Walk(1, 2, 1, 10 * CookLoad + 1, -1);
    }
    void WalkRight() {
        Walk(2, 1, 1, 10 * CookLoad + 3, 1);
    }
    void WalkUp() {
        Walk(3, 4, 2, 0, -1);
    }
    void WalkDown() {
        Walk(4, 3, 2, 10 * CookLoad + 2, 1);
    }
    void MoveCook();
    void ShowCookFrame();

    // ---- kitchen steps, in tick order ----
    void StepOrders();
    void NewOrder();
    void RemoveOrder(int line);
    void SwitchRoom();
    void StepSandwichDrop();
    // The cook throws the sandwich he carries down towards the ovens.
    void ThrowSandwich();
    // In the band over the ovens: the oven under the sandwich, and whether
    // it delivers an order there (then the sandwich goes on into the oven).
    bool SandwichMeetsAnOrder();
    void MissDrop();
    void DispenseIngredient();
    void CatchIngredient();
    void DropIngredient();
    void StepConveyor();
    void WorkAtBelt();
    void ShowBeltSandwich(int sandwich, int filling);

    // ---- displays ----
    void ShowScore();
    void ShowLevel();
    void ShowLives();
    void ApplyDisplayMode() override;

    // ---- option dialogs ----
    void AskStartLevel() override;
    void AskCookSpeed() override;

    // Ends the program through the platform; nothing of the game runs after.
    void EndProgram() override;
    bool Ended() const {
        return ended_;
    }

    // ---- the high-score table ----
    void BestOpenedFromMenu() override;
    void ShowBestTable() override;
    void BestNameTyped() override;
    void CloseBestTable() override;
    void LoadBest();
    void SaveBest();
    void EnterBest();
    void ShowBest();
    void FinishPendingGameOver() override;

    // ---- the player's pause ----
    // While paused the clock stands still, the play timer does nothing and
    // key presses are dropped. A new game or level and game over end it; the
    // windows and dialogs opened from the menus leave it as it is.
    void SetPaused(bool paused);
    void EndPause();
    bool Paused() const {
        return paused_;
    }

    // ---- what the front ends draw beside the state ----
    const ui::Effects& effects() const {
        return effects_;
    }

    windows::Windows& windows() {
        return windows_;
    }
    ui::Platform& platform() override {
        return platform_;
    }

    // The game's procedures by name, for the simulator and tests.
    using Procedure = std::function<void(const std::vector<long long>&)>;
    struct ProcedureEntry {
        std::size_t arguments;
        Procedure run;
    };
    const std::map<std::string, ProcedureEntry, std::less<>>& Procedures();

private:
    void PhaseStep();
    void ClearShownPage();
    // Shows the upper or the lower room with what belongs to it.
    enum class View { Play, CountDown, GameOver };
    void ShowRoom(bool lower, View view = View::Play);
    // One walk routine behind the four directions.
    void Walk(int key, int opposite, int axis, int pose, int sign);
    double Now() {
        return platform_.Clock();
    }

    windows::Windows& windows_;
    ui::Platform& platform_;
    windows::Cfrm& cfrm;
    windows::FigForm& Figform;
    bool ended_ = false;
    bool inGameOver_ = false;
    bool paused_ = false;
    // A loss shows where it happened for this long, while the game goes on.
    static constexpr double SplashHundredths = 40;
    void Splash(const ui::Control& item, const ui::PictureRef& broken);
    // Drops the splashes whose time is up and follows the blinking line.
    void StepEffects();
    void ClearEffects();
    void PublishEffects(ui::Effects next);
    ui::Effects effects_;
    std::vector<double> splashUntil_;
    std::map<std::string, ProcedureEntry, std::less<>> procedures_;
};

// Int of the game's arithmetic: rounds down.
inline double Int(double x) {
    return std::floor(x);
}

} // namespace game
