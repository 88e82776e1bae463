// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/ScoreFormat.h"

#include "ui/NumberText.h"

#include <algorithm>
#include <cmath>

namespace game::scores {

namespace {

// Windows-1252 0x80..0x9F; the five unassigned bytes stand for the C1
// controls of the same number, so any byte reads and writes back unchanged.
constexpr std::array<char32_t, 32> High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The code points of a UTF-8 text; nothing if it is not valid UTF-8.
std::optional<std::u32string> CodePoints(std::string_view utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const int extra = b < 0x80             ? 0
                          : (b & 0xE0) == 0xC0 ? 1
                          : (b & 0xF0) == 0xE0 ? 2
                          : (b & 0xF8) == 0xF0 ? 3
                                               : -1;
        if (extra < 0 || utf8.size() - i <= static_cast<std::size_t>(extra)) {
            return std::nullopt;
        }
        char32_t c = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            c = (c << 6) | (next & 0x3F);
        }
        out += c;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::optional<unsigned char> CodePageByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<unsigned char>(c);
    }
    const auto it = std::find(High.begin(), High.end(), c);
    if (it != High.end()) {
        return static_cast<unsigned char>(0x80 + (it - High.begin()));
    }
    return std::nullopt;
}

// Bytes whose flipped values are CR and LF: ó and ö.
constexpr unsigned char FlipsToCr = 256 - 13;
constexpr unsigned char FlipsToLf = 256 - 10;

} // namespace

std::optional<std::string> ToCodePage(std::string_view utf8) {
    const auto points = CodePoints(utf8);
    if (!points) {
        return std::nullopt;
    }
    std::string out;
    for (char32_t c : *points) {
        const auto byte = CodePageByte(c);
        if (!byte) {
            return std::nullopt;
        }
        out += static_cast<char>(*byte);
    }
    return out;
}

std::string FromCodePage(std::string_view bytes) {
    std::string out;
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        AppendUtf8(out, b >= 0x80 && b < 0xA0 ? High[b - 0x80] : char32_t{b});
    }
    return out;
}

bool NameFits(std::string_view utf8) {
    const auto bytes = ToCodePage(utf8);
    if (!bytes) {
        return false;
    }
    for (std::size_t i = 0; i < bytes->size(); ++i) {
        const auto b = static_cast<unsigned char>((*bytes)[i]);
        const bool control =
            b < 0x20 || b == 0x7F || (b >= 0x80 && b < 0xA0 && High[b - 0x80] < 0xA0);
        if (control) {
            return false;
        }
        if (b == FlipsToCr && i + 1 < bytes->size() &&
            static_cast<unsigned char>((*bytes)[i + 1]) == FlipsToLf) {
            return false;
        }
    }
    return true;
}

std::string Flip(std::string_view line) {
    std::string out(line);
    for (char& ch : out) {
        ch = static_cast<char>(256 - static_cast<unsigned char>(ch));
    }
    return out;
}

std::string PointsText(std::int64_t points) {
    std::string text = points >= 0 ? " " : "";
    return text.append(std::to_string(points));
}

std::int64_t ReadPoints(std::string_view text) {
    // A Double holds whole numbers exactly up to 2^53.
    constexpr double limit = 9007199254740992.0;
    return static_cast<std::int64_t>(
        std::clamp(std::nearbyint(ui::LeadingNumber(text)), -limit, limit));
}

std::string Write(const std::vector<Record>& records) {
    std::string out;
    for (const Record& r : records) {
        std::string line;
        line += static_cast<char>(r.table);
        line += static_cast<char>(r.level);
        std::string name = ToCodePage(r.name).value_or(std::string());
        name.resize(NameLength, ' ');
        line += name;
        line += PointsText(r.points);
        out += Flip(line);
        out += "\r\n";
    }
    return out;
}

namespace {

// The lines of a file, in file order. Lines end at CR LF; a file that holds
// no CR LF at all had its line ends turned into LF, and there a line ends at an
// LF that comes before the next line's table byte (flipped 1..3) or the end of
// the file, so a name's own LF byte stays in it. The last line needs no line
// end, unless the read limit cut the file there.
template <class Visit> void ForEachLine(std::string_view bytes, Visit&& visit) {
    const bool cut = bytes.size() > MostBytesRead;
    bytes = bytes.substr(0, MostBytesRead);
    const bool lfOnly = bytes.find("\r\n") == std::string_view::npos;
    auto lineEnd = [&](std::size_t from) -> std::pair<std::size_t, std::size_t> {
        if (!lfOnly) {
            return {bytes.find("\r\n", from), 2};
        }
        for (std::size_t at = bytes.find('\n', from); at != std::string_view::npos;
             at = bytes.find('\n', at + 1)) {
            const bool last = at + 1 == bytes.size();
            if (last || static_cast<unsigned char>(bytes[at + 1]) >= 256 - Tables) {
                return {at, 1};
            }
        }
        return {std::string_view::npos, 0};
    };
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto [end, length] = lineEnd(start);
        if (end == std::string_view::npos) {
            if (!cut) {
                visit(bytes.substr(start));
            }
            return;
        }
        visit(bytes.substr(start, end - start));
        start = end + length;
    }
}

// The record a line holds, if it holds one.
std::optional<Record> RecordOf(std::string_view raw) {
    if (raw.size() < 2 || raw.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    const std::string line = Flip(raw);
    const int table = static_cast<unsigned char>(line[0]);
    if (table < 1 || table > Tables) {
        return std::nullopt;
    }
    Record r;
    r.table = table;
    r.level = static_cast<unsigned char>(line[1]);
    r.name = FromCodePage(std::string_view(line).substr(2, NameLength));
    r.points = line.size() > 2 + NameLength
                   ? ReadPoints(std::string_view(line).substr(2 + NameLength))
                   : 0;
    return r;
}

// Whether a line is a record as the game writes one: a table, a level, a name
// of printable characters and points that start with a number, if it reaches
// that far. Random bytes hardly ever look like that.
bool LooksWritten(std::string_view raw) {
    if (!RecordOf(raw)) {
        return false;
    }
    const std::string line = Flip(raw);
    const std::string_view name = std::string_view(line).substr(2, NameLength);
    const bool printable = std::all_of(name.begin(), name.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b >= 0x20 && b != 0x7F;
    });
    if (!printable || line.size() <= 2 + NameLength) {
        return printable;
    }
    std::string_view points = std::string_view(line).substr(2 + NameLength);
    points.remove_prefix(std::min(points.find_first_not_of(' '), points.size()));
    if (!points.empty() && points.front() == '-') {
        points.remove_prefix(1);
    }
    return !points.empty() && points.front() >= '0' && points.front() <= '9';
}

} // namespace

std::vector<Record> Read(std::string_view bytes) {
    std::vector<Record> records;
    ForEachLine(bytes, [&](std::string_view raw) {
        if (auto record = RecordOf(raw)) {
            records.push_back(std::move(*record));
        }
    });
    return records;
}

bool HoldsATable(std::string_view bytes) {
    bool found = bytes.empty();
    ForEachLine(bytes, [&](std::string_view raw) { found = found || LooksWritten(raw); });
    return found;
}

} // namespace game::scores
