// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FolderStorage.h"
#include "host/Host.h"

#include <string>

namespace sim {

// The outside world of the game without a window: no clock of its own (the
// script moves the host's), dialogs that take the queued answers or else
// Cancel and Yes, a 1024 x 768 screen, files in a folder.
class ScriptedFrontEnd : public host::FrontEnd {
public:
    // The program's folder is the working directory.
    FolderStorage storage{".", FolderStorage::UserDataFolder()};

    std::int64_t Nanoseconds() override { return 0; }
    void WakeIn(int) override {}
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return "";
    }
    bool AskYesNo(const std::string&, const std::string&) override { return true; }
    void OpenHelp(const std::string&) override {}
    ui::ScreenSize Screen() override { return {1024 * 15, 768 * 15}; }
    void EndProgram() override {}
    void PlaySound(std::string_view) override {}
    std::string ReadFile(const std::string& name) override { return storage.Read(name); }
    bool ReplaceFile(const std::string& name, const std::string& bytes) override {
        return storage.Replace(name, bytes);
    }
};

} // namespace sim
