// SPDX-License-Identifier: GPL-3.0-or-later
// Hundreds of games of random keys; after every tick every variable stays in
// its range (array indexes are checked on every access as well).
#include "Fixture.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

const std::set<int> CookCodes{0,  1,  2,  3,  11, 12, 13, 21, 22, 23, 31,
                              32, 33, 41, 42, 43, 51, 52, 53, 61, 62, 63};

bool Within(double value, double lowest, double highest) {
    return value >= lowest && value <= highest;
}

// Each value of a variable within the range the game's list gives it.
template <class T> void CheckValue(const game::VariableInfo& info, const T& value) {
    if constexpr (std::is_arithmetic_v<T>) {
        ASSERT_TRUE(Within(static_cast<double>(value), info.lowest, info.highest))
            << info.name << " " << value;
    }
}
template <class T, int Lo, int Hi>
void CheckValue(const game::VariableInfo& info, const game::Array1<T, Lo, Hi>& a) {
    for (int i = Lo; i <= Hi; ++i) {
        CheckValue(info, a(i));
    }
}
template <class T, int Lo1, int Hi1, int Lo2, int Hi2>
void CheckValue(const game::VariableInfo& info, const game::Array2<T, Lo1, Hi1, Lo2, Hi2>& a) {
    for (int i = Lo1; i <= Hi1; ++i) {
        for (int j = Lo2; j <= Hi2; ++j) {
            CheckValue(info, a(i, j));
        }
    }
}

void CheckRanges(game::Game& g, double clock) {
    g.ForEachVariable(
        [](const game::VariableInfo& info, const auto& value) { CheckValue(info, value); });
    ASSERT_EQ(g.Score, std::floor(g.Score));
    ASSERT_TRUE(CookCodes.count(g.CookPose)) << g.CookPose;
    for (int i = 1; i <= 12; ++i) {
        const int f = g.SandwichFilling(i);
        ASSERT_TRUE(f == 0 || (f % 2 == 1 && f <= 31)) << f;
    }
    int perOven[4] = {0, 0, 0, 0};
    for (char digit : g.OrderDeck) {
        ASSERT_TRUE(digit >= '1' && digit <= '3');
        ++perOven[digit - '0'];
    }
    for (int line = 1; line <= 3; ++line) {
        const int wanted = g.OrderSlot(line, 1), oven = g.OrderSlot(line, 2);
        ASSERT_TRUE(wanted == 0 || (wanted % 2 == 1 && wanted <= 31));
        ASSERT_EQ(wanted == 0, oven == 0);
        ASSERT_LE(oven, 3);
        if (oven != 0) {
            ++perOven[oven];
        }
    }
    for (int oven = 1; oven <= 3; ++oven) {
        ASSERT_LE(perOven[oven], 4);
    }
    for (int k = 1; k <= 4; ++k) {
        const double stamp = g.KeyStart(k);
        ASSERT_TRUE(stamp == 0 || stamp == -1 || (stamp > 0 && stamp <= clock));
    }
    for (int k = 1; k <= 7; ++k) {
        ASSERT_LE(g.SandestSlot(k, 1), k + 12);
    }
}

TEST(Soak, TwoHundredGamesOfRandomKeysKeepEveryVariableInRange) {
    TempDir dir;
    sim::Simulator sim;
    sim.frontEnd.UseFolders({dir.path(), (dir.path() / "data").string()});
    game::Game& g = sim.game;
    windows::Cfrm& cfrm = sim.windows.cfrm;
    std::mt19937 chance(20261208);
    const std::array<int, 8> keys{37, 38, 39, 40, 17, 32, 65, 13};
    long long ticks = 0;
    for (int game = 0; game < 200; ++game) {
        if (game % 4 == 3) {
            sim.platform.scripted().answers.emplace_back(std::to_string(1 + chance() % 120));
            cfrm.MenuFase->onClick();
        } else {
            cfrm.MenuNovo->onClick();
        }
        const double start = sim.platform.WallClock();
        const int questions = sim.platform.scripted().questionsAsked;
        std::set<int> held;
        // Until game over: the high-score window is up, or (for a result
        // that did not enter the table) the play-again question was asked.
        while (cfrm.Enabled() && sim.platform.scripted().questionsAsked == questions &&
               sim.platform.WallClock() - start < 360000) {
            if (chance() % 6 == 0) {
                const int key = keys[chance() % keys.size()];
                if (held.count(key) != 0 && chance() % 2 == 0) {
                    held.erase(key);
                    cfrm.KeyUp(key);
                } else {
                    held.insert(key);
                    cfrm.KeyDown(key);
                }
            }
            sim.Step(1 + chance() % 5);
            ++ticks;
            CheckRanges(g, sim.platform.WallClock());
            if (HasFatalFailure()) {
                FAIL() << "game " << game << ", tick " << ticks;
            }
        }
        for (int key : held) {
            cfrm.KeyUp(key);
        }
        if (!cfrm.Enabled()) {
            // Game over: the high-score window's Ok, and Yes to another game.
            sim.platform.scripted().yesNo.push_back(true);
            sim.windows.best.Command1->onClick();
        }
        ASSERT_FALSE(sim.platform.Ended());
    }
    RecordProperty("ticks", std::to_string(ticks));
    EXPECT_GT(ticks, 200);
}

} // namespace
