// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/Files.h"
#include "ui/Platform.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <sys/types.h>

namespace host {

// The folders the game may keep its high-score table in.
struct TableFolders {
    std::string program;             // the program's own folder
    std::optional<std::string> data; // the user's data folder; none without a home
    bool installed = false;          // an installed game never writes beside the program
};

// The folder of the running program.
std::string ProgramFolder();

// Where the high-score table lives and how it is replaced, the same for every
// front end with files. One folder is chosen at start and is both read and
// written: the program's folder if the table there can be read and the folder
// written, else the user's data folder (where a readable table of the
// program's folder is the starting point until the first save). Nothing that
// could not be read is ever replaced: it is moved aside once as NAME.bad, and
// the player is told. A save re-reads the table under a lock, writes a new
// file beside it, syncs it and renames it over the old one, so a reader sees
// the old table or the new one, and any failure leaves the old one as it was.
// Only regular files are read, never blocking on a pipe or a device; a link
// is replaced as a link, its target untouched.
class TableStorage {
public:
    // The calls a test replaces to bring about a failure it cannot cause for
    // real (a full disk, a file root can still read).
    struct System {
        std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
        std::function<int(const char* path, int flags)> openToRead;
    };
    static System RealSystem();
    using Teller = std::function<void(const ui::Notice&)>;

    TableStorage(TableFolders folders, Teller tell, System system = RealSystem());

    // The folder the table is kept in, chosen on the first call (the front
    // ends call it at start); nothing when no folder can be written.
    const std::optional<std::string>& Folder();
    // The folder a start would choose, without moving or creating anything.
    static std::optional<std::string> FolderFor(const TableFolders& folders);

    // The file's bytes; a missing file reads as empty and is created empty.
    std::string Read(const std::string& name);
    // Read, changed and replaced under the lock; false (and the player told
    // why) when the change could not be saved.
    bool Update(const std::string& name, const ui::Platform::FileChange& change);
    bool Replace(const std::string& name, const std::string& bytes);

    // Temporary files of killed saves older than this are removed by a save.
    static constexpr int StaleSeconds = 60;

private:
    struct Found {
        enum class Kind { Missing, Readable, Unreadable } kind = Kind::Missing;
        std::string bytes;
        std::string reason;
    };
    Found Inspect(const std::string& path) const;
    // Chooses the folder; only when `act` may a table be moved aside.
    void Choose(bool act);
    bool SetAside(const std::string& path, const Found& found);
    void Tell(const ui::Notice& notice);
    // A table set aside is told once a run, however often it is met.
    void TellOnce(const ui::Notice& notice);

    TableFolders folders_;
    Teller tell_;
    System system_;
    bool chosen_ = false;
    std::optional<std::string> folder_;
    // The program folder's table, read where the user's folder has none yet.
    std::optional<std::string> seed_;
    std::set<std::string> told_;
};

} // namespace host
