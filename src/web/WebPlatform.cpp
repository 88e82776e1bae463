// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebPlatform.h"

#include "game/TableNotices.h"
#include "host/Question.h"
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

EM_ASYNC_JS(int, pelmar_confirm, (const char* prompt, const char* title, const char* rule), {
    return (await PelmarPage.askYesNo(UTF8ToString(prompt), UTF8ToString(title),
                                      UTF8ToString(rule)))
               ? 1
               : 0;
});

EM_JS(void, pelmar_open_help, (const char* page), { PelmarPage.openHelp(UTF8ToString(page)); });

EM_JS(int, pelmar_screen_width, (), { return window.screen.width || 1024; });
EM_JS(int, pelmar_screen_height, (), { return window.screen.height || 768; });

EM_JS(void, pelmar_end, (), { PelmarPage.end(); });
EM_JS(void, pelmar_wake_in, (int milliseconds), { PelmarPage.wakeIn(milliseconds); });
EM_JS(void, pelmar_sound, (const char* name), { PelmarPage.sound(UTF8ToString(name)); });

// The stored bytes as hexadecimal digits ("" when missing or unreadable).
EM_JS(char*, pelmar_storage_read, (const char* key), {
    const text = PelmarStorage.read(UTF8ToString(key));
    const size = lengthBytesUTF8(text) + 1;
    const memory = _malloc(size);
    stringToUTF8(text, memory, size);
    return memory;
});

// Stores the bytes: 1 when kept, 0 where the browser's storage is full, -1
// where it refuses (blocked).
EM_JS(int, pelmar_storage_write, (const char* key, const char* hex),
      { return PelmarStorage.write(UTF8ToString(key), UTF8ToString(hex)); });

// Waits until no other tab of the game holds the file's lock, then holds it
// until pelmar_storage_unlock; 0 where the browser has no locks.
EM_ASYNC_JS(int, pelmar_storage_lock, (const char* key),
            { return await PelmarStorage.lock(UTF8ToString(key)); });
EM_JS(void, pelmar_storage_unlock, (), { PelmarStorage.unlock(); });

EM_JS(void, pelmar_notice, (const char* text, const char* where, const char* reason), {
    PelmarStorage.notice(UTF8ToString(text), [ UTF8ToString(where), UTF8ToString(reason) ]);
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
    // The page applies the game's rule for the question's keys itself: the
    // program cannot be asked while it waits.
    return pelmar_confirm(prompt.c_str(), title.c_str(), host::QuestionKeys::Described().c_str()) !=
           0;
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
    return Write(name, bytes);
}

bool WebPlatform::UpdateFile(const std::string& name, const FileChange& change) {
    // Another tab saving at the same moment waits for this one, then reads
    // the table with this tab's score in it.
    const bool locked = pelmar_storage_lock(name.c_str()) != 0;
    const std::optional<std::string> bytes = change(ReadFile(name));
    const bool saved = !bytes || Write(name, *bytes);
    if (locked) {
        pelmar_storage_unlock();
    }
    return saved;
}

bool WebPlatform::Write(const std::string& name, const std::string& bytes) {
    const int kept = pelmar_storage_write(name.c_str(), host::Hex(bytes).c_str());
    if (kept <= 0) {
        Tell({game::notices::NotSaved, {BrowserStorage, kept == 0 ? StorageFull : StorageRefused}});
    }
    return kept > 0;
}

void WebPlatform::ShowNotice(const ui::Notice& notice) {
    pelmar_notice(notice.text.c_str(), notice.details.size() > 0 ? notice.details[0].c_str() : "",
                  notice.details.size() > 1 ? notice.details[1].c_str() : "");
}

} // namespace web
