// SPDX-License-Identifier: GPL-3.0-or-later
// Vulcro Pelmar in a browser page: the same windows and game module as the
// desktop, with the page (page.js) as the window system.
#include "Page.h"
#include "WebPlatform.h"
#include "game/Dump.h"
#include "game/Game.h"

#include <emscripten.h>

#include <memory>
#include <sstream>
#include <string>
#include <utility>

namespace {

struct Program {
    explicit Program(bool scripted) : platform(scripted) {}
    web::WebPlatform platform;
    windows::Windows windows;
    game::Game game{windows, platform};
    std::unique_ptr<web::Page> page;
};

Program* program = nullptr;
std::string answer;

const char* Answer(std::string text) {
    answer = std::move(text);
    return answer.c_str();
}

// The game's whole state as the simulator's dump has it, plus the paints made
// so far. Each state taken shows the sounds since the one before; a get only
// looks.
std::string StateJson(bool takeSounds) {
    web::WebPlatform& p = program->platform;
    game::DumpExtras extras;
    if (p.lastMessageBox) {
        extras.lastMessageBox = {p.lastMessageBox->prompt, p.lastMessageBox->title};
    }
    if (p.lastInputBox) {
        extras.lastInputBox = game::DumpExtras::InputBox{
            p.lastInputBox->prompt, p.lastInputBox->title, p.lastInputBox->defaultAnswer};
    }
    extras.helpOpened = p.helpOpened;
    extras.sounds = takeSounds ? std::exchange(p.sounds, {}) : p.sounds;
    std::string dump = game::DumpJson(program->game, extras);
    dump.pop_back();
    dump += ",\"Paints\":" + std::to_string(program->page->paints()) + "}";
    return dump;
}

EM_JS(int, page_scripted, (), { return PelmarPage.scripted ? 1 : 0; });

// Runs one line of a test script; what it prints goes to `out`. The
// commands are the simulator's for what a page can do.
bool RunLine(const std::string& line, std::ostream& out) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    game::Game& game = program->game;
    if (command.empty() || command[0] == '#') {
        return true;
    }
    if (command == "run") {
        // Ticks a hundredth of a second apart, on a scripted page only.
        long long ticks = 0;
        if (!(words >> ticks) || ticks < 0 || !program->platform.scripted()) {
            return false;
        }
        for (long long i = 0; i < ticks && !program->platform.ended; ++i) {
            program->platform.scriptedClock += 1;
            program->page->FireTimers();
        }
        return true;
    }
    if (command == "get") {
        std::string name;
        words >> name;
        auto value = game::VariableJson(game, name);
        if (!value) {
            value = game::TopLevelValue(StateJson(false), name);
        }
        if (!value) {
            return false;
        }
        out << "{" << game::JsonString(name) << ": " << *value << "}\n";
        return true;
    }
    if (command == "set") {
        std::string name;
        words >> name;
        std::string value;
        std::getline(words, value);
        if (!value.empty() && value.front() == ' ') {
            value.erase(0, 1);
        }
        return game::SetVariable(game, name, value);
    }
    if (command == "keydown" || command == "keyup") {
        int code = 0;
        if (!(words >> code)) {
            return false;
        }
        ui::Form& main = program->windows.cfrm;
        command == "keydown" ? main.KeyDown(code) : main.KeyUp(code);
        return true;
    }
    return false;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void pelmar_frame() {
    if (program != nullptr && !program->platform.ended) {
        program->page->Frame();
    }
}

// A key pressed or let go in the main window; true when the game took it.
EMSCRIPTEN_KEEPALIVE int pelmar_key(int down, int code) {
    if (program == nullptr || program->platform.ended) {
        return 0;
    }
    web::FormView& main = program->page->Main();
    ui::Form& form = main.form();
    if (&program->page->Front() != &main || !form.Enabled() || !form.Visible() ||
        form.WindowState() != 0 || !form.keyPreview) {
        return 0;
    }
    if (down != 0) {
        form.KeyDown(code);
    } else {
        form.KeyUp(code);
    }
    return 1;
}

// A menu item chosen; nothing while the main window is disabled.
EMSCRIPTEN_KEEPALIVE void pelmar_menu(int number) {
    if (program == nullptr) {
        return;
    }
    web::FormView& main = program->page->Main();
    ui::Control* item = main.ControlOf(number);
    if (item != nullptr && item->onClick && item->Enabled() && main.form().Enabled()) {
        item->onClick();
    }
}

EMSCRIPTEN_KEEPALIVE void pelmar_click(int form, int number) {
    web::FormView* view = program != nullptr ? program->page->ViewOf(form) : nullptr;
    ui::Control* c = view != nullptr ? view->ControlOf(number) : nullptr;
    if (c != nullptr && c->onClick && c->Enabled() && c->Visible()) {
        c->onClick();
    }
}

// Enter or Escape in a dialog window: its default or cancel button.
EMSCRIPTEN_KEEPALIVE int pelmar_dialog_key(int form, int escape) {
    web::FormView* view = program != nullptr ? program->page->ViewOf(form) : nullptr;
    if (view == nullptr) {
        return 0;
    }
    for (const auto& control : view->form().controls()) {
        ui::Control& c = *control;
        if (c.kind() == ui::Kind::Button && c.Visible() && c.Enabled() && c.onClick &&
            (escape != 0 ? c.isCancel : c.isDefault)) {
            c.onClick();
            return 1;
        }
    }
    return 0;
}

EMSCRIPTEN_KEEPALIVE void pelmar_typed(int form, int number, const char* text) {
    web::FormView* view = program != nullptr ? program->page->ViewOf(form) : nullptr;
    ui::Control* c = view != nullptr ? view->ControlOf(number) : nullptr;
    if (c != nullptr) {
        c->SetText(text);
    }
}

// The window shown again, or painted after it came up.
EMSCRIPTEN_KEEPALIVE void pelmar_restore(int form) {
    web::FormView* view = program != nullptr ? program->page->ViewOf(form) : nullptr;
    if (view != nullptr) {
        view->form().SetWindowState(0);
    }
}

EMSCRIPTEN_KEEPALIVE void pelmar_paint_event(int form) {
    web::FormView* view = program != nullptr ? program->page->ViewOf(form) : nullptr;
    if (view != nullptr && view->form().Visible()) {
        view->form().Form_Paint();
    }
}

EMSCRIPTEN_KEEPALIVE void pelmar_lost_focus() {
    if (program != nullptr && program->windows.cfrm.Visible()) {
        program->windows.cfrm.Form_LostFocus();
    }
}

// The player's pause from the "Exibir" menu or its keys, while the main
// window is enabled; returns whether the game is paused now.
EMSCRIPTEN_KEEPALIVE int pelmar_pause(int on) {
    if (program == nullptr || program->platform.ended) {
        return 0;
    }
    if (program->windows.cfrm.Enabled()) {
        program->game.SetPaused(on != 0);
    }
    return program->game.Paused() ? 1 : 0;
}

// The M key switches the sound, as the menu entry does.
EMSCRIPTEN_KEEPALIVE void pelmar_sound_key() {
    ui::Control* sound = program != nullptr ? program->windows.cfrm.MenuSom : nullptr;
    if (sound != nullptr && sound->onClick && program->windows.cfrm.Enabled()) {
        sound->onClick();
    }
}

// The game's whole state, the same JSON as the simulator's dump, plus the
// paints made so far.
EMSCRIPTEN_KEEPALIVE const char* pelmar_state() {
    return Answer(program != nullptr ? StateJson(true) : "null");
}

// Where the main window's visible labels show, in pixels, as JSON.
EMSCRIPTEN_KEEPALIVE const char* pelmar_labels() {
    std::string out = "[";
    for (const auto& control : program->windows.cfrm.controls()) {
        const auto shown = control->ShownRect();
        if (control->kind() != ui::Kind::Label || !shown || shown->Empty()) {
            continue;
        }
        out += out.size() > 1 ? "," : "";
        out += "{\"name\":" + game::JsonString(control->FullName()) +
               ",\"x\":" + std::to_string(ui::FloorPixels(shown->left)) +
               ",\"y\":" + std::to_string(ui::FloorPixels(shown->top)) +
               ",\"right\":" + std::to_string(ui::CeilPixels(shown->right)) +
               ",\"bottom\":" + std::to_string(ui::CeilPixels(shown->bottom)) + "}";
    }
    return Answer(out + "]");
}

// The file a picture of the game is drawn from, by the picture's name as the
// state gives it ("" when no control has that picture).
EMSCRIPTEN_KEEPALIVE const char* pelmar_picture_file(const char* name) {
    if (program == nullptr) {
        return Answer("");
    }
    for (ui::Form* form : program->windows.All()) {
        for (const auto& control : form->controls()) {
            const ui::PictureRef& picture = control->Picture();
            if (picture && picture->name == name) {
                return Answer(picture->resource);
            }
        }
    }
    return Answer("");
}

// Runs script lines; returns what they print, or "error: line N" at the
// first line it cannot run.
EMSCRIPTEN_KEEPALIVE const char* pelmar_script(const char* lines) {
    std::istringstream in(lines);
    std::ostringstream out;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!RunLine(line, out)) {
            return Answer("error: line " + std::to_string(number) + ": " + line);
        }
    }
    return Answer(out.str());
}

// The page calls this once the pictures are loaded.
EMSCRIPTEN_KEEPALIVE void pelmar_start() {
    if (program != nullptr) {
        return;
    }
    program = new Program(page_scripted() != 0);
    program->page = std::make_unique<web::Page>(program->windows, program->platform.scripted());
    web::FormView& main = program->page->Main();
    program->platform.onEffects = [&main](const ui::Effects& shown) { main.SetEffects(shown); };
    program->platform.onPause = [&main, &page = *program->page](bool paused) {
        main.SetPaused(paused);
        page.ShowPaused(paused);
    };
    program->game.Main();
}

} // extern "C"
