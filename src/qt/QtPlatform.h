// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "qt/Sounds.h"
#include "qt/Storage.h"
#include "ui/Clock.h"
#include "ui/Platform.h"

#include <QElapsedTimer>
#include <QString>

#include <functional>

namespace qt {

// The outside world on a Qt desktop: a monotonic clock, Qt's dialogs, the
// desktop's viewer for the help page, the game's files and its sounds.
class QtPlatform : public ui::Platform {
public:
    // Chooses the table's folder at once, telling the player of a table set aside.
    explicit QtPlatform(host::TableFolders folders);

    double Clock() override;
    void SetPaused(bool paused) override;
    // Told when the pause starts or ends, so the windows stop their timers
    // and show the sign.
    std::function<void(bool)> onPause;
    void ShowEffects(const ui::Effects& effects) override;
    // Told the effects to draw over the main window.
    std::function<void(const ui::Effects&)> onEffects;
    double Random() override { return random_.Next(); }
    void Randomize(double seed) override { random_.Reseed(seed); }
    void DoEvents() override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultAnswer) override;
    bool AskYesNo(const std::string& prompt, const std::string& title) override;
    void OpenHelp(const std::string& page) override;
    ui::ScreenSize Screen() override;
    void EndProgram() override;
    void PlaySound(std::string_view name) override { sounds_.Play(name); }
    std::string ReadFile(const std::string& name) override;
    bool ReplaceFile(const std::string& name, const std::string& bytes) override;
    bool UpdateFile(const std::string& name, const FileChange& change) override;

    // Where the help page is looked for, first hit wins.
    static QString FindHelpPage(const QString& page);
    // The help page's name in the language installed, where that page is
    // found; else the page itself.
    static QString LocalHelpPage(const QString& page);

protected:
    // A message box that does not wait for the player.
    void ShowNotice(const ui::Notice& notice) override;

private:
    QElapsedTimer elapsed_;
    ui::DayClock clock_;
    ui::PauseClock pause_;
    ui::UniformRandom random_;
    host::TableStorage storage_;
    Sounds sounds_;
};

} // namespace qt
