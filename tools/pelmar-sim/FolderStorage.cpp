// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderStorage.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sim {

namespace {

// Writes a file under a name no other writer uses, syncs it and renames it
// over the old one, so a reader sees the old file or the new one, whole.
bool WriteAndRename(const std::filesystem::path& path, const std::string& bytes) {
    std::string temporary = path.string() + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    const bool whole = written == bytes.size() && ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!whole || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace

FolderStorage::FolderStorage(std::filesystem::path folder, std::filesystem::path fallback)
    : folder_(std::move(folder)), fallback_(std::move(fallback)) {}

std::filesystem::path FolderStorage::UserDataFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/') {
        return std::filesystem::path(data) / "pelmar";
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : "/tmp") / ".local/share/pelmar";
}

bool FolderStorage::FolderWritable() const {
    // access() also reports a read-only file system, which stops even root.
    return !usingFallback_ && ::access(folder_.c_str(), W_OK) == 0;
}

std::filesystem::path FolderStorage::PathOf(const std::string& name) const {
    return (FolderWritable() ? folder_ : fallback_) / name;
}

std::string FolderStorage::Read(const std::string& name) {
    std::error_code ignored;
    std::filesystem::path path = folder_ / name;
    if (!FolderWritable()) {
        // The user's own copy wins over one shipped beside the program.
        const std::filesystem::path own = fallback_ / name;
        if (std::filesystem::exists(own, ignored) || !std::filesystem::exists(path, ignored)) {
            path = own;
        }
    }
    if (!std::filesystem::exists(path, ignored)) {
        std::filesystem::create_directories(path.parent_path(), ignored);
        if (FILE* created = std::fopen(path.c_str(), "ab")) {
            std::fclose(created);
        }
        return {};
    }
    std::string bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        bytes.resize(MostBytes);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        std::fclose(file);
    }
    return bytes;
}

bool FolderStorage::Replace(const std::string& name, const std::string& bytes) {
    if (FolderWritable() && WriteAndRename(folder_ / name, bytes)) {
        return true;
    }
    std::error_code ignored;
    std::filesystem::create_directories(fallback_, ignored);
    if (WriteAndRename(fallback_ / name, bytes)) {
        usingFallback_ = true;
        return true;
    }
    return false;
}

} // namespace sim
