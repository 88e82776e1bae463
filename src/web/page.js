// SPDX-License-Identifier: GPL-3.0-or-later
// The page as the game's window system, started here: canvases painted on
// the game's orders (canvas.js, windows.js), the menu bar (menus.js,
// view.js), the keyboard and the touch pad (keys.js, touch.js), the play
// timer's frames (frames.js), the dialogs (dialogs.js) and the sounds
// (sound.js). The game itself is pelmar.wasm, whose glue (pelmar.js) comes
// after these modules and finds the page as PelmarPage.
import { page, taking, textC, tr } from "./common.js";
import "./canvas.js";
import "./windows.js";
import "./dialogs.js";
import { inSlices, waitForPlayer } from "./frames.js";
import { listenToKeys } from "./keys.js";
import { closeMenu } from "./menus.js";
import { buildPad, releaseTouches } from "./touch.js";
import { isFullScreen } from "./view.js";
import "./access.js";
import "./settings.js";
import "./storage.js";
import "./sound.js";

globalThis.PelmarPage = page;

// The help page in a new tab, in the player's language: Pelmar.htm in
// English is Pelmar_en.htm.
page.openHelp = (name) => {
    window.open(page.language === "pt" ? name
                                       : name.replace(/\.htm$/, "_" + page.language + ".htm"),
                "_blank");
};

// What a screen reader is told: the program's counters, one "name TAB
// value" a line, said in the player's words.
page.announce = (status) => {
    document.getElementById("status").textContent = status.split("\n").filter((l) => l)
        .map((line) => line.split("\t")).map(([name, value]) => `${tr(name)} ${value}`)
        .join(", ");
};

page.sound = (name) => PelmarSound.play(name);

// All the pictures come in one file: PNGs one after the other, their
// names and sizes in PelmarAssets. English ones replace their Portuguese
// namesakes under English. Each is decoded as a bitmap, away from the page's
// thread. An <img> per picture cost a fetch each, and a Blob per picture a
// wait on the browser each: where the browser decodes bytes as they are
// (ImageDecoder), no Blob is made.
// A decoder that fails (or refuses the bytes outright) rejects, and is
// closed all the same.
async function decodePicture(bytes) {
    if (typeof ImageDecoder !== "function") {
        return createImageBitmap(new Blob([bytes], { type: "image/png" }));
    }
    const decoder = new ImageDecoder({ data: bytes, type: "image/png" });
    try {
        const { image } = await decoder.decode();
        try {
            return await createImageBitmap(image);
        } finally {
            image.close();
        }
    } finally {
        decoder.close();
    }
}

async function loadPictures() {
    const bytes = await (await fetch(PelmarAssets.pictureFile)).arrayBuffer();
    const decoded = [];
    let at = 0;
    for (const [name, size] of PelmarAssets.pictures) {
        const own = name.startsWith("en/");
        const picture = new Uint8Array(bytes, at, size);
        at += size;
        if (own && page.language !== "en") {
            continue;
        }
        const key = own ? name.slice(3) : name;
        // A picture that does not decode is left out: nothing draws it.
        decoded.push(decodePicture(picture).then((bitmap) => ({ key, own, bitmap }), () => null));
    }
    for (const done of await Promise.all(decoded)) {
        if (done && (done.own || !page.pictures[done.key] || !page.pictures[done.key].own)) {
            done.bitmap.own = done.own;
            page.pictures[done.key] = done.bitmap;
        }
    }
}

// Every call into the program goes through here: while it sleeps in a
// dialog, input, paints and timers are dropped (the dialog is modal; the
// answer wakes the program and a frame follows).
function guardCalls() {
    for (const name of Object.keys(Module)) {
        if (name.startsWith("_pelmar_") && typeof Module[name] === "function") {
            const call = Module[name];
            Module[name] = (...args) => (page.asleep ? 0 : call(...args));
        }
    }
}

function start() {
    guardCalls();
    const waits = page.touch && !page.scripted;
    // The page runs once the first picture shows (frames.js).
    inSlices(() => Module._pelmar_start(waits ? 1 : 0), () => {
        if (waits) {
            waitForPlayer(tr("Toque para começar"), true);
        }
        page.wakeIn(0);
    });
}

// ---- leaving the page: the game pauses, every key and finger let go ----

function leave() {
    releaseTouches();
    if (taking()) {
        page.showPaused(Module._pelmar_leave() !== 0);
    }
}

function listenToPage() {
    window.addEventListener("resize", () => page.fit());
    document.addEventListener("fullscreenchange", () => {
        page.fullScreen = isFullScreen();
        page.fit();
    });
    window.addEventListener("blur", () => {
        if (taking()) {
            Module._pelmar_lost_focus();
        }
        leave();
    });
    document.addEventListener("visibilitychange", () => {
        if (document.visibilityState === "hidden") {
            leave();
        }
    });
    document.addEventListener("mousedown", (e) => {
        if (page.openMenu && !e.target.closest(".menubar")) {
            closeMenu();
        }
    });
}

// The files are kept for the next visit, offline too (sw.js). The service
// worker fetches and stores every file as it installs: not while the
// program starts, which it would slow, but once the first picture shows
// and the page is idle.
function keepForOffline() {
    if (!("serviceWorker" in navigator)) {
        return;
    }
    const register = () => navigator.serviceWorker.register("sw.js").catch((e) => {
        console.warn("pelmar: the page cannot be kept for offline play: " + e);
    });
    page.shown = () => ("requestIdleCallback" in window
                            ? requestIdleCallback(register, { timeout: 2000 })
                            : setTimeout(register, 500));
}

// For tests and measurements: the game's whole state as JSON, the labels'
// places, the file a picture comes from, and simulator commands on a
// scripted page.
function offerTestHooks() {
    window.pelmarState = () => (!page.running ? null
                                : page.asleep ? page.stateAsleep : textC("pelmar_state"));
    window.pelmarLabels = () => JSON.parse(textC("pelmar_labels"));
    window.pelmarPictureFile = (name) => textC("pelmar_picture_file", name);
    // While a dialog waits, a script would run inside it: refused.
    window.pelmarScript = (lines) => (page.asking ? "error: a dialog is open\n"
                                                  : textC("pelmar_script", lines));
    window.pelmarFirstFrameMs = () => page.firstFrameMs;
    window.pelmarFullScreenError = () => page.fullScreenError;
}

// The program is compiled by a worker (compile.js) from now on, while the
// page's other files load; where the worker cannot, on the page's thread.
const compiled = new Promise((resolve, reject) => {
    const worker = new Worker(PelmarAssets.compiler);
    worker.onmessage = (event) => {
        worker.terminate();
        (event.data instanceof WebAssembly.Module ? resolve : reject)(event.data);
    };
    worker.onerror = (event) => {
        worker.terminate();
        reject(event.message);
    };
    worker.postMessage(PelmarAssets.wasm);
}).catch((error) => {
    console.warn("pelmar: the program is compiled on the page's thread: " + error);
    return WebAssembly.compileStreaming(fetch(PelmarAssets.wasm));
});

function instantiate(imports, receive) {
    compiled.then((module) => WebAssembly.instantiate(module, imports)
                      .then((instance) => receive(instance, module)))
        .catch((error) => console.error("pelmar: the program cannot start: " + error));
    return {};
}

const runtime = new Promise((resolve) => { page.runtimeReady = resolve; });
globalThis.Module = {
    onRuntimeInitialized: () => page.runtimeReady(),
    instantiateWasm: instantiate,
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
};
// The program starts in a task of its own, not in the one that made it.
Promise.all([loadPictures(), runtime]).then(() => setTimeout(start, 0));
buildPad();
keepForOffline();
document.documentElement.lang = page.language;
listenToKeys();
listenToPage();
offerTestHooks();
