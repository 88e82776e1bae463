// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixture.h"

namespace {

class ItemsTest : public GameTest {
protected:
    int CookTop() const { return cfrm.pelmar->Top(); }
};

} // namespace

TEST_F(ItemsTest, TheFirstItemGetsNoTokenTestAndNoHelpingDraw) {
    g.OrderSlot(1, 1) = 1; // a bare sandwich equals this order
    platform.scripted().queuedDraws = {0.5, 0.0};
    g.DispenseIngredient();
    EXPECT_EQ(g.ItemKind, 1);
    EXPECT_EQ(platform.scripted().drawsTaken, 2) << "the reseed's draw and the kind";
    EXPECT_EQ(g.LastItemNotToken, game::True);
    EXPECT_EQ(g.ItemState, 1);
    EXPECT_EQ(cfrm.eleme->Left(), 4815);
    EXPECT_EQ(cfrm.eleme->Top(), 1590 + 100);
    EXPECT_EQ(cfrm.eleme->Width(), 29 * 15) << "the item box takes its picture's size";
}

TEST_F(ItemsTest, TheTakeTokenNeverComesTwiceInARow) {
    g.OrderSlot(1, 1) = 1;
    std::vector<int> kinds;
    for (int i = 0; i < 6; ++i) {
        g.ItemState = 0;
        g.DispenseIngredient();
        kinds.push_back(g.ItemKind);
    }
    EXPECT_NE(kinds[0], 5);
    for (std::size_t i = 1; i < kinds.size(); ++i) {
        EXPECT_EQ(kinds[i] == 5, kinds[i - 1] != 5) << "item " << i;
    }
    EXPECT_EQ(cfrm.eleme->Top(), 1590 + 4 * 480 + 100) << "the token leaves from the bottom band";
}

TEST_F(ItemsTest, TheHelpingDrawPicksTheHighestIngredientLineOneStillNeeds) {
    g.LastItemNotToken = game::True;
    g.OrderSlot(1, 1) = 1 + 2 + 8; // ingredients 1 and 3
    platform.scripted().queuedDraws = {0.5, 0.0, 0.1};
    g.DispenseIngredient();
    EXPECT_EQ(g.ItemKind, 3);

    g.ItemState = 0;
    g.SandwichFilling(12) = 1 + 8;
    platform.scripted().queuedDraws = {0.5, 0.6, 0.1};
    g.DispenseIngredient();
    EXPECT_EQ(g.ItemKind, 1) << "3 is on, 1 is missing";

    g.ItemState = 0;
    platform.scripted().queuedDraws = {0.5, 0.6, 0.3};
    g.DispenseIngredient();
    EXPECT_EQ(g.ItemKind, 3) << "four chances in five of no help: the drawn kind stays";
}

TEST_F(ItemsTest, NoNewItemWhileTheCookIsDownstairsButAFlyingOneGoesOn) {
    g.LowerRoom = game::True;
    g.DispenseIngredient();
    EXPECT_EQ(g.ItemState, 0);
    Flying(2, 3000, 2000);
    g.ItemClock = platform.WallClock();
    g.ItemLeft = 3000;
    g.DropStep = 60;
    platform.MoveClock(100);
    g.DispenseIngredient();
    EXPECT_EQ(cfrm.eleme->Left(), 2400);
}

TEST_F(ItemsTest, AnItemReachingTheBeltBreaksAndCostsALife) {
    Flying(3, 1000, 2000);
    g.ItemClock = platform.WallClock();
    g.ItemLeft = 1000;
    platform.MoveClock(5);
    g.DispenseIngredient();
    EXPECT_EQ(g.ItemState, 1) << "still in the air";
    EXPECT_TRUE(Heard().empty());
    const int left = cfrm.eleme->Left();
    platform.MoveClock(2);
    g.DispenseIngredient();
    EXPECT_EQ(g.ItemState, 0);
    EXPECT_EQ(g.Lives, 49);
    EXPECT_EQ(Heard(), std::vector<std::string>{"drop"});
    EXPECT_EQ(cfrm.eleme->Picture(), fig.Picture1[13]->Picture());
    EXPECT_EQ(cfrm.eleme->Left(), left) << "the broken item stays where it was";
}

TEST_F(ItemsTest, TheTwoHundredSeventeenTwipRule) {
    Flying(1, 2685 + 100, CookTop() + 217);
    g.CatchIngredient();
    EXPECT_EQ(g.ItemState, 0);
    EXPECT_EQ(g.Lives, 49);

    Flying(1, 2685 + 100, CookTop() + 218);
    g.CatchIngredient();
    EXPECT_EQ(g.ItemState, 2);
    EXPECT_EQ(g.CookLoad, 2);
    EXPECT_EQ(g.CookPose, 22);
    EXPECT_EQ(cfrm.eleme->Left(), cfrm.Picture1->Left());
}

TEST_F(ItemsTest, TouchingEdgesCountAsMeeting) {
    Flying(2, 2685 + 465, CookTop() + 300);
    g.CatchIngredient();
    EXPECT_EQ(g.ItemState, 2);

    g.CookLoad = 0;
    g.ShowCookFrame();
    Flying(2, 2685 + 466, CookTop() + 300);
    g.CatchIngredient();
    EXPECT_EQ(g.ItemState, 1) << "one twip apart they do not meet";
}

TEST_F(ItemsTest, TheActionKeyKicksTheItemBack) {
    g.ActionKey = game::True;
    g.DropStep = 60;
    Flying(4, 2685 + 300, CookTop() + 300);
    g.CatchIngredient();
    EXPECT_EQ(g.ItemState, 1);
    EXPECT_EQ(g.Lives, 50);
    EXPECT_EQ(g.CookPose, 3);
    EXPECT_EQ(g.DropStep, -60);
    EXPECT_EQ(g.ItemLeft, 2685 + 300);
    platform.MoveClock(10);
    g.DispenseIngredient();
    EXPECT_EQ(cfrm.eleme->Left(), 2685 + 300 + 600) << "back ten times as fast";
    platform.MoveClock(100);
    g.DispenseIngredient();
    EXPECT_EQ(g.ItemState, 0) << "back in the dispenser, without a penalty";
    EXPECT_EQ(g.Lives, 50);
    g.DispenseIngredient();
    EXPECT_EQ(g.DropStep, 60) << "the next item flies left again";
}

TEST_F(ItemsTest, FacingLeftTheItemMustComeFromTheLeft) {
    g.CookPose = 1;
    g.ActionKey = game::True;
    Flying(1, 2685, CookTop() + 300);
    g.CatchIngredient();
    EXPECT_EQ(g.ItemState, 0) << "from his right side the item is lost, even kicking";
    EXPECT_EQ(g.Lives, 49);
    Flying(1, 2684, CookTop() + 300);
    g.CatchIngredient();
    EXPECT_EQ(g.ItemState, 2);
}
