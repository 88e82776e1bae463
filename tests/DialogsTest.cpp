// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixture.h"

#include "game/NumberText.h"

namespace {

class DialogsTest : public GameTest {
protected:
    void StartLevel(std::optional<std::string> answer) {
        platform.scripted().answers = {std::move(answer)};
        g.Score = 777;
        g.Lives = 3;
        cfrm.MenuFase->onClick();
    }
};

} // namespace

TEST_F(DialogsTest, StartLevelAsksWithItsOwnWords) {
    StartLevel("5");
    ASSERT_TRUE(platform.scripted().lastInputBox.has_value());
    EXPECT_EQ(platform.scripted().lastInputBox->prompt, " Entre Com A Fase para iniciar o jogo:");
    EXPECT_EQ(platform.scripted().lastInputBox->title, "Fase:");
    EXPECT_EQ(platform.scripted().lastInputBox->defaultAnswer, "1");
    EXPECT_EQ(g.Level, 5);
    EXPECT_EQ(g.Score, 0);
    EXPECT_EQ(g.Lives, 50);
    EXPECT_DOUBLE_EQ(g.BeltSpeed, 0.6);
}

TEST_F(DialogsTest, NoNumberOrANumberBelowOneStartsAtLevelOne) {
    for (const char* answer : {"0", "-3", "fase dez", "  -0.4"}) {
        StartLevel(answer);
        EXPECT_EQ(g.Level, 1) << answer;
        EXPECT_EQ(g.Lives, 50);
    }
}

TEST_F(DialogsTest, LargeLevelsStartAtNinetyNine) {
    for (const char* answer : {"250", "99999999", "1e30"}) {
        StartLevel(answer);
        EXPECT_EQ(g.Level, 99) << answer;
    }
}

TEST_F(DialogsTest, CancelLeavesTheGameAsItWas) {
    StartLevel(std::nullopt);
    EXPECT_EQ(g.Score, 777);
    EXPECT_EQ(g.Lives, 3);
    EXPECT_EQ(g.Level, 1);
}

TEST_F(DialogsTest, CookSpeedTakesAPositiveNumberAndShowsTheLastOne) {
    platform.scripted().answers = {"75"};
    cfrm.MenuVel->onClick();
    EXPECT_EQ(platform.scripted().lastInputBox->prompt,
              " Entre Com A Velocidade do Dirovid:\r\n  O Valor Padrao e 150.");
    EXPECT_EQ(platform.scripted().lastInputBox->title, "Velocidade:");
    EXPECT_EQ(platform.scripted().lastInputBox->defaultAnswer, " 150");
    EXPECT_EQ(g.CookSpeed, 75);
    for (std::optional<std::string> answer :
         {std::optional<std::string>("0"), std::optional<std::string>("-20"),
          std::optional<std::string>(), std::optional<std::string>("rápido")}) {
        platform.scripted().answers = {answer};
        cfrm.MenuVel->onClick();
        EXPECT_EQ(g.CookSpeed, 75);
    }
    EXPECT_EQ(platform.scripted().lastInputBox->defaultAnswer, " 75");
    platform.scripted().answers = {"99999"};
    cfrm.MenuVel->onClick();
    EXPECT_EQ(g.CookSpeed, 32767) << "clamped to what the speed can hold";
}

TEST(ReadWholeNumber, ReadsTheNumberAtTheStartHalvesToEven) {
    EXPECT_EQ(game::ReadWholeNumber("  12abc"), 12);
    EXPECT_EQ(game::ReadWholeNumber("2.5"), 2);
    EXPECT_EQ(game::ReadWholeNumber("3.5"), 4);
    EXPECT_EQ(game::ReadWholeNumber("-2.5"), -2);
    EXPECT_EQ(game::ReadWholeNumber("1e2"), 100);
    EXPECT_EQ(game::ReadWholeNumber("1e"), 1);
    EXPECT_EQ(game::ReadWholeNumber("."), 0);
    EXPECT_EQ(game::ReadWholeNumber(""), 0);
    EXPECT_EQ(game::ReadWholeNumber("-99999"), -32768);
}
