#pragma once

#include "game/Arrays.h"
#include "ui/Platform.h"
#include "windows/Forms.h"

#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace game {

// The game module: every variable of a running game and every procedure
// that works on them and on the main window's controls. One instance per
// game, so tests can make as many as they like.
class Game {
public:
    Game(windows::Windows& windows, ui::Platform& platform);

    // ---- game flow ----
    Integer RoundPhase = 0;
    Flag GameOverPending = False;
    Flag EndOfGame = False;
    Flag TickSinceKey = False;
    Flag LowerRoom = False;
    std::string CrLf;

    // ---- counters ----
    double Score = 0;
    Integer Lives = 0;
    Integer SavedLives = 0;
    Integer Level = 0;

    // ---- options ----
    Integer CookSpeed = 0;

    // ---- keyboard: (1) left, (2) right, (3) up, (4) down ----
    Flag ActionKey = False;
    Array1<double, 1, 4> KeyStart;

    // ---- cook ----
    Integer CookPose = 0;
    Integer CookLoad = 0;
    Array1<double, 1, 2> WalkOrigin;
    Integer CarriedFilling = 0;

    // ---- flying item ----
    Integer ItemState = 0;
    Integer ItemKind = 0;
    Integer DropStep = 0;
    double ItemClock = 0;
    double ItemLeft = 0;
    Flag LastItemNotToken = False;

    // ---- conveyor ----
    Array1<Integer, 1, 12> SandwichFilling;
    Array1<double, 1, 12> SandwichPos;
    Integer BeltNewest = 0;
    Integer BeltOldest = 0;
    double BeltSpeed = 0;
    double BeltClock = 0;
    double BeltOffset = 0;
    double BeltStart = 0;
    double BeltWidth = 0;
    Array2<Integer, 1, 7, 1, 2> SandestSlot;

    // ---- orders ----
    std::string OrderDeck;
    Array2<Integer, 1, 3, 1, 2> OrderSlot;
    Array1<Integer, 1, 2> BlinkLine;
    Flag BlinkPhase = False;
    Array2<float, 1, 3, -1, 0> HighlightColour;

    // ---- ovens ----
    double SandwichDropClock = 0;
    double SandwichDropTop = 0;
    Integer SandwichDropOven = 0;

    // ---- displays ----
    std::string ScoreText;

    // Loop counters that the game keeps module-wide.
    Integer Idx = 0;
    double LoopVar = 0;

    // ---- startup and flow ----
    void Main();
    void GameTick();
    void GameOver();
    void ReleaseKeys();

    // ---- counters ----
    void AddScore(double points);
    void AddLives(int delta);
    void AdvanceLevel();
    void NewGame();
    void SetupLevel();

    // ---- keyboard and cook ----
    void KeyDown(int keyCode);
    void KeyUp(int keyCode);
    void WalkLeft();
    void WalkRight();
    void WalkUp();
    void WalkDown();
    void MoveCook();
    void ShowCookFrame();

    // ---- kitchen steps, in tick order ----
    void StepOrders();
    void NewOrder();
    void RemoveOrder(int line);
    void SwitchRoom();
    void StepSandwichDrop();
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
    void ApplyDisplayMode();

    // ---- option dialogs ----
    void AskStartLevel();
    void AskCookSpeed();

    // Ends the program through the platform; nothing of the game runs after.
    void EndProgram();
    bool Ended() const { return ended_; }

    windows::Windows& windows() { return windows_; }
    ui::Platform& platform() { return platform_; }

    // Names for the simulator and tests: each game variable and procedure.
    struct Variable {
        std::string name;
        enum class Type { Integer, Single, Double, String } type;
        void* data;
        int lower1 = 0, upper1 = -1, lower2 = 0, upper2 = -1; // -1 upper: no such dimension
    };
    const std::vector<Variable>& Variables();
    using Procedure = std::function<void(const std::vector<long long>&)>;
    struct ProcedureEntry {
        std::size_t arguments;
        Procedure run;
    };
    const std::map<std::string, ProcedureEntry, std::less<>>& Procedures();

private:
    void PhaseStep();
    void ClearShownPage();
    double Now() { return platform_.Clock(); }

    windows::Windows& windows_;
    ui::Platform& platform_;
    windows::Cfrm& cfrm;
    windows::FigForm& Figform;
    bool ended_ = false;
    std::vector<Variable> variables_;
    std::map<std::string, ProcedureEntry, std::less<>> procedures_;
};

// Int of the game's arithmetic: rounds down.
inline double Int(double x) {
    return std::floor(x);
}

} // namespace game
