// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/TableStorage.h"

#include "game/ScoreFormat.h"
#include "game/TableNotices.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace host {

namespace {

namespace notices = game::notices;
using files::Absolute;
using files::Join;
using files::MakeFolders;
using files::Reason;

bool Writable(const std::string& folder) {
    // access() also reports a read-only file system, which stops even root.
    return ::access(folder.c_str(), W_OK) == 0;
}

// Holds the advisory lock beside a table while a save reads and replaces it.
// A lock that cannot be had within a few seconds (a copy of the game stopped
// while it held it) is done without: the rename still keeps the file whole.
class SaveLock {
public:
    explicit SaveLock(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
        struct stat st {};
        if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) {
            ::close(fd_);
            fd_ = -1;
        }
        for (int tries = 0; fd_ >= 0 && tries < 300; ++tries) {
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    ~SaveLock() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

private:
    int fd_ = -1;
};

} // namespace

std::string ProgramFolder() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? Absolute(".") : program.parent_path().string();
}

TableStorage::System TableStorage::RealSystem() {
    return {files::RealWrite(), [](const char* path, int flags) { return ::open(path, flags); }};
}

TableStorage::TableStorage(TableFolders folders, Teller tell, System system)
    : folders_(std::move(folders)), tell_(std::move(tell)), system_(std::move(system)) {
    folders_.program = Absolute(folders_.program);
    if (folders_.data) {
        folders_.data = Absolute(*folders_.data);
    }
}

TableStorage::Found TableStorage::Inspect(const std::string& path) const {
    Found found;
    auto unreadable = [&](std::string reason) {
        found.kind = Found::Kind::Unreadable;
        found.reason = std::move(reason);
        return found;
    };
    // stat follows a link: its target is what is read.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        // A missing file, or a link to one: a save puts a file in its place.
        return errno == ENOENT ? found : unreadable(Reason(errno));
    }
    if (!S_ISREG(st.st_mode)) {
        return unreadable(notices::NotAFile);
    }
    // Not blocking, should a pipe have taken the file's place since.
    const int fd = system_.openToRead(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return unreadable(Reason(errno));
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return unreadable(notices::NotAFile);
    }
    // One byte past the most a table can hold tells a larger file apart.
    std::string bytes(game::scores::MostBytesRead + 1, '\0');
    std::size_t size = 0;
    while (size < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + size, bytes.size() - size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return unreadable(Reason(error));
        }
        if (n == 0) {
            break;
        }
        size += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(size);
    if (!game::scores::HoldsATable(bytes)) {
        return unreadable(notices::NotATable);
    }
    found.kind = Found::Kind::Readable;
    found.bytes = std::move(bytes);
    return found;
}

void TableStorage::Tell(const ui::Notice& notice) {
    if (tell_) {
        tell_(notice);
    }
}

void TableStorage::TellOnce(const ui::Notice& notice) {
    if (tell_ && told_.insert(notice.Filled()).second) {
        tell_(notice);
    }
}

bool TableStorage::SetAside(const std::string& path, const Found& found) {
    const std::string aside = path + ".bad";
    // Never over an earlier one: what was set aside stays.
    if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0) {
        TellOnce({notices::SetAside, {path, found.reason, aside}});
        return true;
    }
    TellOnce({notices::LeftInPlace, {path, found.reason}});
    return false;
}

void TableStorage::Choose(bool act) {
    chosen_ = true;
    const std::string name = game::scores::FileName;
    folder_.reset();
    seed_.reset();
    if (!folders_.installed) {
        Found found = Inspect(Join(folders_.program, name));
        const bool writable = Writable(folders_.program);
        if (found.kind == Found::Kind::Unreadable &&
            (act ? SetAside(Join(folders_.program, name), found) : writable)) {
            found.kind = Found::Kind::Missing;
        }
        if (found.kind != Found::Kind::Unreadable && writable) {
            folder_ = folders_.program;
            return;
        }
        if (found.kind == Found::Kind::Readable) {
            seed_ = found.bytes;
        }
    }
    if (!folders_.data) {
        return;
    }
    const Found found = Inspect(Join(*folders_.data, name));
    if (found.kind == Found::Kind::Unreadable && act &&
        !SetAside(Join(*folders_.data, name), found)) {
        return;
    }
    folder_ = folders_.data;
}

const std::optional<std::string>& TableStorage::Folder() {
    if (!chosen_) {
        Choose(true);
    }
    return folder_;
}

std::optional<std::string> TableStorage::FolderFor(const TableFolders& folders) {
    TableStorage preview(folders, nullptr);
    preview.Choose(false);
    return preview.folder_;
}

std::string TableStorage::Read(const std::string& name) {
    if (!Folder()) {
        return seed_.value_or("");
    }
    const std::string path = Join(*folder_, name);
    const Found found = Inspect(path);
    switch (found.kind) {
    case Found::Kind::Readable:
        return found.bytes;
    case Found::Kind::Missing:
        if (seed_) {
            return *seed_;
        }
        MakeFolders(*folder_);
        if (const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            fd >= 0) {
            ::close(fd);
        }
        return {};
    case Found::Kind::Unreadable:
        // Gone bad since the start: kept, and the table starts empty.
        SetAside(path, found);
        return {};
    }
    return {};
}

bool TableStorage::Update(const std::string& name, const ui::Platform::FileChange& change) {
    if (!Folder()) {
        Tell({notices::NotSaved, {folders_.program, notices::NoFolder}});
        return false;
    }
    const std::string folder = *folder_;
    const std::string path = Join(folder, name);
    if (const int error = MakeFolders(folder); error != 0) {
        Tell({notices::NotSaved, {folder, Reason(error)}});
        return false;
    }
    const SaveLock lock(path + ".lock");
    files::RemoveStaleTemporaries(
        folder, [&](std::string_view file) { return file == name; }, StaleSeconds);
    const Found found = Inspect(path);
    std::string current;
    if (found.kind == Found::Kind::Readable) {
        current = found.bytes;
    } else if (found.kind == Found::Kind::Missing) {
        current = seed_.value_or("");
    } else if (!SetAside(path, found)) {
        Tell({notices::NotSaved, {folder, notices::TableNotReplaceable}});
        return false;
    }
    const auto bytes = change(current);
    if (!bytes) {
        return true;
    }
    if (const int error = files::WriteAndRename(folder, name, *bytes, system_.write); error != 0) {
        Tell({notices::NotSaved, {folder, Reason(error)}});
        return false;
    }
    return true;
}

bool TableStorage::Replace(const std::string& name, const std::string& bytes) {
    return Update(name, [&](const std::string&) { return std::optional<std::string>(bytes); });
}

} // namespace host
