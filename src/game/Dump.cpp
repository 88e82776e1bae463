// SPDX-License-Identifier: GPL-3.0-or-later
// The game's state as JSON, and variables read and set by name, all driven
// by the one list of variables.
#include "game/Dump.h"

#include "ui/NumberText.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace game {

namespace {

template <class T> void Write(JsonWriter& out, const T& value) {
    if constexpr (std::is_same_v<T, std::string>) {
        out.String(value);
    } else {
        out.Number(static_cast<double>(value));
    }
}

template <class T, int Lo, int Hi> void Write(JsonWriter& out, const Array1<T, Lo, Hi>& a) {
    out.BeginArray();
    for (int i = Lo; i <= Hi; ++i) {
        Write(out, a(i));
    }
    out.EndArray();
}

template <class T, int Lo1, int Hi1, int Lo2, int Hi2>
void Write(JsonWriter& out, const Array2<T, Lo1, Hi1, Lo2, Hi2>& a) {
    out.BeginArray();
    for (int i = Lo1; i <= Hi1; ++i) {
        out.BeginArray();
        for (int j = Lo2; j <= Hi2; ++j) {
            Write(out, a(i, j));
        }
        out.EndArray();
    }
    out.EndArray();
}

// A number is taken only within the variable's listed range, so a value the
// game could never hold (a level of 256, a score past a whole-number
// conversion) is refused before anything is touched.
template <class T>
requires(std::is_arithmetic_v<T> ||
         std::is_same_v<T, std::string>) bool Assign(T& value, const std::string& text,
                                                     const VariableInfo& info) {
    if constexpr (std::is_same_v<T, std::string>) {
        value = text;
        return true;
    } else {
        const auto read = ui::ReadDecimal(text);
        if (!read || read->outOfRange) {
            return false;
        }
        const double number = read->value;
        if (!(number >= info.lowest && number <= info.highest)) {
            return false;
        }
        if constexpr (std::is_same_v<T, Integer>) {
            if (number < -32768 || number > 32767 || number != std::floor(number)) {
                return false;
            }
        }
        value = static_cast<T>(number);
        return true;
    }
}

// "Name", "Name(i)" or "Name(i,j)".
struct Address {
    std::string_view base;
    std::vector<int> indexes;
    bool valid = true;
};

Address Parse(std::string_view name) {
    Address address;
    const auto open = name.find('(');
    address.base = name.substr(0, open);
    if (open == std::string_view::npos) {
        return address;
    }
    if (name.back() != ')') {
        address.valid = false;
        return address;
    }
    std::string_view inside = name.substr(open + 1, name.size() - open - 2);
    while (address.valid) {
        const auto comma = inside.find(',');
        std::string_view part = inside.substr(0, comma);
        while (!part.empty() && part.front() == ' ')
            part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ')
            part.remove_suffix(1);
        int index = 0;
        const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), index);
        address.valid = ec == std::errc() && end == part.data() + part.size();
        address.indexes.push_back(index);
        if (comma == std::string_view::npos) {
            break;
        }
        inside.remove_prefix(comma + 1);
    }
    return address;
}

// Runs `use` on the addressed element: the variable itself when no index is
// given, an array element through its checked accessor when the indexes fit.
template <class T, class Use> bool Reach(T& value, const std::vector<int>& at, Use&& use) {
    if (!at.empty()) {
        return false;
    }
    use(value, true);
    return true;
}

template <class T, int Lo, int Hi, class Use>
bool Reach(Array1<T, Lo, Hi>& a, const std::vector<int>& at, Use&& use) {
    if (at.empty()) {
        use(a, false);
        return true;
    }
    if (at.size() != 1 || at[0] < Lo || at[0] > Hi) {
        return false;
    }
    use(a(at[0]), true);
    return true;
}

template <class T, int Lo1, int Hi1, int Lo2, int Hi2, class Use>
bool Reach(Array2<T, Lo1, Hi1, Lo2, Hi2>& a, const std::vector<int>& at, Use&& use) {
    if (at.empty()) {
        use(a, false);
        return true;
    }
    if (at.size() != 2 || at[0] < Lo1 || at[0] > Hi1 || at[1] < Lo2 || at[1] > Hi2) {
        return false;
    }
    use(a(at[0], at[1]), true);
    return true;
}

// Finds the named variable and runs `use(element, isSingleValue, info)` on it.
template <class Use> bool WithVariable(Game& game, std::string_view name, Use&& use) {
    const Address address = Parse(name);
    bool reached = false;
    if (address.valid) {
        game.ForEachVariable([&](const VariableInfo& info, auto& variable) {
            if (!reached && info.name == address.base) {
                reached = Reach(variable, address.indexes,
                                [&](auto& element, bool single) { use(element, single, info); });
            }
        });
    }
    return reached;
}

void WriteBestForm(JsonWriter& out, const windows::BestForm& best) {
    auto table = [&](std::string_view key, auto cell) {
        out.Key(key).BeginArray();
        for (int p = 1; p <= 7; ++p) {
            out.BeginArray();
            for (int t = 1; t <= 3; ++t) {
                cell(p, t);
            }
            out.EndArray();
        }
        out.EndArray();
    };
    out.BeginObject();
    table("BestName", [&](int p, int t) { out.String(best.BestName[p][t]); });
    table("BestPoints", [&](int p, int t) { out.Number(double(best.BestPoints[p][t])); });
    table("BestLevel", [&](int p, int t) { out.Number(best.BestLevel[p][t]); });
    out.Key("BestCount").BeginArray();
    for (int t = 1; t <= 3; ++t) {
        out.Number(best.BestCount[t]);
    }
    out.EndArray();
    out.Key("BestTable").Number(best.BestTable);
    out.Key("BestRow").Number(best.BestRow);
    out.Key("NotEntered").Number(best.NotEntered ? -1 : 0);
    out.Key("TimerWasOn").Number(best.TimerWasOn ? -1 : 0);
    out.EndObject();
}

void WriteEffects(JsonWriter& out, const ui::Effects& effects) {
    out.Key("Effects").BeginObject().Key("Splashes").BeginArray();
    for (const auto& splash : effects.splashes) {
        out.BeginObject()
            .Key("Container")
            .String(splash.container != nullptr ? splash.container->FullName() : "")
            .Key("Picture")
            .String(splash.picture ? splash.picture->name : "")
            .Key("Left")
            .Number(splash.left)
            .Key("Top")
            .Number(splash.top)
            .EndObject();
    }
    out.EndArray().Key("Blink");
    if (effects.blinkLine != nullptr) {
        out.BeginObject()
            .Key("Line")
            .String(effects.blinkLine->FullName())
            .Key("Strong")
            .Number(effects.strong)
            .Key("Pale")
            .Number(effects.pale)
            .EndObject();
    } else {
        out.Null();
    }
    out.EndObject();
}

void WriteControl(JsonWriter& out, const ui::Control& control) {
    out.Key(control.FullName()).BeginObject();
    for (const ui::Property* property : control.Properties()) {
        out.Key(property->name).Raw(JsonValue(property->get(control)));
    }
    out.EndObject();
}

} // namespace

std::string JsonValue(const ui::PropertyValue& value) {
    if (const auto* b = std::get_if<bool>(&value)) {
        return *b ? "true" : "false";
    }
    if (const auto* n = std::get_if<double>(&value)) {
        return JsonNumber(*n);
    }
    if (const auto* s = std::get_if<std::string>(&value)) {
        return JsonString(*s);
    }
    return "null";
}

std::optional<std::string> VariableJson(Game& game, std::string_view name) {
    JsonWriter out;
    if (!WithVariable(game, name,
                      [&](const auto& value, bool, const VariableInfo&) { Write(out, value); })) {
        return std::nullopt;
    }
    return out.Text();
}

bool SetVariable(Game& game, std::string_view name, const std::string& text) {
    bool set = false;
    WithVariable(game, name, [&](auto& value, bool single, const VariableInfo& info) {
        if constexpr (requires { Assign(value, text, info); }) {
            set = single && Assign(value, text, info);
        }
    });
    return set;
}

namespace {

// The last dialog of each kind, as its fields, or null before the first.
void WriteDialog(JsonWriter& out, std::string_view key,
                 std::initializer_list<std::pair<std::string_view, std::string>> fields) {
    out.Key(key);
    if (fields.size() == 0) {
        out.Null();
        return;
    }
    out.BeginObject();
    for (const auto& [name, value] : fields) {
        out.Key(name).String(value);
    }
    out.EndObject();
}

void WriteDialogs(JsonWriter& out, const DumpExtras& extras) {
    if (const auto& box = extras.lastInputBox) {
        WriteDialog(
            out, "LastInputBox",
            {{"Prompt", box->prompt}, {"Title", box->title}, {"Default", box->defaultAnswer}});
    } else {
        WriteDialog(out, "LastInputBox", {});
    }
    if (const auto& box = extras.lastMessageBox) {
        WriteDialog(out, "LastMessageBox", {{"Prompt", box->first}, {"Title", box->second}});
    } else {
        WriteDialog(out, "LastMessageBox", {});
    }
}

} // namespace

std::string DumpJson(Game& game, const DumpExtras& extras) {
    JsonWriter out;
    out.BeginObject();
    game.ForEachVariable([&](const VariableInfo& info, const auto& variable) {
        out.Key(info.name);
        Write(out, variable);
    });
    out.Key("controls").BeginObject();
    for (ui::Form* form : game.windows().All()) {
        WriteControl(out, *form);
        for (const auto& control : form->controls()) {
            WriteControl(out, *control);
        }
    }
    out.EndObject();
    WriteDialogs(out, extras);
    // Only once the player was told something, so every earlier dump reads as before.
    if (const auto& notice = game.platform().LastNotice()) {
        out.Key("LastNotice").String(notice->Filled());
    }
    out.Key("BestForm");
    WriteBestForm(out, game.windows().best);
    out.Key("HelpOpened").Number(extras.helpOpened);
    if (extras.sounds) {
        out.Key("Sounds").BeginArray();
        for (const std::string& name : *extras.sounds) {
            out.String(name);
        }
        out.EndArray();
    }
    out.Key("Clock").Number(game.platform().Clock());
    out.Key("Paused").Bool(game.Paused());
    WriteEffects(out, game.effects());
    if (extras.zoom) {
        out.Key("Zoom").Number(*extras.zoom);
    }
    for (const auto& [name, json] : extras.members) {
        out.Key(name).Raw(json);
    }
    out.EndObject();
    return out.Text();
}

} // namespace game
