// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixture.h"

namespace {

class BeltTest : public GameTest {
protected:
    // The belt alone, with the clock at `hundredths` after its first step.
    void StepAt(double hundredths) {
        platform.SetWallClock(start + hundredths);
        g.StepConveyor();
    }
    double start = 5000000;
    void SetUp() override {
        GameTest::SetUp();
        platform.SetWallClock(start);
        g.StepConveyor();
    }
};

} // namespace

TEST_F(BeltTest, TheFirstStepPlacesThePicturesAndTheTexture) {
    EXPECT_EQ(g.BeltOffset, -9800);
    EXPECT_EQ(g.BeltClock, start);
    EXPECT_EQ(cfrm.esteira->Top(), -200);
    for (int k = 1; k <= 7; ++k) {
        EXPECT_EQ(cfrm.Sandest[k]->Top(), 480 * k - 575);
    }
    StepAt(0);
    EXPECT_EQ(g.SandestSlot(7, 1), 12) << "picture 7 wraps to sandwich 12, the first real one";
    EXPECT_EQ(cfrm.Sandest[7]->Top(), -575);
    EXPECT_EQ(cfrm.Sandest[7]->Picture(), fig.Sanduba[1]->Picture());
    EXPECT_EQ(cfrm.Sandest[6]->Picture(), fig.Sanduba[0]->Picture());
}

TEST_F(BeltTest, MovesFromElapsedTimeAtTheLevelsSpeed) {
    StepAt(10);
    EXPECT_DOUBLE_EQ(g.BeltOffset, -9797);
    StepAt(1000);
    EXPECT_DOUBLE_EQ(g.BeltOffset, -9500);
    EXPECT_EQ(cfrm.esteira->Top(), -9500 % 480);
}

TEST_F(BeltTest, SandwichTwelveComesOnPastMinus9135) {
    StepAt((9800 - 9135) / 0.3 - 1);
    EXPECT_EQ(g.BeltNewest, 12);
    StepAt((9800 - 9135) / 0.3 + 1);
    EXPECT_EQ(g.BeltNewest, 11);
}

TEST_F(BeltTest, AnUnfinishedSandwichAtTheEndCostsTenLivesOnePerTick) {
    // Sandwiches 12 and 11 both past the end line at once.
    StepAt((9800 - 6635 + 480) / 0.3 + 10);
    EXPECT_EQ(g.BeltOldest, 11);
    EXPECT_EQ(g.Lives, 40);
    EXPECT_EQ(g.SandwichFilling(12), 1) << "its filling stays";
    StepAt((9800 - 6635 + 480) / 0.3 + 11);
    EXPECT_EQ(g.BeltOldest, 10);
    EXPECT_EQ(g.Lives, 30);
}

TEST_F(BeltTest, ALiftedSandwichIsSkippedAndNeverCharged) {
    g.SandwichFilling(11) = 0;
    StepAt((9800 - 6635) / 0.3 + 10);
    EXPECT_EQ(g.BeltOldest, 10) << "12 leaves, 11 was lifted and is skipped at once";
    EXPECT_EQ(g.Lives, 40);
    StepAt((9800 - 6635 + 480) / 0.3 + 10);
    EXPECT_EQ(g.Lives, 40);
}

TEST_F(BeltTest, TheBeltStopsAtZeroAndEmpties) {
    for (double t = 0; g.BeltOldest > 0; t += 50) {
        StepAt(t);
        ASSERT_LT(t, 40000);
    }
    StepAt(40000);
    EXPECT_GE(g.BeltOffset, 0) << "the run ends past 0 once";
    EXPECT_EQ(g.BeltClock, 0);
    EXPECT_EQ(g.BeltNewest, 1);
    StepAt(40001);
    EXPECT_EQ(g.BeltOffset, 0) << "then the belt stands at 0";
    StepAt(40002);
    EXPECT_EQ(g.BeltOffset, 0);
    EXPECT_EQ(g.Lives, 0) << "twelve unfinished sandwiches";
}

TEST_F(BeltTest, AHighLevelBeltRunsWithoutBounds) {
    g.Level = 99;
    g.SetupLevel();
    for (int t = 0; t < 20; ++t) {
        StepAt(t);
        for (int k = 1; k <= 7; ++k) {
            EXPECT_GE(g.SandestSlot(k, 2), -4000);
        }
    }
    EXPECT_EQ(g.BeltOffset, 0);
    EXPECT_EQ(g.BeltOldest, 0);
}
