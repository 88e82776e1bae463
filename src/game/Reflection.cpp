// The game's variables and procedures by name, for the simulator and tests.
#include "game/Game.h"

namespace game {

namespace {

using Type = Game::Variable::Type;

template <class T> constexpr Type TypeOf() {
    if constexpr (std::is_same_v<T, Integer>) {
        return Type::Integer;
    } else if constexpr (std::is_same_v<T, float>) {
        return Type::Single;
    } else if constexpr (std::is_same_v<T, double>) {
        return Type::Double;
    } else {
        static_assert(std::is_same_v<T, std::string>);
        return Type::String;
    }
}

template <class T> Game::Variable Scalar(std::string name, T& value) {
    return {std::move(name), TypeOf<T>(), &value};
}

template <class T, int Lo, int Hi> Game::Variable Vector(std::string name, Array1<T, Lo, Hi>& a) {
    return {std::move(name), TypeOf<T>(), &a(Lo), Lo, Hi};
}

template <class T, int Lo1, int Hi1, int Lo2, int Hi2>
Game::Variable Matrix(std::string name, Array2<T, Lo1, Hi1, Lo2, Hi2>& a) {
    return {std::move(name), TypeOf<T>(), &a(Lo1, Lo2), Lo1, Hi1, Lo2, Hi2};
}

} // namespace

const std::vector<Game::Variable>& Game::Variables() {
    if (variables_.empty()) {
        variables_ = {
            Scalar("RoundPhase", RoundPhase),
            Scalar("GameOverPending", GameOverPending),
            Scalar("EndOfGame", EndOfGame),
            Scalar("TickSinceKey", TickSinceKey),
            Scalar("LowerRoom", LowerRoom),
            Scalar("CrLf", CrLf),
            Scalar("Score", Score),
            Scalar("Lives", Lives),
            Scalar("SavedLives", SavedLives),
            Scalar("Level", Level),
            Scalar("CookSpeed", CookSpeed),
            Scalar("ActionKey", ActionKey),
            Vector("KeyStart", KeyStart),
            Scalar("CookPose", CookPose),
            Scalar("CookLoad", CookLoad),
            Vector("WalkOrigin", WalkOrigin),
            Scalar("CarriedFilling", CarriedFilling),
            Scalar("ItemState", ItemState),
            Scalar("ItemKind", ItemKind),
            Scalar("DropStep", DropStep),
            Scalar("ItemClock", ItemClock),
            Scalar("ItemLeft", ItemLeft),
            Scalar("LastItemNotToken", LastItemNotToken),
            Vector("SandwichFilling", SandwichFilling),
            Vector("SandwichPos", SandwichPos),
            Scalar("BeltNewest", BeltNewest),
            Scalar("BeltOldest", BeltOldest),
            Scalar("BeltSpeed", BeltSpeed),
            Scalar("BeltClock", BeltClock),
            Scalar("BeltOffset", BeltOffset),
            Scalar("BeltStart", BeltStart),
            Scalar("BeltWidth", BeltWidth),
            Matrix("SandestSlot", SandestSlot),
            Scalar("OrderDeck", OrderDeck),
            Matrix("OrderSlot", OrderSlot),
            Vector("BlinkLine", BlinkLine),
            Scalar("BlinkPhase", BlinkPhase),
            Matrix("HighlightColour", HighlightColour),
            Scalar("SandwichDropClock", SandwichDropClock),
            Scalar("SandwichDropTop", SandwichDropTop),
            Scalar("SandwichDropOven", SandwichDropOven),
            Scalar("ScoreText", ScoreText),
            Scalar("Idx", Idx),
            Scalar("LoopVar", LoopVar),
        };
    }
    return variables_;
}

const std::map<std::string, Game::ProcedureEntry, std::less<>>& Game::Procedures() {
    if (procedures_.empty()) {
        auto none = [](auto f) { return ProcedureEntry{0, [f](const auto&) { f(); }}; };
        auto one = [](auto f) {
            return ProcedureEntry{1, [f](const std::vector<long long>& a) { f(a[0]); }};
        };
        procedures_ = {
            {"Main", none([this] { Main(); })},
            {"GameTick", none([this] { GameTick(); })},
            {"GameOver", none([this] { GameOver(); })},
            {"ReleaseKeys", none([this] { ReleaseKeys(); })},
            {"AddScore", one([this](long long v) { AddScore(static_cast<double>(v)); })},
            {"AddLives", one([this](long long v) {
                 AddLives(static_cast<int>(std::clamp<long long>(v, -100000, 100000)));
             })},
            {"AdvanceLevel", none([this] { AdvanceLevel(); })},
            {"NewGame", none([this] { NewGame(); })},
            {"SetupLevel", none([this] { SetupLevel(); })},
            {"WalkLeft", none([this] { WalkLeft(); })},
            {"WalkRight", none([this] { WalkRight(); })},
            {"WalkUp", none([this] { WalkUp(); })},
            {"WalkDown", none([this] { WalkDown(); })},
            {"MoveCook", none([this] { MoveCook(); })},
            {"ShowCookFrame", none([this] { ShowCookFrame(); })},
            {"StepOrders", none([this] { StepOrders(); })},
            {"NewOrder", none([this] { NewOrder(); })},
            {"RemoveOrder", one([this](long long line) {
                 if (line >= 1 && line <= 3) {
                     RemoveOrder(static_cast<int>(line));
                 }
             })},
            {"SwitchRoom", none([this] { SwitchRoom(); })},
            {"StepSandwichDrop", none([this] { StepSandwichDrop(); })},
            {"MissDrop", none([this] { MissDrop(); })},
            {"DispenseIngredient", none([this] { DispenseIngredient(); })},
            {"CatchIngredient", none([this] { CatchIngredient(); })},
            {"DropIngredient", none([this] { DropIngredient(); })},
            {"StepConveyor", none([this] { StepConveyor(); })},
            {"WorkAtBelt", none([this] { WorkAtBelt(); })},
            {"ShowBeltSandwich", ProcedureEntry{2,
                                                [this](const std::vector<long long>& a) {
                                                    if (a[0] >= 1 && a[0] <= 12 && a[1] >= 0 &&
                                                        a[1] <= 31 &&
                                                        (a[1] == 0 || a[1] % 2 == 1)) {
                                                        ShowBeltSandwich(static_cast<int>(a[0]),
                                                                         static_cast<int>(a[1]));
                                                    }
                                                }}},
            {"ShowScore", none([this] { ShowScore(); })},
            {"ShowLevel", none([this] { ShowLevel(); })},
            {"ShowLives", none([this] { ShowLives(); })},
            {"ApplyDisplayMode", none([this] { ApplyDisplayMode(); })},
            {"AskStartLevel", none([this] { AskStartLevel(); })},
            {"AskCookSpeed", none([this] { AskCookSpeed(); })},
        };
    }
    return procedures_;
}

} // namespace game
