// SPDX-License-Identifier: GPL-3.0-or-later
// A script as text: its lines, its words, the start of a record, and its
// bytes as a message may show them.
#include "host/Script.h"

#include "game/Json.h"
#include "host/Recorder.h"
#include "host/ScriptLine.h"
#include "ui/NumberText.h"

#include <charconv>
#include <cmath>

namespace host {

std::vector<std::string_view> ScriptWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    while (start <= line.size()) {
        const auto space = line.find(' ', start);
        const auto end = space == std::string_view::npos ? line.size() : space;
        words.push_back(line.substr(start, end - start));
        if (space == std::string_view::npos) {
            break;
        }
        start = space + 1;
    }
    return words;
}

std::string Printable(std::string_view text, std::size_t most) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (out.size() >= most) {
            return out + "...";
        }
        const auto b = static_cast<unsigned char>(text[i]);
        const std::size_t length = game::CharacterLength(text, i);
        if (length == 0 || b < 0x20 || b == 0x7F) {
            static constexpr char Digits[] = "0123456789abcdef";
            out += "\\x";
            out += Digits[b >> 4];
            out += Digits[b & 15];
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

bool ReadLine(ScriptInput& in, std::string& line) {
    line.clear();
    for (;;) {
        const int c = in.Next();
        if (c < 0) {
            return !line.empty();
        }
        if (c == '\n') {
            return true;
        }
        if (line.size() > Script::MostLineBytes) {
            // The rest of an endless line is passed over; the line is refused.
            continue;
        }
        line += static_cast<char>(c);
    }
}

std::optional<Beginning> ReadBeginning(const std::string& line) {
    const auto words = ScriptWords(line);
    if (words.size() != 3 || words[0] != "begin") {
        return std::nullopt;
    }
    const auto clock = ui::ReadDecimal(words[1]);
    long long seed = 0;
    const auto [end, ec] =
        std::from_chars(words[2].data(), words[2].data() + words[2].size(), seed);
    if (!clock || clock->outOfRange || clock->value <= 0 || clock->value > Script::MostClock ||
        ec != std::errc() || end != words[2].data() + words[2].size()) {
        return std::nullopt;
    }
    return Beginning{clock->value, seed};
}

std::optional<std::pair<std::string, std::string>> ReadRecordedFile(const std::string& line) {
    const auto words = ScriptWords(line);
    std::string bytes;
    // "-" stands for a missing or empty file.
    if (words.size() != 3 || words[0] != "read" || words[1].empty() ||
        (words[2] != "-" && !FromHex(words[2], bytes))) {
        return std::nullopt;
    }
    return std::pair{std::string(words[1]), bytes};
}

ScriptStart ReadScriptStart(ScriptInput& in) {
    ScriptStart start;
    std::string line;
    while (ReadLine(in, line)) {
        ++start.lines;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (auto file = ReadRecordedFile(line)) {
            start.files.push_back(std::move(*file));
            continue;
        }
        start.beginning = ReadBeginning(line);
        if (!start.beginning) {
            start.firstCommand = line;
        }
        break;
    }
    return start;
}

} // namespace host

namespace host::script {

// Every number of a script: finite, and written as the script writes them.
double Number(std::string_view text) {
    const auto read = ui::ReadDecimal(text);
    if (!read || read->outOfRange || !std::isfinite(read->value)) {
        throw ScriptError("malformed number '" + Printable(text) + "'");
    }
    return read->value;
}

long long Whole(std::string_view text) {
    long long value = 0;
    const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || p != text.data() + text.size()) {
        throw ScriptError("malformed whole number '" + Printable(text) + "'");
    }
    return value;
}

// The rest of the line after the first `words` words and their spaces.
std::string Rest(std::string_view line, int words) {
    std::size_t at = 0;
    for (int i = 0; i < words; ++i) {
        const auto space = line.find(' ', at);
        if (space == std::string_view::npos) {
            return "";
        }
        at = space + 1;
    }
    return std::string(line.substr(at));
}

void Expect(bool ok, const std::string& message) {
    if (!ok) {
        throw ScriptError(message);
    }
}

} // namespace host::script
