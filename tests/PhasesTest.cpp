// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixture.h"

namespace {

// A level whose belt has emptied, ready for the next play tick to clear it.
void EmptyTheBelt(game::Game& g) {
    g.BeltOldest = 0;
    g.ItemState = 0;
}

} // namespace

TEST_F(GameTest, ATallyOfOneLifeTakesOneTick) {
    EmptyTheBelt(g);
    g.Lives = 1;
    Tick();
    EXPECT_EQ(g.RoundPhase, -1);
    Tick();
    EXPECT_EQ(g.RoundPhase, 1);
    EXPECT_EQ(g.Lives, 0);
    EXPECT_EQ(g.Score, 10);
    EXPECT_EQ(cfrm.Timer1->Interval(), 100);
    EXPECT_EQ(g.LowerRoom, game::True);
    EXPECT_TRUE(cfrm.fundo2->Visible());
    EXPECT_FALSE(cfrm.fundo->Visible());
    EXPECT_EQ(cfrm.pelmar->Top(), cfrm.Picture2->Top() - 752);
    Tick();
    EXPECT_EQ(g.RoundPhase, 2);
    EXPECT_EQ(g.Lives, 1);
    EXPECT_EQ(g.SavedLives, 0);
}

TEST_F(GameTest, ABonusLifeDuringTheTallyIsTalliedButOnlyTheSavedLivesReturn) {
    EmptyTheBelt(g);
    g.Lives = 2;
    g.Score = 9990;
    Ticks(2);
    EXPECT_EQ(g.SavedLives, 2);
    EXPECT_EQ(g.Score, 10000);
    EXPECT_EQ(g.Lives, 11);
    int tallyTicks = 1;
    while (g.RoundPhase == 1) {
        Tick();
        ++tallyTicks;
    }
    EXPECT_EQ(tallyTicks, 13) << "twelve lives tallied, then the give-back tick";
    EXPECT_EQ(g.Lives, 2);
    EXPECT_EQ(g.Score, 10110);
}

TEST_F(GameTest, OvensPayPerStepAndAnOvenAlreadyDownCostsOneTick) {
    cfrm.forno[2]->SetTop(cfrm.Lista->Top() - 1050);
    g.RoundPhase = 2;
    Tick();
    EXPECT_EQ(g.RoundPhase, 3) << "oven 1 was already down";
    EXPECT_EQ(g.Score, 0);
    EXPECT_EQ(cfrm.Timer1->Interval(), 500);
    Tick();
    Tick();
    EXPECT_EQ(g.Score, 200);
    EXPECT_EQ(cfrm.forno[2]->Top(), cfrm.Lista->Top());
    Tick();
    EXPECT_EQ(g.RoundPhase, 4);
    Tick();
    EXPECT_EQ(g.RoundPhase, 5);
    Tick();
    EXPECT_EQ(g.RoundPhase, 0);
    EXPECT_EQ(g.Level, 2);
    EXPECT_EQ(cfrm.Timer1->Interval(), 1);
    EXPECT_EQ(g.LowerRoom, game::False);
}

TEST_F(GameTest, GameOverWinsOverAClearedLevel) {
    EmptyTheBelt(g);
    g.Score = 10;
    g.Lives = 0;
    Tick();
    EXPECT_EQ(Heard(), std::vector<std::string>{"gameover"});
    EXPECT_EQ(g.RoundPhase, 0);
    EXPECT_FALSE(cfrm.Timer1->Enabled());
    EXPECT_FALSE(cfrm.Enabled());
    EXPECT_TRUE(sim.windows.best.Visible());
    EXPECT_EQ(g.EndOfGame, game::True);
    EXPECT_EQ(g.GameOverPending, game::False);
    EXPECT_EQ(g.LowerRoom, game::True);
    EXPECT_TRUE(cfrm.Picture2->Visible());
}

TEST_F(GameTest, GameOverWhileMinimisedFinishesOnTheNextPaint) {
    cfrm.MenuMinimizar->onClick();
    g.Score = 10;
    g.Lives = 0;
    Tick();
    EXPECT_EQ(g.GameOverPending, game::True);
    EXPECT_FALSE(cfrm.Timer1->Enabled());
    EXPECT_TRUE(cfrm.Enabled());
    EXPECT_FALSE(sim.windows.best.Visible());
    EXPECT_TRUE(Heard().empty()) << "game over sounds when it runs, not while it waits";
    Tick();
    EXPECT_EQ(g.GameOverPending, game::True) << "the stopped timer runs no tick";
    Run("restore\n");
    EXPECT_EQ(g.GameOverPending, game::False);
    EXPECT_TRUE(sim.windows.best.Visible());
    EXPECT_EQ(Heard(), std::vector<std::string>{"gameover"});
    EXPECT_FALSE(cfrm.Enabled());
}

TEST_F(GameTest, LostFocusRestartsAStoppedTimerOnlyWhenEnabled) {
    cfrm.Timer1->SetEnabled(false);
    cfrm.SetEnabled(false);
    cfrm.Form_LostFocus();
    EXPECT_FALSE(cfrm.Timer1->Enabled());
    cfrm.SetEnabled(true);
    cfrm.Form_LostFocus();
    EXPECT_TRUE(cfrm.Timer1->Enabled());
}

TEST_F(GameTest, MenuEntriesDoWhatTheySay) {
    cfrm.MenuSobre->onClick();
    EXPECT_FALSE(cfrm.Enabled());
    EXPECT_TRUE(sim.windows.sobr.Visible());
    sim.windows.sobr.Command1->onClick();
    EXPECT_TRUE(cfrm.Enabled());
    EXPECT_FALSE(sim.windows.sobr.Visible());

    cfrm.MenuAjuda->onClick();
    EXPECT_EQ(platform.scripted().helpOpened, 1);

    cfrm.MenuDisplay->onClick();
    EXPECT_TRUE(cfrm.MenuDisplay->Checked());
    EXPECT_EQ(cfrm.MenuDisplay->Caption(), "Display &Arrojado");

    EXPECT_TRUE(cfrm.Timer1->Enabled()) << "menus do not stop the game";
    cfrm.MenuSair->onClick();
    EXPECT_TRUE(platform.Ended());
}
