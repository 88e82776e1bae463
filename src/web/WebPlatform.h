// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/Host.h"

#include <functional>
#include <string>

namespace web {

// The outside world in a browser page: the page's monotonic clock and its
// animation frames, the page's own modal dialogs, a new tab for
// the help page, the high-score table in localStorage and the sounds through
// WebAudio.
//
// A scripted page (for tests) keeps the clock still: only a script moves the
// host's clock.
class WebPlatform : public host::FrontEnd {
public:
    explicit WebPlatform(bool scripted) : scripted_(scripted) {}

    // The time of day in whole milliseconds, where the game's clock starts.
    static std::int64_t StartOfDay();

    std::int64_t Nanoseconds() override;
    void WakeIn(int milliseconds) override;
    void ShowPaused(bool paused) override;
    // The page shows the pause: the sign over the picture, the check mark.
    std::function<void(bool)> onPause;
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
    // Saves under a lock that every tab of the game takes, so two tabs
    // saving together both keep their scores; a save the browser refuses is
    // told, and the old table stays.
    bool UpdateFile(const std::string& name, const FileChange& change) override;
    void ShowNotice(const ui::Notice& notice) override;
    // Where the notice says the table is kept, and why it was not; the page
    // has their English.
    static constexpr const char* BrowserStorage = "localStorage";
    static constexpr const char* StorageFull = "o espaço que o navegador dá ao jogo está cheio";
    static constexpr const char* StorageRefused = "o navegador não deixa o jogo guardar nada";

    bool scripted() const { return scripted_; }

private:
    bool Write(const std::string& name, const std::string& bytes);

    bool scripted_;
};

} // namespace web
