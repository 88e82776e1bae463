// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader finds in the game's windows drawn on canvases: each
// dialog (the high-score table, the About window) keeps, beside its canvas,
// a visually hidden copy of the texts painted on it, row by row, in step
// with every paint.
import { page } from "./common.js";
import "./canvas.js";
import "./windows.js";

// Per window: the texts on its canvas by where they start.
const painted = {};
const textsOf = (id) => painted[id] || (painted[id] = new Map());
// The main window has the score, level and lives told instead (#status).
const mirrored = (id) => page.forms[id] && !page.forms[id].main;

// The words drawn in the windows' pictures, where they stand in them.
const pictureWords = {
    "sobre.png": [[10, 5, "Vulcro Pelmar", "Vulcro Pelmar"], [95, 56, "Versão", "Version"],
                  [20, 123, "Programa elaborado por: a equipe Pelmar",
                   "Program written by: the Pelmar team"]],
    "melhores.png": [[0, 0, "Melhores Desempenhos", "Best Scores"]],
    "entre.png": [[0, 0, "Entre com o seu nome", "Enter your name"]],
};

function after(name, also) {
    const call = page[name];
    page[name] = (...args) => {
        const result = call(...args);
        also(...args);
        return result;
    };
}

// A fill or a picture hides the texts it covers.
function cover(id, x, y, w, h) {
    if (!mirrored(id)) {
        return;
    }
    const texts = textsOf(id);
    for (const [at, t] of texts) {
        if (t.x >= x && t.x < x + w && t.y >= y && t.y < y + h) {
            texts.delete(at);
        }
    }
}

function write(id, x, y, w, h, text) {
    if (!mirrored(id)) {
        return;
    }
    cover(id, x, y, w, h);
    const shown = page.tr(text || "").trim();
    if (shown) {
        textsOf(id).set(x + "," + y, { x, y, text: shown });
    }
}

// The texts as lines: those whose tops lie within a few pixels share one.
function lines(id) {
    const texts = [...textsOf(id).values()].sort((a, b) => a.y - b.y || a.x - b.x);
    const out = [];
    let top = -Infinity;
    for (const t of texts) {
        if (t.y - top > 4) {
            out.push([]);
            top = t.y;
        }
        out[out.length - 1].push(t);
    }
    return out.map((line) => line.sort((a, b) => a.x - b.x).map((t) => t.text).join(" "));
}

function mirror(id) {
    const form = page.forms[id];
    if (!mirrored(id)) {
        return;
    }
    if (!form.mirror) {
        form.mirror = document.createElement("div");
        form.mirror.className = "unseen";
        form.root.appendChild(form.mirror);
        form.canvas.setAttribute("aria-hidden", "true");
    }
    const now = lines(id);
    if (now.join("\n") !== form.mirrored) {
        form.mirrored = now.join("\n");
        form.mirror.replaceChildren(...now.map((line) => {
            const p = document.createElement("p");
            p.textContent = line;
            return p;
        }));
    }
}

after("fill", cover);
after("image", (id, name, x, y) => {
    const picture = page.pictures[name];
    if (picture) {
        cover(id, x, y, picture.width, picture.height);
    }
    for (const [dx, dy, pt, en] of pictureWords[name] || []) {
        write(id, x + dx, y + dy, 0, 0, page.language === "en" ? en : pt);
    }
});
after("text", (id, x, y, w, h, align, middle, font, spacing, colour, text) =>
    write(id, x, y, w, h, text));
after("done", mirror);
// A dialog is one for assistive technology too, named by its caption.
after("syncWindow", (id, caption) => {
    const form = page.forms[id];
    if (form && !form.main) {
        form.root.setAttribute("role", "dialog");
        form.root.setAttribute("aria-label", page.tr(caption) || document.title);
    }
});
// The texts a screen reader finds in a window, for tests.
window.pelmarMirror = (id) => lines(id);
