// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace sim {

// The game's files in a folder (the program's own, for the simulator its
// working directory), or, where that folder cannot be written, in the user's
// data directory from then on.
class FolderStorage {
public:
    FolderStorage(std::filesystem::path folder, std::filesystem::path fallback);
    // $XDG_DATA_HOME/pelmar, by default ~/.local/share/pelmar.
    static std::filesystem::path UserDataFolder();

    // At most this much of a file is read: the game's files are small.
    static constexpr std::size_t MostBytes = 1 << 20;

    std::string Read(const std::string& name);
    bool Replace(const std::string& name, const std::string& bytes);
    std::filesystem::path PathOf(const std::string& name) const;

private:
    bool FolderWritable() const;

    std::filesystem::path folder_;
    std::filesystem::path fallback_;
    bool usingFallback_ = false;
};

} // namespace sim
