// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/Files.h"

#include "game/TableNotices.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace host {

namespace {

// $VARIABLE/pelmar where it names an absolute folder (the XDG rules ignore a
// relative one), else $HOME/`underHome`/pelmar; nothing without either.
std::optional<std::string> XdgFolder(const char* variable, const char* underHome) {
    if (const char* xdg = std::getenv(variable); xdg != nullptr && xdg[0] == '/') {
        return std::string(xdg) + "/pelmar";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return std::string(home) + (home[1] == '\0' ? "" : "/") + underHome + "/pelmar";
    }
    return std::nullopt;
}

// "NAME.PID-COUNT.tmp", as WriteAndRename names its new files: NAME, or
// nothing for any other name.
std::optional<std::string_view> TemporaryOf(std::string_view file) {
    constexpr std::string_view suffix = ".tmp";
    if (!file.ends_with(suffix)) {
        return std::nullopt;
    }
    file.remove_suffix(suffix.size());
    const std::size_t dot = file.rfind('.');
    if (dot == std::string_view::npos || dot == 0) {
        return std::nullopt;
    }
    const std::string_view save = file.substr(dot + 1);
    const std::size_t dash = save.find('-');
    const bool digits = save.find_first_not_of("0123456789-") == std::string_view::npos;
    if (!digits || dash == 0 || dash == std::string_view::npos || dash + 1 == save.size() ||
        save.find('-', dash + 1) != std::string_view::npos) {
        return std::nullopt;
    }
    return file.substr(0, dot);
}

} // namespace

std::optional<std::string> UserDataFolder() {
    return XdgFolder("XDG_DATA_HOME", ".local/share");
}

std::optional<std::string> UserConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

namespace files {

namespace notices = game::notices;

WriteCall RealWrite() {
    return [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); };
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder + "/" + name;
}

std::string Absolute(const std::string& folder) {
    std::error_code ignored;
    std::string path = std::filesystem::absolute(folder, ignored).lexically_normal().string();
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

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
    case EISDIR:
        return notices::NotAFile;
    case ENOTDIR:
        return notices::NotAFolder;
    default:
        return std::strerror(error);
    }
}

int MakeFolders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    // A file where a folder should be reads as what it is.
    return error == std::errc::file_exists ? ENOTDIR : error.value();
}

int WriteAndRename(const std::string& folder, const std::string& name, const std::string& bytes,
                   const WriteCall& write) {
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
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
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

void RemoveStaleTemporaries(const std::string& folder,
                            const std::function<bool(std::string_view name)>& ours,
                            int staleSeconds) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    const time_t stale = ::time(nullptr) - staleSeconds;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string file = entry->d_name;
        if (const auto name = TemporaryOf(file); name && ours(*name)) {
            struct stat st {};
            const std::string path = Join(folder, file);
            if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_mtime < stale) {
                ::unlink(path.c_str());
            }
        }
    }
    ::closedir(dir);
}

} // namespace files
} // namespace host
