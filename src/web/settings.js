// SPDX-License-Identifier: GPL-3.0-or-later
// The player's choices the page keeps for the next visit, as the desktop
// keeps them in its settings: the sound switch and the size chosen in the
// "Exibir" menu (or with Ctrl+- and Ctrl++). Nothing else is kept but the
// high-score table.
import { page } from "./common.js";
import "./windows.js";

const key = "pelmar.settings";
// The largest size factor a screen could take.
const mostZoom = 16;

// What is kept, checked: anything else in the browser's storage is ignored.
function load() {
    try {
        const text = window.localStorage.getItem(key);
        if (typeof text !== "string" || text.length > 200) {
            return {};
        }
        const kept = JSON.parse(text);
        const out = {};
        if (kept && typeof kept.sound === "boolean") {
            out.sound = kept.sound;
        }
        if (kept && Number.isInteger(kept.zoom) && kept.zoom >= 0 && kept.zoom <= mostZoom) {
            out.zoom = kept.zoom;
        }
        return out;
    } catch (e) {
        return {};
    }
}

function keep(change) {
    const kept = Object.assign(load(), change);
    try {
        window.localStorage.setItem(key, JSON.stringify(kept));
    } catch (e) {
        // The choice holds for this visit only.
        console.warn("pelmar: the browser's storage cannot keep the settings", e);
    }
}

// A scripted page is a test's: it neither takes nor leaves the player's size.
const start = load();
if (!page.scripted && start.zoom !== undefined) {
    page.zoom = start.zoom;
}
let zoomKept = page.zoom;
const fit = page.fit;
page.fit = () => {
    fit();
    if (!page.scripted && page.zoom !== zoomKept) {
        zoomKept = page.zoom;
        keep({ zoom: page.zoom });
    }
};

// The program asks for the kept sound switch and tells each switch (Main.cpp).
globalThis.PelmarSettings = {
    // -1 when the player never switched the sound, else 1 for on.
    keptSound: () => {
        const sound = load().sound;
        return sound === undefined ? -1 : sound ? 1 : 0;
    },
    soundSwitched: (on) => {
        if (load().sound !== on) {
            keep({ sound: on });
        }
    },
};
