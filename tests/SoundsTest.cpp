// SPDX-License-Identifier: GPL-3.0-or-later
// Which sound effects the game asks for, and when.
#include "Fixture.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

class SoundsTest : public GameTest {
protected:
    int CookTop() const { return cfrm.pelmar->Top(); }
    // The cook in the belt column holding `load`, level with sandwich k.
    void AtSandwich(int k, int load) {
        g.ItemState = 2;
        g.CookLoad = static_cast<game::Integer>(load);
        g.CookPose = static_cast<game::Integer>(10 * load + 1);
        g.ShowCookFrame();
        g.BeltOffset = -5000;
        cfrm.pelmar->Move(800, (k + 7 + 0.7) * 480 + 1290 + g.BeltOffset - 550);
    }
    void Throw() {
        g.ActionKey = game::True;
        g.StepSandwichDrop();
        g.ActionKey = game::False;
    }
    void Fall() {
        for (int i = 0; i < 1000 && g.SandwichDropClock != 0; ++i) {
            platform.MoveClock(1);
            g.StepSandwichDrop();
        }
    }
};

} // namespace

TEST_F(SoundsTest, ANewGameStartsInSilenceWithTheSoundOn) {
    EXPECT_TRUE(cfrm.MenuSom->Checked());
    EXPECT_EQ(cfrm.MenuSom->Caption(), "S&om");
    EXPECT_EQ(Heard(), Names{});
    Run("menu MenuNovo\n");
    EXPECT_EQ(Heard(), Names{});
}

TEST_F(SoundsTest, AnItemCaughtLowEnoughOrLostAboveTheHands) {
    Flying(1, 2685 + 100, CookTop() + 218);
    g.CatchIngredient();
    ASSERT_EQ(g.ItemState, 2);
    EXPECT_EQ(Heard(), Names{"catch"});

    g.CookLoad = 0;
    g.ShowCookFrame();
    Flying(1, 2685 + 100, CookTop() + 217);
    g.CatchIngredient();
    ASSERT_EQ(g.Lives, 49);
    EXPECT_EQ(Heard(), Names{"drop"});
}

TEST_F(SoundsTest, AKickedItemSoundsOnceAndComesHomeQuietly) {
    g.ActionKey = game::True;
    g.DropStep = 60;
    Flying(4, 2685 + 300, CookTop() + 300);
    g.CatchIngredient();
    ASSERT_EQ(g.DropStep, -60);
    EXPECT_EQ(Heard(), Names{"kick"});
    g.CatchIngredient();
    EXPECT_EQ(Heard(), Names{}) << "still touching, the key held: the same kick";
    platform.MoveClock(110);
    g.DispenseIngredient();
    ASSERT_EQ(g.ItemState, 0);
    EXPECT_EQ(Heard(), Names{});
}

TEST_F(SoundsTest, AnIngredientGoesOnASandwichWithOrWithoutPoints) {
    AtSandwich(9, 3);
    g.WorkAtBelt();
    ASSERT_EQ(g.SandwichFilling(9), 1 + 4);
    EXPECT_EQ(Heard(), Names{"put"});

    AtSandwich(9, 3);
    g.WorkAtBelt();
    ASSERT_EQ(g.Score, 10) << "nothing new on it";
    EXPECT_EQ(Heard(), Names{"put"});
}

TEST_F(SoundsTest, TheTokenLiftsASandwichButNotAnEmptySlot) {
    g.SandwichFilling(9) = 0;
    AtSandwich(9, 6);
    g.WorkAtBelt();
    ASSERT_EQ(g.ItemState, 2);
    EXPECT_EQ(Heard(), Names{});

    g.SandwichFilling(9) = 5;
    AtSandwich(9, 6);
    g.WorkAtBelt();
    ASSERT_EQ(g.ItemState, 3);
    EXPECT_EQ(Heard(), Names{"lift"});
}

TEST_F(SoundsTest, AThrowIntoItsOrdersOvenIsDeliveredWhenItLands) {
    g.OrderSlot(1, 1) = 3;
    g.OrderSlot(1, 2) = 2;
    Carrying(3, 2355 + 255);
    Throw();
    ASSERT_NE(g.SandwichDropClock, 0);
    EXPECT_EQ(Heard(), Names{"throw"});
    platform.MoveClock(1);
    g.StepSandwichDrop();
    EXPECT_EQ(Heard(), Names{}) << "still falling";
    Fall();
    ASSERT_EQ(g.Score, 100);
    EXPECT_EQ(Heard(), Names{"deliver"});
}

TEST_F(SoundsTest, AThrowIntoTheWrongOvenOrFromTooHighMisses) {
    g.OrderSlot(1, 1) = 3;
    g.OrderSlot(1, 2) = 2;
    Carrying(3, 915 + 255);
    Throw();
    Fall();
    ASSERT_EQ(g.Lives, 45);
    EXPECT_EQ(Heard(), (Names{"throw", "miss"}));

    Carrying(3, 2355 + 255);
    cfrm.pelmar->SetTop(356);
    Throw();
    ASSERT_EQ(g.Lives, 40);
    EXPECT_EQ(Heard(), (Names{"throw", "miss"}));
}

TEST_F(SoundsTest, TheActionKeyWithoutASandwichThrowsNothing) {
    Carrying(3, 2355 + 255);
    g.ItemState = 0;
    Throw();
    EXPECT_EQ(Heard(), Names{});
}

TEST_F(SoundsTest, EachUnfinishedSandwichLeavingTheBeltSoundsButALiftedOneDoesNot) {
    const double start = 5000000;
    platform.SetWallClock(start);
    g.StepConveyor();
    g.SandwichFilling(10) = 0; // lifted
    // Sandwiches 12 and 11 both past the end line at once: one a step.
    platform.SetWallClock(start + (9800 - 6635 + 480) / 0.3 + 10);
    g.StepConveyor();
    ASSERT_EQ(g.BeltOldest, 11);
    EXPECT_EQ(Heard(), Names{"belt"});
    platform.MoveClock(1);
    g.StepConveyor();
    ASSERT_EQ(g.Lives, 30);
    ASSERT_EQ(g.BeltOldest, 9) << "10 was lifted and is skipped at once";
    EXPECT_EQ(Heard(), Names{"belt"});
    platform.MoveClock((2 * 480) / 0.3);
    g.StepConveyor();
    ASSERT_EQ(g.BeltOldest, 8);
    ASSERT_EQ(g.Lives, 20);
    EXPECT_EQ(Heard(), Names{"belt"});
}

TEST_F(SoundsTest, TenThousandPointsBringTheBonusOnce) {
    g.Score = 9980;
    g.AddScore(10);
    EXPECT_EQ(Heard(), Names{});
    g.AddScore(10);
    ASSERT_EQ(g.Lives, 60);
    EXPECT_EQ(Heard(), Names{"bonus"});
    g.AddScore(10);
    EXPECT_EQ(Heard(), Names{});
}

TEST_F(SoundsTest, TheCountDownTalliesEachLifeAndEachOvenStepThenTheNextLevel) {
    g.BeltOldest = 0;
    g.ItemState = 0;
    g.Lives = 2;
    cfrm.forno[2]->SetTop(cfrm.Lista->Top() - 1050); // two steps up
    Names heard;
    for (int i = 0; i < 40 && g.Level == 1; ++i) {
        Tick();
        const Names step = Heard();
        EXPECT_LE(step.size(), 1u) << "tick " << i;
        heard.insert(heard.end(), step.begin(), step.end());
    }
    ASSERT_EQ(g.Level, 2);
    EXPECT_EQ(heard, (Names{"tally", "tally", "tally", "tally", "level"}))
        << "two lives, two oven steps";
    EXPECT_EQ(g.Lives, 2);
}

TEST_F(SoundsTest, SwitchedOffTheGameAsksForNothing) {
    Run("menu MenuSom\n");
    EXPECT_FALSE(cfrm.MenuSom->Checked());
    Flying(1, 2685 + 100, CookTop() + 218);
    g.CatchIngredient();
    ASSERT_EQ(g.ItemState, 2);
    g.Score = 9990;
    g.AddScore(10);
    ASSERT_EQ(g.Lives, 60);
    Flying(1, 2685 + 100, CookTop() + 100);
    g.CatchIngredient();
    ASSERT_EQ(g.Lives, 59);
    Run("menu MenuNovo\n");
    EXPECT_FALSE(cfrm.MenuSom->Checked()) << "a new game keeps the switch";
    g.Score = 10;
    g.Lives = 0;
    Tick();
    ASSERT_TRUE(sim.windows.best.Visible());
    EXPECT_EQ(Heard(), Names{});
}

TEST_F(SoundsTest, SwitchedOnAgainTheSoundsCome) {
    Run("menu MenuSom\nmenu MenuSom\n");
    EXPECT_TRUE(cfrm.MenuSom->Checked());
    g.AddScore(10000);
    EXPECT_EQ(Heard(), Names{"bonus"});
}

TEST_F(SoundsTest, EachDumpListsTheSoundsSinceThePreviousOne) {
    const std::string out =
        Run("set Score 9990\ncall AddScore 10\nset ItemKind 2\ncall DropIngredient\n"
            "dump\ndump\nmenu MenuSom\ncall AddScore 10000\ndump\n");
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < out.size();) {
        const std::size_t end = out.find('\n', at);
        lines.push_back(out.substr(at, end - at));
        at = end + 1;
    }
    ASSERT_EQ(lines.size(), 3u) << out;
    EXPECT_NE(lines[0].find("\"Sounds\":[\"bonus\",\"drop\"]"), std::string::npos);
    EXPECT_NE(lines[1].find("\"Sounds\":[]"), std::string::npos);
    EXPECT_NE(lines[2].find("\"Sounds\":[]"), std::string::npos);
    EXPECT_NE(lines[2].find("\"cfrm.MenuSom\":{"), std::string::npos);
}
