// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard: every key goes to the program, which says what it asks
// for; the page does what is the page's (zoom, full screen) and keeps from
// the browser what the game took. An open menu takes the keys first.
import { frontDialog, page, taking, textC } from "./common.js";
import { menuKey, menuOfAccessKey } from "./menus.js";
import { act } from "./view.js";

// The keys that would scroll the page.
const scrolling = new Set([
    "ArrowLeft", "ArrowUp", "ArrowRight", "ArrowDown", "Space", "PageUp", "PageDown", "Home",
    "End", "Backspace",
]);

const named = {
    ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, ControlLeft: 17,
    ControlRight: 17, ShiftLeft: 16, ShiftRight: 16, AltLeft: 18, AltRight: 18, Space: 32,
    Enter: 13, NumpadEnter: 13, Escape: 27, Tab: 9, Backspace: 8, PageUp: 33,
    PageDown: 34, End: 35, Home: 36, Insert: 45, Delete: 46, Pause: 19,
};

// The code the program knows a key by, as the desktop's toolkit gives it:
// the named keys', F1 and on from 112, a letter or digit as its capital
// character, and a sign as the character it types (beyond the arrows'
// codes, which only the arrows give).
function keyCode(e) {
    if (e.code in named) {
        return named[e.code];
    }
    let m = /^F(\d+)$/.exec(e.code);
    if (m) {
        return 111 + parseInt(m[1], 10);
    }
    m = /^(?:Key|Digit)(.)$/.exec(e.code);
    if (m) {
        return m[1].charCodeAt(0);
    }
    const sign = e.key.length === 1 ? e.key.toUpperCase().charCodeAt(0) : 0;
    return sign > named.ArrowDown && sign < 127 ? sign : e.keyCode || 0;
}

// A Mac's Command key is its Ctrl, as the desktop's toolkit takes it.
function tellKey(down, e) {
    return textC("pelmar_key", down ? 1 : 0, keyCode(e), e.ctrlKey || e.metaKey ? 1 : 0,
                 e.altKey ? 1 : 0, e.shiftKey ? 1 : 0, e.repeat ? 1 : 0);
}

function onKeyDown(e) {
    if (!taking()) {
        return;
    }
    PelmarSound.start();
    if (page.openMenu) {
        e.preventDefault();
        menuKey(e);
        return;
    }
    if (!frontDialog() && menuOfAccessKey(e)) {
        return;
    }
    const taken = tellKey(true, e);
    if (taken === "Dialog" || act(taken, e)) {
        return;
    }
    // Where no window takes keys, they still do not scroll the page, but
    // in a text box.
    const scrolls = scrolling.has(e.code);
    if (taken === "" ? scrolls && document.activeElement.tagName !== "INPUT"
                     : taken !== "None" || scrolls) {
        e.preventDefault();
    }
}

function onKeyUp(e) {
    if (!taking() || page.openMenu) {
        return;
    }
    const taken = tellKey(false, e);
    if (taken !== "" && taken !== "Dialog" && scrolling.has(e.code)) {
        e.preventDefault();
    }
}

export function listenToKeys() {
    window.addEventListener("keydown", onKeyDown, true);
    window.addEventListener("keyup", onKeyUp, true);
}
