// SPDX-License-Identifier: GPL-3.0-or-later
// Losses that show where they happen, and the carried order's line blinking
// at a steady pace: effects drawn beside the game, which goes on as before.
#include "Fixture.h"

#include "game/Dump.h"

namespace {

class EffectsTest : public GameTest {
protected:
    // An item thrown just now from (left, top).
    void Thrown(int kind, int left, int top) {
        Flying(kind, left, top);
        g.ItemClock = platform.WallClock();
        g.ItemLeft = left;
    }
    std::string Effects() {
        const std::string dump = sim.Dump();
        const auto at = dump.find("\"Effects\":");
        return dump.substr(at, dump.find("},\"", dump.find("\"Blink\":", at)) - at + 1);
    }
    const std::vector<ui::Effects::Splash>& Splashes() const { return g.effects().splashes; }
    // The simulator's dump reports the splash just made for 0.4 s of play, then no more.
    void ExpectReportedForFourTenths(const std::string& picture) {
        const std::string reported = "\"Picture\":\"" + picture + "\"";
        for (int hundredths = 0; hundredths < 39; ++hundredths) {
            ASSERT_NE(Effects().find(reported), std::string::npos)
                << "after " << hundredths << " hundredths: " << Effects();
            Tick();
        }
        EXPECT_NE(Effects().find(reported), std::string::npos) << "after 0.39 s: " << Effects();
        Tick();
        EXPECT_EQ(Effects().find(reported), std::string::npos) << "after 0.4 s: " << Effects();
    }
};

} // namespace

TEST_F(EffectsTest, AnItemBrokenOnTheBeltShowsWhereItBrokeWhileTheNextFlies) {
    Ticks(5);
    Thrown(3, 1000, 2000);
    Tick(7);
    ASSERT_EQ(g.Lives, 49);
    ASSERT_EQ(Splashes().size(), 1u);
    EXPECT_EQ(Splashes()[0].container, cfrm.eleme->parent());
    EXPECT_EQ(Splashes()[0].picture, fig.Picture1[13]->Picture());
    EXPECT_EQ(Splashes()[0].left, 1000);
    EXPECT_EQ(Splashes()[0].top, 2000);
    EXPECT_NE(Effects().find("{\"Container\":\"cfrm.fundo\",\"Picture\":\"Figform.Picture1(13)\","
                             "\"Left\":1000,\"Top\":2000}"),
              std::string::npos)
        << Effects();
    Tick(1);
    EXPECT_EQ(g.ItemState, 1) << "a new item is issued at once";
    Ticks(38);
    EXPECT_EQ(Splashes().size(), 1u) << "still there after 0.39 s";
    Tick(1);
    EXPECT_TRUE(Splashes().empty()) << "gone after 0.4 s";
}

TEST_F(EffectsTest, AnItemThatHitsTheCookShowsBrokenWhereItHitHim) {
    Thrown(1, 2685 + 100, cfrm.pelmar->Top() + 100);
    g.CatchIngredient();
    ASSERT_EQ(g.Lives, 49);
    ASSERT_EQ(Splashes().size(), 1u);
    EXPECT_EQ(Splashes()[0].picture, fig.Picture1[11]->Picture());
    EXPECT_EQ(Splashes()[0].left, 2685 + 100);
    ExpectReportedForFourTenths("Figform.Picture1(11)");
}

TEST_F(EffectsTest, AMissedThrowShowsTheBrokenSandwichWhereItFell) {
    Carrying(3, 915 + 255);
    ThrowFromTheCounter();
    for (int i = 0; i < 1000 && g.SandwichDropClock != 0; ++i) {
        platform.MoveClock(1);
        g.StepSandwichDrop();
    }
    ASSERT_EQ(g.Lives, 45);
    EXPECT_EQ(cfrm.eleme2->Left(), cfrm.Picture2->Left()) << "back on the counter at once";
    ASSERT_EQ(Splashes().size(), 1u);
    EXPECT_EQ(Splashes()[0].container, cfrm.eleme2->parent());
    EXPECT_EQ(Splashes()[0].picture, fig.Picture1[15]->Picture());
    // Thrown facing down from the cook's left edge, it broke where it fell.
    EXPECT_EQ(Splashes()[0].left, 915 + 255);
    EXPECT_EQ(Splashes()[0].top, g.SandwichDropTop);
    ExpectReportedForFourTenths("Figform.Picture1(15)");
}

TEST_F(EffectsTest, TheCarriedOrdersLineBlinksUntilTheSandwichIsThrown) {
    Ticks(3);
    EXPECT_EQ(g.effects().blinkLine, nullptr);
    g.BlinkLine(1) = 2;
    g.BlinkLine(2) = 3;
    Tick();
    EXPECT_EQ(g.effects().blinkLine, cfrm.selec[1]);
    EXPECT_EQ(g.effects().strong, 16711680u);
    EXPECT_EQ(g.effects().pale, 16765136u);
    EXPECT_NE(Effects().find("\"Blink\":{\"Line\":\"cfrm.selec(1)\",\"Strong\":16711680,"
                             "\"Pale\":16765136}"),
              std::string::npos)
        << Effects();
    const game::Flag phase = g.BlinkPhase;
    Tick();
    EXPECT_NE(g.BlinkPhase, phase) << "the tick's own blinking goes on as before";
    g.BlinkLine(1) = 0;
    Tick();
    EXPECT_EQ(g.effects().blinkLine, nullptr);
    EXPECT_NE(Effects().find("\"Blink\":null"), std::string::npos);
}

TEST_F(EffectsTest, ANewLevelAndGameOverClearTheEffects) {
    Thrown(3, 1000, 2000);
    Tick(7);
    ASSERT_FALSE(Splashes().empty());
    cfrm.MenuNovo->onClick();
    EXPECT_TRUE(Splashes().empty());
    Thrown(3, 1000, 2000);
    Tick(7);
    g.BlinkLine(1) = 1;
    g.BlinkLine(2) = 1;
    Tick();
    g.Lives = 0;
    g.GameOver();
    EXPECT_EQ(g.effects(), ui::Effects{});
}
