// SPDX-License-Identifier: GPL-3.0-or-later
// The careful writes every file of the game shares: the high-score table and
// the records of the sessions are replaced whole, never through a link, and
// a failure is told in the game's own words.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace host {

// $XDG_DATA_HOME/pelmar, else $HOME/.local/share/pelmar; nothing when neither
// names an absolute folder, so a game without a home never writes under "/".
std::optional<std::string> UserDataFolder();
// $XDG_CONFIG_HOME/pelmar, else $HOME/.config/pelmar, by the same rules.
std::optional<std::string> UserConfigFolder();

namespace files {

using WriteCall = std::function<ssize_t(int fd, const void* data, std::size_t size)>;
// ::write itself; a test puts a full disk in its place.
WriteCall RealWrite();

std::string Join(const std::string& folder, const std::string& name);
// An absolute folder name, as the player is shown it.
std::string Absolute(const std::string& folder);
// What the player is told for a failed call: the game's words where it has
// some, else the system's.
std::string Reason(int error);
// errno of the failure, 0 when the folder is there.
int MakeFolders(const std::string& folder);
// Writes `bytes` to a new file beside `name`, syncs it and renames it over
// `name`, so a reader sees the old file or the new one whole; a link at
// `name` is replaced, its target untouched. errno of the first failure (the
// old file then stays as it was), 0 when replaced.
int WriteAndRename(const std::string& folder, const std::string& name, const std::string& bytes,
                   const WriteCall& write);
// Removes the temporary files of saves killed before their rename, older
// than `staleSeconds`, of the names `ours` accepts.
void RemoveStaleTemporaries(const std::string& folder,
                            const std::function<bool(std::string_view name)>& ours,
                            int staleSeconds);

} // namespace files
} // namespace host
