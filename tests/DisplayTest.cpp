// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixture.h"

namespace {

class DisplayTest : public GameTest {
protected:
    const ui::PictureRef& Digit(int d) { return fig.Num[d]->Picture(); }
    // A place shows a marker picture; only a redraw replaces it.
    void Mark(int place) { cfrm.Pto[place]->SetPicture(fig.Picture1[1]->Picture()); }
    bool Marked(int place) { return cfrm.Pto[place]->Picture() == fig.Picture1[1]->Picture(); }
};

} // namespace

TEST_F(DisplayTest, TheCapFillsTenPlacesAndLeavesTheEleventhBlank) {
    g.Score = 9999999999.0;
    g.ShowScore();
    for (int i = 0; i <= 9; ++i) {
        EXPECT_EQ(cfrm.Pto[i]->Picture(), Digit(9)) << i;
    }
    EXPECT_NE(cfrm.Pto[10]->Picture(), Digit(9));
    EXPECT_EQ(g.ScoreText, " 9999999999");
}

TEST_F(DisplayTest, OnlyThePlacesThatChangeAreRedrawn) {
    g.Score = 95;
    g.ShowScore();
    for (int i = 0; i <= 10; ++i) {
        Mark(i);
    }
    g.Score = 105;
    g.ShowScore();
    EXPECT_TRUE(Marked(0)) << "the units keep their 5";
    EXPECT_EQ(cfrm.Pto[1]->Picture(), Digit(0));
    EXPECT_EQ(cfrm.Pto[2]->Picture(), Digit(1));
    for (int i = 3; i <= 10; ++i) {
        EXPECT_TRUE(Marked(i)) << i;
    }
}

TEST_F(DisplayTest, AFallToZeroBlanksEveryPlaceThatShowedADigit) {
    g.Score = 4321;
    g.ShowScore();
    Mark(7);
    g.AddScore(0);
    EXPECT_EQ(cfrm.Pto[0]->Picture(), Digit(0));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(cfrm.Pto[i]->Picture(), Digit(10)) << i;
    }
    EXPECT_TRUE(Marked(7)) << "a blank place is not drawn again";
}

TEST_F(DisplayTest, ZeroLivesShowADigitAndABlankOrTwoZeros) {
    g.AddLives(-50);
    EXPECT_EQ(cfrm.Vidas[0]->Picture(), Digit(0));
    EXPECT_EQ(cfrm.Vidas[1]->Picture(), Digit(10));
    cfrm.MenuDisplay->onClick();
    EXPECT_EQ(cfrm.LabelVidas->Caption(), "00");
    EXPECT_TRUE(cfrm.LabelVidas->Visible());
    EXPECT_FALSE(cfrm.Vidas[0]->Visible());
    g.Level = 7;
    g.ShowLevel();
    EXPECT_EQ(cfrm.LabelFase->Caption(), "07");
}

TEST_F(DisplayTest, TheSimpleDisplayCentresTheScoreForGood) {
    EXPECT_EQ(cfrm.LabelPto->GetAlignment(), ui::Alignment::Right);
    cfrm.MenuDisplay->onClick();
    g.AddScore(1234);
    EXPECT_EQ(cfrm.LabelPto->Caption(), "00000001234");
    EXPECT_EQ(cfrm.LabelPto->GetAlignment(), ui::Alignment::Center);
    cfrm.MenuDisplay->onClick();
    EXPECT_EQ(cfrm.LabelPto->GetAlignment(), ui::Alignment::Center);
    EXPECT_FALSE(cfrm.LabelPto->Visible());
    EXPECT_EQ(cfrm.Pto[3]->Picture(), Digit(1)) << "the digits are drawn again on switching back";
    EXPECT_EQ(cfrm.MenuDisplay->Caption(), "Display &Simples");
}
