// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/Game.h"
#include "game/Json.h"

#include <optional>
#include <string>
#include <vector>

namespace game {

// What the outside world adds to a dump of the game.
struct DumpExtras {
    std::optional<std::pair<std::string, std::string>> lastMessageBox; // prompt, title
    struct InputBox {
        std::string prompt, title, defaultAnswer;
    };
    std::optional<InputBox> lastInputBox;
    int helpOpened = 0;
    // The whole factor the front end shows the main window at.
    std::optional<int> zoom;
    // The sounds asked for since the previous dump, in order; left out of
    // the dump where the front end does not keep them.
    std::optional<std::vector<std::string>> sounds;
    // The front end's own members, name and JSON text, written last.
    std::vector<std::pair<std::string, std::string>> members;
};

std::string JsonValue(const ui::PropertyValue& value);

// One variable (whole, or an element as "KeyStart(1)", "OrderSlot(3,2)") as JSON.
std::optional<std::string> VariableJson(Game& game, std::string_view name);
// Sets an element or a whole variable that is not an array, from a number
// or, for a text, the text itself. False for an unknown name, a bad value or
// a number outside the variable's listed range; the variable is then untouched.
bool SetVariable(Game& game, std::string_view name, const std::string& text);

// The whole state on one line: every variable, every control, the dialogs.
std::string DumpJson(Game& game, const DumpExtras& extras);

} // namespace game
