// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/Host.h"
#include "host/RecordStorage.h"
#include "qt/Sounds.h"
#include "qt/Storage.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class QTextBrowser;

namespace qt {

// The outside world on a Qt desktop: a monotonic clock and one timer that
// wakes the host, Qt's dialogs, the desktop's viewer for the help page, the
// game's files and its sounds.
class QtPlatform : public host::FrontEnd {
public:
    // Chooses the table's folder at once, telling the player of a table set
    // aside. The records of the sessions go to the data folder's records/; a
    // `live` session (not one played back) is told at once where they cannot.
    explicit QtPlatform(host::TableFolders folders, bool live = false);

    // The time of day when the program started, in whole milliseconds: the
    // game's clock starts there.
    static std::int64_t StartOfDay();

    std::int64_t Nanoseconds() override { return elapsed_.nsecsElapsed(); }
    void WakeIn(int milliseconds) override;
    // Told at each wake-up.
    std::function<void()> onWake;
    // Told when the pause starts or ends, so the windows show the sign.
    std::function<void(bool)> onPause;
    void ShowPaused(bool paused) override;
    void DoEvents() override;
    void KeepRecord(std::optional<double> score, const std::string& script) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultAnswer) override;
    bool AskYesNo(const std::string& prompt, const std::string& title) override;
    void OpenHelp(const std::string& page) override;
    ui::ScreenSize Screen() override;
    void ReplayFailed(const std::string& message) override;
    void EndProgram() override;
    void PlaySound(std::string_view name) override { sounds_.Play(name); }
    std::string ReadFile(const std::string& name) override;
    bool ReplaceFile(const std::string& name, const std::string& bytes) override;
    bool UpdateFile(const std::string& name, const FileChange& change) override;

    // The factor the game is shown at: dialogs come at the same size.
    int zoom = 1;

    // Where the help page is looked for, first hit wins.
    static QString FindHelpPage(const QString& page);
    // The help page's name in the language installed, where that page is
    // found; else the page itself.
    static QString LocalHelpPage(const QString& page);

protected:
    // A message box that does not wait for the player.
    void ShowNotice(const ui::Notice& notice) override;

private:
    void AtGameSize(QWidget& dialog) const;

    QElapsedTimer elapsed_;
    QTimer wake_;
    host::TableStorage storage_;
    host::RecordStorage records_;
    // Once the program ends no window is left to show a notice in.
    bool ending_ = false;
    Sounds sounds_;
    QPointer<QTextBrowser> help_;
};

} // namespace qt
