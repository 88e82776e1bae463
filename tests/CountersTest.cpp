// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixture.h"

TEST_F(GameTest, StartStateAfterMain) {
    EXPECT_EQ(g.CookSpeed, 150);
    EXPECT_EQ(g.Lives, 50);
    EXPECT_EQ(g.Level, 1);
    EXPECT_EQ(g.Score, 0);
    EXPECT_EQ(g.RoundPhase, 0);
    EXPECT_EQ(g.DropStep, 60);
    EXPECT_EQ(g.CrLf, "\r\n");
    EXPECT_EQ(g.BeltWidth, 960);
    EXPECT_EQ(g.HighlightColour(2, game::False), 13684991.0f);
    EXPECT_EQ(g.HighlightColour(3, game::True), 16711680.0f);
    EXPECT_EQ(cfrm.fundo->Height(), 3990);
    EXPECT_EQ(cfrm.fundo2->Height(), 4005);
    EXPECT_EQ(cfrm.fundo2->Top(), -15);
    EXPECT_TRUE(cfrm.keyPreview);
    EXPECT_TRUE(cfrm.Visible());
    EXPECT_FALSE(cfrm.MenuDisplay->Checked());
    EXPECT_EQ(cfrm.MenuDisplay->Caption(), "Display &Simples");
    EXPECT_TRUE(cfrm.Timer1->Enabled());
    EXPECT_EQ(cfrm.Timer1->Interval(), 1);
    // Centred on the 1024 x 768 screen, with the stored outer height.
    EXPECT_EQ(cfrm.Height(), 5580);
    EXPECT_EQ(cfrm.Top(), (768 * 15 - 5580) / 2);
    EXPECT_EQ(cfrm.Left(), (1024 * 15 - cfrm.Width()) / 2);
    EXPECT_FALSE(sim.windows.best.Visible());
    EXPECT_FALSE(sim.windows.fig.Visible());
}

TEST_F(GameTest, AwardsCarryTheLevelBonus) {
    g.AddScore(10);
    EXPECT_EQ(g.Score, 10);
    g.Level = 4;
    g.AddScore(10);
    EXPECT_EQ(g.Score, 35);
    g.Level = 99;
    g.AddScore(1);
    EXPECT_EQ(g.Score, 35 + 1 + 490);
}

TEST_F(GameTest, TenThousandPointsBringTenLives) {
    g.Score = 9990;
    g.AddScore(10);
    EXPECT_EQ(g.Score, 10000);
    EXPECT_EQ(g.Lives, 60);
}

TEST_F(GameTest, BonusTestIgnoresTheLevelBonus) {
    g.Level = 3;
    g.Score = 9985;
    g.AddScore(10);
    EXPECT_EQ(g.Score, 10005);
    EXPECT_EQ(g.Lives, 50);
    g.AddScore(10);
    EXPECT_EQ(g.Score, 10025);
    EXPECT_EQ(g.Lives, 50);
}

TEST_F(GameTest, ZeroResetsTheScoreWithoutBonus) {
    g.Score = 19999;
    g.AddScore(0);
    EXPECT_EQ(g.Score, 0);
    EXPECT_EQ(g.Lives, 50);
}

TEST_F(GameTest, ScoreCapsAndEveryAwardAtTheCapBringsLives) {
    g.Score = 9999999990.0;
    g.AddScore(100);
    EXPECT_EQ(g.Score, 9999999999.0);
    EXPECT_EQ(g.Lives, 60);
    g.AddScore(10);
    EXPECT_EQ(g.Score, 9999999999.0);
    EXPECT_EQ(g.Lives, 70);
}

TEST_F(GameTest, LivesClampAtZeroAndNinetyNine) {
    g.Lives = 4;
    g.AddLives(-10);
    EXPECT_EQ(g.Lives, 0);
    g.Lives = 95;
    g.Score = 9999;
    g.AddScore(1);
    EXPECT_EQ(g.Lives, 99);
    g.AddLives(40000);
    EXPECT_EQ(g.Lives, 99);
    g.AddLives(-40000);
    EXPECT_EQ(g.Lives, 0);
}

TEST_F(GameTest, LevelStopsAtNinetyNine) {
    g.Level = 98;
    g.AdvanceLevel();
    EXPECT_EQ(g.Level, 99);
    g.AdvanceLevel();
    EXPECT_EQ(g.Level, 99);
}

TEST_F(GameTest, NewGameInTheMiddleOfALevelStartsOver) {
    g.Score = 1234;
    g.Lives = 7;
    g.Level = 6;
    g.CookLoad = 3;
    g.ItemState = 2;
    cfrm.pelmar->Move(1000, 2000);
    cfrm.MenuNovo->onClick();
    EXPECT_EQ(g.Score, 0);
    EXPECT_EQ(g.Lives, 50);
    EXPECT_EQ(g.Level, 1);
    EXPECT_EQ(g.CookLoad, 0);
    EXPECT_EQ(g.ItemState, 0);
    EXPECT_EQ(g.CookPose, 2);
    EXPECT_EQ(cfrm.pelmar->Left(), 2685);
    EXPECT_EQ(cfrm.pelmar->Top(), 1365);
}
