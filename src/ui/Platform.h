// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace ui {

struct Effects;

struct ScreenSize {
    int widthTwips = 0;
    int heightTwips = 0;
};

// Everything the game needs from the outside world: time, chance, dialogs,
// files.
// The game never reads a clock or a random generator of its own, so tests and
// the simulator can script every one of these.
class Platform {
public:
    virtual ~Platform() = default;

    // Hundredths of a second: never 0, never going back.
    virtual double Clock() = 0;
    // The player's pause: the clock stands still until the pause ends, and
    // the front end stops firing the play timer.
    virtual void SetPaused(bool paused) = 0;
    // The drawing effects to show from now on, replacing the last ones.
    virtual void ShowEffects(const Effects& effects) = 0;
    // A uniform draw in [0, 1).
    virtual double Random() = 0;
    virtual void Randomize(double seed) = 0;
    // Let pending window events run once.
    virtual void DoEvents() = 0;
    // Returns "" on Cancel.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultAnswer) = 0;
    // Yes/No question with a question icon; true for Yes.
    virtual bool AskYesNo(const std::string& prompt, const std::string& title) = 0;
    // Opens the help page in the desktop's viewer without waiting.
    virtual void OpenHelp(const std::string& page) = 0;
    virtual ScreenSize Screen() = 0;
    // Ends the program; the caller returns at once.
    virtual void EndProgram() = 0;
    // Starts one of the game's sound effects by name ("catch", "throw", ...)
    // and returns at once; where no sound can be played nothing happens.
    virtual void PlaySound(std::string_view name) = 0;

    // The game's own small files by name (the high-score table); where they
    // live is the front end's business. A missing file reads as empty and is
    // created empty where it can be.
    virtual std::string ReadFile(const std::string& name) = 0;
    // Replaces the file whole: a reader never sees half of it and an
    // interrupted save leaves the old one. False if it could be kept nowhere.
    virtual bool ReplaceFile(const std::string& name, const std::string& bytes) = 0;
};

} // namespace ui
