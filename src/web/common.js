// SPDX-License-Identifier: GPL-3.0-or-later
// What every part of the page shares: its state, the player's language and
// the calls into the program (pelmar.wasm).

export const query = new URLSearchParams(window.location.search);
// Portuguese for a Portuguese browser, else English; ?lang=pt or ?lang=en chooses.
const language = (query.get("lang") || navigator.language || "pt").toLowerCase()
                     .startsWith("pt") ? "pt" : "en";

// The page as the program and the other parts see it (PelmarPage).
export const page = {
    scripted: query.has("scripted"),
    language,
    touch: navigator.maxTouchPoints > 0 || "ontouchstart" in window,
    // A modal dialog is open: the game waits for its answer and no frame runs.
    asking: false,
    // The program is asleep in that dialog (its stack unwound): nothing may
    // call into it until the answer wakes it, or the sleeping calls'
    // memory would be overwritten. Its state as the dialog opened stands in.
    asleep: false,
    stateAsleep: null,
    // The game waits, paused, for the player's first touch or new game.
    waiting: false,
    scale: 1,
    // The player's factor from the "Exibir" menu or its keys; until one is
    // chosen, the largest that fits.
    zoom: 0,
    fitting: 1,
    fullScreen: false,
    fullScreenError: null,
    paused: false,
    view: null,
    forms: {},
    pictures: {},
    menus: {},
    topMenus: [],
    openMenu: null,
    ended: false,
    firstFrameMs: 0,
    frames: 0,
    // Called once the first picture shows.
    shown: () => {},
};

// ---- the player's language: the desktop's translation, built into PelmarTexts ----

// The page's own words where the game has none.
const ownWords = { "Toque para começar": "Tap to start",
                   "Vulcro Pelmar (minimizado): clique para voltar ao jogo":
                       "Vulcro Pelmar (minimised): click to go back to the game",
                   "A&justar à janela": "&Fit to window", "Pontos": "Score", "Fase": "Level",
                   "Vidas": "Lives", "Controles de toque": "Touch controls", "Ação": "Action",
                   "Esquerda": "Left", "Direita": "Right", "Cima": "Up", "Baixo": "Down" };

export function tr(text) {
    if (language === "pt" || !text) {
        return text;
    }
    const table = typeof PelmarTexts === "object" ? PelmarTexts : {};
    if (text in table) {
        return table[text];
    }
    if (text in ownWords) {
        return ownWords[text];
    }
    // A text of several lines, each translated by itself.
    return text.includes("\r\n") ? text.split("\r\n").map(tr).join("\r\n") : text;
}
page.tr = tr;

// ---- calls into the program ----

// Calls one of the program's functions with numbers and strings; the
// strings are copied in for the call. (Emscripten's ccall would take
// any call made while a dialog waits for one that waits too.)
export function callC(name, ...args) {
    const copies = [];
    const values = args.map((a) => {
        if (typeof a !== "string") {
            return a;
        }
        const size = Module.lengthBytesUTF8(a) + 1;
        const at = Module._malloc(size);
        Module.stringToUTF8(a, at, size);
        copies.push(at);
        return at;
    });
    try {
        return Module["_" + name](...values);
    } finally {
        copies.forEach((at) => Module._free(at));
    }
}

// The same for a function that answers with a string.
export const textC = (name, ...args) => Module.UTF8ToString(callC(name, ...args));

// Whether the program takes input now: it runs, and no dialog of the page waits.
export const taking = () => page.running && !page.ended && !page.asking;

// ---- elements ----

export function el(tag, className, parent) {
    const e = document.createElement(tag);
    if (className) {
        e.className = className;
    }
    if (parent) {
        parent.appendChild(e);
    }
    return e;
}

export function mainForm() {
    return Object.values(page.forms).find((f) => f.main);
}

export function mainEnabled() {
    const main = mainForm();
    return main && main.enabled && main.visible;
}

// A dialog window of the game's shown over the main window, if any.
export function frontDialog() {
    return Object.values(page.forms).find((f) => !f.main && f.visible);
}
