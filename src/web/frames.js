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

// ---- the program's long calls, in slices ----
// Starting, and painting the whole kitchen for the first time, the program
// holds the page's thread for a while. It does so in slices: at the end of
// each it sleeps (Asyncify) while the page takes its turn, and the page wakes
// it in a task of its own. Nothing else calls into it meanwhile. It says when
// the call is over (page.callDone).
const slice = 4;
let sliceStart = 0;
let afterSlices = null;
const nextTask = new MessageChannel();

page.sliceOver = () => afterSlices !== null && performance.now() - sliceStart >= slice;

page.breathe = (wakeUp) => {
    page.asleep = true;
    nextTask.port1.onmessage = () => {
        page.asleep = false;
        sliceStart = performance.now();
        wakeUp();
    };
    nextTask.port2.postMessage(0);
};

// Told from inside the program's last slice: the page goes on once that
// call is over.
let whenDone = [];
page.callDone = () => {
    if (afterSlices !== null) {
        const then = [...whenDone, afterSlices];
        whenDone = [];
        afterSlices = null;
        queueMicrotask(() => then.forEach((step) => step()));
    }
};

// Work for once the program's call is over: for a call in slices, once
// its last slice is.
page.afterCall = (step) => (afterSlices !== null ? whenDone.push(step) : queueMicrotask(step));

export function inSlices(call, then) {
    afterSlices = then;
    sliceStart = performance.now();
    call();
}

function frame() {
    frameRequest = 0;
    if (page.ended || page.asking || page.asleep) {
        return;
    }
    lastFrame = performance.now();
    page.frames++;
    if (!firstFrame) {
        Module._pelmar_frame(0);
        return;
    }
    firstFrame = false;
    inSlices(() => Module._pelmar_frame(1), () => {
        // The windows show once their first picture is whole, and the page
        // takes input from then on.
        document.getElementById("screen").classList.remove("starting");
        page.firstFrameMs = performance.now();
        page.running = true;
        // The frames asked for meanwhile were not run.
        page.wakeIn(0);
        // The sounds come after the first picture, in the background.
        setTimeout(PelmarSound.load, 0);
        page.shown();
    });
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
export function waitForPlayer(caption, ticked = false) {
    const main = mainForm();
    if (main && !ticked) {
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
