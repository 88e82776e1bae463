// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/Json.h"

#include "ui/NumberText.h"

#include <cmath>
#include <cstdio>

namespace game {

std::size_t CharacterLength(std::string_view text, std::size_t at) {
    const auto b = static_cast<unsigned char>(text[at]);
    const std::size_t length = b < 0x80                ? 1
                               : b >= 0xC2 && b < 0xE0 ? 2
                               : b >= 0xE0 && b < 0xF0 ? 3
                               : b >= 0xF0 && b < 0xF5 ? 4
                                                       : 0;
    if (length == 0 || text.size() - at < length) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char ch = text[at];
        const auto c = static_cast<unsigned char>(ch);
        // JSON is UTF-8: a byte that starts no character stands as U+FFFD.
        if (c >= 0x80) {
            const std::size_t length = CharacterLength(text, at);
            if (length == 0) {
                out += "\\ufffd";
            } else {
                out.append(text.substr(at, length));
                at += length - 1;
            }
            continue;
        }
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    // Written the same under every locale: the decimal point is always '.'.
    const bool whole = value == std::floor(value) && std::fabs(value) < 1e17;
    return whole ? ui::WholeNumberText(value) : ui::SignificantText(value);
}

void JsonWriter::Separate() {
    if (needsComma_) {
        out_ += ',';
    }
    needsComma_ = true;
}

JsonWriter& JsonWriter::Open(char bracket) {
    Separate();
    out_ += bracket;
    needsComma_ = false;
    return *this;
}

JsonWriter& JsonWriter::Close(char bracket) {
    out_ += bracket;
    needsComma_ = true;
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    Separate();
    out_ += JsonString(key);
    out_ += ':';
    needsComma_ = false;
    return *this;
}

JsonWriter& JsonWriter::Number(double value) {
    return Raw(JsonNumber(value));
}

JsonWriter& JsonWriter::Bool(bool value) {
    return Raw(value ? "true" : "false");
}

JsonWriter& JsonWriter::String(std::string_view text) {
    return Raw(JsonString(text));
}

JsonWriter& JsonWriter::Null() {
    return Raw("null");
}

JsonWriter& JsonWriter::Raw(std::string_view json) {
    Separate();
    out_ += json;
    return *this;
}

// The JSON text of a top-level member of an object, such as "Clock" of a dump.
std::optional<std::string> TopLevelValue(const std::string& object, std::string_view key) {
    const std::string wanted = JsonString(key) + ":";
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < object.size(); ++i) {
        const char c = object[i];
        if (inString) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (c == '"' && depth == 1 && object.compare(i, wanted.size(), wanted) == 0) {
            // The value runs to the comma or brace that closes it at this depth.
            const std::size_t start = i + wanted.size();
            int inner = 0;
            bool quoted = false;
            for (std::size_t j = start; j < object.size(); ++j) {
                const char d = object[j];
                if (quoted) {
                    j += d == '\\';
                    quoted = d != '"';
                } else if (d == '"') {
                    quoted = true;
                } else if (d == '{' || d == '[') {
                    ++inner;
                } else if (d == '}' || d == ']' || d == ',') {
                    // A comma inside a nested value belongs to it; a closing
                    // bracket ends a nested value, or at depth 0 this one.
                    if (inner == 0) {
                        return object.substr(start, j - start);
                    }
                    inner -= d != ',';
                }
            }
            return std::nullopt;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
    return std::nullopt;
}

} // namespace game
