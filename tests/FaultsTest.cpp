// SPDX-License-Identifier: GPL-3.0-or-later
// Faults found playing the game: each scenario failed before its fix.
#include "Fixture.h"

#include "game/Dump.h"
#include "game/NumberText.h"
#include "ui/NumberText.h"

#include <clocale>
#include <sstream>
#include <utility>

namespace {

// The C locale set to Portuguese for one test, as Qt sets it from the desktop.
class PortugueseLocale {
public:
    PortugueseLocale() : old_(std::setlocale(LC_ALL, nullptr)) {
        set_ = std::setlocale(LC_ALL, "pt_BR.UTF-8") != nullptr;
    }
    ~PortugueseLocale() { std::setlocale(LC_ALL, old_.c_str()); }
    bool set() const { return set_; }

private:
    std::string old_;
    bool set_ = false;
};

std::string Script(sim::Simulator& s, const std::string& lines, int* status = nullptr) {
    std::istringstream in(lines);
    std::ostringstream out, err;
    const int result = s.Run(in, out, err);
    if (status != nullptr) {
        *status = result;
    }
    return out.str();
}

} // namespace

TEST(Faults, NumbersReadAndWriteTheSameUnderAPortugueseDesktop) {
    PortugueseLocale portuguese;
    ASSERT_TRUE(portuguese.set()) << "the pt_BR.UTF-8 locale is missing: run scripts/deps.sh test";
    EXPECT_DOUBLE_EQ(ui::LeadingNumber("2.7"), 2.7);
    EXPECT_DOUBLE_EQ(ui::LeadingNumber(" -1.5e2x"), -150);
    EXPECT_EQ(game::ReadWholeNumber("2.7"), 3);
    EXPECT_EQ(game::JsonNumber(0.3), "0.29999999999999999");
    EXPECT_EQ(game::JsonNumber(-2.5), "-2.5");
    sim::Simulator s;
    EXPECT_EQ(Script(s, "set BeltSpeed 0.25\nget BeltSpeed\n"), "{\"BeltSpeed\": 0.25}\n");
    s.platform.scripted().answers = {"2.7"};
    s.windows.cfrm.MenuFase->onClick();
    EXPECT_EQ(s.game.Level, 3);
    EXPECT_NE(s.Dump().find("\"BeltSpeed\":0.29999999999999999"), std::string::npos);
}

TEST_F(GameTest, TheCountDownAtTheScoreCapEndsAndGivesTheLivesBack) {
    g.Score = 9999999995;
    g.Lives = 5;
    g.BeltOldest = 0;
    g.ItemState = 0;
    int ticks = 0;
    Ticks(2);
    ASSERT_EQ(g.RoundPhase, 1);
    while (g.RoundPhase == 1 && ticks < 1000) {
        Tick();
        ++ticks;
    }
    EXPECT_LT(ticks, 30) << "the count-down did not end";
    EXPECT_EQ(g.RoundPhase, 2);
    EXPECT_EQ(g.Lives, 5);
    EXPECT_EQ(g.Score, 9999999999);
}

// A front end whose Yes/No question lets the main window repaint while it
// is open, as the desktop's event loop does.
class RepaintingFrontEnd : public sim::ScriptedFrontEnd {
public:
    windows::Cfrm* window = nullptr;
    bool AskYesNo(const std::string& prompt, const std::string& title) override {
        if (window != nullptr) {
            std::exchange(window, nullptr)->Form_Paint();
        }
        return ScriptedFrontEnd::AskYesNo(prompt, title);
    }
};

TEST(Faults, AGameOverWhileMinimisedAsksToPlayAgainOnceWhateverRepaints) {
    TempDir dir;
    RepaintingFrontEnd frontEnd;
    frontEnd.UseFolders({dir.path(), (dir.path() / "data").string()});
    host::Host platform(frontEnd);
    windows::Windows& windows = platform.windows();
    game::Game& g = platform.game();
    platform.Start();
    frontEnd.window = &windows.cfrm;
    g.Lives = 0;
    windows.cfrm.SetWindowState(1);
    windows.cfrm.Timer1_Timer();
    ASSERT_EQ(g.GameOverPending, game::True);
    windows.cfrm.SetWindowState(0);
    windows.cfrm.Form_Paint();
    EXPECT_EQ(platform.scripted().questionsAsked, 1);
    EXPECT_TRUE(windows.cfrm.Enabled()) << "Yes started a new game";
    EXPECT_EQ(g.Lives, 50);
}

TEST(Faults, TheSimulatorKeepsItsOutputWholeAndReadsEveryTopLevelName) {
    sim::Simulator s;
    int status = 0;
    EXPECT_EQ(Script(s, "get Nope\n", &status), "");
    EXPECT_EQ(status, 2);
    EXPECT_EQ(Script(s, "get Clock\nget HelpOpened\nget LastInputBox\n"),
              "{\"Clock\": 3600000}\n{\"HelpOpened\": 0}\n{\"LastInputBox\": null}\n");
    EXPECT_EQ(Script(s, "run 7 5\nget Clock\n"), "{\"Clock\": 3600007}\n");
    EXPECT_EQ(Script(s, "set OrderDeck\nget OrderDeck\n"), "{\"OrderDeck\": \"\"}\n");
    Script(s, "get BestForm\n", &status);
    EXPECT_EQ(status, 0);
}
