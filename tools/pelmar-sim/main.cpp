// SPDX-License-Identifier: GPL-3.0-or-later
// pelmar-sim: the game without a window, driven by a script on standard input.
#include "Simulator.h"

#include <deque>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string_view>

namespace {

constexpr std::string_view Help = R"(usage: pelmar-sim < SCRIPT

Runs the game without a window: a scripted clock, random draws and dialog
answers, one command a line; writes one JSON line for each get and dump.

  clock T | advance T         set the clock, or move it on (hundredths)
  timer [N]                   fire the play timer N times; the clock stays
  run T [S]                   advance S (default 1) and fire, until exactly T
                              has passed: the last step is cut short
  play T                      T hundredths in 1 ms ticks, as the real program
                              runs them: every timer fires at its interval
  rnd X ... | seed N          queue draws in [0, 1); reseed the generator
  keydown CODE | keyup CODE   key events (17 Ctrl, 32 Space, 37-40 arrows)
  menu NAME                   a main-window menu entry (MenuNovo, MenuFase, ...)
  answer [TEXT] | yes | no    queue an input box answer (none: Cancel), a Yes/No
  behind T                    T hundredths of play that run behind the next
                              dialog answered from the queue, before it answers
  text FORM.CONTROL [TEXT]    type into a text box (empty text allowed)
  click FORM.CONTROL          press a button
  minimize | restore | paint | lostfocus
  set NAME [VALUE]            a variable or property; a text may be set empty
  call NAME [ARG ...]         run a game procedure
  get NAME                    a variable, a property, or any top-level name of
                              dump (Clock, HelpOpened, LastInputBox, BestForm...)
  pause | resume              the player's pause: the clock stands still, the
                              timer and key presses do nothing
  zoom N                      the factor (1 to 4) a window would show
  dump | quit

A record of a real session (the game writes them to its data folder) starts
with the files the program read while loading ("read NAME HEX") and the
clock and seed it started with ("begin CLOCK SEED"); played back, it ends in
the state the real game ended in. A record is played without touching any
file: the table is the one it read, and nothing is written.

A line it cannot understand is reported on standard error with its line
number, and it exits with status 2; standard output only ever holds whole
JSON lines.
)";

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        const std::string_view arg = argv[1];
        std::cout << Help;
        return arg == "--help" || arg == "-h" ? 0 : 2;
    }
    std::ios::sync_with_stdio(false);
    // A record begins with the files read at start and the beginning; any
    // other script starts the simulator as it always starts.
    host::ScriptStart start = host::ReadScriptStart(std::cin);
    auto simulator =
        start.beginning ? std::make_unique<sim::Simulator>(*start.beginning, std::move(start.files))
                        : std::make_unique<sim::Simulator>();
    if (!start.beginning) {
        // Files read before a script's first command are read first.
        simulator->platform.scripted().recordedFiles = std::move(start.files);
    }
    int next = start.lines + 1;
    if (start.firstCommand) {
        std::istringstream first(*start.firstCommand + "\n");
        const int status = simulator->Run(first, std::cout, std::cerr, start.lines);
        if (status != 0 || simulator->script.stopped()) {
            return status;
        }
    }
    return simulator->Run(std::cin, std::cout, std::cerr, next);
}
