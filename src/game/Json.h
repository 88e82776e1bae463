// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace game {

// Writes compact JSON, putting the commas where they belong.
class JsonWriter {
public:
    JsonWriter& BeginObject() { return Open('{'); }
    JsonWriter& EndObject() { return Close('}'); }
    JsonWriter& BeginArray() { return Open('['); }
    JsonWriter& EndArray() { return Close(']'); }
    JsonWriter& Key(std::string_view key);
    JsonWriter& Number(double value);
    JsonWriter& Bool(bool value);
    JsonWriter& String(std::string_view text);
    JsonWriter& Null();
    // A value already written as JSON.
    JsonWriter& Raw(std::string_view json);
    const std::string& Text() const { return out_; }

private:
    JsonWriter& Open(char bracket);
    JsonWriter& Close(char bracket);
    void Separate();
    std::string out_;
    bool needsComma_ = false;
};

// JSON text of a string, with quotes.
// The length of the UTF-8 character at `at`, 0 where none starts there.
std::size_t CharacterLength(std::string_view text, std::size_t at);
std::string JsonString(std::string_view text);
// JSON number: whole numbers without a fraction; not finite as null.
std::string JsonNumber(double value);
// The JSON text of a top-level member of an object, such as "Clock" of a
// dump; nothing when the object has no such member.
std::optional<std::string> TopLevelValue(const std::string& object, std::string_view key);

} // namespace game
