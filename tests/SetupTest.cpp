// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixture.h"

TEST_F(GameTest, BeltSpeedDoublesEveryFourLevels) {
    const std::vector<std::pair<int, double>> speeds{
        {1, 0.3}, {4, 0.3}, {5, 0.6}, {8, 0.6}, {9, 1.2}, {13, 2.4}, {97, 0.3 * 16777216.0}};
    for (const auto& [level, speed] : speeds) {
        g.Level = static_cast<game::Integer>(level);
        g.SetupLevel();
        EXPECT_DOUBLE_EQ(g.BeltSpeed, speed) << "level " << level;
    }
}

TEST_F(GameTest, SetupPutsTheKitchenInItsStartState) {
    g.LowerRoom = game::True;
    cfrm.fundo->SetVisible(false);
    cfrm.forno[2]->SetTop(1890);
    cfrm.selec[1]->SetCaption("x");
    g.SetupLevel();

    EXPECT_EQ(g.RoundPhase, 0);
    EXPECT_EQ(g.LowerRoom, game::False);
    EXPECT_TRUE(cfrm.fundo->Visible());
    EXPECT_FALSE(cfrm.fundo2->Visible());
    EXPECT_TRUE(cfrm.Picture4->Visible());
    EXPECT_FALSE(cfrm.Picture2->Visible());
    EXPECT_FALSE(cfrm.eleme2->Visible());
    EXPECT_EQ(cfrm.eleme2->Left(), cfrm.Picture2->Left());
    EXPECT_EQ(cfrm.eleme2->Top(), cfrm.Picture2->Top());
    EXPECT_EQ(cfrm.children().back(), cfrm.Picture2) << "the counter lies in front";
    EXPECT_EQ(g.OrderDeck, "123123123123");
    EXPECT_EQ(g.BlinkLine(1), 0);
    EXPECT_EQ(g.BlinkPhase, game::True);
    for (int line = 1; line <= 3; ++line) {
        EXPECT_EQ(cfrm.selec[line - 1]->Caption(), "");
        EXPECT_EQ(cfrm.selec[line - 1]->BackColor(), 16777215u);
        EXPECT_TRUE(cfrm.selec[line - 1]->Enabled());
        EXPECT_EQ(g.OrderSlot(line, 1), 0);
        EXPECT_EQ(cfrm.forno[line]->Top(), cfrm.Lista->Top());
    }
    EXPECT_EQ(g.ItemState, 0);
    EXPECT_EQ(cfrm.eleme->Left(), cfrm.Picture1->Left());
    EXPECT_EQ(g.BeltOffset, -9800);
    EXPECT_EQ(g.BeltClock, 0);
    EXPECT_EQ(g.BeltNewest, 12);
    EXPECT_EQ(g.BeltOldest, 12);
    for (int k = 1; k <= 7; ++k) {
        EXPECT_EQ(g.SandestSlot(k, 1), k + 12);
        EXPECT_EQ(g.SandestSlot(k, 2), k * 480 + 9225);
        EXPECT_TRUE(cfrm.Sandest[k]->Visible());
        EXPECT_EQ(cfrm.Sandest[k]->Height(), 300);
        EXPECT_EQ(cfrm.Sandest[k]->Picture(), fig.Sanduba[0]->Picture());
    }
    for (int i = 1; i <= 12; ++i) {
        EXPECT_EQ(g.SandwichFilling(i), 1);
        EXPECT_EQ(g.SandwichPos(i), i * 480 + 3375);
    }
    EXPECT_TRUE(cfrm.pelmar->Visible());
    EXPECT_EQ(cfrm.pelmar->Picture(), fig.pelmar[2]->Picture());
    EXPECT_EQ(cfrm.Timer1->Interval(), 1);
    EXPECT_TRUE(cfrm.Timer1->Enabled());
}

TEST_F(GameTest, ControlsStartAsStored) {
    windows::Windows fresh;
    EXPECT_FALSE(fresh.cfrm.pelmar->Visible());
    for (int k = 1; k <= 7; ++k) {
        EXPECT_FALSE(fresh.cfrm.Sandest[k]->Visible());
    }
    EXPECT_EQ(fresh.cfrm.Timer1->Interval(), 0);
    EXPECT_EQ(fresh.cfrm.Pto[7]->Left() - fresh.cfrm.Pto[8]->Left(), 180);
    EXPECT_EQ(fresh.cfrm.fundo2->Width(), 5730);
    EXPECT_EQ(fresh.best.Text1->Text(), "Vencedor");
    EXPECT_EQ(fresh.best.Lugar[0]->Caption(), "1º");
    EXPECT_EQ(fresh.best.Nome[5]->Top(), 600 + 240 * 5);
    EXPECT_EQ(fresh.sobr.Label1->Caption(), PELMAR_VERSION);
    EXPECT_EQ(fresh.cfrm.MenuNovo->shortcut, "F2");
    std::vector<std::string> options;
    for (const ui::Control* item : fresh.cfrm.MenuOpcoes->children()) {
        options.push_back(item->Caption());
    }
    EXPECT_EQ(options,
              (std::vector<std::string>{"Jogo &Novo", "Fase ...", "Display Simples", "&Minimizar",
                                        "Vel. Dirovid ...", "S&om", "-", "Sai&r"}));
    EXPECT_TRUE(fresh.cfrm.MenuSom->Checked()) << "the sound starts on";
    // A cook seen from the side with a load is wider: he holds it out.
    EXPECT_EQ(fresh.fig.pelmar[13]->Width(), 675);
    EXPECT_EQ(fresh.fig.pelmar[12]->Width(), 465);
    EXPECT_EQ(fresh.fig.pelmar[0]->Width(), 465);
}
