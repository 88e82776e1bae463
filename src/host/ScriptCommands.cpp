// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator's commands: each its name, how many words it takes, whether
// it is an input the player could give, and what it does.
#include "host/Script.h"
#include "host/ScriptLine.h"

#include "game/Json.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace host {

using namespace script;

namespace {

constexpr std::size_t Any = std::numeric_limits<std::size_t>::max();

} // namespace

namespace {
using L = const ScriptLine&;
} // namespace

const Script::Command Script::Commands[] = {
        // ---- time and chance ----
        {"clock", 1, 1, false, [](Script& s, L l) { s.SetClock(Number(l.words[1]), false); }},
        {"advance", 1, 1, false, [](Script& s, L l) { s.SetClock(Number(l.words[1]), true); }},
        {"timer", 0, 1, false,
         [](Script& s, L l) { s.StartTimer(l.argc() == 1 ? Whole(l.words[1]) : 1); }},
        {"run", 1, 2, false,
         [](Script& s, L l) {
             s.StartRun(Number(l.words[1]), l.argc() == 2 ? Number(l.words[2]) : 1);
         }},
        {"play", 1, 1, false, [](Script& s, L l) { s.host_.RunTicks(PlayTicks(l.words[1])); }},
        {"rnd", 1, 1000000, false,
         [](Script& s, L l) {
             for (std::size_t i = 1; i < l.words.size(); ++i) {
                 const double v = Number(l.words[i]);
                 Expect(v >= 0 && v < 1, "random value outside [0, 1): " + Printable(l.words[i]));
                 s.host_.scripted().queuedDraws.push_back(v);
             }
         }},
        {"seed", 1, 1, false,
         [](Script& s, L l) { s.host_.Randomize(static_cast<double>(Whole(l.words[1]))); }},
        // ---- what the record holds for the dialogs and files to come ----
        {"read", 0, Any, false,
         [](Script& s, L l) {
             const auto file = ReadRecordedFile(std::string(l.text));
             Expect(file.has_value(), "read takes a file name and its bytes in hex");
             s.host_.scripted().recordedFiles.push_back(*file);
         }},
        {"begin", 0, Any, false,
         [](Script&, L) { throw ScriptError("begin comes only first, before any other command"); }},
        {"answer", 0, Any, false,
         [](Script& s, L l) {
             if (l.argc() == 0) {
                 s.host_.scripted().answers.emplace_back(std::nullopt);
             } else {
                 s.host_.scripted().answers.emplace_back(Rest(l.text, 1));
             }
         }},
        {"behind", 1, 1, false,
         [](Script& s, L l) { s.host_.scripted().behindDialog.push_back(PlayTicks(l.words[1])); }},
        {"yes", 0, 0, false, [](Script& s, L) { s.host_.scripted().yesNo.push_back(true); }},
        {"no", 0, 0, false, [](Script& s, L) { s.host_.scripted().yesNo.push_back(false); }},
        // ---- the player's input ----
        {"keydown", 1, 1, true, [](Script& s, L l) { s.host_.DoKeyDown(KeyCode(l.words[1])); }},
        {"keyup", 1, 1, true, [](Script& s, L l) { s.host_.DoKeyUp(KeyCode(l.words[1])); }},
        {"menu", 1, 1, true, [](Script& s, L l) { s.ChooseMenu(l.words[1]); }},
        {"text", 0, Any, true,
         [](Script& s, L l) {
             Expect(l.argc() >= 1, "text needs a control");
             ui::Control& box = s.ControlByName(l.words[1]);
             Expect(box.kind() == ui::Kind::TextBox, "not a text box: " + Printable(l.words[1]));
             box.SetText(Rest(l.text, 2));
         }},
        {"click", 1, 1, true,
         [](Script& s, L l) {
             ui::Control& button = s.ControlByName(l.words[1]);
             Expect(button.kind() == ui::Kind::Button && button.onClick,
                    "not a button: " + Printable(l.words[1]));
             button.onClick();
         }},
        {"minimize", 0, 0, true, [](Script& s, L) { s.host_.windows().cfrm.SetWindowState(1); }},
        {"restore", 0, 0, true,
         [](Script& s, L) {
             s.host_.windows().cfrm.SetWindowState(0);
             s.host_.windows().cfrm.Form_Paint();
         }},
        {"paint", 0, 0, true, [](Script& s, L) { s.host_.windows().cfrm.Form_Paint(); }},
        {"lostfocus", 0, 0, true, [](Script& s, L) { s.host_.windows().cfrm.Form_LostFocus(); }},
        {"pause", 0, 0, true, [](Script& s, L) { s.host_.DoPause(true); }},
        {"resume", 0, 0, true, [](Script& s, L) { s.host_.DoPause(false); }},
        // ---- the state, read and set by hand ----
        {"set", 0, Any, true,
         [](Script& s, L l) {
             // A text may be set empty: nothing after the name.
             Expect(l.argc() >= 1, "set needs a name and a value");
             s.Set(l.words[1], Rest(l.text, 2));
         }},
        {"call", 0, Any, false, [](Script& s, L l) { s.Call(l); }},
        {"get", 1, 1, false,
         [](Script& s, L l) {
             // The value first: a name that cannot be read writes nothing.
             const std::string value = s.Get(l.words[1]);
             l.out += "{" + game::JsonString(std::string(l.words[1])) + ": " + value + "}\n";
         }},
        {"dump", 0, 0, false, [](Script& s, L l) { l.out += s.Dump() + "\n"; }},
        {"zoom", 1, 1, false,
         [](Script& s, L l) {
             const long long factor = Whole(l.words[1]);
             Expect(factor >= 1 && factor <= 4, "zoom takes a whole factor from 1 to 4");
             s.zoom = static_cast<int>(factor);
         }},
        {"quit", 0, Any, false, [](Script& s, L) { s.stoppedByLine_ = false; }},
};

const Script::Command* Script::FindCommand(std::string_view name) {
    const auto found = std::find_if(std::begin(Commands), std::end(Commands),
                                    [name](const Command& c) { return c.name == name; });
    return found == std::end(Commands) ? nullptr : found;
}

int Script::KeyCode(std::string_view word) {
    const long long code = Whole(word);
    Expect(code >= 0 && code <= 0xFFFF, "key code out of range");
    return static_cast<int>(code);
}

void Script::SetClock(double value, bool advance) {
    const double clock = value + (advance ? host_.WallClock() : 0);
    Expect(clock >= 0 && clock <= MostClock,
           "the clock stays from 0 to a hundred days (864000000 hundredths)");
    host_.SetWallClock(clock);
}

void Script::StartTimer(long long n) {
    // A firing a millisecond: no more than a day's.
    Expect(n <= static_cast<long long>(MostHundredths) * 10,
           "timer fires at most a day's worth of ticks (86400000)");
    long long fired = 0;
    firing_ = [this, n, fired]() mutable {
        if (fired >= n || host_.Ended()) {
            return false;
        }
        ++fired;
        host_.Step(0);
        return true;
    };
}

void Script::StartRun(double total, double step) {
    Expect(step > 0, "run step must be above 0");
    Expect(total <= MostHundredths, "run takes at most a day (8640000 hundredths)");
    Expect(total / step <= MostHundredths * 10, "run takes at most 86400000 steps");
    // The last step is cut short, so the run ends exactly at T.
    double passed = 0;
    firing_ = [this, total, step, passed]() mutable {
        if (passed >= total || host_.Ended()) {
            return false;
        }
        const double now = std::min(step, total - passed);
        passed += now;
        host_.Step(now);
        return true;
    };
}

void Script::Call(const ScriptLine& line) {
    Expect(line.argc() >= 1, "call needs a procedure");
    const auto& procedures = host_.game().Procedures();
    const auto it = procedures.find(line.words[1]);
    Expect(it != procedures.end(), "unknown procedure '" + Printable(line.words[1]) + "'");
    Expect(line.argc() - 1 == it->second.arguments,
           "wrong number of arguments for '" + Printable(line.words[1]) + "'");
    std::vector<long long> args;
    for (std::size_t i = 2; i < line.words.size(); ++i) {
        args.push_back(Whole(line.words[i]));
    }
    it->second.run(args);
}

void Script::ChooseMenu(std::string_view name) {
    windows::Cfrm& cfrm = host_.windows().cfrm;
    ui::Control* item = cfrm.Find(name);
    Expect(item != nullptr && item->kind() == ui::Kind::Menu && item->onClick,
           "unknown menu entry '" + Printable(name) + "'");
    if (cfrm.Enabled()) {
        item->onClick();
    }
}

} // namespace host
