// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// How a script's commands read their words: one parser for every command.
namespace host::script {

// A number: finite, written as the script writes them; else the line's error.
double Number(std::string_view text);
// A whole number, else the line's error.
long long Whole(std::string_view text);
// The rest of the line after the first `words` words and their spaces.
std::string Rest(std::string_view line, int words);
// The line's error with `message` unless `ok`.
void Expect(bool ok, const std::string& message);

} // namespace host::script

namespace host {

// One line of a script as its command takes it.
struct ScriptLine {
    std::string_view text;               // without its CR
    std::vector<std::string_view> words; // the command first
    std::string& out;                    // what the line prints
    std::size_t argc() const { return words.size() - 1; }
};

} // namespace host
