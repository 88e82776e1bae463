// SPDX-License-Identifier: GPL-3.0-or-later
// When the program runs: at the display frames it asks for, or after a
// wait, never while it sleeps or a dialog waits for the player; and the
// game waiting behind a button for the player, before the first game on a
// touch screen and after the last.
import { mainForm, page, query, textC } from "./common.js";
import { closeMenu } from "./menus.js";
import { releaseTouches } from "./touch.js";

let frameRequest = 0;
let wakeTimer = 0;
let firstFrame = true;
// Frames while the game moves come at most this often (?fps=60 for every
// display frame): at 30 a second the page costs the main thread about
// half as much, and the game's moves are timed by its clock, not by frames.
const frameSpacing = 1000 / Math.min(Math.max(Number(query.get("fps")) || 30, 1), 240);
let lastFrame = -Infinity;

function requestFrame() {
    const wait = lastFrame + frameSpacing - 4 - performance.now();
    if (wait <= 0) {
        frameRequest = requestAnimationFrame(frame);
        return;
    }
    frameRequest = setTimeout(() => { frameRequest = requestAnimationFrame(frame); }, wait);
}

function frame() {
    frameRequest = 0;
    if (page.ended || page.asking) {
        return;
    }
    lastFrame = performance.now();
    page.frames++;
    Module._pelmar_frame();
    if (firstFrame) {
        firstFrame = false;
        // The sounds come after the first picture, in the background.
        setTimeout(PelmarSound.load, 0);
    }
}

// The game asks to be woken at the next animation frame (0), after a
// wait, or not at all (a negative wait).
page.wakeIn = (ms) => {
    if (wakeTimer) {
        clearTimeout(wakeTimer);
        wakeTimer = 0;
    }
    if (page.ended || ms < 0) {
        return;
    }
    if (ms === 0) {
        if (!frameRequest) {
            requestFrame();
        }
    } else if (!frameRequest) {
        wakeTimer = setTimeout(() => {
            wakeTimer = 0;
            frame();
        }, ms);
    }
};

// The game waits, paused, behind a button over the kitchen.
export function waitForPlayer(caption) {
    const main = mainForm();
    if (main) {
        Module._pelmar_first_tick();
    }
    if (!main || Module._pelmar_pause(1) === 0) {
        return;
    }
    page.waiting = true;
    main.start.textContent = caption;
    page.showPaused(true);
}

// The new game's menu entry and the keys the program gives it, as the
// button shows them: "Jogo Novo (F2)".
function newGameCaption() {
    const keys = textC("pelmar_keys_of", "NewGame");
    const entry = Object.values(page.menus).find((m) => keys && m.shortcut === keys);
    const caption = entry ? entry.caption.replace("&", "") : "";
    return caption && keys ? `${caption} (${keys})` : caption || keys;
}

// After the last game (the player wanted no other, or left by the menu)
// a fresh program waits for a new game: its menu entry, its key or a touch.
page.end = () => {
    closeMenu();
    page.ended = true;
    // The fingers' state only: the old program takes no more input.
    releaseTouches();
    setTimeout(() => {
        for (const id of ["desk", "dialogs"]) {
            document.getElementById(id).textContent = "";
        }
        Object.assign(page, { forms: {}, menus: {}, topMenus: [], view: null, openMenu: null,
                              ended: false });
        Module._pelmar_restart();
        waitForPlayer(newGameCaption());
        page.wakeIn(0);
    }, 0);
};
