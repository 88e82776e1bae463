// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/Script.h"

#include "game/Dump.h"
#include "game/Json.h"
#include "ui/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <vector>

namespace host {

namespace {

// Every number of a script: finite, and written as the script writes them.
double Number(std::string_view text) {
    const auto read = ui::ReadDecimal(text);
    if (!read || read->outOfRange || !std::isfinite(read->value)) {
        throw ScriptError("malformed number '" + Printable(text) + "'");
    }
    return read->value;
}

long long Whole(std::string_view text) {
    long long value = 0;
    const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || p != text.data() + text.size()) {
        throw ScriptError("malformed whole number '" + Printable(text) + "'");
    }
    return value;
}

// The rest of the line after the first `words` words and their spaces.
std::string Rest(std::string_view line, int words) {
    std::size_t at = 0;
    for (int i = 0; i < words; ++i) {
        const auto space = line.find(' ', at);
        if (space == std::string_view::npos) {
            return "";
        }
        at = space + 1;
    }
    return std::string(line.substr(at));
}

void Expect(bool ok, const std::string& message) {
    if (!ok) {
        throw ScriptError(message);
    }
}

} // namespace

std::int64_t Script::PlayTicks(std::string_view hundredths) {
    const double total = Number(hundredths);
    Expect(total >= 0 && total <= MostHundredths,
           "play takes from 0 to a day (8640000 hundredths)");
    return std::llround(total * 10);
}

std::string Script::Dump(bool takeSounds) {
    return host_.Dump(takeSounds, {}, zoom);
}

ui::Control& Script::ControlByName(std::string_view name) {
    const auto dot = name.find('.');
    ui::Form* form = host_.windows.FindForm(name.substr(0, dot));
    Expect(form != nullptr, "unknown window in '" + Printable(name) + "'");
    if (dot == std::string_view::npos) {
        return *form;
    }
    std::string_view control = name.substr(dot + 1);
    int index = -1;
    if (const auto open = control.find('('); open != std::string_view::npos) {
        Expect(control.back() == ')', "malformed control '" + Printable(name) + "'");
        index = static_cast<int>(Whole(control.substr(open + 1, control.size() - open - 2)));
        control = control.substr(0, open);
    }
    ui::Control* found = form->Find(control, index);
    Expect(found != nullptr, "unknown control '" + Printable(name) + "'");
    return *found;
}

std::string Script::Get(std::string_view name) {
    if (auto value = game::VariableJson(host_.game, name)) {
        return *value;
    }
    if (auto value = game::TopLevelValue(Dump(false), name)) {
        return *value;
    }
    const auto dot = name.rfind('.');
    Expect(dot != std::string_view::npos, "unknown name '" + Printable(name) + "'");
    const ui::Control& control = ControlByName(name.substr(0, dot));
    const ui::Property* property = control.FindProperty(name.substr(dot + 1));
    Expect(property != nullptr, "unknown property '" + Printable(name) + "'");
    return game::JsonValue(property->get(control));
}

void Script::Set(std::string_view name, const std::string& value) {
    if (game::VariableJson(host_.game, name)) {
        Expect(game::SetVariable(host_.game, name, value),
               "cannot set '" + Printable(name) + "' to '" + Printable(value) + "'");
        return;
    }
    const auto dot = name.rfind('.');
    Expect(dot != std::string_view::npos, "unknown name '" + Printable(name) + "'");
    ui::Control& control = ControlByName(name.substr(0, dot));
    const ui::Property* property = control.FindProperty(name.substr(dot + 1));
    Expect(property != nullptr && property->name != "Picture",
           "cannot set property '" + Printable(name) + "'");
    const ui::PropertyValue current = property->get(control);
    ui::PropertyValue parsed;
    if (std::holds_alternative<std::string>(current)) {
        parsed = value;
    } else if (std::holds_alternative<bool>(current)) {
        Expect(value == "true" || value == "false",
               "expected true or false, not '" + Printable(value) + "'");
        parsed = value == "true";
    } else {
        parsed = Number(value);
    }
    Expect(property->set(control, parsed), "cannot set '" + Printable(name) + "'");
}

bool Script::Execute(const std::string& line, std::ostream& out) {
    Begin(line, out);
    while (!Continue(1 << 20)) {
    }
    if (host_.ended) {
        out << "{\"ended\": true}\n";
        return false;
    }
    return stoppedByLine_;
}

void Script::Begin(const std::string& rawLine, std::ostream& out) {
    firing_ = nullptr;
    stoppedByLine_ = true;
    std::string_view line = rawLine;
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (line.empty() || line.front() == '#' ||
        line.find_first_not_of(" \t") == std::string_view::npos) {
        return;
    }
    const auto words = ScriptWords(line);
    const std::string_view command = words[0];
    const auto argc = words.size() - 1;
    auto needArgs = [&](std::size_t lo, std::size_t hi) {
        Expect(argc >= lo && argc <= hi, "wrong number of words for '" + Printable(command) + "'");
    };
    windows::Cfrm& cfrm = host_.windows.cfrm;
    auto& platform = host_;
    auto& game = host_.game;

    if (command == "clock" || command == "advance") {
        needArgs(1, 1);
        const double clock = Number(words[1]) + (command == "advance" ? platform.clock : 0);
        Expect(clock >= 0 && clock <= MostClock,
               "the clock stays from 0 to a hundred days (864000000 hundredths)");
        platform.clock = clock;
    } else if (command == "timer") {
        needArgs(0, 1);
        const long long n = argc == 1 ? Whole(words[1]) : 1;
        // A firing a millisecond: no more than a day's.
        Expect(n <= static_cast<long long>(MostHundredths) * 10,
               "timer fires at most a day's worth of ticks (86400000)");
        long long fired = 0;
        firing_ = [this, n, fired]() mutable {
            if (fired >= n || host_.ended) {
                return false;
            }
            ++fired;
            host_.FireTimer();
            return true;
        };
    } else if (command == "run") {
        needArgs(1, 2);
        const double total = Number(words[1]);
        const double step = argc == 2 ? Number(words[2]) : 1;
        Expect(step > 0, "run step must be above 0");
        Expect(total <= MostHundredths, "run takes at most a day (8640000 hundredths)");
        Expect(total / step <= MostHundredths * 10, "run takes at most 86400000 steps");
        // The last step is cut short, so the run ends exactly at T.
        double passed = 0;
        firing_ = [this, total, step, passed]() mutable {
            if (passed >= total || host_.ended) {
                return false;
            }
            const double now = std::min(step, total - passed);
            host_.clock += now;
            passed += now;
            host_.FireTimer();
            return true;
        };
    } else if (command == "play") {
        needArgs(1, 1);
        host_.RunTicks(PlayTicks(words[1]));
    } else if (command == "read") {
        const auto file = ReadRecordedFile(std::string(line));
        Expect(file.has_value(), "read takes a file name and its bytes in hex");
        host_.recordedFiles.push_back(*file);
    } else if (command == "begin") {
        throw ScriptError("begin comes only first, before any other command");
    } else if (command == "rnd") {
        needArgs(1, 1000000);
        for (std::size_t i = 1; i < words.size(); ++i) {
            const double v = Number(words[i]);
            Expect(v >= 0 && v < 1, "random value outside [0, 1): " + Printable(words[i]));
            platform.queuedDraws.push_back(v);
        }
    } else if (command == "seed") {
        needArgs(1, 1);
        platform.Randomize(static_cast<double>(Whole(words[1])));
    } else if (command == "keydown" || command == "keyup") {
        needArgs(1, 1);
        const long long code = Whole(words[1]);
        Expect(code >= 0 && code <= 0xFFFF, "key code out of range");
        command == "keydown" ? host_.DoKeyDown(int(code)) : host_.DoKeyUp(int(code));
    } else if (command == "menu") {
        needArgs(1, 1);
        ui::Control* item = cfrm.Find(words[1]);
        Expect(item != nullptr && item->kind() == ui::Kind::Menu && item->onClick,
               "unknown menu entry '" + Printable(words[1]) + "'");
        if (cfrm.Enabled()) {
            item->onClick();
        }
    } else if (command == "answer") {
        if (argc == 0) {
            platform.answers.emplace_back(std::nullopt);
        } else {
            platform.answers.emplace_back(Rest(line, 1));
        }
    } else if (command == "behind") {
        needArgs(1, 1);
        platform.behindDialog.push_back(PlayTicks(words[1]));
    } else if (command == "yes" || command == "no") {
        needArgs(0, 0);
        platform.yesNo.push_back(command == "yes");
    } else if (command == "text") {
        Expect(argc >= 1, "text needs a control");
        ui::Control& box = ControlByName(words[1]);
        Expect(box.kind() == ui::Kind::TextBox, "not a text box: " + Printable(words[1]));
        box.SetText(Rest(line, 2));
    } else if (command == "click") {
        needArgs(1, 1);
        ui::Control& button = ControlByName(words[1]);
        Expect(button.kind() == ui::Kind::Button && button.onClick,
               "not a button: " + Printable(words[1]));
        button.onClick();
    } else if (command == "minimize") {
        needArgs(0, 0);
        cfrm.SetWindowState(1);
    } else if (command == "restore") {
        needArgs(0, 0);
        cfrm.SetWindowState(0);
        cfrm.Form_Paint();
    } else if (command == "paint") {
        needArgs(0, 0);
        cfrm.Form_Paint();
    } else if (command == "lostfocus") {
        needArgs(0, 0);
        cfrm.Form_LostFocus();
    } else if (command == "set") {
        // A text may be set empty: nothing after the name.
        Expect(argc >= 1, "set needs a name and a value");
        Set(words[1], Rest(line, 2));
    } else if (command == "call") {
        Expect(argc >= 1, "call needs a procedure");
        const auto& procedures = game.Procedures();
        const auto it = procedures.find(words[1]);
        Expect(it != procedures.end(), "unknown procedure '" + Printable(words[1]) + "'");
        Expect(argc - 1 == it->second.arguments,
               "wrong number of arguments for '" + Printable(words[1]) + "'");
        std::vector<long long> args;
        for (std::size_t i = 2; i < words.size(); ++i) {
            args.push_back(Whole(words[i]));
        }
        it->second.run(args);
    } else if (command == "get") {
        needArgs(1, 1);
        // The value first: a name that cannot be read writes nothing.
        const std::string value = Get(words[1]);
        out << "{" << game::JsonString(std::string(words[1])) << ": " << value << "}\n";
    } else if (command == "dump") {
        needArgs(0, 0);
        out << Dump() << "\n";
    } else if (command == "pause" || command == "resume") {
        needArgs(0, 0);
        host_.DoPause(command == "pause");
    } else if (command == "zoom") {
        needArgs(1, 1);
        const long long factor = Whole(words[1]);
        Expect(factor >= 1 && factor <= 4, "zoom takes a whole factor from 1 to 4");
        zoom = static_cast<int>(factor);
    } else if (command == "quit") {
        stoppedByLine_ = false;
    } else {
        throw ScriptError("unknown command '" + Printable(command) + "'");
    }
    // After an input the timers it touched count from now, as after the
    // player's: a record's click that starts a game starts its timer on the
    // same millisecond as it did in the window.
    static constexpr std::string_view Inputs[] = {"keydown", "keyup", "menu",      "click",
                                                  "text",    "paint", "lostfocus", "minimize",
                                                  "restore", "set",   "pause",     "resume"};
    if (std::find(std::begin(Inputs), std::end(Inputs), command) != std::end(Inputs)) {
        host_.InputDone();
    }
}

bool Script::Continue(std::int64_t firings) {
    for (std::int64_t i = 0; firing_ && i < firings; ++i) {
        if (!firing_()) {
            firing_ = nullptr;
        }
    }
    return !firing_;
}

int Script::Run(std::istream& in, std::ostream& out, std::ostream& err, int firstLine) {
    std::string line;
    int number = firstLine - 1;
    while (ReadLine(in, line)) {
        ++number;
        try {
            Expect(line.size() <= Script::MostLineBytes,
                   "the line is longer than a script's lines can be");
            const bool more = Execute(line, out);
            if (!out) {
                err << "line " << number << ": the output cannot be written\n";
                return 2;
            }
            if (!more) {
                stopped_ = true;
                break;
            }
        } catch (const ScriptError& e) {
            out.flush();
            err << "line " << number << ": " << e.what() << "\n";
            return 2;
        } catch (const std::out_of_range& e) {
            // A state set by hand that the game cannot work with.
            out.flush();
            err << "line " << number << ": the game met an impossible state: " << e.what() << "\n";
            return 2;
        } catch (const std::exception& e) {
            out.flush();
            err << "line " << number << ": " << Printable(e.what()) << "\n";
            return 2;
        }
    }
    out.flush();
    if (!out) {
        err << "the output cannot be written\n";
        return 2;
    }
    return 0;
}

} // namespace host
