// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/Host.h"

#include "host/Script.h"
#include "ui/KeyCodes.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <utility>

namespace host {

namespace {

constexpr std::int64_t Millisecond = 1'000'000;
// A longer gap between two wake-ups while the game ran is a stall.
constexpr std::int64_t StallNanoseconds = 250 * Millisecond;
// Minimised, the game goes on unseen: its ticks run in batches.
constexpr int MinimisedWakeMilliseconds = 125;

bool IsGameKey(int code) {
    namespace keys = ui::keys;
    return (code >= keys::Left && code <= keys::Down) || code == keys::Ctrl || code == keys::Space;
}

// The code the game's key event carries: a key bound to one of the game's
// moves gives that move's own key; any other key its own code.
int GameCodeOf(int code, Action action) {
    const int move = Bindings::GameCode(action);
    return move < 0 || IsGameKey(code) ? code : move;
}

} // namespace

Host::Host(FrontEnd& frontEnd) : frontEnd_(frontEnd), timers_(windows.All()) {
    frontEnd_.tell_ = [this](const ui::Notice& notice) { Tell(notice); };
    for (const ui::Notice& notice : std::exchange(frontEnd_.waiting_, {})) {
        Tell(notice);
    }
}

Host::~Host() = default;

void Host::Seed(std::int64_t seed) {
    seed_ = seed;
    generator_.Reseed(static_cast<double>(seed));
}

void Host::Start() {
    recorder_.Begin(WholeMilliseconds(), seed_);
    ++busy_;
    game.Main();
    --busy_;
    timers_.Follow(WholeMilliseconds());
    tickClock_ = Clock();
    lastWake_ = frontEnd_.Nanoseconds();
    RunPending();
    ScheduleWake();
}

bool Host::Replay(const std::string& record) {
    std::istringstream in(record);
    ScriptStart start = ReadScriptStart(in);
    if (!start.beginning) {
        return false;
    }
    std::string line;
    int number = start.lines;
    while (ReadLine(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line.front() != '#') {
            replayLines_.emplace_back(number, std::move(line));
        }
    }
    replaying = true;
    clock = start.beginning->clock;
    Seed(start.beginning->seed);
    recordedFiles = std::move(start.files);
    Start();
    return true;
}

void Host::RunReplay(std::int64_t ticks) {
    // However long a line's work, a frame gets a few milliseconds of it, so
    // the window answers between them.
    constexpr std::int64_t FrameWork = 8 * Millisecond;
    constexpr std::int64_t FiringsBetweenLooks = 4096;
    constexpr std::int64_t MostFiringsAFrame = 16 * FiringsBetweenLooks;
    const std::int64_t from = frontEnd_.Nanoseconds();
    if (!replayScript_) {
        replayScript_ = std::make_unique<Script>(*this);
    }
    std::ostringstream ignored;
    int entered = 0;
    while (replayAt_ < replayLines_.size() && !ended) {
        const auto& [number, line] = replayLines_[replayAt_];
        try {
            if (line.rfind("play ", 0) == 0) {
                if (replayLeft_ < 0) {
                    replayLeft_ = Script::PlayTicks(std::string_view(line).substr(5));
                }
                const std::int64_t now = std::min(ticks, replayLeft_);
                RunTicks(now);
                ticks -= now;
                replayLeft_ -= now;
                if (replayLeft_ > 0) {
                    return;
                }
                replayLeft_ = -1;
            } else {
                ++busy_;
                entered = 1;
                if (!replayBegun_) {
                    replayScript_->Begin(line, ignored);
                    replayBegun_ = true;
                }
                bool done = false;
                std::int64_t fired = 0;
                while (!(done = replayScript_->Continue(FiringsBetweenLooks)) &&
                       (fired += FiringsBetweenLooks) < MostFiringsAFrame &&
                       frontEnd_.Nanoseconds() - from < FrameWork) {
                }
                --busy_;
                entered = 0;
                timers_.Follow(WholeMilliseconds());
                if (!done) {
                    return;
                }
                replayBegun_ = false;
            }
        } catch (const std::exception& e) {
            // The rest of a record that went wrong is not played.
            busy_ -= entered;
            replayAt_ = replayLines_.size();
            frontEnd_.ReplayFailed("line " + std::to_string(number) + ": " + e.what());
            return;
        }
        ++replayAt_;
    }
}

std::int64_t Host::WholeMilliseconds() const {
    return std::llround(clock * 10);
}

// ---- time ----

void Host::Wake() {
    ++wakes_;
    if (ended || !CanRunNow()) {
        return;
    }
    CatchUp();
    // A game that ends in a tick (no score to enter, then "Não") ends its
    // record there.
    KeepRecords();
    RunPending();
    ScheduleWake();
}

void Host::CatchUp() {
    const std::int64_t now = frontEnd_.Nanoseconds();
    std::int64_t gap = lastWake_ < 0 ? 0 : std::max<std::int64_t>(now - lastWake_, 0);
    lastWake_ = now;
    if (pause_.Paused()) {
        owed_ = 0;
        if (replaying) {
            RunReplay(0);
        }
        return;
    }
    // A program that was stopped goes on where it stood.
    if (gap > StallNanoseconds && ranTimers_) {
        gap = 0;
        owed_ = 0;
    }
    const std::int64_t from = now - gap - owed_;
    const std::int64_t ticks = (owed_ + gap) / Millisecond;
    owed_ = (owed_ + gap) % Millisecond;
    if (replaying) {
        RunReplay(ticks);
        return;
    }
    std::int64_t done = 0;
    // A key let go between two ticks is let go before the later one.
    for (const auto& [at, code] : held_.TakeDue(now)) {
        const std::int64_t upTo = std::clamp((at - from) / Millisecond, done, ticks);
        RunTicks(upTo - done);
        done = upTo;
        const int released = code;
        ++busy_;
        DoKeyUp(released);
        --busy_;
        timers_.Follow(WholeMilliseconds());
    }
    RunTicks(ticks - done);
    ranTimers_ = timers_.AnyRunning();
}

void Host::RunTicks(std::int64_t ticks) {
    std::int64_t ms = WholeMilliseconds();
    for (std::int64_t i = 0; i < ticks && !ended; ++i) {
        if (pause_.Paused()) {
            // The clock outside moves on; the game's stands still.
            clock = static_cast<double>(ms + ticks - i) / 10;
            return;
        }
        if (!timers_.AnyRunning()) {
            // Nothing fires: the time passes at once.
            ms += ticks - i;
            clock = static_cast<double>(ms) / 10;
            recorder_.Ticks(ticks - i);
            break;
        }
        ++ms;
        clock = static_cast<double>(ms) / 10;
        recorder_.Tick();
        ticking_ = true;
        ++busy_;
        timers_.Fire(ms);
        --busy_;
        ticking_ = false;
        tickClock_ = Clock();
        FollowBlink();
        if (!pending_.empty() && CanRunNow()) {
            RunPending();
        }
    }
    tickClock_ = Clock();
    FollowBlink();
}

void Host::FireTimer() {
    ui::Control& timer = *windows.cfrm.Timer1;
    if (timer.Enabled() && timer.Interval() > 0 && !ended) {
        ++busy_;
        windows.cfrm.Timer1_Timer();
        --busy_;
    }
}

int Host::NextWake() const {
    if (replaying) {
        return !replayDone() && !ended ? 0 : -1;
    }
    if (ended || pause_.Paused()) {
        return -1;
    }
    int wait = -1;
    auto sooner = [&wait](int ms) { wait = wait < 0 ? ms : std::min(wait, ms); };
    if (timers_.AnyRunning()) {
        sooner(windows.cfrm.WindowState() == 1 ? MinimisedWakeMilliseconds : 0);
    }
    if (effects_.blinkLine != nullptr) {
        const std::int64_t shown = WholeMilliseconds() - blinkStart_;
        sooner(static_cast<int>(ui::BlinkMilliseconds - shown % ui::BlinkMilliseconds));
    }
    if (const auto release = held_.NextDue()) {
        const std::int64_t now = lastWake_;
        sooner(static_cast<int>(std::max<std::int64_t>((*release - now) / Millisecond, 1)));
    }
    return wait;
}

void Host::ScheduleWake() {
    frontEnd_.WakeIn(NextWake());
}

bool Host::BlinkStrong() const {
    return ui::BlinkStrongAfter(WholeMilliseconds() - blinkStart_);
}

void Host::FollowBlink() {
    if (effects_.blinkLine == nullptr) {
        return;
    }
    const bool strong = BlinkStrong();
    if (strong != blinkStrong_) {
        blinkStrong_ = strong;
        ui::MarkEffectsDirty(windows.cfrm, effects_);
    }
}

// ---- input ----

void Host::Apply(const std::function<void()>& work) {
    if (ended || replaying) {
        return;
    }
    if (!CanRunNow()) {
        pending_.push_back(work);
        return;
    }
    if (!pause_.Paused() || lastWake_ >= 0) {
        CatchUp();
    }
    ++busy_;
    work();
    --busy_;
    AfterInput();
}

void Host::InputDone() {
    timers_.Follow(WholeMilliseconds());
}

void Host::AfterInput() {
    KeepRecords();
    InputDone();
    if (busy_ == 0) {
        RunPending();
        ScheduleWake();
    }
}

void Host::KeepRecords() {
    // Not while game code waits in a dialog: the input that opened it is
    // written once it returns.
    if (!recorder_.on || replaying || busy_ != 0) {
        return;
    }
    if (enteredTable_) {
        frontEnd_.KeepRecord(std::exchange(enteredTable_, std::nullopt), recorder_.Script());
    }
    if (ended) {
        frontEnd_.KeepRecord(std::nullopt, recorder_.Script());
        recorder_.on = false;
    }
}

void Host::RunPending() {
    while (!pending_.empty() && CanRunNow() && !ended) {
        const auto work = pending_.front();
        pending_.erase(pending_.begin());
        ++busy_;
        work();
        --busy_;
        timers_.Follow(WholeMilliseconds());
    }
}

Action Host::KeyDown(int code, Modifiers modifiers, bool repeat) {
    const Action action = bindings_.Of(code, modifiers);
    switch (action) {
    case Action::ZoomIn:
    case Action::ZoomOut:
    case Action::FullScreen:
        return action;
    // F2, F1 and Ctrl+Q do what "Jogo Novo", "Como jogar..." and "Sair" do.
    case Action::NewGame:
    case Action::Help:
    case Action::Quit:
        if (!repeat) {
            Click(*MenuOf(action));
        }
        return action;
    case Action::Pause:
        if (!repeat) {
            TogglePause();
        }
        return action;
    default:
        break;
    }
    // A press of a key whose release was waiting was only auto-repeat.
    held_.Pressed(code);
    const int gameCode = GameCodeOf(code, action);
    Apply([this, gameCode, action, repeat] {
        DoKeyDown(gameCode);
        // M switches the sound, as the menu entry does; the game still sees the key.
        if (action == Action::Mute && !repeat && windows.cfrm.Enabled()) {
            DoClick(*windows.cfrm.MenuSom);
        }
    });
    return Action::None;
}

void Host::KeyUp(int code, std::optional<bool> stillHeld) {
    if (stillHeld.value_or(false)) {
        return;
    }
    held_.Released(GameCodeOf(code, bindings_.Of(code, {})), frontEnd_.Nanoseconds());
    ScheduleWake();
}

void Host::ReleaseAll() {
    held_.Clear();
    Apply([this] {
        for (int code : {ui::keys::Left, ui::keys::Up, ui::keys::Right, ui::keys::Down,
                         ui::keys::Ctrl, ui::keys::Space}) {
            DoKeyUp(code);
        }
    });
}

void Host::Click(ui::Control& control) {
    Apply([this, &control] { DoClick(control); });
}

void Host::Type(ui::Control& box, const std::string& text) {
    Apply([this, &box, text] { DoType(box, text); });
}

void Host::SetWindowState(ui::Form& form, int state) {
    Apply([this, &form, state] {
        form.SetWindowState(state);
        recorder_.Input("set " + form.name() + ".WindowState " + std::to_string(state));
    });
}

void Host::Paint(ui::Form& form) {
    Apply([this, &form] {
        if (&form == &windows.cfrm) {
            form.Form_Paint();
            recorder_.Input("paint");
        } else {
            form.Form_Paint();
        }
    });
}

void Host::LostFocus(ui::Form& form) {
    Apply([this, &form] {
        if (&form == &windows.cfrm) {
            form.Form_LostFocus();
            recorder_.Input("lostfocus");
        }
    });
}

void Host::Close(ui::Form& form) {
    Apply([this, &form] {
        if (&form == &windows.cfrm) {
            // Closing the main window is its exit entry.
            recorder_.Input("menu MenuSair");
            form.Form_Unload();
        }
    });
}

void Host::SetSoundOn(bool on) {
    if (on != SoundOn()) {
        Click(*windows.cfrm.MenuSom);
    }
}

void Host::TogglePause() {
    SetPausedByPlayer(!game.Paused());
}

void Host::SetPausedByPlayer(bool paused) {
    Apply([this, paused] {
        if (windows.cfrm.Enabled()) {
            DoPause(paused);
        }
    });
}

void Host::DoKeyDown(int code) {
    if (windows.cfrm.Enabled()) {
        if (IsWalk(code)) {
            walking_.insert(code);
        }
        windows.cfrm.KeyDown(code);
        recorder_.Input("keydown " + std::to_string(code));
    }
}

void Host::DoKeyUp(int code) {
    walking_.erase(code);
    if (windows.cfrm.Enabled()) {
        windows.cfrm.KeyUp(code);
        recorder_.Input("keyup " + std::to_string(code));
    }
}

void Host::DoClick(ui::Control& control) {
    if (!control.onClick || !control.Enabled()) {
        return;
    }
    if (control.kind() == ui::Kind::Menu) {
        if (control.form() != &windows.cfrm || !windows.cfrm.Enabled()) {
            return;
        }
        control.onClick();
        recorder_.Input("menu " + control.name());
    } else {
        control.onClick();
        recorder_.Input("click " + control.FullName());
    }
}

void Host::DoType(ui::Control& box, const std::string& text) {
    box.SetText(text);
    recorder_.Input("text " + box.FullName() + " " + text);
}

void Host::DoPause(bool paused) {
    game.SetPaused(paused);
    recorder_.Input(paused ? "pause" : "resume");
    // The paused game dropped the presses it got; a direction still held
    // walks on at once, as if it had just been pressed.
    if (!paused) {
        for (int code : walking_) {
            windows.cfrm.KeyDown(code);
        }
    }
}

bool Host::IsWalk(int code) {
    return code == ui::keys::Left || code == ui::keys::Right || code == ui::keys::Up ||
           code == ui::keys::Down;
}

// ---- ui::Platform ----

void Host::SetPaused(bool paused) {
    paused ? pause_.Pause(clock) : pause_.Resume(clock);
    if (!paused) {
        // The timers start over, and the time spent paused is not owed.
        timers_.RestartAll(WholeMilliseconds());
        lastWake_ = frontEnd_.Nanoseconds();
        owed_ = 0;
    }
    if (effects_.blinkLine != nullptr) {
        ui::MarkEffectsDirty(windows.cfrm, effects_);
    }
    frontEnd_.ShowPaused(paused);
    if (busy_ == 0) {
        ScheduleWake();
    }
}

void Host::ShowEffects(const ui::Effects& effects) {
    if (effects.blinkLine != effects_.blinkLine) {
        blinkStart_ = WholeMilliseconds();
        blinkStrong_ = true;
    }
    ui::MarkEffectsDirty(windows.cfrm, effects_);
    effects_ = effects;
    ui::MarkEffectsDirty(windows.cfrm, effects_);
}

double Host::Random() {
    ++drawsTaken;
    if (!queuedDraws.empty()) {
        const double v = queuedDraws.front();
        queuedDraws.pop_front();
        return v;
    }
    return generator_.Next();
}

std::string Host::InputBox(const std::string& prompt, const std::string& title,
                           const std::string& defaultAnswer) {
    lastInputBox = InputBoxShown{prompt, title, defaultAnswer};
    std::string answer;
    if (!answers.empty()) {
        RunBehindDialog();
        answer = answers.front().value_or("");
        answers.pop_front();
    } else {
        recorder_.DialogOpens(ticking_);
        ++dialogs_;
        answer = frontEnd_.InputBox(prompt, title, defaultAnswer);
        --dialogs_;
        recorder_.DialogCloses();
    }
    recorder_.Answer(answer.empty() ? "answer" : "answer " + answer, ticking_);
    return answer;
}

bool Host::AskYesNo(const std::string& prompt, const std::string& title) {
    lastMessageBox = MessageBoxShown{prompt, title};
    ++questionsAsked;
    bool yes = true;
    if (!yesNo.empty()) {
        RunBehindDialog();
        yes = yesNo.front();
        yesNo.pop_front();
    } else {
        recorder_.DialogOpens(ticking_);
        ++dialogs_;
        yes = frontEnd_.AskYesNo(prompt, title);
        --dialogs_;
        recorder_.DialogCloses();
    }
    recorder_.Answer(yes ? "yes" : "no", ticking_);
    return yes;
}

void Host::RunBehindDialog() {
    if (behindDialog.empty()) {
        return;
    }
    const std::int64_t ticks = behindDialog.front();
    behindDialog.pop_front();
    ++dialogs_;
    RunTicks(ticks);
    --dialogs_;
}

void Host::OpenHelp(const std::string& page) {
    ++helpOpened;
    if (!replaying) {
        frontEnd_.OpenHelp(page);
    }
}

void Host::EndProgram() {
    ended = true;
    frontEnd_.EndProgram();
}

void Host::PlaySound(std::string_view name) {
    if (keepSounds) {
        sounds.emplace_back(name);
        if (sounds.size() > mostSounds) {
            sounds.erase(sounds.begin());
        }
    }
    frontEnd_.PlaySound(name);
}

std::string Host::ReadFile(const std::string& name) {
    if (!recordedFiles.empty() && recordedFiles.front().first == name) {
        std::string bytes = std::move(recordedFiles.front().second);
        recordedFiles.pop_front();
        return bytes;
    }
    std::string bytes = replaying ? std::string() : frontEnd_.ReadFile(name);
    recorder_.FileRead(name, bytes, ticking_);
    return bytes;
}

bool Host::ReplaceFile(const std::string& name, const std::string& bytes) {
    if (replaying) {
        return true;
    }
    return frontEnd_.ReplaceFile(name, bytes);
}

bool Host::UpdateFile(const std::string& name, const FileChange& change) {
    // The table as the record read it, where one is played back.
    if (replaying || (!recordedFiles.empty() && recordedFiles.front().first == name)) {
        const auto bytes = change(ReadFile(name));
        return replaying || !bytes || frontEnd_.ReplaceFile(name, *bytes);
    }
    const bool saved = frontEnd_.UpdateFile(name, [&](const std::string& current) {
        recorder_.FileRead(name, current, ticking_);
        return change(current);
    });
    if (saved) {
        // Only a game that entered the table saves it.
        enteredTable_ = game.Score;
    }
    return saved;
}

// ---- the dump ----

std::string Host::Dump(bool takeSounds, std::vector<std::pair<std::string, std::string>> more,
                       std::optional<int> zoom) {
    game::DumpExtras extras;
    if (lastMessageBox) {
        extras.lastMessageBox = {lastMessageBox->prompt, lastMessageBox->title};
    }
    if (lastInputBox) {
        extras.lastInputBox = game::DumpExtras::InputBox{lastInputBox->prompt, lastInputBox->title,
                                                         lastInputBox->defaultAnswer};
    }
    extras.helpOpened = helpOpened;
    extras.zoom = zoom;
    if (keepSounds) {
        // Each dump shows the sounds since the one before; a get only looks.
        extras.sounds = sounds;
        if (takeSounds) {
            sounds.clear();
        }
    }
    extras.members = std::move(more);
    return game::DumpJson(game, extras);
}

} // namespace host
