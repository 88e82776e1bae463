// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebPlatform.h"

#include "ui/Picture.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdlib>

namespace {

// Hundredths of a second since local midnight.
EM_JS(double, pelmar_time_of_day, (), {
    const now = new Date();
    const midnight = new Date(now.getFullYear(), now.getMonth(), now.getDate());
    return (now.getTime() - midnight.getTime()) / 10;
});

// The page's own dialogs, modal: the program waits in them (Asyncify) while
// the page stops its frames, so the game's clock stands still until the
// player answers. The input box returns a string the caller frees, or 0 on
// Cancel; the question 1 for Yes.
EM_ASYNC_JS(char*, pelmar_prompt, (const char* prompt, const char* title, const char* answer), {
    const text =
        await PelmarPage.inputBox(UTF8ToString(prompt), UTF8ToString(title), UTF8ToString(answer));
    if (text == null) {
        return 0;
    }
    const size = lengthBytesUTF8(text) + 1;
    const memory = _malloc(size);
    stringToUTF8(text, memory, size);
    return memory;
});

EM_ASYNC_JS(int, pelmar_confirm, (const char* prompt, const char* title), {
    return (await PelmarPage.askYesNo(UTF8ToString(prompt), UTF8ToString(title))) ? 1 : 0;
});

EM_JS(void, pelmar_open_help, (const char* page), { PelmarPage.openHelp(UTF8ToString(page)); });

EM_JS(int, pelmar_screen_width, (), { return window.screen.width || 1024; });
EM_JS(int, pelmar_screen_height, (), { return window.screen.height || 768; });

EM_JS(void, pelmar_end, (), { PelmarPage.end(); });
EM_JS(void, pelmar_wake_in, (int milliseconds), { PelmarPage.wakeIn(milliseconds); });
EM_JS(void, pelmar_sound, (const char* name), { PelmarPage.sound(UTF8ToString(name)); });

// The stored bytes as hexadecimal digits ("" when missing or unreadable).
EM_JS(char*, pelmar_storage_read, (const char* key), {
    let text = "";
    try {
        const stored = window.localStorage.getItem(UTF8ToString(key));
        if (stored != null) {
            for (let i = 0; i < stored.length; i++) {
                text += (stored.charCodeAt(i) & 255).toString(16).padStart(2, "0");
            }
        }
    } catch (e) {
        console.warn("pelmar: the browser's storage cannot be read", e);
    }
    const size = lengthBytesUTF8(text) + 1;
    const memory = _malloc(size);
    stringToUTF8(text, memory, size);
    return memory;
});

// Stores the bytes as a string of one character per byte; 0 where the
// browser refuses (storage blocked or full).
EM_JS(int, pelmar_storage_write, (const char* key, const char* hex), {
    const digits = UTF8ToString(hex);
    let bytes = "";
    for (let i = 0; i + 1 < digits.length; i += 2) {
        bytes += String.fromCharCode(parseInt(digits.substr(i, 2), 16));
    }
    try {
        window.localStorage.setItem(UTF8ToString(key), bytes);
        return 1;
    } catch (e) {
        console.warn("pelmar: the browser's storage cannot be written", e);
        return 0;
    }
});

std::string Take(char* text) {
    std::string result = text != nullptr ? text : "";
    std::free(text);
    return result;
}

} // namespace

namespace web {

std::int64_t WebPlatform::StartOfDay() {
    // Never 0: the game takes a clock of 0 for "not yet".
    return std::max<std::int64_t>(static_cast<std::int64_t>(pelmar_time_of_day() * 10), 10);
}

std::int64_t WebPlatform::Nanoseconds() {
    return scripted_ ? 0 : static_cast<std::int64_t>(emscripten_get_now() * 1e6);
}

void WebPlatform::WakeIn(int milliseconds) {
    pelmar_wake_in(scripted_ ? -1 : milliseconds);
}

void WebPlatform::ShowPaused(bool paused) {
    if (onPause) {
        onPause(paused);
    }
}

std::string WebPlatform::InputBox(const std::string& prompt, const std::string& title,
                                  const std::string& defaultAnswer) {
    return Take(pelmar_prompt(prompt.c_str(), title.c_str(), defaultAnswer.c_str()));
}

bool WebPlatform::AskYesNo(const std::string& prompt, const std::string& title) {
    return pelmar_confirm(prompt.c_str(), title.c_str()) != 0;
}

void WebPlatform::OpenHelp(const std::string& page) {
    pelmar_open_help(page.c_str());
}

ui::ScreenSize WebPlatform::Screen() {
    return {pelmar_screen_width() * ui::TwipsPerPixel, pelmar_screen_height() * ui::TwipsPerPixel};
}

void WebPlatform::EndProgram() {
    pelmar_end();
}

void WebPlatform::PlaySound(std::string_view name) {
    pelmar_sound(std::string(name).c_str());
}

std::string WebPlatform::ReadFile(const std::string& name) {
    std::string bytes;
    return host::FromHex(Take(pelmar_storage_read(name.c_str())), bytes) ? bytes : std::string();
}

bool WebPlatform::ReplaceFile(const std::string& name, const std::string& bytes) {
    return pelmar_storage_write(name.c_str(), host::Hex(bytes).c_str()) != 0;
}

} // namespace web
