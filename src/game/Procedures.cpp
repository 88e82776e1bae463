// SPDX-License-Identifier: GPL-3.0-or-later
// The game's procedures by name, for the simulator and tests.
#include "game/Game.h"

#include <algorithm>

namespace game {

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
