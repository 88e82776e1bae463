// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "host/Host.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace host {

struct ScriptLine;

// Where a script's bytes come from: a text's or a stream's.
class ScriptInput {
public:
    virtual ~ScriptInput() = default;
    // The next byte, or -1 at the end.
    virtual int Next() = 0;
};

// A text's bytes.
class TextInput final : public ScriptInput {
public:
    explicit TextInput(std::string_view text) : text_(text) {}
    int Next() override {
        return at_ < text_.size() ? static_cast<unsigned char>(text_[at_++]) : -1;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// Where a script's output or its errors go, each line's as the line ends.
// Both return false once the output cannot be written.
class ScriptOutput {
public:
    virtual ~ScriptOutput() = default;
    virtual bool Write(std::string_view text) = 0;
    virtual bool Flush() { return true; }
};

// Output kept as text.
class TextOutput final : public ScriptOutput {
public:
    bool Write(std::string_view text) override {
        this->text += text;
        return true;
    }
    std::string text;
};

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

    // Runs one line; its output is added to `out`. Throws ScriptError on a
    // line it cannot understand. Returns false once the program has ended.
    bool Execute(const std::string& line, std::string& out);
    // The same, its output written to a stream (the simulator's, a test's).
    bool Execute(const std::string& line, std::ostream& out);
    // Starts one line: a command of many firings (timer N, run T S) is left
    // to Continue, so a replay can spread it over frames.
    void Begin(const std::string& line, std::string& out);
    // Runs up to `firings` of the command begun; true once nothing is left.
    bool Continue(std::int64_t firings);
    // The ticks of a "play T" line, T checked as every number of a script is.
    static std::int64_t PlayTicks(std::string_view hundredths);
    // Runs a whole script; returns the exit status (0, or 2 on a bad line
    // or when the output cannot be written).
    // Lines are numbered from `firstLine` in error messages.
    int Run(ScriptInput& in, ScriptOutput& out, ScriptOutput& err, int firstLine = 1);
    // The same on streams. (Only the simulator and the tests read scripts
    // from streams: the browser's program is built without them.)
    int Run(std::istream& in, std::ostream& out, std::ostream& err, int firstLine = 1);
    // Whether a line has ended the script (quit, or the program ended).
    bool stopped() const { return stopped_; }

    // The whole state, as `dump` prints it.
    std::string Dump(bool takeSounds = true);
    // The factor a window would show the game at; the simulator has no screen.
    int zoom = 1;
    // The most game time one command may run: a day, in hundredths.
    static constexpr double MostHundredths = 8'640'000;
    // The clock stays within a hundred days: the belt and the items are
    // placed from it in whole twips.
    static constexpr double MostClock = 864'000'000;
    // The longest line: a table's bytes in hex fit many times over.
    static constexpr std::size_t MostLineBytes = 1 << 20;

private:
    // A command: its name, how many words may follow it, whether it is an
    // input the player could give, and what it does.
    struct Command {
        std::string_view name;
        std::size_t least;
        std::size_t most;
        bool input;
        void (*run)(Script&, const ScriptLine&);
    };
    static const Command Commands[];
    static const Command* FindCommand(std::string_view name);
    static int KeyCode(std::string_view word);
    void SetClock(double value, bool advance);
    void StartTimer(long long firings);
    void StartRun(double total, double step);
    void ChooseMenu(std::string_view name);
    void Call(const ScriptLine& line);
    ui::Control& ControlByName(std::string_view name);
    std::string Get(std::string_view name);
    void Set(std::string_view name, const std::string& value);

    Host& host_;
    bool stopped_ = false;
    // What is left of the command begun: one firing a call, false once done.
    std::function<bool()> firing_;
    // False after a quit line.
    bool stoppedByLine_ = true;
};

// The words of a line, split at each single space (two spaces make an empty word).
std::vector<std::string_view> ScriptWords(std::string_view line);
// One line of a script, however long: a line over Script::MostLineBytes
// comes back cut to one byte over, so it is refused, never held whole.
bool ReadLine(ScriptInput& in, std::string& line);
// A script's text as a message may show it: control bytes and bytes that are
// not UTF-8 escaped, and no longer than `most` bytes.
std::string Printable(std::string_view text, std::size_t most = 80);

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

// How a script starts: a record first has the files the program read while
// loading and its beginning; any other script has its first command there.
struct ScriptStart {
    std::deque<std::pair<std::string, std::string>> files;
    std::optional<Beginning> beginning;
    // The first line that is neither, and the number of the last line read.
    std::optional<std::string> firstCommand;
    int lines = 0;
};
ScriptStart ReadScriptStart(ScriptInput& in);
// The same from a stream, which is left after the last line read.
ScriptStart ReadScriptStart(std::istream& in);

} // namespace host
