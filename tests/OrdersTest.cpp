// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixture.h"

#include <map>

TEST_F(GameTest, EachLevelHandsOutTwelveOrdersFourPerOven) {
    std::map<int, int> ovens;
    for (int i = 0; i < 12; ++i) {
        g.NewOrder();
        ++ovens[g.OrderSlot(3, 2)];
    }
    EXPECT_EQ(ovens, (std::map<int, int>{{1, 4}, {2, 4}, {3, 4}}));
    EXPECT_EQ(g.OrderDeck, "");
    const std::string caption = cfrm.selec[2]->Caption();
    g.NewOrder();
    EXPECT_EQ(cfrm.selec[2]->Caption(), caption) << "no thirteenth order";
}

TEST_F(GameTest, LevelOneOrdersAreBreadOrOneIngredient) {
    int breadOnly = 0, one = 0;
    const int orders = 4000;
    for (int i = 0; i < orders; ++i) {
        platform.MoveClock(7);
        g.OrderSlot(3, 1) = 0;
        g.OrderDeck = "1";
        g.NewOrder();
        const int wanted = g.OrderSlot(3, 1);
        ASSERT_EQ(wanted & 1, 1);
        const int ingredients = __builtin_popcount(static_cast<unsigned>(wanted >> 1));
        ASSERT_LE(ingredients, 1);
        (ingredients == 0 ? breadOnly : one)++;
    }
    EXPECT_NEAR(breadOnly / double(orders), 0.25, 0.03);
    EXPECT_NEAR(one / double(orders), 0.75, 0.03);
}

TEST_F(GameTest, LevelFourCanAskForAllFourOnlyWhenTheFirstDrawSaysSo) {
    g.Level = 4;
    int all = 0;
    for (int i = 0; i < 2000; ++i) {
        platform.MoveClock(3);
        g.OrderSlot(3, 1) = 0;
        g.OrderDeck = "1";
        g.NewOrder();
        all += g.OrderSlot(3, 1) == 31;
    }
    EXPECT_GT(all, 0);
    // A first draw of 0 (e false) caps the count at three.
    g.OrderSlot(3, 1) = 0;
    g.OrderDeck = "1";
    platform.scripted().queuedDraws = {0.5, 0.0, 0.99, 0.1, 0.1, 0.1, 0.1};
    g.NewOrder();
    EXPECT_EQ(__builtin_popcount(static_cast<unsigned>(g.OrderSlot(3, 1) >> 1)), 3);
}

TEST_F(GameTest, CaptionTicksStandUnderTheWantedIngredients) {
    g.Level = 4;
    // reseed, e true, two ingredients, ingredient 1, then 4 of "234", oven 1.
    platform.scripted().queuedDraws = {0.5, 0.5, 0.3, 0.0, 0.9, 0.0};
    g.NewOrder();
    EXPECT_EQ(g.OrderSlot(3, 1), 1 + 2 + 16);
    const std::string s12(12, ' '), s14(14, ' ');
    EXPECT_EQ(cfrm.selec[2]->Caption(), "    " + s12 + "V" + s14 + s14 + s12 + "V" + s14);
    EXPECT_EQ(g.OrderSlot(3, 2), 1);
    EXPECT_EQ(cfrm.selec[2]->BackColor(), 65280u);
    EXPECT_EQ(g.OrderDeck, "23123123123");
}

TEST_F(GameTest, OrdersFillTheLinesFromTheBottomAtTheStart) {
    Tick();
    EXPECT_EQ(g.OrderSlot(1, 1), 0);
    EXPECT_NE(g.OrderSlot(3, 1), 0);
    Tick();
    Tick();
    for (int line = 1; line <= 3; ++line) {
        EXPECT_NE(g.OrderSlot(line, 1), 0);
        EXPECT_NE(cfrm.selec[line - 1]->BackColor(), 16777215u);
    }
    EXPECT_EQ(g.OrderDeck.size(), 9u);
    const std::string third = cfrm.selec[2]->Caption();
    const int thirdOrder = g.OrderSlot(3, 1);
    g.RemoveOrder(2);
    EXPECT_EQ(g.OrderSlot(2, 1), thirdOrder);
    EXPECT_EQ(cfrm.selec[1]->Caption(), third);
    EXPECT_EQ(g.OrderSlot(3, 1), 0);
    EXPECT_EQ(cfrm.selec[2]->Caption(), "");
    EXPECT_EQ(cfrm.selec[2]->BackColor(), 16777215u);
}

TEST_F(GameTest, TheSelectedLineBlinksBetweenStrongAndPale) {
    Ticks(3);
    g.BlinkLine(1) = 2;
    g.BlinkLine(2) = 3;
    Tick();
    EXPECT_EQ(cfrm.selec[1]->BackColor(), 16765136u);
    Tick();
    EXPECT_EQ(cfrm.selec[1]->BackColor(), 16711680u);
}
