// SPDX-License-Identifier: GPL-3.0-or-later
// The high-score table in the browser's localStorage: one character per
// byte, saved under a lock that every tab of the game takes, and the notice
// the player sees when the browser refuses to keep it.
import { page } from "./common.js";

// A table is a few hundred bytes: anything much larger is not one.
const mostChars = 65536;
// The page's own words for the notice.
const ownWords = {
    "o espaço que o navegador dá ao jogo está cheio": "the room the browser gives the game is full",
    "o navegador não deixa o jogo guardar nada": "the browser lets the game keep nothing",
};
let release = null;

// localStorage is kept by each tab's process and told of another tab's
// change a moment later: a tab taking the lock as another lets it go could
// still read the table without the other's score. So every table saved is
// also put in IndexedDB, where a change is seen at once, and inside the lock
// the table is read from there. Where IndexedDB is missing or fails, from
// localStorage alone; a copy that could not be put there is dropped.
// The database is opened at the first save, not as the page starts.
let database = null;
// The table as IndexedDB had it when this tab took the lock.
let lockedCopy = null;
// The copy being put, which the lock waits for before it goes.
let putting = Promise.resolve();

function openDatabase() {
    return new Promise((resolve) => {
        try {
            const request = indexedDB.open("pelmar", 1);
            request.onupgradeneeded = () => request.result.createObjectStore("files");
            request.onsuccess = () => resolve(request.result);
            request.onerror = request.onblocked = () => resolve(null);
        } catch (e) {
            resolve(null);
        }
    });
}

// One request on the files' store: its result once done, undefined where it failed.
function onFiles(mode, use) {
    database ??= openDatabase();
    return database.then((db) => new Promise((resolve) => {
        try {
            const transaction = db.transaction("files", mode);
            const request = use(transaction.objectStore("files"));
            transaction.oncomplete = () => resolve(request.result);
            transaction.onerror = transaction.onabort = () => resolve(undefined);
        } catch (e) {
            resolve(undefined);
        }
    }));
}

function putCopy(key, bytes) {
    putting = putting.then(() => onFiles("readwrite", (files) => files.put(bytes, key)))
        .then((put) => (put === key ? null : onFiles("readwrite", (files) => files.delete(key))));
}

function tr(text) {
    const shown = page.tr(text);
    return shown === text && page.language === "en" && text in ownWords ? ownWords[text]
                                                                        : shown;
}

// The stored bytes as hexadecimal digits ("" when missing, unreadable or too long).
function read(key) {
    let stored = lockedCopy && lockedCopy.key === key ? lockedCopy.bytes : null;
    try {
        stored ??= window.localStorage.getItem(key);
    } catch (e) {
        console.warn("pelmar: the browser's storage cannot be read", e);
    }
    if (typeof stored !== "string" || stored.length > mostChars) {
        return "";
    }
    let text = "";
    for (let i = 0; i < stored.length; i++) {
        text += (stored.charCodeAt(i) & 255).toString(16).padStart(2, "0");
    }
    return text;
}

// 1 when kept, 0 where the storage is full, -1 where the browser refuses.
function write(key, hex) {
    let bytes = "";
    for (let i = 0; i + 1 < hex.length; i += 2) {
        bytes += String.fromCharCode(parseInt(hex.substr(i, 2), 16));
    }
    try {
        window.localStorage.setItem(key, bytes);
        putCopy(key, bytes);
        if (lockedCopy && lockedCopy.key === key) {
            lockedCopy.bytes = bytes;
        }
        return 1;
    } catch (e) {
        console.warn("pelmar: the browser's storage cannot be written", e);
        const full = e && (e.name === "QuotaExceededError" || e.code === 22);
        return full ? 0 : -1;
    }
}

// Resolves with 1 once this tab holds the lock of `key`, which it keeps
// until unlock(); 0 at once where the browser has no locks. The program
// sleeps meanwhile: nothing calls into it, as in the page's dialogs.
function lock(key) {
    if (!navigator.locks || typeof navigator.locks.request !== "function") {
        return Promise.resolve(0);
    }
    page.stateAsleep = page.running ? window.pelmarState() : null;
    page.asleep = true;
    return new Promise((granted) => {
        navigator.locks.request("pelmar:" + key, () => new Promise((done) => {
            release = done;
            granted(1);
        })).catch((e) => {
            console.warn("pelmar: the browser's lock was refused", e);
            granted(0);
        });
    }).then(async (held) => {
        if (held) {
            const copy = await onFiles("readonly", (files) => files.get(key));
            lockedCopy = typeof copy === "string" ? { key, bytes: copy } : null;
        }
        page.asleep = false;
        // The frames dropped meanwhile start again.
        setTimeout(() => page.wakeIn(0), 0);
        return held;
    });
}

function unlock() {
    lockedCopy = null;
    if (release) {
        // The next tab in the lock reads the copy this one put.
        putting.then(release);
        release = null;
    }
}

// Shown without waiting for the player, as the desktop's notice is,
// until its Ok button puts it away.
function notice(text, details) {
    let box = document.getElementById("notice");
    if (!box) {
        box = document.createElement("div");
        box.id = "notice";
        box.setAttribute("role", "alert");
        box.append(document.createElement("p"), document.createElement("button"));
        box.lastChild.type = "button";
        box.lastChild.addEventListener("click", () => { box.hidden = true; });
        (document.querySelector("main") || document.body).appendChild(box);
    }
    const shown = details.map(tr);
    box.firstChild.textContent = tr(text).replace(/%([1-9])/g, (m, n) => shown[n - 1] ?? m);
    box.lastChild.textContent = tr("Ok");
    box.hidden = false;
}

// The program keeps its table through these (WebPlatform.cpp).
globalThis.PelmarStorage = { read, write, lock, unlock, notice };
