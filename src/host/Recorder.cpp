// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/Recorder.h"

namespace host {

std::string Recorder::ReadLine(const std::string& name, const std::string& bytes) {
    // An empty file as "-", so the line keeps its three words.
    return "read " + name + " " + (bytes.empty() ? std::string("-") : Hex(bytes));
}

std::string Recorder::Hundredths(std::int64_t milliseconds) {
    const std::string whole = std::to_string(milliseconds / 10);
    return milliseconds % 10 != 0 ? whole + "." + std::to_string(milliseconds % 10) : whole;
}

void Recorder::Begin(std::int64_t milliseconds, std::int64_t seed) {
    begun_ = true;
    lines_.push_back("begin " + Hundredths(milliseconds) + " " + std::to_string(seed));
}

void Recorder::FlushTicks() {
    if (ticks_ > 0) {
        lines_.push_back("play " + Hundredths(ticks_));
        ticks_ = 0;
    }
}

void Recorder::FlushTicksBeforeThisOne() {
    if (ticks_ > 1) {
        lines_.push_back("play " + Hundredths(ticks_ - 1));
        ticks_ = 1;
    }
}

void Recorder::FileRead(const std::string& name, const std::string& bytes, bool duringTick) {
    if (!on) {
        return;
    }
    // Files read while the program starts are read before its first game.
    if (!begun_) {
        prologue_.push_back(ReadLine(name, bytes));
        return;
    }
    duringTick ? FlushTicksBeforeThisOne() : FlushTicks();
    lines_.push_back(ReadLine(name, bytes));
}

void Recorder::DialogOpens(bool duringTick) {
    // No ticks run behind a dialog that a tick opened.
    dialogMarks_.push_back(duringTick ? -1 : ticks_);
}

void Recorder::DialogCloses() {
    if (dialogMarks_.empty()) {
        return;
    }
    const std::int64_t mark = dialogMarks_.back();
    dialogMarks_.pop_back();
    if (mark < 0 || mark > ticks_) {
        return;
    }
    // The ticks behind the dialog belong to the input that opened it:
    // played back, the dialog runs them before it answers.
    const std::int64_t behind = ticks_ - mark;
    ticks_ = mark;
    // Written even when none ran, so each answer meets its own.
    if (on) {
        answers_.push_back("behind " + Hundredths(behind));
    }
}

void Recorder::Answer(const std::string& line, bool duringTick) {
    if (duringTick && on) {
        // Played back, the answer must wait in its queue before the tick
        // that asks.
        FlushTicksBeforeThisOne();
        lines_.push_back(line);
        return;
    }
    answers_.push_back(line);
}

void Recorder::Input(const std::string& line) {
    if (!on) {
        answers_.clear();
        return;
    }
    FlushTicks();
    for (std::string& answer : answers_) {
        lines_.push_back(std::move(answer));
    }
    answers_.clear();
    lines_.push_back(line);
    ++inputs_;
}

std::string Recorder::Script() const {
    std::string out =
        "# Vulcro Pelmar: a recorded session; play it with pelmar-sim or pelmar --replay\n";
    for (const auto& line : prologue_) {
        out += line + "\n";
    }
    for (const auto& line : lines_) {
        out += line + "\n";
    }
    if (ticks_ > 0) {
        out += "play " + Hundredths(ticks_) + "\n";
    }
    return out;
}

std::string Hex(const std::string& bytes) {
    static constexpr char Digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const unsigned char c : bytes) {
        out += Digits[c >> 4];
        out += Digits[c & 15];
    }
    return out;
}

bool FromHex(std::string_view text, std::string& bytes) {
    bytes.clear();
    auto value = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    if (text.size() % 2 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int hi = value(text[i]);
        const int lo = value(text[i + 1]);
        if (hi < 0 || lo < 0) {
            return false;
        }
        bytes += static_cast<char>(hi * 16 + lo);
    }
    return true;
}

} // namespace host
