// SPDX-License-Identifier: GPL-3.0-or-later
// The player's pause: everything stands still and goes on from where it stood.
#include "Fixture.h"

#include "ui/KeyCodes.h"

namespace {

class PauseTest : public GameTest {
protected:
    // What moves with time: the cook, the flying item, the belt, a falling sandwich.
    struct Moving {
        int cookLeft, cookTop, itemLeft, sandwichTop;
        double beltOffset;
        bool operator==(const Moving&) const = default;
    };
    Moving Now() const {
        return {cfrm.pelmar->Left(), cfrm.pelmar->Top(), cfrm.eleme->Left(), cfrm.eleme2->Top(),
                g.BeltOffset};
    }
    // A long pause, with the timer firing and the outside clock running on.
    void PauseFor(double hundredths) {
        g.SetPaused(true);
        Ticks(static_cast<int>(hundredths / 50), 50);
        g.SetPaused(false);
    }
};

} // namespace

TEST_F(PauseTest, AWalkAFlightAndTheBeltGoOnFromWhereTheyStood) {
    Ticks(300);
    cfrm.KeyDown(ui::keys::Left);
    Ticks(40);
    ASSERT_EQ(g.ItemState, 1) << "an item is in flight";
    ASSERT_LT(g.BeltOffset, 0) << "the belt is moving";
    const Moving before = Now();
    const double clock = g.platform().Clock();
    PauseFor(60000);
    EXPECT_EQ(g.platform().Clock(), clock) << "the game's clock stood still";
    sim.Step(0);
    EXPECT_EQ(Now(), before) << "nothing jumped on resume";
    Ticks(40);
    const Moving after = Now();
    // The same forty hundredths as before the pause: the same distance walked.
    Moving unpaused = before;
    sim::Simulator twin;
    twin.frontEnd.UseFolders({dir.path(), (dir.path() / "data").string()});
    for (int i = 0; i < 300; ++i) {
        twin.Step(1);
    }
    twin.windows.cfrm.KeyDown(ui::keys::Left);
    for (int i = 0; i < 80; ++i) {
        twin.Step(1);
    }
    unpaused = {twin.windows.cfrm.pelmar->Left(), twin.windows.cfrm.pelmar->Top(),
                twin.windows.cfrm.eleme->Left(), twin.windows.cfrm.eleme2->Top(),
                twin.game.BeltOffset};
    EXPECT_EQ(after, unpaused) << "the paused game is where the unpaused one is";
}

TEST_F(PauseTest, AFallingSandwichFallsOnFromWhereItStood) {
    g.OrderSlot(1, 1) = 3;
    g.OrderSlot(1, 2) = 2;
    Carrying(3, 2355 + 255);
    ThrowFromTheCounter();
    platform.MoveClock(5);
    g.StepSandwichDrop();
    ASSERT_NE(g.SandwichDropClock, 0) << "still falling";
    const int top = cfrm.eleme2->Top();
    PauseFor(5000);
    g.StepSandwichDrop();
    EXPECT_EQ(cfrm.eleme2->Top(), top);
    platform.MoveClock(10);
    g.StepSandwichDrop();
    EXPECT_EQ(cfrm.eleme2->Top(), top + 70) << "seven twips a hundredth, as before the pause";
}

TEST_F(PauseTest, KeysDuringThePauseDoNothing) {
    Ticks(50);
    g.SetPaused(true);
    const std::string before = sim.Dump();
    for (int key : {ui::keys::Left, ui::keys::Down, ui::keys::Ctrl, ui::keys::Space}) {
        cfrm.KeyDown(key);
        Tick(10);
    }
    EXPECT_EQ(sim.Dump(), before);
    g.SetPaused(false);
    EXPECT_EQ(g.KeyStart(1), 0);
    EXPECT_EQ(g.ActionKey, game::False);
}

TEST_F(PauseTest, ANewGameALevelAndGameOverEndThePauseTheOtherWindowsKeepIt) {
    g.SetPaused(true);
    cfrm.MenuNovo->onClick();
    EXPECT_FALSE(g.Paused()) << "F2";
    g.SetPaused(true);
    platform.scripted().answers = {std::nullopt};
    cfrm.MenuFase->onClick();
    EXPECT_TRUE(g.Paused()) << "a cancelled Fase ...";
    platform.scripted().answers = {std::nullopt, "90"};
    cfrm.MenuVel->onClick();
    cfrm.MenuVel->onClick();
    EXPECT_TRUE(g.Paused()) << "Vel. Dirovid ..., cancelled or answered";
    EXPECT_EQ(g.CookSpeed, 90);
    const double clock = g.platform().Clock();
    cfrm.MenuSobre->onClick();
    Ticks(100);
    sim.windows.sobr.Command1->onClick();
    cfrm.MenuMelhores->onClick();
    Ticks(100);
    sim.windows.best.Command1->onClick();
    EXPECT_TRUE(g.Paused()) << "the About and the table windows";
    EXPECT_EQ(g.platform().Clock(), clock) << "the time behind them was paused too";
    platform.scripted().answers = {"4"};
    cfrm.MenuFase->onClick();
    EXPECT_FALSE(g.Paused()) << "an accepted level starts";
    EXPECT_EQ(g.Level, 4);
    g.SetPaused(true);
    g.Lives = 0;
    g.GameOver();
    EXPECT_FALSE(g.Paused()) << "game over";
}

TEST_F(PauseTest, MinimisingOrLosingTheFocusDoesNotPause) {
    EXPECT_EQ(Run("minimize\nlostfocus\nget Paused\nrestore\nget Paused\n"),
              "{\"Paused\": false}\n{\"Paused\": false}\n");
    EXPECT_EQ(Run("pause\nget Paused\nzoom 3\nget Zoom\nresume\nget Paused\n"),
              "{\"Paused\": true}\n{\"Zoom\": 3}\n{\"Paused\": false}\n");
}
