// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/TableStorage.h"

#include "game/ScoreFormat.h"
#include "game/TableNotices.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace host {

namespace {

namespace notices = game::notices;

std::string Join(const std::string& folder, const std::string& name) {
    return folder + "/" + name;
}

// An absolute folder name, as the player is shown it.
std::string Absolute(const std::string& folder) {
    std::error_code ignored;
    std::string path = std::filesystem::absolute(folder, ignored).lexically_normal().string();
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// What the player is told for a failed call: the game's words where it has
// some, else the system's.
std::string Reason(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return notices::DiskFull;
    case EACCES:
    case EPERM:
        return notices::NoPermission;
    case EROFS:
        return notices::ReadOnly;
    default:
        return std::strerror(error);
    }
}

bool Writable(const std::string& folder) {
    // access() also reports a read-only file system, which stops even root.
    return ::access(folder.c_str(), W_OK) == 0;
}

// errno of the failure, 0 when the folder is there.
int MakeFolders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return error.value();
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

// Removes the temporary files of saves killed before their rename.
void RemoveStaleTemporaries(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    const std::string prefix = name + ".";
    const std::string suffix = ".tmp";
    const time_t stale = ::time(nullptr) - TableStorage::StaleSeconds;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string file = entry->d_name;
        if (file.size() > prefix.size() + suffix.size() && file.starts_with(prefix) &&
            file.ends_with(suffix)) {
            struct stat st {};
            const std::string path = Join(folder, file);
            if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_mtime < stale) {
                ::unlink(path.c_str());
            }
        }
    }
    ::closedir(dir);
}

} // namespace

std::optional<std::string> UserDataFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/') {
        return std::string(data) + "/pelmar";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return std::string(home) + (home[1] == '\0' ? "" : "/") + ".local/share/pelmar";
    }
    return std::nullopt;
}

std::string ProgramFolder() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? Absolute(".") : program.parent_path().string();
}

TableStorage::System TableStorage::RealSystem() {
    return {[](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
            [](const char* path, int flags) { return ::open(path, flags); }};
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

int TableStorage::WriteAndRename(const std::string& folder, const std::string& name,
                                 const std::string& bytes) const {
    static std::atomic<unsigned> saves{0};
    const std::string path = Join(folder, name);
    const std::string temporary =
        path + "." + std::to_string(::getpid()) + "-" + std::to_string(saves++) + ".tmp";
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        return errno;
    }
    int error = 0;
    for (std::size_t written = 0; written < bytes.size() && error == 0;) {
        const ssize_t n = system_.write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
        } else {
            written += static_cast<std::size_t>(n);
        }
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    // rename replaces a link itself, never the file it points to.
    if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return error;
    }
    // The rename itself reaches the disk with the folder.
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return 0;
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
    RemoveStaleTemporaries(folder, name);
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
    if (const int error = WriteAndRename(folder, name, *bytes); error != 0) {
        Tell({notices::NotSaved, {folder, Reason(error)}});
        return false;
    }
    return true;
}

bool TableStorage::Replace(const std::string& name, const std::string& bytes) {
    return Update(name, [&](const std::string&) { return std::optional<std::string>(bytes); });
}

} // namespace host
