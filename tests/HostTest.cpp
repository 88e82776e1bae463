// SPDX-License-Identifier: GPL-3.0-or-later
// The host as the real front ends run it: a clock of their own, wake-ups,
// input between ticks, and every session recorded and played back.
#include "Fixture.h"

#include "host/Host.h"
#include "host/Question.h"
#include "host/Script.h"
#include "ui/KeyCodes.h"

#include <sstream>

namespace {

constexpr std::int64_t Ms = 1'000'000;

// A front end whose clock the test moves, and which notes the wake-up the
// host asks for.
class FakeFrontEnd : public sim::ScriptedFrontEnd {
public:
    std::int64_t now = 0;
    int wakeIn = -1;
    std::vector<std::string> records;
    std::vector<std::string> failures;
    std::int64_t Nanoseconds() override { return now; }
    void ReplayFailed(const std::string& message) override { failures.push_back(message); }
    void WakeIn(int milliseconds) override { wakeIn = milliseconds; }
    void KeepRecord(std::optional<double>, const std::string& script) override {
        records.push_back(script);
    }
};

class HostTest : public ::testing::Test {
protected:
    TempDir dir;
    FakeFrontEnd frontEnd;
    host::Host host{frontEnd};
    game::Game& g = host.game();
    windows::Cfrm& cfrm = host.windows().cfrm;

    void SetUp() override {
        frontEnd.UseFolders({dir.path(), (dir.path() / "data").string()});
        host.SetWallClock(4000000);
        host.Seed(1234);
        host.recorder().on = true;
        host.Start();
    }
    // Real time passes, then the host wakes.
    void After(std::int64_t milliseconds) {
        frontEnd.now += milliseconds * Ms;
        host.Wake();
    }
    // Frames of 16 ms for `milliseconds`.
    void Play(int milliseconds) {
        for (int t = 0; t < milliseconds; t += 16) {
            After(16);
        }
    }
};

TEST_F(HostTest, TimeMovesInWholeTicksAndAStallIsSkipped) {
    EXPECT_EQ(frontEnd.wakeIn, 0) << "a running game wakes every frame";
    After(16);
    EXPECT_DOUBLE_EQ(g.platform().Clock(), 4000001.6);
    frontEnd.now += Ms / 2;
    After(16);
    EXPECT_DOUBLE_EQ(g.platform().Clock(), 4000003.2) << "half a tick is owed, not lost";
    After(1);
    EXPECT_DOUBLE_EQ(g.platform().Clock(), 4000003.3);

    // Stopped for 10 s: the program goes on where it stood.
    const double belt = g.BeltOffset;
    const int lives = g.Lives;
    const double item = g.ItemLeft;
    After(10'000);
    EXPECT_DOUBLE_EQ(g.platform().Clock(), 4000003.3);
    EXPECT_EQ(g.BeltOffset, belt);
    EXPECT_EQ(g.Lives, lives);
    EXPECT_EQ(g.ItemLeft, item);
    After(16);
    EXPECT_DOUBLE_EQ(g.platform().Clock(), 4000004.9);

    // Paused, nothing wakes the program and the time stands still.
    host.SetPausedByPlayer(true);
    EXPECT_EQ(frontEnd.wakeIn, -1);
    After(300);
    EXPECT_DOUBLE_EQ(g.platform().Clock(), 4000004.9);
    host.SetPausedByPlayer(false);
    After(16);
    EXPECT_DOUBLE_EQ(g.platform().Clock(), 4000006.5) << "the pause is not owed";

    // Minimised, the game goes on in batches.
    host.SetWindowState(cfrm, 1);
    EXPECT_EQ(frontEnd.wakeIn, 125);
}

TEST_F(HostTest, InputComesBetweenTheTicksOfItsTime) {
    After(16);
    // Pressed 5 ms after the last wake-up: the five ticks before it run first.
    frontEnd.now += 5 * Ms;
    host.KeyDown(ui::keys::Right);
    EXPECT_DOUBLE_EQ(g.platform().Clock(), 4000002.1);
    EXPECT_EQ(g.KeyStart(2), -1) << "pressed, not walking yet";
    Play(200);
    const int walked = cfrm.pelmar->Left();

    // An auto-repeat's release, taken back by the press that follows it.
    host.KeyUp(ui::keys::Right);
    frontEnd.now += 3 * Ms;
    host.KeyDown(ui::keys::Right, {}, true);
    After(30);
    EXPECT_NE(g.KeyStart(2), 0) << "still walking";
    EXPECT_GT(cfrm.pelmar->Left(), walked);

    // A real release: the walk stops at the tick of the release, not of the
    // wake-up that found it.
    host.KeyUp(ui::keys::Right);
    const double releasedAt = g.platform().Clock() + 1.5;
    After(40);
    EXPECT_EQ(g.KeyStart(2), 0);
    EXPECT_NEAR(host.tickClock(), g.platform().Clock(), 0.05);
    EXPECT_LE(releasedAt, g.platform().Clock());

    // The window system's word that a key is still down is taken.
    host.KeyDown(ui::keys::Left);
    host.KeyUp(ui::keys::Left, true);
    After(40);
    EXPECT_NE(g.KeyStart(1), 0);

    // A direction pressed during the pause and still held walks on resume.
    host.TogglePause();
    host.KeyDown(ui::keys::Up);
    After(40);
    EXPECT_EQ(g.KeyStart(3), 0) << "the paused game takes no keys";
    host.TogglePause();
    EXPECT_NE(g.KeyStart(3), 0) << "held across the resume";
    EXPECT_NE(g.KeyStart(1), 0);

    // F1 asks for the help page, as "Como jogar..." does; Ctrl+Q quits as "Sair".
    // Their menu entries show those keys, and "Jogo Novo" the key it has.
    EXPECT_EQ(host.ShortcutOf(*cfrm.MenuAjuda), "F1");
    EXPECT_EQ(host.ShortcutOf(*cfrm.MenuSair), "Ctrl+Q");
    EXPECT_EQ(host.ShortcutOf(*cfrm.MenuNovo), cfrm.MenuNovo->shortcut);
    EXPECT_EQ(host.ShortcutOf(*cfrm.MenuFase), "");
    EXPECT_EQ(host.bindings().KeysOf(host::Action::ZoomIn), "Ctrl++");
    EXPECT_EQ(host.bindings().KeysOf(host::Action::WalkLeft), "") << "no menu names an arrow";
    // A screen reader is told the counters by name, the score in whole points.
    g.Score = 1234.5;
    g.Level = 3;
    g.Lives = 7;
    const std::vector<std::pair<std::string, std::string>> told{
        {"Pontos", "1234"}, {"Fase", "3"}, {"Vidas", "7"}};
    EXPECT_EQ(host.Status(), told);
    host.KeyDown(ui::keys::F1);
    EXPECT_EQ(host.scripted().helpOpened, 1);
    host.KeyDown('Q', {.ctrl = true});
    EXPECT_TRUE(host.Ended());
}

TEST_F(HostTest, TimersFireAtTheirIntervals) {
    // The count-down of the lives at the end of a level: a life a tenth of
    // a second. Woken every millisecond, each loss is seen at its tick.
    g.Lives = 20;
    g.RoundPhase = -1;
    std::vector<double> lifeGoes;
    int lives = g.Lives;
    for (int i = 0; i < 5000 && g.RoundPhase != 2; ++i) {
        After(1);
        if (g.Lives < lives) {
            lifeGoes.push_back(host.tickClock());
        }
        lives = g.Lives;
    }
    ASSERT_EQ(lifeGoes.size(), 20u);
    for (std::size_t i = 1; i < lifeGoes.size(); ++i) {
        EXPECT_NEAR(lifeGoes[i] - lifeGoes[i - 1], 10, 0.01) << "life " << i;
    }

    // The simulator's play runs the same ticks.
    sim::Simulator sim;
    std::ostringstream out;
    for (const char* line : {"set Lives 20", "set RoundPhase -1"}) {
        sim.Execute(line, out);
    }
    const double start = sim.platform.Clock();
    int simLives = 20;
    std::vector<double> simGoes;
    for (int i = 0; i < 10000 && sim.game.RoundPhase != 2; ++i) {
        sim.Execute("play 0.1", out);
        if (sim.game.Lives < simLives) {
            simGoes.push_back(sim.platform.Clock() - start);
        }
        simLives = sim.game.Lives;
    }
    ASSERT_EQ(simGoes.size(), 20u);
    EXPECT_NEAR(simGoes.back() - simGoes.front(), lifeGoes.back() - lifeGoes.front(), 0.01);
}

// The dump without what only a front end keeps (the sounds asked for).
std::string GameState(host::Host& h) {
    h.scripted().keepSounds = false;
    return h.Dump(false, {});
}

// Where two states first differ, for a short failure message.
std::string FirstDifference(const std::string& a, const std::string& b) {
    std::size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) {
        ++at;
    }
    const std::size_t from = at > 80 ? at - 80 : 0;
    return a.substr(from, 160) + "\n  vs\n" + b.substr(from, 160);
}

TEST_F(HostTest, ARecordPlaysTheSessionAgainToTheTick) {
    Play(500);
    host.KeyDown(ui::keys::Right);
    Play(700);
    frontEnd.now += 3 * Ms;
    host.KeyUp(ui::keys::Right);
    Play(300);
    host.KeyDown(ui::keys::Space);
    After(5);
    host.KeyUp(ui::keys::Space);
    Play(2000);
    host.scripted().answers.push_back("3"); // what the player types into "Fase ..."
    host.Click(*cfrm.MenuFase);
    Play(1500);
    host.KeyDown('M');
    host.SetPausedByPlayer(true);
    After(200);
    host.SetPausedByPlayer(false);
    host.KeyDown(ui::keys::Up);
    Play(900);
    ASSERT_EQ(g.Level, 3);

    const std::string record = host.recorder().Script();
    EXPECT_NE(record.find("begin 4000000 1234"), std::string::npos) << record;
    EXPECT_NE(record.find("answer 3\nmenu MenuFase"), std::string::npos) << record;

    // Played by the simulator as a record: the same state.
    std::istringstream in(record);
    host::ScriptStart start = host::ReadScriptStart(in);
    ASSERT_TRUE(start.beginning);
    std::ostringstream rest;
    rest << in.rdbuf();
    sim::Simulator replayed(*start.beginning, start.files);
    std::istringstream script(rest.str());
    std::ostringstream out, err;
    ASSERT_EQ(replayed.Run(script, out, err), 0) << err.str();
    const std::string real = GameState(host);
    const std::string simulated = GameState(replayed.platform);
    EXPECT_TRUE(simulated == real) << FirstDifference(simulated, real);

    // And by the host itself in real time, the player's input ignored.
    FakeFrontEnd again;
    again.UseFolders({dir.path(), (dir.path() / "data").string()});
    host::Host player(again);
    ASSERT_TRUE(player.Replay(record));
    player.KeyDown(ui::keys::Left);
    for (int i = 0; i < 10000 && !player.replayDone(); ++i) {
        again.now += 16 * Ms;
        player.Wake();
    }
    const std::string replayedLive = GameState(player);
    EXPECT_TRUE(replayedLive == real) << FirstDifference(replayedLive, real);
    EXPECT_FALSE(player.Replay("keydown 37\n")) << "not a record";
}

TEST_F(HostTest, AGameThatEntersTheTableAndTheLastOneAreKept) {
    g.Score = 500;
    g.Lives = 0;
    Play(50);
    ASSERT_TRUE(host.windows().best.Visible()) << "game over";
    host.Type(*host.windows().best.Text1, "Ana");
    host.scripted().yesNo.push_back(false);
    host.Click(*host.windows().best.Command1);
    ASSERT_TRUE(host.Ended());
    ASSERT_EQ(frontEnd.records.size(), 2u) << "the table's game, then the last";
    EXPECT_NE(frontEnd.records[0].find(
                  "text BestForm.Text1 Ana\nread pelmar.Dat -\nno\nclick BestForm.Command1"),
              std::string::npos)
        << frontEnd.records[0];
}

TEST_F(HostTest, AQuestionATickAsksIsAnsweredInTheRecordBeforeThatTick) {
    // Level 99 ends the game at once with no score to enter: the game over
    // asks at once whether to play again.
    host.scripted().answers.push_back("99");
    host.Click(*cfrm.MenuFase);
    host.scripted().yesNo.push_back(false);
    for (int i = 0; i < 1000 && !host.Ended(); ++i) {
        After(16);
    }
    ASSERT_TRUE(host.Ended());
    ASSERT_EQ(g.Score, 0);
    const std::string record = frontEnd.records.back();
    std::istringstream in(record);
    host::ScriptStart start = host::ReadScriptStart(in);
    ASSERT_TRUE(start.beginning);
    sim::Simulator replayed(*start.beginning, start.files);
    std::ostringstream out, err;
    EXPECT_EQ(replayed.Run(in, out, err), 0) << err.str();
    EXPECT_TRUE(replayed.platform.Ended()) << record << out.str();
    EXPECT_TRUE(replayed.platform.scripted().yesNo.empty()) << "no answer left over";
}

TEST_F(HostTest, AHostileRecordEndsWithItsLineOrPlaysOnAFrameAtATime) {
    for (const std::string bad :
         {"play abc", "play ", "play 1e999", "play nan", "play inf", "play 1e20", "play -1",
          "timer 864000001", "clock 1e79", "advance 864000000", "clock -1"}) {
        FakeFrontEnd again;
        host::Host player(again);
        ASSERT_TRUE(player.Replay("begin 4000000 1\r\nplay 1\r\n" + bad + "\nkeydown 37\n"));
        for (int i = 0; i < 5; ++i) {
            again.now += 16 * Ms;
            player.Wake();
        }
        ASSERT_EQ(again.failures.size(), 1u) << bad;
        EXPECT_EQ(again.failures[0].rfind("line 3: ", 0), 0u) << again.failures[0];
        EXPECT_TRUE(player.replayDone());
    }
    // A day of firings, three times over: each wake-up does a bounded part.
    FakeFrontEnd again;
    host::Host player(again);
    ASSERT_TRUE(player.Replay("begin 4000000 1\ntimer 86400000\ntimer 86400000\ntimer 86400000\n"));
    again.now += 16 * Ms;
    player.Wake();
    EXPECT_FALSE(player.replayDone());
    EXPECT_TRUE(again.failures.empty());
    // Escaped as a message may show it, cut short.
    EXPECT_EQ(host::Printable("\x1b]0;PWNED\x07\xff\xc3\xa9"), "\\x1b]0;PWNED\\x07\\xff\xc3\xa9");
    EXPECT_EQ(host::Printable(std::string(500, 'a')), std::string(80, 'a') + "...");
}

} // namespace

namespace {
// A front end whose dialogs take a while: the game runs behind them, as in
// a real window's nested event loop.
class SlowDialogs : public FakeFrontEnd {
public:
    host::Host* host = nullptr;
    std::deque<std::string> typed;
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        Behind();
        const std::string answer = typed.front();
        typed.pop_front();
        return answer;
    }
    bool AskYesNo(const std::string&, const std::string&) override {
        Behind();
        return true;
    }
    void Behind() {
        for (int i = 0; i < 20; ++i) {
            now += 16 * Ms + 300'000;
            host->Wake();
        }
    }
};
} // namespace

TEST(HostDialogs, TheGameRunsBehindADialogInItsRecordToo) {
    TempDir dir;
    SlowDialogs frontEnd;
    host::Host host(frontEnd);
    frontEnd.host = &host;
    frontEnd.UseFolders({dir.path(), (dir.path() / "data").string()});
    host.SetWallClock(4000000);
    host.Seed(77);
    host.recorder().on = true;
    host.Start();
    auto play = [&](int ms) {
        for (int t = 0; t < ms; t += 16) {
            frontEnd.now += 16 * Ms + 300'000;
            host.Wake();
        }
    };
    play(500);
    frontEnd.typed.push_back("99");
    host.Click(*host.windows().cfrm.MenuFase);
    play(3000);
    frontEnd.typed.push_back("13");
    host.Click(*host.windows().cfrm.MenuFase);
    play(3000);
    host.KeyDown(ui::keys::Right);
    play(1000);
    host.LostFocus(host.windows().cfrm);
    play(500);
    const std::string record = host.recorder().Script();
    ASSERT_NE(record.find("behind "), std::string::npos) << record;
    std::istringstream in(record);
    host::ScriptStart start = host::ReadScriptStart(in);
    sim::Simulator replayed(*start.beginning, start.files);
    std::ostringstream out, err;
    EXPECT_EQ(replayed.Run(in, out, err), 0) << err.str();
    const std::string real = GameState(host);
    const std::string simulated = GameState(replayed.platform);
    EXPECT_TRUE(simulated == real) << FirstDifference(simulated, real) << record;
}

TEST(QuestionKeys, AKeyHeldOrPressedByReflexNeverAnswers) {
    using Verdict = host::QuestionKeys::Verdict;
    host::QuestionKeys keys(0);
    // Space was down as the question came: its press is not seen, its
    // auto-repeat is, for two seconds.
    EXPECT_EQ(keys.KeyDown(ui::keys::Enter, false, 100), Verdict::Ignore) << "too soon";
    keys.KeyUp(ui::keys::Enter);
    EXPECT_EQ(keys.KeyDown(ui::keys::Enter, false, 700), Verdict::Ignore) << "too soon again";
    keys.KeyUp(ui::keys::Enter);
    for (std::int64_t t = 500; t <= 2000; t += 40) {
        ASSERT_EQ(keys.KeyDown(ui::keys::Space, true, t), Verdict::Ignore) << t;
    }
    EXPECT_EQ(keys.KeyDown(ui::keys::Space, false, 2040), Verdict::Ignore)
        << "a repeat a busy window system took for a press, the key never let go";
    keys.KeyUp(ui::keys::Space);
    EXPECT_EQ(keys.KeyDown(ui::keys::Enter, false, 2700), Verdict::Ignore)
        << "deaf until a while after the held key's last repeat";
    keys.KeyUp(ui::keys::Enter);
    EXPECT_EQ(keys.KeyDown(ui::keys::Escape, false, 2800), Verdict::Ignore);
    EXPECT_EQ(keys.KeyDown(ui::keys::Right, false, 4300), Verdict::ChooseNo);
    EXPECT_EQ(keys.KeyDown(ui::keys::Right, true, 4800), Verdict::Ignore) << "a taken key held";
    keys.KeyUp(ui::keys::Right);
    EXPECT_EQ(keys.KeyDown(ui::keys::Left, false, 4850), Verdict::ChooseYes)
        << "a held taken key makes it deaf no more";
    EXPECT_EQ(keys.KeyDown('S', false, 4900), Verdict::Pass) << "access keys are the front end's";
    EXPECT_EQ(keys.KeyDown(ui::keys::Enter, false, 5000), Verdict::Answer);
    // The browser's page applies the rule from this line.
    EXPECT_EQ(host::QuestionKeys::Described(), "750 37:1 38:1 39:2 40:2 13:3 32:3 27:0");
}
