// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/Host.h"
#include "host/TableStorage.h"

#include <string>

namespace sim {

// The outside world of the game without a window: no clock of its own (the
// script moves the host's), dialogs that take the queued answers or else
// Cancel and Yes, a 1024 x 768 screen, the table in a folder.
class ScriptedFrontEnd : public host::FrontEnd {
public:
    // The program's folder is the working directory.
    ScriptedFrontEnd() { storage.Folder(); }
    // No folder at all: a record's files are the ones it carries.
    struct OffDisk {};
    explicit ScriptedFrontEnd(OffDisk) {}
    ScriptedFrontEnd(const ScriptedFrontEnd&) = delete;
    ScriptedFrontEnd& operator=(const ScriptedFrontEnd&) = delete;

    host::TableStorage storage{{".", host::UserDataFolder()}, Teller()};
    // The table in these folders from now on, chosen at once, as at a start.
    void UseFolders(host::TableFolders folders,
                    host::TableStorage::System system = host::TableStorage::RealSystem()) {
        storage = host::TableStorage(std::move(folders), Teller(), std::move(system));
        storage.Folder();
    }

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
    bool UpdateFile(const std::string& name, const FileChange& change) override {
        return storage.Update(name, change);
    }

private:
    // Notices are only kept, for the dump.
    host::TableStorage::Teller Teller() {
        return [this](const ui::Notice& notice) { Tell(notice); };
    }
};

} // namespace sim
