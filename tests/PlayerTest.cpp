// SPDX-License-Identifier: GPL-3.0-or-later
// A player who sees the window and uses only the keyboard plays level 1
// from its first order to the start of level 2.
#include "Fixture.h"

#include <set>

namespace {

constexpr int Ctrl = 17, Left = 37, Up = 38, Right = 39, Down = 40;

class Player {
public:
    explicit Player(sim::Simulator& sim) : sim_(sim), g_(sim.game), c_(sim.windows.cfrm) {}

    int deliveries = 0;

    // Looks at the screen, presses or releases keys, then the clock moves on
    // one hundredth and the timer fires.
    void Step() {
        if (g_.RoundPhase == 0 && c_.Enabled()) {
            Decide();
        } else {
            ReleaseAll();
        }
        const double ovensBefore = OvensRaised();
        sim_.Step(1);
        if (OvensRaised() > ovensBefore) {
            ++deliveries;
        }
    }

private:
    double OvensRaised() const {
        double steps = 0;
        for (int o = 1; o <= 3; ++o) {
            steps += (c_.Lista->Top() - c_.forno[o]->Top()) / 525.0;
        }
        return steps;
    }

    void Press(int code) {
        if (held_.insert(code).second) {
            c_.KeyDown(code);
        }
    }
    void Release(int code) {
        if (held_.erase(code) != 0) {
            c_.KeyUp(code);
        }
    }
    void ReleaseAll() {
        for (int code : std::set<int>(held_)) {
            Release(code);
        }
    }
    // Holds one of two opposite keys, or neither.
    void Walk(int towards, int away) {
        Release(away);
        Press(towards);
    }
    void StandVertically() {
        Release(Up);
        Release(Down);
    }
    void StandHorizontally() {
        Release(Left);
        Release(Right);
    }

    int CookLeft() const { return c_.pelmar->Left(); }
    int CookTop() const { return c_.pelmar->Top(); }

    // The cook's Top that puts his hands level with sandwich v.
    double BeltTop(int v) const { return (v + 7.7) * 480 + 1290 + g_.BeltOffset - 550; }
    bool Reachable(int v) const {
        return v >= 1 && v <= 12 && g_.SandwichFilling(v) != 0 && BeltTop(v) >= 1390 &&
               BeltTop(v) <= 3100;
    }
    bool IsOrder(int filling) const {
        for (int line = 1; line <= 3; ++line) {
            if (g_.OrderSlot(line, 1) != 0 && g_.OrderSlot(line, 1) == filling) {
                return true;
            }
        }
        return false;
    }
    // The oldest reachable sandwich an item of `kind` helps towards an order.
    int SandwichFor(int kind) const {
        for (int v = g_.BeltOldest; v >= std::max<int>(g_.BeltNewest, 1); --v) {
            if (!Reachable(v)) {
                continue;
            }
            const int f = g_.SandwichFilling(v);
            if (kind == 5) {
                if (IsOrder(f)) {
                    return v;
                }
                continue;
            }
            const int bit = 1 << kind;
            for (int line = 1; line <= 3; ++line) {
                const int w = g_.OrderSlot(line, 1);
                if (w != 0 && (f & ~w) == 0 && (w & bit) != 0 && (f & bit) == 0) {
                    return v;
                }
            }
        }
        return 0;
    }

    void MoveTo(double top, int vertical) {
        if (std::abs(CookTop() - top) <= vertical) {
            StandVertically();
        } else {
            CookTop() < top ? Walk(Down, Up) : Walk(Up, Down);
        }
    }

    void Decide() {
        if (g_.LowerRoom != 0) {
            DecideDownstairs();
            return;
        }
        Release(Ctrl);
        switch (g_.ItemState) {
        case 1:
            MeetItem();
            break;
        case 2:
            WorkWithLoad();
            break;
        case 3:
            StandHorizontally();
            Walk(Down, Up); // a cook with a sandwich walks out at the bottom
            break;
        default:
            StandHorizontally();
            MoveTo(2200, 150);
            break;
        }
    }

    void MeetItem() {
        const ui::Control& item = *sim_.windows.cfrm.eleme;
        target_ = SandwichFor(g_.ItemKind);
        if (target_ == 0) {
            // Not wanted: kick it back as it arrives.
            Press(Ctrl);
        }
        const double lane = std::clamp(item.Top() - 400.0, 1290.0, 3255.0);
        if (CookLeft() < 1300) {
            StandVertically();
            Walk(Right, Left);
            return;
        }
        StandHorizontally();
        MoveTo(lane, 90);
        if (std::abs(CookTop() - lane) <= 90 && g_.CookPose % 10 == 1) {
            Press(Right); // never meet an item facing left
        }
    }

    void WorkWithLoad() {
        const int kind = g_.CookLoad - 1;
        if (!Reachable(target_) || (kind == 5 && !IsOrder(g_.SandwichFilling(target_)))) {
            target_ = SandwichFor(kind);
        }
        if (target_ == 0) {
            // Nowhere useful: any sandwich on the belt takes it.
            for (int v = g_.BeltOldest; v >= 1 && target_ == 0; --v) {
                target_ = Reachable(v) && kind != 5 ? v : 0;
            }
        }
        if (target_ == 0) {
            StandHorizontally();
            StandVertically();
            return;
        }
        const double top = BeltTop(target_);
        const bool level = std::abs(CookTop() - top) <= 100;
        if (!level) {
            // Line up outside the belt column, so no other sandwich gets it.
            if (CookLeft() < 1100) {
                StandVertically();
                Walk(Right, Left);
                return;
            }
            StandHorizontally();
            MoveTo(top, 100);
            return;
        }
        StandVertically();
        Walk(Left, Right);
    }

    void DecideDownstairs() {
        if (g_.ItemState != 3 || g_.SandwichDropClock != 0) {
            Release(Ctrl);
            StandHorizontally();
            Walk(Up, Down);
            return;
        }
        int oven = 1;
        for (int line = 1; line <= 3; ++line) {
            if (g_.OrderSlot(line, 1) == g_.CarriedFilling) {
                oven = g_.OrderSlot(line, 2);
                break;
            }
        }
        const int target = sim_.windows.cfrm.forno[oven]->Left() + 255;
        // Facing left he holds the sandwich 255 twips further left.
        const int front = CookLeft() + (g_.CookPose % 10 == 1 ? 255 : 0);
        if (CookTop() < 358) {
            StandHorizontally();
            Press(Down);
            return;
        }
        if (std::abs(front - target) > 100) {
            Release(Down);
            front < target ? Walk(Right, Left) : Walk(Left, Right);
            return;
        }
        StandHorizontally();
        if (g_.CookPose % 10 != 2) {
            Release(Down);
            Press(Down); // turn to face the ovens
            return;
        }
        Press(Ctrl);
    }

    sim::Simulator& sim_;
    game::Game& g_;
    windows::Cfrm& c_;
    std::set<int> held_;
    int target_ = 0;
};

class PlayerTest : public GameTest, public ::testing::WithParamInterface<int> {};

TEST_P(PlayerTest, PlaysLevelOneToTheStartOfLevelTwo) {
    platform.Randomize(GetParam());
    g.NewGame();
    Player player(sim);
    int ticks = 0;
    while (g.RoundPhase == 0 && g.Lives > 0) {
        player.Step();
        ASSERT_LT(++ticks, 40000) << "the level does not end";
    }
    ASSERT_GT(g.Lives, 0) << "the player lost the game after " << player.deliveries
                          << " deliveries";
    EXPECT_GE(player.deliveries, 8);

    // The count-down: every life is worth 10, every oven step 100.
    const double scoreAtClear = g.Score;
    const int lives = g.Lives;
    int ovenSteps = 0;
    for (int o = 1; o <= 3; ++o) {
        ovenSteps += (cfrm.Lista->Top() - cfrm.forno[o]->Top()) / 525;
    }
    EXPECT_EQ(ovenSteps, player.deliveries);
    while (g.RoundPhase != 2) {
        player.Step();
    }
    EXPECT_EQ(g.Score, scoreAtClear + 10 * lives);
    EXPECT_EQ(g.Lives, lives);
    while (g.RoundPhase != 0) {
        player.Step();
    }
    EXPECT_EQ(g.Score, scoreAtClear + 10 * lives + 100 * ovenSteps);
    EXPECT_EQ(g.Level, 2);
    EXPECT_DOUBLE_EQ(g.BeltSpeed, 0.3);
    EXPECT_EQ(g.OrderDeck, "123123123123");
    EXPECT_EQ(g.OrderSlot(1, 1), 0);
    EXPECT_EQ(cfrm.Timer1->Interval(), 1);
    for (int o = 1; o <= 3; ++o) {
        EXPECT_EQ(cfrm.forno[o]->Top(), cfrm.Lista->Top());
    }
    std::cout << "deliveries " << player.deliveries << ", lives " << lives << ", score " << g.Score
              << "\n";
}

INSTANTIATE_TEST_SUITE_P(TwoSetsOfDraws, PlayerTest, ::testing::Values(1, 2));

} // namespace
