// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

struct Effects;

// Something the player is told without being asked: a text of the game
// (translated where it is shown) whose %1, %2 ... the details fill in.
struct Notice {
    std::string text;
    std::vector<std::string> details;

    // The text with its details in place of %1 to %9.
    std::string Filled() const { return Fill(text, details); }
    static std::string Fill(std::string_view text, const std::vector<std::string>& details) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const std::size_t n =
                i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '1') : details.size();
            if (text[i] == '%' && n < details.size() && n < 9) {
                out += details[n];
                ++i;
            } else {
                out += text[i];
            }
        }
        return out;
    }
};

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
    // Reads the file as it is now and replaces it with what `change` makes of
    // it (nothing: left as it is), with no other copy of the game saving in
    // between, so two games finishing together both keep their scores.
    // False if the new contents could not be saved; the old file then stays.
    using FileChange = std::function<std::optional<std::string>(const std::string& current)>;
    virtual bool UpdateFile(const std::string& name, const FileChange& change) {
        const auto bytes = change(ReadFile(name));
        return !bytes || ReplaceFile(name, *bytes);
    }

    // Tells the player something without stopping the game (a score that
    // could not be saved, a table set aside); the last notice is kept for
    // the dump.
    void Tell(const Notice& notice) {
        lastNotice_ = notice;
        ShowNotice(notice);
    }
    const std::optional<Notice>& LastNotice() const { return lastNotice_; }

protected:
    // Shows a notice without waiting for the player.
    virtual void ShowNotice(const Notice& /*notice*/) {}

private:
    std::optional<Notice> lastNotice_;
};

} // namespace ui
