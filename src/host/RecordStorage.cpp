// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/RecordStorage.h"

#include "game/TableNotices.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <dirent.h>
#include <filesystem>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace host {

namespace {

namespace notices = game::notices;

bool Digits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The folder that would hold `folder` once made: the nearest one that is
// there, and what stat said of it.
std::filesystem::path NearestThere(const std::filesystem::path& folder, struct stat& st) {
    std::filesystem::path above = folder;
    while (::stat(above.c_str(), &st) != 0 && above.has_relative_path()) {
        above = above.parent_path();
    }
    return above;
}

} // namespace

RecordStorage::RecordStorage(std::optional<std::string> folder, Teller tell, files::WriteCall write)
    : tell_(std::move(tell)), write_(std::move(write)) {
    if (folder) {
        folder_ = files::Absolute(*folder);
    }
}

std::string RecordStorage::NameFor(std::optional<double> score, std::time_t when) {
    if (!score) {
        return std::string(LastName);
    }
    char points[400];
    std::snprintf(points, sizeof points, "%.0f", std::isfinite(*score) ? *score : 0.0);
    std::tm local{};
    ::localtime_r(&when, &local);
    char date[64];
    std::strftime(date, sizeof date, "%Y-%m-%d-%H%M%S", &local);
    return std::string(points) + "-" + date + ".sim";
}

bool RecordStorage::IsOwnName(std::string_view name) {
    if (name == LastName) {
        return true;
    }
    constexpr std::string_view suffix = ".sim";
    // '0' stands for a digit.
    constexpr std::string_view date = "-0000-00-00-000000";
    if (!name.ends_with(suffix) || name.size() <= suffix.size() + date.size()) {
        return false;
    }
    name.remove_suffix(suffix.size());
    const std::string_view when = name.substr(name.size() - date.size());
    for (std::size_t i = 0; i < date.size(); ++i) {
        const bool digit = when[i] >= '0' && when[i] <= '9';
        if (date[i] == '0' ? !digit : when[i] != date[i]) {
            return false;
        }
    }
    std::string_view score = name.substr(0, name.size() - date.size());
    if (score.starts_with('-')) {
        score.remove_prefix(1);
    }
    return Digits(score);
}

void RecordStorage::TellOnce(const std::string& where, const std::string& reason) {
    if (!told_ && tell_) {
        told_ = true;
        tell_({notices::RecordNotKept, {where, reason}});
    }
}

void RecordStorage::Check() {
    if (!folder_) {
        return;
    }
    struct stat st {};
    const std::filesystem::path there = NearestThere(*folder_, st);
    if (!S_ISDIR(st.st_mode)) {
        TellOnce(*folder_, notices::NotAFolder);
    } else if (::access(there.c_str(), W_OK | X_OK) != 0) {
        TellOnce(*folder_, files::Reason(errno));
    } else if (const std::string last = files::Join(*folder_, std::string(LastName));
               there == *folder_ && ::lstat(last.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        // Only a folder keeps a file from being renamed over it.
        TellOnce(last, notices::NotAFile);
    }
}

bool RecordStorage::Keep(std::optional<double> score, const std::string& script, std::time_t when) {
    if (!folder_) {
        return false;
    }
    if (const int error = files::MakeFolders(*folder_); error != 0) {
        TellOnce(*folder_, files::Reason(error));
        return false;
    }
    files::RemoveStaleTemporaries(*folder_, IsOwnName, StaleSeconds);
    const std::string name = NameFor(score, when);
    if (const int error = files::WriteAndRename(*folder_, name, script, write_); error != 0) {
        TellOnce(error == EISDIR ? files::Join(*folder_, name) : *folder_, files::Reason(error));
        return false;
    }
    Prune();
    return true;
}

void RecordStorage::Prune() const {
    DIR* dir = ::opendir(folder_->c_str());
    if (dir == nullptr) {
        return;
    }
    // Oldest first; records of the same second by their names.
    std::vector<std::tuple<std::int64_t, std::int64_t, std::string>> scored;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        struct stat st {};
        if (name != LastName && IsOwnName(name) &&
            ::lstat(files::Join(*folder_, name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            scored.emplace_back(st.st_mtim.tv_sec, st.st_mtim.tv_nsec, name);
        }
    }
    ::closedir(dir);
    if (scored.size() <= static_cast<std::size_t>(MostScored)) {
        return;
    }
    std::sort(scored.begin(), scored.end());
    for (std::size_t i = 0; i + MostScored < scored.size(); ++i) {
        ::unlink(files::Join(*folder_, std::get<2>(scored[i])).c_str());
    }
}

} // namespace host
