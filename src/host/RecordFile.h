// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <variant>

namespace host {

// A record is a file anyone may hand the player: only a regular file is
// read, and only up to a size no real session comes near.
inline constexpr std::size_t MostRecordBytes = 8 * 1024 * 1024;

// The record's bytes, or why it cannot be read, for the terminal.
std::variant<std::string, std::string> ReadRecordFile(const std::string& path);
inline bool IsRead(const std::variant<std::string, std::string>& read) {
    return read.index() == 0;
}

} // namespace host
