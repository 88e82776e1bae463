// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/Dump.h"
#include "game/Game.h"
#include "host/Input.h"
#include "host/Recorder.h"
#include "host/Scripted.h"
#include "host/Timers.h"
#include "ui/Clock.h"
#include "ui/Platform.h"
#include "windows/Forms.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace host {

class Script;

// What only a toolkit can do: its clock, its dialogs, its files, its sound,
// and waking the program up again.
class FrontEnd {
public:
    virtual ~FrontEnd() = default;
    // A monotonic clock in nanoseconds.
    virtual std::int64_t Nanoseconds() = 0;
    // Ask the host back (Host::Wake) in `milliseconds`, 0 meaning at the next
    // display frame; a negative wait means no wake-up is needed.
    virtual void WakeIn(int milliseconds) = 0;
    // Returns "" on Cancel.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultAnswer) = 0;
    virtual bool AskYesNo(const std::string& prompt, const std::string& title) = 0;
    virtual void OpenHelp(const std::string& page) = 0;
    virtual ui::ScreenSize Screen() = 0;
    virtual void EndProgram() = 0;
    virtual void PlaySound(std::string_view name) = 0;
    virtual std::string ReadFile(const std::string& name) = 0;
    virtual bool ReplaceFile(const std::string& name, const std::string& bytes) = 0;
    // Reads the file and replaces it with what `change` makes of it, with no
    // other copy of the game saving in between; false when not saved.
    using FileChange = ui::Platform::FileChange;
    virtual bool UpdateFile(const std::string& name, const FileChange& change) {
        const auto bytes = change(ReadFile(name));
        return !bytes || ReplaceFile(name, *bytes);
    }
    // Shows a notice without waiting for the player.
    virtual void ShowNotice(const ui::Notice& /*notice*/) {}
    // Tells the player through the host, which keeps the last notice for the
    // dump; what is told before the host exists waits for it.
    void Tell(const ui::Notice& notice) {
        if (tell_) {
            tell_(notice);
        } else {
            waiting_.push_back(notice);
        }
    }
    // The toolkit's own pending work, at the start of each game tick.
    virtual void DoEvents() {}
    // The game paused or went on: show it.
    virtual void ShowPaused(bool /*paused*/) {}
    // Keeps the record of the session so far: of a game that entered the
    // table (with its score), or of the last game (none).
    virtual void KeepRecord(std::optional<double> /*score*/, const std::string& /*script*/) {}
    // A record being played has a line that cannot be played; nothing more
    // of it is.
    virtual void ReplayFailed(const std::string& /*message*/) {}

private:
    friend class Host;
    std::function<void(const ui::Notice&)> tell_;
    std::vector<ui::Notice> waiting_;
};

// The game as every front end runs it. Game time moves in whole 1 ms ticks:
// at each wake-up the ticks due since the last one run, each with the clock
// at its own time, firing every timer whose interval has run out. Input is
// applied between two ticks, after the ones due at its time. A wake-up more
// than a quarter second after the last one while the game ran is a stall
// (a stopped or suspended program): that time is skipped, as a pause is.
class Host : public ui::Platform {
public:
    explicit Host(FrontEnd& frontEnd);
    ~Host() override;

    windows::Windows& windows() { return windows_; }
    const windows::Windows& windows() const { return windows_; }
    game::Game& game() { return game_; }
    const game::Game& game() const { return game_; }

    // The generator's seed; a front end sets it before Start.
    void Seed(std::int64_t seed);
    // The windows a front end shows, in order (the picture store is never
    // shown), and which of them is the main window.
    std::vector<ui::Form*> ShownForms() { return {&windows_.best, &windows_.cfrm, &windows_.sobr}; }
    ui::Form& MainForm() { return windows_.cfrm; }
    bool Paused() const { return game_.Paused(); }
    // The sound switch of the game's menu; switched as the player would.
    bool SoundOn() const { return windows_.cfrm.MenuSom->Checked(); }
    void SetSoundOn(bool on);
    // What the front end draws over the main window beside its controls.
    const ui::Effects& Effects() const { return game_.effects(); }
    // The counters as a screen reader is told them: each one's name and value.
    std::vector<std::pair<std::string, std::string>> Status() const;

    // Loads the windows and starts the first game.
    void Start();
    // Plays a record in real time instead of the player: its files, clock
    // and seed at the start, then its inputs at their ticks. Nothing is
    // written and the player's input is ignored. False for a script that is
    // not a record; then nothing has started.
    bool Replay(const std::string& record);
    // Whether a replay has played its last line.
    bool replayDone() const { return replaying_ && replayAt_ >= replayLines_.size(); }
    // Runs the ticks due now, then asks for the next wake-up.
    void Wake();

    // ---- input, each applied after the ticks due at its time ----
    // A key pressed in the main window; `repeat` for the toolkit's
    // auto-repeat. Returns what the front end should do about it, if anything.
    // A new game, the pause and the sound are done here; zoom and full
    // screen are the front end's, returned for it to do.
    Action KeyDown(int code, Modifiers modifiers = {}, bool repeat = false);
    // A key pressed in one of the shown windows. The main window's keys go
    // to KeyDown; in a dialog window Return presses the default button and
    // Escape the cancel one; while a record plays only Escape counts, and
    // ends it. What the front end should do (None for nothing more), or
    // nullopt for a key the window leaves to the toolkit (typing in a box).
    std::optional<Action> KeyIn(ui::Form& form, int code, Modifiers modifiers = {},
                                bool repeat = false);
    // A key let go; `stillHeld` is the window system's word on whether it
    // is in fact still down (auto-repeat sends releases too).
    void KeyUp(int code, std::optional<bool> stillHeld = std::nullopt);
    // Every key and touch let go, as when the window loses the keyboard.
    void ReleaseAll();
    // A menu entry, button or other clickable control.
    void Click(ui::Control& control);
    // The key that does what a menu entry does, as the menu shows it; empty
    // for an entry no key stands for.
    std::string ShortcutOf(const ui::Control& item) const;
    // Text typed into a text box.
    void Type(ui::Control& box, const std::string& text);
    void SetWindowState(ui::Form& form, int state);
    void Paint(ui::Form& form);
    void LostFocus(ui::Form& form);
    void Close(ui::Form& form);
    void TogglePause();
    void SetPausedByPlayer(bool paused);
    // The same inputs as a script gives them: at once, recorded.
    void DoKeyDown(int code);
    void DoKeyUp(int code);
    void DoClick(ui::Control& control);
    void DoType(ui::Control& box, const std::string& text);
    void DoPause(bool paused);
    // After an input given at once: a timer it started, stopped or changed
    // counts from this millisecond, as after the player's own input.
    void InputDone();
    static bool IsWalk(int code);

    // ---- time ----
    // The clock in hundredths, before the player's pauses are taken out;
    // scripts and tests set it directly.
    double WallClock() const { return clock_; }
    void SetWallClock(double hundredths) { clock_ = hundredths; }
    void MoveClock(double hundredths) { clock_ += hundredths; }
    // A slow timer's step: the clock moves on by `hundredths`, then the
    // main window's play timer fires once, where it runs. Scripts and tests
    // move time this way; the program by RunTicks.
    void Step(double hundredths);
    // Runs `ticks` ticks of 1 ms from the clock's whole millisecond, as a
    // perfect 1 ms timer would.
    void RunTicks(std::int64_t ticks);
    // Where the next wake-up is needed: 0 every frame, else milliseconds,
    // negative for none.
    int NextWake() const;
    // Whether the blinking order line shows its strong colour now.
    bool BlinkStrong() const;
    long long wakes() const { return wakes_; }
    // The clock when the last tick ended.
    double tickClock() const { return tickClock_; }

    // ---- what scripts queue and what dumps report ----
    Scripted& scripted() { return scripted_; }
    const Scripted& scripted() const { return scripted_; }
    // Whether the program has ended: nothing more runs.
    bool Ended() const { return ended_; }
    // Whether a record plays in the player's place: nothing is written and
    // the player's input is ignored.
    bool Replaying() const { return replaying_; }
    void SetReplaying(bool on) { replaying_ = on; }

    // The whole state as the simulator's dump has it, with the front end's
    // own members after it; `takeSounds` empties the sounds it reports.
    std::string Dump(bool takeSounds = true,
                     std::vector<std::pair<std::string, std::string>> more = {},
                     std::optional<int> zoom = std::nullopt);

    Recorder& recorder() { return recorder_; }
    Bindings& bindings() { return bindings_; }

    // ---- ui::Platform, for the game ----
    double Clock() override { return pause_.At(clock_); }
    void SetPaused(bool paused) override;
    void ShowEffects(const ui::Effects& effects) override;
    double Random() override;
    void Randomize(double seed) override { generator_.Reseed(seed); }
    void DoEvents() override { frontEnd_.DoEvents(); }
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultAnswer) override;
    bool AskYesNo(const std::string& prompt, const std::string& title) override;
    void OpenHelp(const std::string& page) override;
    ui::ScreenSize Screen() override { return frontEnd_.Screen(); }
    void EndProgram() override;
    void PlaySound(std::string_view name) override;
    std::string ReadFile(const std::string& name) override;
    bool ReplaceFile(const std::string& name, const std::string& bytes) override;
    bool UpdateFile(const std::string& name, const FileChange& change) override;

protected:
    void ShowNotice(const ui::Notice& notice) override { frontEnd_.ShowNotice(notice); }

private:
    windows::Windows windows_;
    game::Game game_{windows_, *this};
    double clock_ = 3600000;
    Scripted scripted_;
    bool ended_ = false;
    bool replaying_ = false;
    // Fires the main window's play timer once, where it runs.
    void FireTimer();
    // The main window's menu entry an action clicks; null for none.
    ui::Control* MenuOf(Action action) const;
    // Runs the ticks owed up to now and the key releases due among them.
    void CatchUp();
    // Input runs at once when nothing of the game is on the stack; else
    // (inside a tick's yield, or a dialog) it waits for that to return.
    void Apply(const std::function<void()>& work);
    void AfterInput();
    // The records due after an input: a game entered the table, or the
    // program ended.
    void KeepRecords();
    std::optional<double> enteredTable_;
    // Runs the replay's lines with `ticks` of time to spend.
    void RunReplay(std::int64_t ticks);
    std::vector<std::pair<int, std::string>> replayLines_;
    std::size_t replayAt_ = 0;
    std::int64_t replayLeft_ = -1;
    std::unique_ptr<Script> replayScript_;
    bool replayBegun_ = false;
    void ScheduleWake();
    void FollowBlink();
    // A dialog answered from the queues: the game first runs the ticks it
    // ran behind it.
    void RunBehindDialog();
    std::int64_t WholeMilliseconds() const;

    FrontEnd& frontEnd_;
    Timers timers_;
    Recorder recorder_;
    Bindings bindings_;
    HeldKeys held_;
    // The walking keys down now, as the game was told.
    std::set<int> walking_;
    ui::PauseClock pause_;
    ui::UniformRandom generator_;
    // Real time of the last wake-up, and the part of a tick still owed.
    std::int64_t lastWake_ = -1;
    std::int64_t owed_ = 0;
    bool ranTimers_ = false;
    // Game code on the stack: ticks and input handlers, and how many of
    // them wait in a dialog. While all of them wait in dialogs the game goes
    // on behind the dialog; else input waits for the code to return.
    int busy_ = 0;
    int dialogs_ = 0;
    bool ticking_ = false;
    std::vector<std::function<void()>> pending_;
    bool CanRunNow() const { return busy_ == dialogs_ && !ticking_; }
    void RunPending();
    std::int64_t seed_ = 0x5EED;
    long long wakes_ = 0;
    double tickClock_ = 0;
    // When the blinking line began, in game milliseconds, and the colour
    // it was last shown with.
    ui::Effects effects_;
    std::int64_t blinkStart_ = 0;
    bool blinkStrong_ = true;
};

} // namespace host
