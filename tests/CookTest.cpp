// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixture.h"

namespace {

constexpr int Left = 37, Up = 38, Right = 39, Down = 40, Ctrl = 17, Space = 32;

// Key events without the extra tick a key-down may run, so only the cook's
// own steps move him.
class CookTest : public GameTest {
protected:
    void Press(int code) {
        g.TickSinceKey = game::True;
        cfrm.KeyDown(code);
    }
    void Release(int code) { cfrm.KeyUp(code); }
    void Move(double hundredths) {
        platform.MoveClock(hundredths);
        g.MoveCook();
    }
    int X() const { return cfrm.pelmar->Left(); }
    int Y() const { return cfrm.pelmar->Top(); }
};

} // namespace

TEST_F(CookTest, AWalkIsTimedFromItsStartAndJumpsByTheSpeedAtOnce) {
    Press(Left);
    Move(0);
    EXPECT_EQ(X(), 2685 - 150);
    Move(10);
    EXPECT_EQ(X(), 2685 - 150 - 150) << "15 twips a hundredth at speed 150";
    Press(Left); // auto-repeat
    Move(10);
    EXPECT_EQ(X(), 2685 - 150 - 300) << "a repeated key-down does not restart the walk";
    EXPECT_EQ(g.WalkOrigin(1), 2685 - 150);
}

TEST_F(CookTest, ALimitClampsThePlaceButNotTheWalk) {
    Press(Left);
    Move(0);
    Move(1000);
    EXPECT_EQ(X(), 960) << "the belt column starts at 960";
    EXPECT_EQ(g.WalkOrigin(1), 2535);
    Move(1000);
    EXPECT_EQ(X(), 960);
    Press(Up);
    Move(0);
    Move(500);
    EXPECT_EQ(Y(), 1290);
    Release(Up);
    Press(Down);
    Move(0);
    Move(1000);
    EXPECT_EQ(Y(), 3990 - 735);
}

TEST_F(CookTest, OppositeDirectionsExcludeEachOther) {
    Press(Left);
    Move(0);
    Move(10);
    const int reached = X();
    Press(Right);
    EXPECT_EQ(g.KeyStart(1), 0) << "the left walk ends although Left is still down";
    Move(0);
    EXPECT_EQ(X(), reached + 150);
    Release(Right);
    Move(50);
    EXPECT_EQ(X(), reached + 150) << "he stands still until Left is pressed again";

    Press(Up);
    Press(Down);
    EXPECT_EQ(g.KeyStart(3), 0);
    EXPECT_EQ(g.KeyStart(4), -1);
}

TEST_F(CookTest, ADiagonalWalkKeepsTheSidewaysPicture) {
    cfrm.pelmar->SetTop(2000);
    Press(Left);
    Press(Up);
    Move(0);
    Move(10);
    EXPECT_EQ(g.CookPose, 1);
    EXPECT_EQ(X(), 2685 - 300);
    EXPECT_EQ(Y(), 2000 - 300);
    Release(Left);
    Move(5);
    EXPECT_EQ(g.CookPose, 0) << "the back turns once the sideways key is released";
    EXPECT_EQ(cfrm.pelmar->Picture(), fig.pelmar[0]->Picture());
}

TEST_F(CookTest, ALoadedCookTurningToOrFromTheLeftShiftsByHisReach) {
    g.CookLoad = 3;
    g.ShowCookFrame();
    EXPECT_EQ(g.CookPose, 32);
    EXPECT_EQ(cfrm.pelmar->Width(), 465);
    Press(Left);
    EXPECT_EQ(X(), 2685 - 255);
    EXPECT_EQ(cfrm.pelmar->Width(), 675);
    Release(Left);
    Press(Down);
    EXPECT_EQ(X(), 2685);
    EXPECT_EQ(g.CookPose, 32);
    g.CookLoad = 0;
    g.ShowCookFrame();
    Press(Left);
    Press(Right);
    EXPECT_EQ(X(), 2685) << "an empty-handed cook does not move when turning";
}

TEST_F(CookTest, ActionKeysShareOneFlag) {
    Press(Ctrl);
    Press(Space);
    EXPECT_EQ(g.ActionKey, game::True);
    Release(Space);
    EXPECT_EQ(g.ActionKey, game::False);
}

TEST_F(CookTest, AKeyDownRunsATickOnlyWhenNoTickRanSinceTheLastOne) {
    Tick();
    const double fire = cfrm.fogo->Visible();
    cfrm.KeyDown(65);
    EXPECT_EQ(cfrm.fogo->Visible(), fire) << "a timer tick ran since the last key";
    cfrm.KeyDown(65);
    EXPECT_NE(cfrm.fogo->Visible(), fire) << "the second key drives a tick of its own";
    EXPECT_EQ(g.TickSinceKey, game::False);
}

TEST_F(CookTest, PicturesFollowLoadAndFacingButNotDuringThePhases) {
    g.CookLoad = 2;
    g.CookPose = 2;
    g.ShowCookFrame();
    EXPECT_EQ(g.CookPose, 22);
    g.CookLoad = 1;
    g.ShowCookFrame();
    EXPECT_EQ(g.CookPose, 12);
    g.CookPose = 0;
    g.ShowCookFrame();
    EXPECT_EQ(g.CookPose, 0) << "walking up, loaded or not, shows his back";
    g.RoundPhase = 2;
    g.CookPose = 13;
    g.ShowCookFrame();
    EXPECT_EQ(g.CookPose, 13);
    EXPECT_EQ(cfrm.pelmar->Picture(), fig.pelmar[0]->Picture());
}

TEST_F(CookTest, RoomsSwitchAtStrictThresholds) {
    g.CookLoad = 1;
    cfrm.pelmar->SetTop(3623);
    g.SwitchRoom();
    EXPECT_EQ(g.LowerRoom, game::False) << "exactly on the threshold he stays";
    cfrm.pelmar->SetTop(3624);
    g.SwitchRoom();
    EXPECT_EQ(g.LowerRoom, game::True);
    EXPECT_EQ(Y(), -382);
    EXPECT_TRUE(cfrm.fundo2->Visible());
    EXPECT_TRUE(cfrm.Picture2->Visible());
    EXPECT_FALSE(cfrm.Picture4->Visible());
    EXPECT_EQ(g.KeyStart(4), -1) << "the walk down restarts from the new place";
    g.SwitchRoom();
    EXPECT_EQ(g.LowerRoom, game::True) << "no switching straight back";

    Press(Right);
    cfrm.pelmar->SetTop(-383);
    g.SwitchRoom();
    EXPECT_EQ(g.LowerRoom, game::False);
    EXPECT_EQ(Y(), 3623);
    EXPECT_EQ(g.CookPose % 10, 3) << "a sideways key keeps the sideways picture";
    EXPECT_EQ(g.KeyStart(3), -1);
}

TEST_F(CookTest, ThrownStateLastsOneTickInEitherRoom) {
    g.ItemState = 4;
    g.SwitchRoom();
    EXPECT_EQ(g.ItemState, 0);
}
