// SPDX-License-Identifier: GPL-3.0-or-later
// Vulcro Pelmar in a browser page: the same windows and game module as the
// desktop, with the page (page.js) as the window system.
#include "Page.h"
#include "WebPlatform.h"
#include "host/Host.h"
#include "host/Script.h"
#include "ui/KeyCodes.h"

#include <emscripten.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace {

struct Program {
    explicit Program(bool scripted) : platform(scripted), page(host) {}
    web::WebPlatform platform;
    host::Host host{platform};
    web::Page page;
};

Program* program = nullptr;
std::string answer;

const char* Answer(std::string text) {
    answer = std::move(text);
    return answer.c_str();
}

// The game's whole state as the simulator's dump has it, plus the paints made
// so far and the wake-ups. Each state taken shows the sounds since the one
// before; a get only looks.
std::string StateJson(bool takeSounds) {
    return program->host.Dump(takeSounds, {{"Paints", std::to_string(program->page.paints())},
                                           {"Wakes", std::to_string(program->host.wakes())}});
}

EM_JS(int, page_scripted, (), { return PelmarPage.scripted ? 1 : 0; });
EM_JS(void, page_announce, (const char* status), { PelmarPage.announce(UTF8ToString(status)); });
// The player's sound switch, kept by the page across visits: -1 when none is kept.
EM_JS(int, page_kept_sound, (), { return PelmarSettings.keptSound(); });
EM_JS(void, page_sound_switched, (int on), { PelmarSettings.soundSwitched(on != 0); });
// A call the page may have had the program make in slices is over.
EM_JS(void, page_call_done, (), { PelmarPage.callDone(); });

// What a screen reader is told: the host's counters, when one changes, one
// "name TAB value" a line, for the page to say in the player's words; and
// the page, when the sound is switched.
std::string announced;
int soundTold = -1;

void Announce() {
    // A scripted page is a test's: it neither takes nor leaves the player's choice.
    const int sound = program->host.SoundOn() ? 1 : 0;
    if (sound != soundTold && !program->platform.scripted()) {
        soundTold = sound;
        page_sound_switched(sound);
    }
    std::string now;
    for (const auto& [name, value] : program->host.Status()) {
        now += name + "\t" + value + "\n";
    }
    if (now != announced) {
        announced = now;
        page_announce(now.c_str());
    }
}

// The actions by the names the page knows them by.
constexpr std::array<std::pair<host::Action, const char*>, 14> ActionNames{{
    {host::Action::None, "None"},
    {host::Action::WalkLeft, "WalkLeft"},
    {host::Action::WalkRight, "WalkRight"},
    {host::Action::WalkUp, "WalkUp"},
    {host::Action::WalkDown, "WalkDown"},
    {host::Action::ActionKey, "ActionKey"},
    {host::Action::NewGame, "NewGame"},
    {host::Action::Pause, "Pause"},
    {host::Action::Mute, "Mute"},
    {host::Action::ZoomIn, "ZoomIn"},
    {host::Action::ZoomOut, "ZoomOut"},
    {host::Action::FullScreen, "FullScreen"},
    {host::Action::Help, "Help"},
    {host::Action::Quit, "Quit"},
}};

const char* NameOf(host::Action action) {
    for (const auto& [each, name] : ActionNames) {
        if (each == action) {
            return name;
        }
    }
    return "None";
}

host::Action ActionNamed(std::string_view name) {
    for (const auto& [action, each] : ActionNames) {
        if (each == name) {
            return action;
        }
    }
    return host::Action::None;
}

// The form a page's window number stands for, or null.
ui::Form* FormOf(int id) {
    web::FormView* view = program != nullptr ? program->page.ViewOf(id) : nullptr;
    return view != nullptr ? &view->form() : nullptr;
}

ui::Control* ControlOf(int form, int number) {
    web::FormView* view = program != nullptr ? program->page.ViewOf(form) : nullptr;
    return view != nullptr ? view->ControlOf(number) : nullptr;
}

void StartProgram() {
    const bool scripted = page_scripted() != 0;
    // The windows are built in the start's slices too.
    ui::Form::SetBuildStep(web::Breathe);
    program = new Program(scripted);
    program->host.scripted().keepSounds = true;
    program->host.scripted().mostSounds = 64;
    // A scripted page starts as the simulator does; any other at the time
    // of day, its draws from there.
    if (!scripted) {
        const std::int64_t startOfDay = web::WebPlatform::StartOfDay();
        program->host.SetWallClock(static_cast<double>(startOfDay) / 10);
        program->host.Seed(startOfDay);
    }
    web::Page& page = program->page;
    web::FormView& main = page.Main();
    program->platform.onPause = [&main, &page](bool paused) {
        main.SetPaused(paused);
        page.ShowPaused(paused);
    };
    web::Breathe();
    program->host.Start();
    web::Breathe();
    soundTold = program->host.SoundOn() ? 1 : 0;
    if (!scripted && page_kept_sound() == 0) {
        program->host.SetSoundOn(false);
    }
}

} // namespace

extern "C" {

// A frame: `sliced` for the first, which the page has the program paint in
// slices.
EMSCRIPTEN_KEEPALIVE void pelmar_frame(int sliced) {
    web::SetSliced(sliced != 0);
    if (program != nullptr && !program->host.Ended()) {
        program->page.Frame();
        Announce();
    }
    web::SetSliced(false);
    page_call_done();
}

// A key pressed or let go, for the window in front. Returns what the page
// does about it: "" where no window takes it (the program is over, the main
// window is disabled or minimised), "Dialog" where a dialog window leaves it
// to the page's text box, "Button" where it pressed a dialog's button, else
// the name of the action the main window's key asks for ("None" for a key
// the game alone takes). The page does what zoom and full screen ask.
EMSCRIPTEN_KEEPALIVE const char* pelmar_key(int down, int code, int ctrl, int alt, int shift,
                                            int repeat) {
    if (program == nullptr || program->host.Ended()) {
        return "";
    }
    web::FormView& main = program->page.Main();
    web::FormView& front = program->page.Front();
    ui::Form& form = front.form();
    if (&front == &main && (!form.Visible() || form.WindowState() != 0 || !form.Enabled())) {
        return "";
    }
    if (down == 0) {
        if (&front != &main) {
            return "Dialog";
        }
        // The browser sends no release for auto-repeat.
        program->host.KeyUp(code, false);
        Announce();
        return "None";
    }
    // Which window takes the key, and what Return and Escape do in a
    // dialog window, are the host's to say.
    const std::optional<host::Action> action =
        program->host.KeyIn(form, code, {ctrl != 0, alt != 0, shift != 0}, repeat != 0);
    Announce();
    if (&front != &main) {
        return action ? "Button" : "Dialog";
    }
    return NameOf(action.value_or(host::Action::None));
}

// A key of the touch pad held or let go: the game's own key for its action.
EMSCRIPTEN_KEEPALIVE void pelmar_pad(int down, const char* action) {
    const int code = host::Bindings::GameCode(ActionNamed(action));
    if (code >= 0) {
        pelmar_key(down, code, 0, 0, 0, 0);
    }
}

// The keys of an action as a menu shows them ("F2", "Ctrl++"); empty for none.
EMSCRIPTEN_KEEPALIVE const char* pelmar_keys_of(const char* action) {
    return Answer(program != nullptr ? program->host.bindings().KeysOf(ActionNamed(action)) : "");
}

// A menu item chosen; nothing while the main window is disabled.
EMSCRIPTEN_KEEPALIVE void pelmar_menu(int number) {
    if (program == nullptr) {
        return;
    }
    if (ui::Control* item = program->page.Main().ControlOf(number)) {
        program->host.Click(*item);
        Announce();
    }
}

EMSCRIPTEN_KEEPALIVE void pelmar_click(int form, int number) {
    ui::Control* c = ControlOf(form, number);
    if (c != nullptr && c->Visible()) {
        program->host.Click(*c);
    }
}

// Text typed into a text box; 0 when the box refused it and kept its own.
EMSCRIPTEN_KEEPALIVE int pelmar_typed(int form, int number, const char* text) {
    ui::Control* c = ControlOf(form, number);
    if (c == nullptr) {
        return 0;
    }
    const std::string before = c->Text();
    program->host.Type(*c, text);
    return c->Text() == before && before != text ? 0 : 1;
}

// The window shown again, or painted after it came up.
EMSCRIPTEN_KEEPALIVE void pelmar_restore(int form) {
    if (ui::Form* window = FormOf(form)) {
        program->host.SetWindowState(*window, 0);
    }
}

EMSCRIPTEN_KEEPALIVE void pelmar_paint_event(int form) {
    ui::Form* window = FormOf(form);
    if (window != nullptr && window->Visible()) {
        program->host.Paint(*window);
    }
}

EMSCRIPTEN_KEEPALIVE void pelmar_lost_focus() {
    if (program != nullptr && program->page.Main().form().Visible()) {
        program->host.LostFocus(program->page.Main().form());
    }
}

// The player's pause from the "Exibir" menu or its keys, while the main
// window is enabled; returns whether the game is paused now.
EMSCRIPTEN_KEEPALIVE int pelmar_pause(int on) {
    if (program == nullptr || program->host.Ended()) {
        return 0;
    }
    program->host.SetPausedByPlayer(on != 0);
    return program->host.Paused() ? 1 : 0;
}

// The game's whole state, the same JSON as the simulator's dump, plus the
// paints made so far.
EMSCRIPTEN_KEEPALIVE const char* pelmar_state() {
    return Answer(program != nullptr ? StateJson(true) : "null");
}

// Where the main window's visible labels show, in pixels, as JSON.
EMSCRIPTEN_KEEPALIVE const char* pelmar_labels() {
    std::string out = "[";
    for (const auto& control : program->page.Main().form().controls()) {
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
    for (ui::Form* form : program->host.windows().All()) {
        for (const auto& control : form->controls()) {
            const ui::PictureRef& picture = control->Picture();
            if (picture && picture->name == name) {
                return Answer(picture->resource);
            }
        }
    }
    return Answer("");
}

// Runs simulator commands; returns what they print, or "error: line N: ..."
// at the first line it cannot run.
EMSCRIPTEN_KEEPALIVE const char* pelmar_script(const char* lines) {
    if (program == nullptr) {
        return Answer("error: the game has not started");
    }
    host::TextInput in(lines);
    host::TextOutput out;
    host::TextOutput error;
    host::Script script(program->host);
    const int status = script.Run(in, out, error);
    // A script may set the numbers without showing them.
    Announce();
    return Answer(status != 0 ? "error: " + error.text : out.text);
}

// The kitchen as its first tick lays it out (the belt's plates, the order
// lines), before the game waits behind the page's sign for the player.
EMSCRIPTEN_KEEPALIVE void pelmar_first_tick() {
    if (program != nullptr && !program->host.Ended() && !program->host.Paused()) {
        program->host.RunTicks(1);
    }
}

// The page calls this once the pictures are loaded; with `firstTick`, for a
// game that waits behind the page's sign, the kitchen is laid out too (as
// pelmar_first_tick does).
EMSCRIPTEN_KEEPALIVE void pelmar_start(int firstTick) {
    web::SetSliced(true);
    if (program == nullptr) {
        StartProgram();
        if (firstTick != 0) {
            pelmar_first_tick();
        }
    }
    web::SetSliced(false);
    page_call_done();
}

// After the last game, when the player did not want another (or left by the
// menu): a fresh program, for the page to start a new game on the player's
// word. Called by the page after the old program's call has returned.
EMSCRIPTEN_KEEPALIVE void pelmar_restart() {
    if (program != nullptr && program->host.Ended()) {
        delete program;
        program = nullptr;
        StartProgram();
    }
}

// Every key and touch let go, as after one of the page's dialogs.
EMSCRIPTEN_KEEPALIVE void pelmar_release_all() {
    if (program != nullptr && !program->host.Ended()) {
        program->host.ReleaseAll();
    }
}

// The page was left (hidden, or another window took the focus): every key
// and touch held is let go and the game pauses, until the player goes on.
// Returns whether the game is paused now.
EMSCRIPTEN_KEEPALIVE int pelmar_leave() {
    if (program == nullptr || program->host.Ended()) {
        return 0;
    }
    program->host.ReleaseAll();
    program->host.SetPausedByPlayer(true);
    return program->host.Paused() ? 1 : 0;
}

} // extern "C"
