// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixture.h"

namespace {

class BeltWorkTest : public GameTest {
protected:
    // The cook in the belt column holding `load`, level with sandwich k.
    void AtSandwich(int k, int load, double fraction = 0.7) {
        g.ItemState = 2;
        g.CookLoad = static_cast<game::Integer>(load);
        g.CookPose = static_cast<game::Integer>(10 * load + 1);
        g.ShowCookFrame();
        g.BeltOffset = -5000;
        cfrm.pelmar->Move(800, (k + 7 + fraction) * 480 + 1290 + g.BeltOffset - 550);
    }
};

} // namespace

TEST_F(BeltWorkTest, AnIngredientGoesOnTheSandwichLevelWithTheHands) {
    AtSandwich(9, 3);
    g.WorkAtBelt();
    EXPECT_EQ(g.SandwichFilling(9), 1 + 4);
    EXPECT_EQ(g.ItemState, 0);
    EXPECT_EQ(g.CookLoad, 0);
    EXPECT_EQ(cfrm.pelmar->Left(), 800 + 255);
    EXPECT_EQ(g.Score, 10);
    EXPECT_EQ(cfrm.Sandest[(9 + 1) % 7 + 1]->Picture(), fig.Sanduba[5]->Picture());
}

TEST_F(BeltWorkTest, HandsBetweenTwoSandwichesDoNothing) {
    AtSandwich(9, 3, 0.3);
    g.WorkAtBelt();
    EXPECT_EQ(g.SandwichFilling(9), 1);
    EXPECT_EQ(g.ItemState, 2);
}

TEST_F(BeltWorkTest, AnIngredientTheSandwichHasIsUsedUpWithoutPoints) {
    g.SandwichFilling(9) = 1 + 4;
    AtSandwich(9, 3);
    g.WorkAtBelt();
    EXPECT_EQ(g.SandwichFilling(9), 5);
    EXPECT_EQ(g.ItemState, 0);
    EXPECT_EQ(g.Score, 0);
}

TEST_F(BeltWorkTest, TheTokenLiftsASandwichAndTheMatchingLineBlinks) {
    g.OrderSlot(2, 1) = 5;
    g.OrderSlot(2, 2) = 3;
    g.SandwichFilling(9) = 5;
    AtSandwich(9, 6);
    g.WorkAtBelt();
    EXPECT_EQ(g.ItemState, 3);
    EXPECT_EQ(g.CarriedFilling, 5);
    EXPECT_EQ(g.SandwichFilling(9), 0);
    EXPECT_EQ(g.CookLoad, 1);
    EXPECT_EQ(g.CookPose, 11);
    EXPECT_EQ(g.BlinkLine(1), 2);
    EXPECT_EQ(g.BlinkLine(2), 3);
    EXPECT_EQ(cfrm.Sandest[(9 + 1) % 7 + 1]->Picture(), fig.Sanduba[0]->Picture());
}

TEST_F(BeltWorkTest, TheTokenAtAnEmptySlotIsKept) {
    g.SandwichFilling(9) = 0;
    AtSandwich(9, 6);
    g.WorkAtBelt();
    EXPECT_EQ(g.ItemState, 2);
    EXPECT_EQ(g.CookLoad, 6);
}

TEST_F(BeltWorkTest, ASandwichMatchingNoLineIsLiftedWithoutBlinking) {
    AtSandwich(9, 6);
    g.WorkAtBelt();
    EXPECT_EQ(g.ItemState, 3);
    EXPECT_EQ(g.BlinkLine(1), 0);
}
