// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/Host.h"

#include <iosfwd>
#include <stdexcept>
#include <string>

namespace host {

// A script line that cannot be understood.
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The simulator's commands, one a line, run against a host: the clock, the
// draws and the dialog answers as the script sets them, the inputs as the
// player gives them, and what the state reads as JSON lines.
class Script {
public:
    explicit Script(Host& host) : host_(host) {}

    // Runs one line; output goes to `out`. Throws ScriptError on a line it
    // cannot understand. Returns false once the program has ended.
    bool Execute(const std::string& line, std::ostream& out);
    // Runs a whole script; returns the exit status (0, or 2 on a bad line
    // or when the output cannot be written).
    // Lines are numbered from `firstLine` in error messages.
    int Run(std::istream& in, std::ostream& out, std::ostream& err, int firstLine = 1);
    // Whether a line has ended the script (quit, or the program ended).
    bool stopped() const { return stopped_; }

    // The whole state, as `dump` prints it.
    std::string Dump(bool takeSounds = true);
    // The factor a window would show the game at; the simulator has no screen.
    int zoom = 1;
    // The most game time one command may run: a day, in hundredths.
    static constexpr double MostHundredths = 8'640'000;

private:
    ui::Control& ControlByName(std::string_view name);
    std::string Get(std::string_view name);
    void Set(std::string_view name, const std::string& value);

    Host& host_;
    bool stopped_ = false;
};

// "begin CLOCK SEED", a record's first command: the clock and the seed the
// program started with, before its windows were loaded. Nothing when the
// line is not one.
struct Beginning {
    double clock;
    long long seed;
};
std::optional<Beginning> ReadBeginning(const std::string& line);
// "read NAME HEX": a file as the game read it. Nothing when the line is not one.
std::optional<std::pair<std::string, std::string>> ReadRecordedFile(const std::string& line);

} // namespace host
