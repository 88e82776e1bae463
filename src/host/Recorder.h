// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// Everything the game reads from outside, written down as a pelmar-sim
// script that plays the session again to the tick: the clock and the seed at
// the start, each file as it was read, the ticks between inputs, each input
// with the answers given to the dialogs it opened.
class Recorder {
public:
    bool on = false;

    // The program starts: the clock in whole milliseconds and the
    // generator's seed.
    void Begin(std::int64_t milliseconds, std::int64_t seed);
    void Tick() { ++ticks_; }
    void Ticks(std::int64_t count) { ticks_ += count; }
    // A file read: played back before whatever comes next, or, read by a
    // tick, just before that tick.
    void FileRead(const std::string& name, const std::string& bytes, bool duringTick);
    // A dialog opens for the player; an input's dialog lets the game run
    // behind it until it is answered.
    void DialogOpens(bool duringTick);
    void DialogCloses();
    // A dialog's answer, written before the input that opened the dialog
    // (after the ticks that ran behind it), or, for a dialog a tick opened,
    // just before that tick.
    void Answer(const std::string& line, bool duringTick);
    // An input, with the answers collected while it ran before it.
    void Input(const std::string& line);
    // The script so far.
    std::string Script() const;
    std::size_t inputs() const { return inputs_; }

private:
    void FlushTicks();
    // The ticks before the one running now; that one stays to come.
    void FlushTicksBeforeThisOne();
    // Milliseconds as hundredths: "12.3".
    static std::string Hundredths(std::int64_t milliseconds);
    static std::string ReadLine(const std::string& name, const std::string& bytes);
    std::vector<std::string> prologue_;
    std::vector<std::string> lines_;
    std::vector<std::string> answers_;
    std::int64_t ticks_ = 0;
    // The ticks counted when each open dialog of an input opened.
    std::vector<std::int64_t> dialogMarks_;
    bool begun_ = false;
    std::size_t inputs_ = 0;
};

// Bytes as two lower-case hex digits each, as the script's read command and
// the browser's storage carry them.
std::string Hex(const std::string& bytes);
// Back from hex; false on anything but pairs of hex digits.
bool FromHex(std::string_view text, std::string& bytes);

} // namespace host
