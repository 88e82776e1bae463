// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/Script.h"

#include "host/ScriptLine.h"

#include "game/Dump.h"
#include "game/Json.h"
#include "ui/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

namespace host {

using namespace script;

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
    ui::Form* form = host_.windows().FindForm(name.substr(0, dot));
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
    if (auto value = game::VariableJson(host_.game(), name)) {
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
    if (game::VariableJson(host_.game(), name)) {
        Expect(game::SetVariable(host_.game(), name, value),
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

bool Script::Execute(const std::string& line, std::string& out) {
    Begin(line, out);
    while (!Continue(1 << 20)) {
    }
    if (host_.Ended()) {
        out += "{\"ended\": true}\n";
        return false;
    }
    return stoppedByLine_;
}

void Script::Begin(const std::string& rawLine, std::string& out) {
    firing_ = nullptr;
    stoppedByLine_ = true;
    std::string_view text = rawLine;
    if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
    }
    if (text.empty() || text.front() == '#' ||
        text.find_first_not_of(" \t") == std::string_view::npos) {
        return;
    }
    const ScriptLine line{text, ScriptWords(text), out};
    const std::string_view name = line.words[0];
    const Command* command = FindCommand(name);
    if (command == nullptr) {
        throw ScriptError("unknown command '" + Printable(name) + "'");
    }
    Expect(line.argc() >= command->least && line.argc() <= command->most,
           "wrong number of words for '" + Printable(name) + "'");
    command->run(*this, line);
    if (command->input) {
        // After an input the timers it touched count from now, as after the
        // player's: a record's click that starts a game starts its timer on
        // the same millisecond as it did in the window.
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

int Script::Run(ScriptInput& in, ScriptOutput& out, ScriptOutput& err, int firstLine) {
    std::string line;
    std::string printed;
    int number = firstLine - 1;
    const auto fail = [&](const std::string& message) {
        // What the line printed before it failed comes first.
        out.Write(printed);
        out.Flush();
        err.Write("line " + std::to_string(number) + ": " + message + "\n");
        return 2;
    };
    while (ReadLine(in, line)) {
        ++number;
        printed.clear();
        try {
            Expect(line.size() <= Script::MostLineBytes,
                   "the line is longer than a script's lines can be");
            const bool more = Execute(line, printed);
            if (!out.Write(printed)) {
                err.Write("line " + std::to_string(number) + ": the output cannot be written\n");
                return 2;
            }
            if (!more) {
                stopped_ = true;
                break;
            }
        } catch (const ScriptError& e) {
            return fail(e.what());
        } catch (const std::out_of_range& e) {
            // A state set by hand that the game cannot work with.
            return fail(std::string("the game met an impossible state: ") + e.what());
        } catch (const std::exception& e) {
            return fail(Printable(e.what()));
        }
    }
    if (!out.Flush()) {
        err.Write("the output cannot be written\n");
        return 2;
    }
    return 0;
}

} // namespace host
