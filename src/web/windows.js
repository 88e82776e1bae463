// SPDX-License-Identifier: GPL-3.0-or-later
// The game's windows in the page: each a canvas with HTML text boxes and
// buttons over it, scaled by a whole factor counted in device pixels.
import { callC, el, mainForm, page, tr } from "./common.js";
import { syncViewMenu } from "./view.js";

// The main window's menu bar, the button that shows it again when minimised,
// and the button over the kitchen while the game waits for the player: a
// touch (or click) there starts it, or ends the pause.
function addMainParts(form, id) {
    form.menubar = el("div", "menubar", form.root);
    form.menubar.setAttribute("role", "menubar");
    form.restore = el("button", "restore", document.getElementById("desk"));
    form.restore.textContent = tr("Vulcro Pelmar (minimizado): clique para voltar ao jogo");
    form.restore.hidden = true;
    form.restore.addEventListener("click", () => Module._pelmar_restore(id));
}

function addStartButton(form) {
    form.start = el("button", "start", form.client);
    form.start.hidden = true;
    form.start.addEventListener("click", () => {
        if (!page.asking && page.paused) {
            page.showPaused(Module._pelmar_pause(0) !== 0);
        }
    });
}

// Adding or showing a window changes what fits: the page is fitted once the
// program's call that changed it is over, not at each change, as each fit
// has the browser lay the page out (the program shows several windows as it
// starts, over several slices).
let fitQueued = false;
function fitSoon() {
    if (!fitQueued) {
        fitQueued = true;
        page.afterCall(() => {
            fitQueued = false;
            page.fit();
        });
    }
}

page.addForm = (id, width, height, main) => {
    const root = el("div", main ? "window main" : "window dialog",
                    document.getElementById(main ? "desk" : "dialogs"));
    root.hidden = true;
    const form = { id, width, height, main, root, widgets: {}, visible: false };
    if (main) {
        addMainParts(form, id);
    }
    form.client = el("div", "client", root);
    form.canvas = el("canvas", "", form.client);
    form.canvas.width = width;
    form.canvas.height = height;
    form.canvas.id = main ? "game" : "form" + id;
    form.ctx = form.canvas.getContext("2d", { alpha: false });
    form.ctx.imageSmoothingEnabled = false;
    form.clipped = false;
    if (main) {
        addStartButton(form);
    }
    page.forms[id] = form;
    fitSoon();
};

page.syncWindow = (id, caption, visible, minimised, enabled) => {
    const form = page.forms[id];
    form.visible = visible && !minimised;
    form.enabled = enabled;
    form.root.hidden = !form.visible;
    form.root.classList.toggle("disabled", !enabled);
    if (form.main) {
        form.restore.hidden = !(visible && minimised);
        if (caption) {
            document.title = tr(caption);
        }
    } else {
        document.getElementById("dialogs").hidden =
            !Object.values(page.forms).some((f) => !f.main && f.visible);
    }
    fitSoon();
};

// The only text box is the high-score table's name box.
function makeTextBox(w, formId, number) {
    w.type = "text";
    w.setAttribute("aria-label", tr("NOME"));
    w.spellcheck = false;
    w.autocomplete = "off";
    // A key held down as the box takes the focus keeps repeating into
    // it: only presses made since then reach it.
    w.addEventListener("focus", () => { w.freshFocus = true; });
    w.addEventListener("keydown", (e) => {
        if (w.freshFocus && e.repeat) {
            e.preventDefault();
            return;
        }
        w.freshFocus = false;
    });
    // A character the game refuses leaves the text and its selection as they were.
    w.addEventListener("beforeinput", () => {
        w.before = [w.value, w.selectionStart, w.selectionEnd, w.selectionDirection];
    });
    w.addEventListener("input", () => {
        if (!callC("pelmar_typed", formId, number, w.value) && w.before) {
            w.value = w.before[0];
            w.setSelectionRange(...w.before.slice(1));
        }
    });
}

page.addWidget = (formId, number, button) => {
    const form = page.forms[formId];
    const w = el(button ? "button" : "input", "widget", form.client);
    w.hidden = true;
    if (button) {
        w.addEventListener("click", () => Module._pelmar_click(formId, number));
    } else {
        makeTextBox(w, formId, number);
    }
    form.widgets[number] = w;
};

page.syncWidget = (formId, number, x, y, width, height, visible, enabled, text, maxLength,
                   isDefault, font, back, fore, selectAll) => {
    const w = page.forms[formId].widgets[number];
    w.box = { x, y, width, height };
    w.fontCss = font;
    w.disabled = !enabled;
    if (w.tagName === "BUTTON") {
        w.textContent = tr(text);
        w.classList.toggle("default", isDefault);
    } else {
        if (w.value !== text) {
            w.value = text;
        }
        w.maxLength = maxLength > 0 ? maxLength : 32767;
        w.style.background = back;
        w.style.color = fore;
    }
    w.hidden = !visible;
    placeWidget(w);
    if (visible && enabled && w.tagName === "INPUT") {
        w.focus();
        if (selectAll) {
            w.select();
        }
    }
};

// Game pixels to CSS pixels: the whole factor counts device pixels.
const cssPerPixel = () => page.scale / (window.devicePixelRatio || 1);

function placeWidget(w) {
    if (!w.box) {
        return;
    }
    const k = cssPerPixel();
    w.style.left = w.box.x * k + "px";
    w.style.top = w.box.y * k + "px";
    w.style.width = w.box.width * k + "px";
    w.style.height = w.box.height * k + "px";
    w.style.font = w.fontCss;
    // A name box under 16 px would make a phone zoom the page as it takes the focus.
    const size = parseInt(w.fontCss.match(/(\d+)px/)[1], 10) * k;
    w.style.fontSize = (w.tagName === "INPUT" ? Math.max(size, 16) : size) + "px";
}

// The CSS pixels the main window's client area has room for: the page's
// window less the window's frame (beside the touch pad on a touch screen);
// in full screen the screen around the window's frame alone.
function room(main) {
    const frame = [main.root.offsetWidth - main.client.offsetWidth,
                   main.root.offsetHeight - main.client.offsetHeight];
    if (!main.visible || frame[1] <= 0) {
        frame[0] = 4;
        frame[1] = 26;
    }
    const space = [window.innerWidth - frame[0] - (page.fullScreen ? 0 : 4),
                   window.innerHeight - frame[1] - (page.fullScreen ? 0 : 2)];
    const pad = document.getElementById("pad");
    if (page.touch && pad && !page.fullScreen) {
        const landscape = window.innerWidth > window.innerHeight;
        const walk = document.getElementById("walkpad");
        const act = document.getElementById("actionpad");
        if (landscape) {
            space[0] -= walk.offsetWidth + act.offsetWidth + 16;
        } else {
            space[1] -= Math.max(walk.offsetHeight, act.offsetHeight) + 8;
        }
    }
    return space;
}

// Whole-factor scaling in device pixels, so that each game pixel is a
// whole number of the screen's: the player's factor where it fits, else
// the largest that lets the main window fit the page; in full screen the
// largest that fits the screen.
page.fit = () => {
    const main = mainForm();
    if (!main) {
        return;
    }
    const ratio = window.devicePixelRatio || 1;
    const space = room(main);
    page.fitting = Math.max(1, Math.min(Math.floor(space[0] * ratio / main.width),
                                        Math.floor(space[1] * ratio / main.height)));
    const k = page.fullScreen || page.zoom === 0 ? page.fitting
                                                 : Math.min(page.zoom, page.fitting);
    page.scale = k;
    const css = k / ratio;
    for (const form of Object.values(page.forms)) {
        form.canvas.style.width = form.width * css + "px";
        form.canvas.style.height = form.height * css + "px";
        form.client.style.width = form.width * css + "px";
        form.client.style.height = form.height * css + "px";
        form.client.style.transform = "";
        Object.values(form.widgets).forEach(placeWidget);
    }
    alignToDevicePixels();
    syncViewMenu();
};

// Each canvas starts on a device pixel, where the layout would put it
// between two.
function alignToDevicePixels() {
    const ratio = window.devicePixelRatio || 1;
    for (const form of Object.values(page.forms)) {
        if (!form.visible) {
            continue;
        }
        const r = form.canvas.getBoundingClientRect();
        const dx = (Math.round(r.left * ratio) - r.left * ratio) / ratio;
        const dy = (Math.round(r.top * ratio) - r.top * ratio) / ratio;
        if (Math.abs(dx) > 1e-3 || Math.abs(dy) > 1e-3) {
            form.client.style.transform = `translate(${dx}px, ${dy}px)`;
        }
    }
}

page.paintEvent = (id) => Module._pelmar_paint_event(id);
// A change outside a wake-up is painted at the next animation frame.
page.schedulePaint = () => page.wakeIn(0);
