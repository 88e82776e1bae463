// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixture.h"

namespace {

class DropTest : public GameTest {
protected:
    void Order(int line, int filling, int oven) {
        g.OrderSlot(line, 1) = static_cast<game::Integer>(filling);
        g.OrderSlot(line, 2) = static_cast<game::Integer>(oven);
    }
    // Throws, then lets the sandwich fall until it lands or misses.
    void ThrowAndFall() {
        g.ActionKey = game::True;
        g.StepSandwichDrop();
        g.ActionKey = game::False;
        for (int i = 0; i < 1000 && g.SandwichDropClock != 0; ++i) {
            platform.MoveClock(1);
            g.StepSandwichDrop();
        }
    }
};

} // namespace

TEST_F(DropTest, ASandwichIntoItsOrdersOvenIsDelivered) {
    Order(1, 3, 2);
    Order(2, 5, 1);
    cfrm.selec[1]->SetCaption("second");
    Carrying(3, 2355 + 255);
    ThrowAndFall();
    EXPECT_EQ(g.Lives, 50);
    EXPECT_EQ(g.Score, 100);
    EXPECT_EQ(cfrm.forno[2]->Top(), 3990 - 525);
    EXPECT_EQ(g.OrderSlot(1, 1), 5) << "line 2 moved up";
    EXPECT_EQ(cfrm.selec[0]->Caption(), "second");
    EXPECT_EQ(g.ItemState, 4);
    EXPECT_EQ(cfrm.eleme2->Left(), cfrm.Picture2->Left());
}

TEST_F(DropTest, TheRightSandwichInTheWrongOvenIsAMiss) {
    Order(1, 3, 2);
    Carrying(3, 915 + 255);
    ThrowAndFall();
    EXPECT_EQ(g.Lives, 45);
    EXPECT_EQ(g.OrderSlot(1, 1), 3) << "the order stays";
    EXPECT_EQ(cfrm.eleme2->Picture(), fig.Picture1[15]->Picture());
}

TEST_F(DropTest, TheOvenMustHoldTheSandwichStrictly) {
    Order(1, 3, 2);
    Carrying(3, 2355);
    ThrowAndFall();
    EXPECT_EQ(g.Lives, 45) << "on the oven's left edge";
    Carrying(3, 2355 + 945 - 435);
    ThrowAndFall();
    EXPECT_EQ(g.Lives, 40) << "on the oven's right edge";
    Carrying(3, 2356);
    ThrowAndFall();
    EXPECT_EQ(g.Lives, 40) << "one twip inside";
    EXPECT_EQ(g.Score, 100);
}

TEST_F(DropTest, OfTwoEqualLinesTheOlderIsDelivered) {
    Order(1, 3, 2);
    Order(2, 3, 2);
    cfrm.selec[0]->SetCaption("older");
    cfrm.selec[1]->SetCaption("newer");
    Carrying(3, 2355 + 255);
    ThrowAndFall();
    EXPECT_EQ(cfrm.selec[0]->Caption(), "newer");
}

TEST_F(DropTest, AMissCostsFiveLivesAndRestoresTheBlinkingLine) {
    Order(2, 3, 3);
    g.BlinkLine(1) = 2;
    g.BlinkLine(2) = 3;
    cfrm.selec[1]->SetBackColor(16765136);
    Carrying(3, 915 + 255);
    ThrowAndFall();
    EXPECT_EQ(g.Lives, 45);
    EXPECT_EQ(cfrm.selec[1]->BackColor(), 16711680u);
    EXPECT_EQ(g.BlinkLine(1), 0);
}

TEST_F(DropTest, AThrowFromAboveTheLowestPlaceMissesAtOnce) {
    Order(1, 3, 2);
    Carrying(3, 2355 + 255);
    cfrm.pelmar->SetTop(356);
    g.ActionKey = game::True;
    g.StepSandwichDrop();
    EXPECT_EQ(g.SandwichDropClock, 0);
    EXPECT_EQ(g.Lives, 45);
}

TEST_F(DropTest, TheActionKeyDoesNothingWithoutASandwich) {
    Carrying(3, 2355 + 255);
    g.ItemState = 0;
    g.ActionKey = game::True;
    g.StepSandwichDrop();
    EXPECT_EQ(g.SandwichDropClock, 0);
    EXPECT_EQ(g.CookLoad, 1);
}

TEST_F(DropTest, TheLevelDoesNotEndWhileTheLastSandwichIsCarriedOrFalling) {
    Order(1, 3, 2);
    Carrying(3, 2355 + 255);
    g.BeltOldest = 0;
    Tick();
    EXPECT_EQ(g.RoundPhase, 0) << "carried";
    g.ActionKey = game::True;
    Tick();
    g.ActionKey = game::False;
    EXPECT_EQ(g.ItemState, 3) << "with the belt empty the throw keeps the state";
    EXPECT_NE(g.SandwichDropClock, 0);
    EXPECT_EQ(g.RoundPhase, 0) << "falling";
    while (g.SandwichDropClock != 0) {
        Tick();
    }
    EXPECT_EQ(g.Score, 100);
    EXPECT_EQ(g.RoundPhase, -1) << "landed: the level is cleared";
}

TEST_F(DropTest, ASandwichStillFallingAtANewGameIsDropped) {
    Order(1, 3, 2);
    Carrying(3, 2355 + 255);
    g.ActionKey = game::True;
    g.StepSandwichDrop();
    ASSERT_NE(g.SandwichDropClock, 0);
    g.NewGame();
    platform.MoveClock(500);
    g.StepSandwichDrop();
    EXPECT_EQ(g.Score, 0);
    EXPECT_EQ(g.Lives, 50);
    EXPECT_EQ(cfrm.forno[2]->Top(), 3990);
}
