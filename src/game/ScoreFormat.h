// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The high-score file "pelmar.Dat" as bytes (reading and replacing the
// file is the front end's job): one line per record, every byte flipped
// to 256 - c, lines ended by CR LF. Names are held as UTF-8 in the game and
// as Windows-1252 bytes in the file.
namespace game::scores {

inline constexpr int Tables = 3;
inline constexpr int Places = 7;
inline constexpr int NameLength = 15;
// More than a full file of sensible lines: the rest of a larger file is not read.
inline constexpr std::size_t MostBytesRead = 64 * 1024;

struct Record {
    int table = 0;
    int level = 0;    // 1..255 as stored; 0 marks an empty place
    std::string name; // UTF-8
    std::int64_t points = 0;
};

// Windows-1252 byte for a UTF-8 character sequence; nothing for a character
// the code page lacks.
std::optional<std::string> ToCodePage(std::string_view utf8);
std::string FromCodePage(std::string_view bytes);

// What the name box accepts: characters of the code page, no control
// characters, and no pair whose flipped bytes would end a line (ó then ö).
bool NameFits(std::string_view utf8);

std::string Flip(std::string_view line);

// The file's bytes for the given records, in the order given.
std::string Write(const std::vector<Record>& records);

// Every record of a file, in file order. Lines are split at CR LF, or at LF
// in a file that holds no CR LF (its line ends were converted); the last line
// needs no line end. Lines too short to hold a table and a level, lines
// holding the byte 0 and lines whose table is not 1..3 are skipped, and so is
// the line that the read limit cuts through in a larger file.
std::vector<Record> Read(std::string_view bytes);
// Whether a file holds a table at all: it is empty, or one of its lines is a
// record as the game writes one (a name of printable characters, points that
// start with a number). A picture, a text or random bytes hold none.
bool HoldsATable(std::string_view bytes);

// The number at the start of a points text: leading blanks skipped, halves to
// even, kept within what a Double holds exactly.
std::int64_t ReadPoints(std::string_view text);
std::string PointsText(std::int64_t points);

inline constexpr const char* FileName = "pelmar.Dat";

} // namespace game::scores
