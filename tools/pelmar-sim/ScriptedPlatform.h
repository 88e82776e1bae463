// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/TableStorage.h"
#include "ui/Clock.h"
#include "ui/Platform.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// The outside world as a script sets it: a clock that moves only when told,
// queued random draws, queued dialog answers, a 1024 x 768 screen, files in
// a folder.
class ScriptedPlatform : public ui::Platform {
public:
    double clock = 3600000;
    std::deque<double> queuedDraws;
    std::deque<std::optional<std::string>> answers; // nullopt = Cancel
    std::deque<bool> yesNo;
    int helpOpened = 0;
    bool ended = false;
    struct InputBoxShown {
        std::string prompt, title, defaultAnswer;
    };
    struct MessageBoxShown {
        std::string prompt, title;
    };
    std::optional<InputBoxShown> lastInputBox;
    std::optional<MessageBoxShown> lastMessageBox;
    // The program's folder is the working directory.
    ScriptedPlatform() { storage.Folder(); }
    ScriptedPlatform(const ScriptedPlatform&) = delete;
    ScriptedPlatform& operator=(const ScriptedPlatform&) = delete;
    host::TableStorage storage{{".", host::UserDataFolder()}, Teller()};
    // The table in these folders from now on, chosen at once, as at a start.
    void UseFolders(host::TableFolders folders,
                    host::TableStorage::System system = host::TableStorage::RealSystem()) {
        storage = host::TableStorage(std::move(folders), Teller(), std::move(system));
        storage.Folder();
    }
    int drawsTaken = 0;
    int questionsAsked = 0;
    // The sounds asked for since the last dump, in order.
    std::vector<std::string> sounds;

    // The game's clock: the scripted time, standing still while paused.
    double Clock() override { return pause.At(clock); }
    // The game keeps its effects; the dump reports them from there.
    void ShowEffects(const ui::Effects&) override {}
    void SetPaused(bool paused) override { paused ? pause.Pause(clock) : pause.Resume(clock); }
    ui::PauseClock pause;
    double Random() override;
    void Randomize(double seed) override { generator_.Reseed(seed); }
    void DoEvents() override {}
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultAnswer) override;
    bool AskYesNo(const std::string& prompt, const std::string& title) override;
    void OpenHelp(const std::string&) override { ++helpOpened; }
    ui::ScreenSize Screen() override { return {1024 * 15, 768 * 15}; }
    void EndProgram() override { ended = true; }
    void PlaySound(std::string_view name) override { sounds.emplace_back(name); }
    std::string ReadFile(const std::string& name) override { return storage.Read(name); }
    bool ReplaceFile(const std::string& name, const std::string& bytes) override {
        return storage.Replace(name, bytes);
    }
    bool UpdateFile(const std::string& name, const FileChange& change) override {
        return storage.Update(name, change);
    }

private:
    // Notices are only kept, for the dump.
    host::TableStorage::Teller Teller() {
        return [this](const ui::Notice& notice) { Tell(notice); };
    }
    ui::UniformRandom generator_;
};

} // namespace sim
