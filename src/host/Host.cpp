// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/Host.h"

#include "host/Script.h"
#include "ui/KeyCodes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace host {

namespace {

constexpr std::int64_t Millisecond = 1'000'000;
// A longer gap between two wake-ups while the game ran is a stall.
constexpr std::int64_t StallNanoseconds = 250 * Millisecond;
// Minimised, the game goes on unseen: its ticks run in batches.
constexpr int MinimisedWakeMilliseconds = 125;

} // namespace

Host::Host(FrontEnd& frontEnd) : frontEnd_(frontEnd), timers_(windows_.All()) {
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
    game_.Main();
    --busy_;
    timers_.Follow(WholeMilliseconds());
    tickClock_ = Clock();
    lastWake_ = frontEnd_.Nanoseconds();
    RunPending();
    ScheduleWake();
}

bool Host::Replay(const std::string& record) {
    TextInput in(record);
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
    replaying_ = true;
    clock_ = start.beginning->clock;
    Seed(start.beginning->seed);
    scripted_.recordedFiles = std::move(start.files);
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
    std::string ignored;
    int entered = 0;
    while (replayAt_ < replayLines_.size() && !ended_) {
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
                    ignored.clear();
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
    return std::llround(clock_ * 10);
}

// ---- time ----

void Host::Wake() {
    ++wakes_;
    if (ended_ || !CanRunNow()) {
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
        if (replaying_) {
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
    if (replaying_) {
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
    for (std::int64_t i = 0; i < ticks && !ended_; ++i) {
        if (pause_.Paused()) {
            // The clock outside moves on; the game's stands still.
            clock_ = static_cast<double>(ms + ticks - i) / 10;
            return;
        }
        if (!timers_.AnyRunning()) {
            // Nothing fires: the time passes at once.
            ms += ticks - i;
            clock_ = static_cast<double>(ms) / 10;
            recorder_.Ticks(ticks - i);
            break;
        }
        ++ms;
        clock_ = static_cast<double>(ms) / 10;
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

void Host::Step(double hundredths) {
    clock_ += hundredths;
    FireTimer();
}

void Host::FireTimer() {
    ui::Control& timer = *windows_.cfrm.Timer1;
    if (timer.Enabled() && timer.Interval() > 0 && !ended_) {
        ++busy_;
        windows_.cfrm.Timer1_Timer();
        --busy_;
    }
}

int Host::NextWake() const {
    if (replaying_) {
        return !replayDone() && !ended_ ? 0 : -1;
    }
    if (ended_ || pause_.Paused()) {
        return -1;
    }
    int wait = -1;
    auto sooner = [&wait](int ms) { wait = wait < 0 ? ms : std::min(wait, ms); };
    if (timers_.AnyRunning()) {
        sooner(windows_.cfrm.WindowState() == 1 ? MinimisedWakeMilliseconds : 0);
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
        ui::MarkEffectsDirty(windows_.cfrm, effects_);
    }
}

} // namespace host
