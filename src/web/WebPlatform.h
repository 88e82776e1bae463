// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Clock.h"
#include "ui/Effects.h"
#include "ui/Platform.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace web {

// The outside world in a browser page: the page's monotonic clock, the
// page's own prompt and confirm dialogs, a new tab for the help page, the
// high-score table in localStorage and the sounds through WebAudio.
//
// A scripted page (for tests) keeps the clock still until a script moves it
// and draws from the same fixed sequence as the simulator.
class WebPlatform : public ui::Platform {
public:
    explicit WebPlatform(bool scripted);

    double Clock() override;
    // The game's pause stops the clock; the page shows it (onPause): the
    // sign over the picture, the effects standing still, the check mark.
    void SetPaused(bool paused) override;
    std::function<void(bool)> onPause;
    // The effects the page draws over the main window (onEffects).
    void ShowEffects(const ui::Effects& shown) override;
    std::function<void(const ui::Effects&)> onEffects;
    double Random() override { return random_.Next(); }
    void Randomize(double seed) override { random_.Reseed(seed); }
    void DoEvents() override {}
    ui::ScreenSize Screen() override;
    void EndProgram() override;
    void PlaySound(std::string_view name) override;
    // The page's own dialogs and a new tab for the help page.
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultAnswer) override;
    bool AskYesNo(const std::string& prompt, const std::string& title) override;
    void OpenHelp(const std::string& page) override;
    std::string ReadFile(const std::string& name) override;
    bool ReplaceFile(const std::string& name, const std::string& bytes) override;

    bool scripted() const { return scripted_; }
    // A scripted page's clock, in hundredths of a second.
    double scriptedClock = 3600000;

    // What the dump reports of the dialogs and the help page.
    struct Shown {
        std::string prompt, title, defaultAnswer;
    };
    std::optional<Shown> lastInputBox;
    std::optional<Shown> lastMessageBox;
    int helpOpened = 0;
    std::vector<std::string> sounds;
    bool ended = false;

private:
    double OutsideClock();
    bool scripted_;
    double startMs_;
    ui::DayClock clock_;
    ui::PauseClock pause_;
    ui::UniformRandom random_;
};

// Bytes as hexadecimal digits and back, for carrying a file through the page.
std::string ToHex(const std::string& bytes);
std::string FromHex(const std::string& hex);

} // namespace web
