// SPDX-License-Identifier: GPL-3.0-or-later
// The page as the game's window system: canvases painted on the game's
// orders, HTML text boxes and buttons, the menu bar, the keyboard, the play
// timer's frames and the sounds. The game itself is pelmar.wasm.
"use strict";

const PelmarPage = (() => {
    const query = new URLSearchParams(window.location.search);
    // Portuguese for a Portuguese browser, else English; ?lang=pt or ?lang=en chooses.
    const language = (query.get("lang") || navigator.language || "pt").toLowerCase()
                         .startsWith("pt") ? "pt" : "en";
    const touch = navigator.maxTouchPoints > 0 || "ontouchstart" in window;
    const page = {
        scripted: query.has("scripted"),
        language,
        touch,
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
    };
    const arrowsAndSpace = new Set([
        "ArrowLeft", "ArrowUp", "ArrowRight", "ArrowDown", "Space", "PageUp", "PageDown", "Home",
        "End", "Backspace",
    ]);

    // ---- the player's language: the desktop's translation, built into PelmarTexts ----

    // The page's own words where the game has none.
    const ownWords = { "Toque para começar": "Tap to start",
                       "Vulcro Pelmar (minimizado): clique para voltar ao jogo":
                           "Vulcro Pelmar (minimised): click to go back to the game",
                       "A&justar à janela": "&Fit to window", "Pontos": "Score", "Fase": "Level", "Vidas": "Lives",
                       "Controles de toque": "Touch controls", "Ação": "Action",
                       "Esquerda": "Left", "Direita": "Right", "Cima": "Up", "Baixo": "Down" };
    function tr(text) {
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
    function callC(name, ...args) {
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
    const textC = (name, ...args) => Module.UTF8ToString(callC(name, ...args));

    // ---- the windows ----

    function el(tag, className, parent) {
        const e = document.createElement(tag);
        if (className) {
            e.className = className;
        }
        if (parent) {
            parent.appendChild(e);
        }
        return e;
    }

    page.addForm = (id, width, height, main) => {
        const root = el("div", main ? "window main" : "window dialog",
                        document.getElementById(main ? "desk" : "dialogs"));
        root.hidden = true;
        const form = { id, width, height, main, root, widgets: {}, visible: false };
        if (main) {
            form.menubar = el("div", "menubar", root);
            form.menubar.setAttribute("role", "menubar");
            form.restore = el("button", "restore", document.getElementById("desk"));
            form.restore.textContent = tr("Vulcro Pelmar (minimizado): clique para voltar ao jogo");
            form.restore.hidden = true;
            form.restore.addEventListener("click", () => Module._pelmar_restore(id));
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
            // Over the kitchen while the game waits for the player: a touch
            // (or click) there starts it, or ends the pause.
            form.start = el("button", "start", form.client);
            form.start.hidden = true;
            form.start.addEventListener("click", () => {
                if (!page.asking && page.paused) {
                    page.showPaused(Module._pelmar_pause(0) !== 0);
                }
            });
        }
        page.forms[id] = form;
        page.fit();
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
        page.fit();
    };

    page.addWidget = (formId, number, button) => {
        const form = page.forms[formId];
        const w = el(button ? "button" : "input", "widget", form.client);
        w.hidden = true;
        if (button) {
            w.addEventListener("click", () => Module._pelmar_click(formId, number));
        } else {
            w.type = "text";
            // The only text box is the high-score table's name box.
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

    // Whole-factor scaling in device pixels, so that each game pixel is a
    // whole number of the screen's: the player's factor where it fits, else
    // the largest that lets the main window fit the page (beside the touch
    // pad on a touch screen); in full screen the largest that fits the
    // screen, around the window's frame alone.
    page.fit = () => {
        const main = mainForm();
        if (!main) {
            return;
        }
        const ratio = window.devicePixelRatio || 1;
        const frame = [main.root.offsetWidth - main.client.offsetWidth,
                       main.root.offsetHeight - main.client.offsetHeight];
        if (!main.visible || frame[1] <= 0) {
            frame[0] = 4;
            frame[1] = 26;
        }
        let room = [window.innerWidth - frame[0] - (page.fullScreen ? 0 : 4),
                    window.innerHeight - frame[1] - (page.fullScreen ? 0 : 2)];
        const pad = document.getElementById("pad");
        if (page.touch && pad && !page.fullScreen) {
            const landscape = window.innerWidth > window.innerHeight;
            const walk = document.getElementById("walkpad");
            const act = document.getElementById("actionpad");
            if (landscape) {
                room[0] -= walk.offsetWidth + act.offsetWidth + 16;
            } else {
                room[1] -= Math.max(walk.offsetHeight, act.offsetHeight) + 8;
            }
        }
        page.fitting = Math.max(1, Math.min(Math.floor(room[0] * ratio / main.width),
                                            Math.floor(room[1] * ratio / main.height)));
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

    // ---- painting, in the canvas's own pixels ----

    page.clip = (id, x, y, w, h) => {
        const form = page.forms[id];
        const ctx = form.ctx;
        const rect = `${x} ${y} ${w} ${h}`;
        if (form.clipped === rect) {
            return;
        }
        if (form.clipped) {
            ctx.restore();
        }
        ctx.save();
        form.clipped = rect;
        ctx.beginPath();
        ctx.rect(x, y, w, h);
        ctx.clip();
    };

    page.fill = (id, x, y, w, h, colour) => {
        const ctx = page.forms[id].ctx;
        ctx.fillStyle = colour;
        ctx.fillRect(x, y, w, h);
    };

    page.image = (id, name, x, y) => {
        const picture = page.pictures[name];
        if (picture && picture.complete && picture.naturalWidth > 0) {
            page.forms[id].ctx.drawImage(picture, x, y);
        }
    };

    page.border = (id, x, y, w, h) => {
        const ctx = page.forms[id].ctx;
        ctx.strokeStyle = "#000000";
        ctx.lineWidth = 1;
        ctx.strokeRect(x + 0.5, y + 0.5, w - 1, h - 1);
    };

    const ascents = {};
    function ascentOf(ctx, font) {
        if (!(font in ascents)) {
            const m = ctx.measureText("ÁÇgj");
            ascents[font] = Math.round(m.fontBoundingBoxAscent || m.actualBoundingBoxAscent || 9);
        }
        return ascents[font];
    }

    // A font's whole pixels above and below the baseline, as the desktop
    // rounds them, and text widths with letters `spacing` pixels further apart.
    const measurer = document.createElement("canvas").getContext("2d");
    function fontMetrics(font) {
        measurer.font = font;
        const m = measurer.measureText("ÁÇgj");
        const ascent = Math.round(m.fontBoundingBoxAscent || m.actualBoundingBoxAscent || 9);
        const descent = Math.round(m.fontBoundingBoxDescent || m.actualBoundingBoxDescent || 3);
        return { ascent, height: ascent + descent };
    }

    function advance(ctx, font, spacing, text) {
        ctx.font = font;
        ctx.letterSpacing = spacing + "px";
        const width = ctx.measureText(text).width;
        ctx.letterSpacing = "0px";
        return width;
    }

    page.textAdvance = (font, spacing, text) => Math.round(advance(measurer, font, spacing,
                                                                   tr(text)));
    page.fontHeight = (font) => fontMetrics(font).height;

    // One line of text in the middle of a box, its letters `spacing` pixels apart.
    page.centredText = (id, x, y, w, h, font, spacing, colour, text) => {
        text = tr(text);
        const ctx = page.forms[id].ctx;
        const metrics = fontMetrics(font);
        const width = advance(ctx, font, spacing, text);
        ctx.font = font;
        ctx.letterSpacing = spacing + "px";
        ctx.fillStyle = colour;
        ctx.textAlign = "left";
        ctx.textBaseline = "alphabetic";
        ctx.fillText(text, x + (w - width) / 2, y + (h - metrics.height) / 2 + metrics.ascent);
        ctx.letterSpacing = "0px";
    };

    page.text = (id, x, y, w, h, align, grid, font, colour, text) => {
        text = tr(text);
        const ctx = page.forms[id].ctx;
        ctx.font = font;
        ctx.fillStyle = colour;
        ctx.textBaseline = "alphabetic";
        const baseline = y + ascentOf(ctx, font);
        if (grid) {
            // Order lines lay their ticks on a grid: a blank is 4 pixels, any
            // other character sits centred in 8.
            ctx.textAlign = "left";
            let at = x + 1;
            for (const ch of text) {
                if (ch === " ") {
                    at += 4;
                    continue;
                }
                const width = ctx.measureText(ch).width;
                ctx.fillText(ch, at + Math.floor((8 - width) / 2), baseline);
                at += 8;
            }
            return;
        }
        ctx.textAlign = align === 2 ? "center" : align === 1 ? "right" : "left";
        const at = align === 2 ? x + w / 2 : align === 1 ? x + w - 1 : x + 1;
        ctx.fillText(text, at, baseline);
    };

    page.done = (id) => {
        const form = page.forms[id];
        if (form.clipped) {
            form.ctx.restore();
            form.clipped = false;
        }
        if (form.main && page.firstFrameMs === 0) {
            page.firstFrameMs = performance.now();
        }
    };

    // ---- the menu bar ----

    function accessKey(caption) {
        const at = caption.indexOf("&");
        return at >= 0 && at + 1 < caption.length ? caption[at + 1].toLowerCase() : "";
    }

    function showCaption(node, caption) {
        node.textContent = "";
        const at = caption.indexOf("&");
        if (at < 0 || at + 1 >= caption.length) {
            node.textContent = caption;
            return;
        }
        node.append(caption.slice(0, at));
        const u = el("u", "", node);
        u.textContent = caption[at + 1];
        node.append(caption.slice(at + 2));
    }

    function mainForm() {
        return Object.values(page.forms).find((f) => f.main);
    }

    // A menu on the bar, before the menu `before` or last.
    function addTitle(menu, before) {
        const bar = mainForm().menubar;
        menu.items = [];
        menu.button = el("button", "menutitle");
        menu.button.tabIndex = -1;
        menu.button.setAttribute("role", "menuitem");
        menu.button.setAttribute("aria-haspopup", "menu");
        menu.button.setAttribute("aria-expanded", "false");
        menu.list = el("div", "menulist");
        menu.list.tabIndex = -1;
        menu.list.hidden = true;
        menu.list.setAttribute("role", "menu");
        bar.insertBefore(menu.button, before ? before.button : null);
        bar.insertBefore(menu.list, before ? before.button : null);
        menu.button.addEventListener("mousedown", (e) => {
            e.preventDefault();
            page.openMenu === menu ? closeMenu() : openMenu(menu);
        });
        menu.button.addEventListener("mouseenter", () => {
            if (page.openMenu && page.openMenu !== menu) {
                openMenu(menu);
            }
        });
        const at = before ? page.topMenus.indexOf(before) : -1;
        at >= 0 ? page.topMenus.splice(at, 0, menu) : page.topMenus.push(menu);
    }

    // An entry of the menu `top`, before its entry `before` or last: an
    // action ("menuitem"), an entry with a check mark of its own
    // ("menuitemcheckbox") or one of a group's ("menuitemradio").
    function addRow(top, item, role, before) {
        item.row = el("div", item.separator ? "separator" : "menuitem");
        top.list.insertBefore(item.row, before ? before.row : null);
        if (item.separator) {
            item.row.setAttribute("role", "separator");
        } else {
            item.row.setAttribute("role", role);
            item.row.tabIndex = -1;
            el("span", "check", item.row).setAttribute("aria-hidden", "true");
            item.label = el("span", "label", item.row);
            el("span", "shortcut", item.row).textContent = item.shortcut;
            item.row.addEventListener("mouseenter", () => highlight(top, item));
            item.row.addEventListener("mouseup", () => choose(item));
        }
        const at = before ? top.items.indexOf(before) : -1;
        at >= 0 ? top.items.splice(at, 0, item) : top.items.push(item);
    }

    function showMenu(menu) {
        if (menu.button) {
            showCaption(menu.button, menu.caption);
            menu.button.hidden = !menu.visible;
        } else if (menu.row && !menu.separator) {
            showCaption(menu.label, menu.caption);
            // A game entry that shows a check mark is one from then on.
            if (menu.checked && menu.row.getAttribute("role") === "menuitem" && menu.number) {
                menu.row.setAttribute("role", "menuitemcheckbox");
            }
            const role = menu.row.getAttribute("role");
            const mark = role === "menuitemradio" ? "•" : "✓";
            menu.row.querySelector(".check").textContent = menu.checked ? mark : "";
            if (role === "menuitem") {
                menu.row.removeAttribute("aria-checked");
            } else {
                menu.row.setAttribute("aria-checked", menu.checked ? "true" : "false");
            }
            menu.row.classList.toggle("disabled", !menu.enabled);
            menu.row.setAttribute("aria-disabled", menu.enabled ? "false" : "true");
            menu.row.hidden = !menu.visible;
        }
    }

    page.addMenu = (number, parent, caption, separator, shortcut) => {
        const menu = { number, parent, caption: tr(caption), separator, shortcut, items: [],
                       enabled: true, visible: true, checked: false };
        if (parent < 0) {
            addTitle(menu, null);
        } else {
            addRow(page.menus[parent], menu, "menuitem", null);
        }
        page.menus[number] = menu;
    };

    page.syncMenu = (number, caption, checked, enabled, visible) => {
        const menu = page.menus[number];
        Object.assign(menu, { caption: tr(caption), checked, enabled, visible });
        showMenu(menu);
    };

    function mainEnabled() {
        const main = mainForm();
        return main && main.enabled && main.visible;
    }

    function openMenu(menu) {
        if (!mainEnabled()) {
            return;
        }
        const before = page.openMenu ? page.focusBefore : document.activeElement;
        closeMenu();
        page.focusBefore = before;
        page.openMenu = menu;
        menu.list.hidden = false;
        menu.list.style.left = menu.button.offsetLeft + "px";
        menu.button.classList.add("open");
        menu.button.setAttribute("aria-expanded", "true");
        highlight(menu, menu.items.find(usable) || null);
    }

    function closeMenu() {
        if (page.openMenu) {
            page.openMenu.list.hidden = true;
            page.openMenu.button.classList.remove("open");
            page.openMenu.button.setAttribute("aria-expanded", "false");
            page.openMenu = null;
            // The focus goes back where it was before the menu.
            const back = page.focusBefore;
            page.focusBefore = null;
            if (back && back !== document.body && back.isConnected &&
                typeof back.focus === "function") {
                back.focus();
            } else if (document.activeElement) {
                document.activeElement.blur();
            }
        }
    }

    function usable(item) {
        return !item.separator && item.visible && item.enabled;
    }

    // The entry highlighted has the focus, for a screen reader to tell.
    function highlight(top, item) {
        top.current = item;
        for (const i of top.items) {
            if (i.row) {
                i.row.classList.toggle("current", i === item);
            }
        }
        (item && item.row ? item.row : top.list).focus({ preventScroll: true });
    }

    function choose(item) {
        if (!usable(item)) {
            return;
        }
        closeMenu();
        // After the menu has closed, as a desktop menu does.
        setTimeout(() => (item.action ? item.action() : Module._pelmar_menu(item.number)), 0);
    }

    function menuKey(e) {
        const top = page.openMenu;
        const items = top.items.filter(usable);
        const at = items.indexOf(top.current);
        switch (e.key) {
        case "Escape":
            closeMenu();
            break;
        case "ArrowDown":
            highlight(top, items[(at + 1) % items.length]);
            break;
        case "ArrowUp":
            highlight(top, items[(at - 1 + items.length) % items.length]);
            break;
        case "ArrowLeft":
        case "ArrowRight": {
            const shown = page.topMenus.filter((m) => m.visible);
            const next = shown.indexOf(top) + (e.key === "ArrowRight" ? 1 : -1);
            openMenu(shown[(next + shown.length) % shown.length]);
            break;
        }
        case "Enter":
        case " ":
            if (top.current) {
                choose(top.current);
            }
            break;
        default: {
            const item = items.find((i) => accessKey(i.caption) === e.key.toLowerCase());
            if (item) {
                choose(item);
            }
        }
        }
    }

    // ---- the "Exibir" menu, the page's own: zoom, full screen, pause ----

    const ctrl = (e) => (e.ctrlKey || e.metaKey) && !e.altKey;
    const plain = (e) => !e.ctrlKey && !e.altKey && !e.metaKey && !e.shiftKey;

    function screenElement() {
        return document.getElementById("screen");
    }

    function fullScreenAllowed() {
        return document.fullscreenEnabled === true &&
               typeof screenElement().requestFullscreen === "function";
    }

    // The factors wait while the screen is filled, as on the desktop.
    function zoomTo(factor) {
        if (!page.fullScreen) {
            page.zoom = Math.max(1, Math.min(factor, page.fitting));
            page.fit();
        }
    }

    function setFullScreen(on) {
        if (on && !document.fullscreenElement && fullScreenAllowed()) {
            screenElement().requestFullscreen({ navigationUI: "hide" }).then(
                () => { page.fullScreenError = null; },
                (e) => {
                    page.fullScreenError = String((e && e.message) || e);
                    console.warn("pelmar: the browser refused full screen: " +
                                 page.fullScreenError);
                    syncViewMenu();
                });
        } else if (!on && document.fullscreenElement) {
            document.exitFullscreen().catch(() => {});
        }
    }

    page.addViewMenu = () => {
        const top = { caption: tr("&Exibir"), visible: true };
        // Between the game's own menus, before "Ajuda".
        addTitle(top, page.topMenus[page.topMenus.length - 1] || null);
        const entry = (caption, shortcut, keys, action, role) => {
            const item = { caption: tr(caption), shortcut, keys, action, separator: false,
                           enabled: true, visible: true, checked: false };
            addRow(top, item, role, null);
            return item;
        };
        const separator = () => {
            const item = { separator: true, visible: true };
            addRow(top, item, "separator", null);
            return item;
        };
        const view = { top, factors: [] };
        // The factors that fit come before it, added as the window grows: the
        // largest that fits, following the window, until the player picks one.
        view.fitWindow = entry("A&justar à janela", "", () => false, () => {
            page.zoom = 0;
            page.fit();
        }, "menuitemcheckbox");
        separator();
        view.entries = [
            entry("A&mpliar", "Ctrl++", (e) => ctrl(e) && (e.key === "+" || e.key === "=" ||
                                                            e.code === "NumpadAdd"),
                  () => zoomTo(page.scale + 1), "menuitem"),
            entry("&Reduzir", "Ctrl+-", (e) => ctrl(e) && (e.key === "-" ||
                                                            e.code === "NumpadSubtract"),
                  () => zoomTo(page.scale - 1), "menuitem"),
        ];
        // At the largest factor (or the smallest) the browser zooms the page.
        view.entries[0].browserKeeps = () => !page.fullScreen && page.scale >= page.fitting;
        view.entries[1].browserKeeps = () => !page.fullScreen && page.scale <= 1;
        separator();
        view.fullScreen = entry("Tela &cheia", "F11", (e) => plain(e) && e.key === "F11",
                                () => setFullScreen(!page.fullScreen), "menuitemcheckbox");
        separator();
        view.pause = entry("&Pausa", "P", (e) => plain(e) && (e.key.toLowerCase() === "p" ||
                                                              e.key === "Pause"),
                           () => page.showPaused(Module._pelmar_pause(page.paused ? 0 : 1) !== 0),
                           "menuitemcheckbox");
        view.entries.push(view.fitWindow, view.fullScreen, view.pause);
        page.view = view;
        showMenu(top);
        syncViewMenu();
    };

    function syncViewMenu() {
        const view = page.view;
        if (!view) {
            return;
        }
        for (let factor = view.factors.length + 1; factor <= page.fitting; factor++) {
            const item = { caption: tr("Tamanho &%1x").replace("%1", factor), shortcut: "",
                           separator: false,
                           action: () => zoomTo(factor) };
            addRow(view.top, item, "menuitemradio", view.fitWindow);
            view.factors.push(item);
        }
        view.factors.forEach((item, i) => {
            Object.assign(item, { visible: i + 1 <= page.fitting, enabled: !page.fullScreen,
                                  checked: i + 1 === page.scale && !page.fullScreen });
            showMenu(item);
        });
        view.fitWindow.checked = page.zoom === 0 && !page.fullScreen;
        view.fitWindow.enabled = !page.fullScreen;
        view.fullScreen.checked = page.fullScreen;
        view.fullScreen.enabled = fullScreenAllowed();
        view.pause.checked = page.paused;
        view.entries.forEach(showMenu);
    }

    // The check mark follows the game, which ends the pause by itself.
    // On a touch screen a touch on the paused kitchen goes on.
    page.showPaused = (paused) => {
        page.paused = paused;
        page.waiting = page.waiting && paused;
        const main = mainForm();
        if (main) {
            main.start.hidden = !(paused && (page.waiting || page.touch));
            main.start.classList.toggle("bare", !page.waiting);
            if (!page.waiting) {
                main.start.textContent = "";
                main.start.setAttribute("aria-label", tr("&Pausa").replace("&", ""));
            } else {
                main.start.removeAttribute("aria-label");
            }
        }
        syncViewMenu();
    };

    function viewEntryOf(e) {
        return page.view ? page.view.entries.find((item) => item.keys(e)) : undefined;
    }

    // ---- the keyboard ----

    function keyCode(e) {
        const named = {
            ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, ControlLeft: 17,
            ControlRight: 17, ShiftLeft: 16, ShiftRight: 16, AltLeft: 18, AltRight: 18, Space: 32,
            Enter: 13, NumpadEnter: 13, Escape: 27, Tab: 9, Backspace: 8, PageUp: 33,
            PageDown: 34, End: 35, Home: 36, Insert: 45, Delete: 46,
        };
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
        return e.keyCode || 0;
    }

    function frontDialog() {
        return Object.values(page.forms).find((f) => !f.main && f.visible);
    }

    function onKeyDown(e) {
        if (page.ended || !page.running || page.asking) {
            return;
        }
        startSound();
        if (page.openMenu) {
            e.preventDefault();
            menuKey(e);
            return;
        }
        const dialog = frontDialog();
        if (!dialog && e.altKey && e.key.length === 1) {
            const menu = page.topMenus.find((m) => m.visible && accessKey(m.caption) ===
                                                                e.key.toLowerCase());
            if (menu) {
                e.preventDefault();
                openMenu(menu);
                return;
            }
        }
        const viewEntry = dialog ? undefined : viewEntryOf(e);
        if (viewEntry && viewEntry.browserKeeps && viewEntry.browserKeeps()) {
            return;
        }
        if (viewEntry) {
            // Also kept from the browser, whose Ctrl++ and Ctrl+- would zoom the page.
            e.preventDefault();
            if (!e.repeat && mainEnabled()) {
                viewEntry.action();
            }
            return;
        }
        if (!dialog && !e.altKey && !e.ctrlKey) {
            const item = Object.values(page.menus).find((m) => m.shortcut && m.shortcut === e.key);
            if (item) {
                e.preventDefault();
                if (!e.repeat && mainEnabled() && usable(item)) {
                    Module._pelmar_menu(item.number);
                }
                return;
            }
        }
        if (dialog) {
            if (e.key === "Enter" || e.key === "Escape") {
                e.preventDefault();
                Module._pelmar_dialog_key(dialog.id, e.key === "Escape" ? 1 : 0);
            }
            return;
        }
        if (Module._pelmar_key(1, keyCode(e), e.ctrlKey ? 1 : 0, e.altKey || e.metaKey ? 1 : 0,
                               e.shiftKey ? 1 : 0, e.repeat ? 1 : 0)) {
            if (arrowsAndSpace.has(e.code)) {
                e.preventDefault();
            }
        } else if (arrowsAndSpace.has(e.code) && document.activeElement.tagName !== "INPUT") {
            e.preventDefault();
        }
    }

    function onKeyUp(e) {
        if (page.ended || !page.running || page.asking) {
            return;
        }
        if (!page.openMenu && !frontDialog() && Module._pelmar_key(0, keyCode(e), 0, 0, 0, 0)) {
            if (arrowsAndSpace.has(e.code)) {
                e.preventDefault();
            }
        }
    }

    // ---- the game's modal dialogs: the input box and the Yes/No question ----

    // Opens one of the page's <dialog> elements and answers the game's call,
    // which waits meanwhile; no frame runs, so the game's clock stands still.
    // `buttons` are [caption, answer, key] with key "Enter" or "Escape".
    function modal(title, prompt, field, buttons, question = null) {
        return new Promise((resolve) => {
            closeMenu();
            page.asking = true;
            // The fingers lift; the keys and walks held are let go once the
            // game has its answer (a key let go over the dialog never reaches it).
            releaseTouches();
            const before = document.activeElement;
            const dialog = el("dialog", "ask", document.body);
            dialog.setAttribute("aria-labelledby", "ask-title");
            dialog.setAttribute("aria-describedby", "ask-prompt");
            const form = el("form", "", dialog);
            form.method = "dialog";
            const heading = el("h2", "title", form);
            heading.id = "ask-title";
            heading.textContent = title;
            const text = el("p", "prompt", form);
            text.id = "ask-prompt";
            text.textContent = prompt.replace(/\r\n/g, "\n");
            let input = null;
            if (field !== null) {
                input = el("input", "", form);
                input.type = "text";
                input.spellcheck = false;
                input.autocomplete = "off";
                input.value = field;
                input.setAttribute("aria-labelledby", "ask-prompt");
            }
            const row = el("div", "buttons", form);
            let done = false;
            const finish = (answer) => {
                if (done) {
                    return;
                }
                done = true;
                dialog.close();
                dialog.remove();
                page.asking = false;
                if (before && before.isConnected && typeof before.focus === "function") {
                    before.focus();
                }
                page.asleep = false;
                resolve(answer(input ? input.value : ""));
                setTimeout(() => {
                    if (page.running && !page.ended && !page.asking) {
                        Module._pelmar_release_all();
                    }
                }, 0);
                // The game goes on from here: the time the dialog was open is
                // skipped as a stall.
                page.wakeIn(0);
            };
            const byKey = {};
            for (const [caption, answer, key] of buttons) {
                const b = el("button", "", row);
                b.type = "button";
                b.textContent = caption;
                b.addEventListener("click", () => finish(answer));
                if (key) {
                    byKey[key] = answer;
                }
            }
            if (question) {
                takeQuestionKeys(dialog, row, question, (yes) => finish(buttons[yes ? 0 : 1][1]));
            }
            dialog.addEventListener("keydown", (e) => {
                // Enter on a button is that button's, as on the desktop.
                const onButton = e.target.tagName === "BUTTON";
                if ((e.key === "Enter" && !onButton && "Enter" in byKey) || e.key === "Escape") {
                    e.preventDefault();
                    e.stopPropagation();
                    finish(byKey[e.key] || (() => null));
                }
            });
            dialog.addEventListener("cancel", (e) => {
                e.preventDefault();
                if (!question) {
                    finish(byKey.Escape || (() => null));
                }
            });
            // The last call the program takes before it sleeps.
            page.stateAsleep = page.running ? textC("pelmar_state") : null;
            dialog.showModal();
            if (input) {
                input.focus();
                input.select();
            } else {
                row.firstChild.focus();
            }
            page.asleep = true;
        });
    }

    // The answer typed, or null for Cancel.
    page.inputBox = (prompt, title, answer) => modal(
        tr(title), tr(prompt), answer,
        [[tr("Ok"), (value) => value, "Enter"], [tr("Cancelar"), () => null, "Escape"]]);

    // RULE: how the game's question takes keys, as the program gives it
    // before it waits (it cannot be asked while it waits).
    page.askYesNo = (prompt, title, rule) => modal(
        tr(title), tr(prompt), null,
        [[tr("&Sim").replace("&", ""), () => true, "Enter"],
         [tr("&Não").replace("&", ""), () => false, null]], rule);

    // The game's question takes keys by the game's rule: "DEAF CODE:WHAT
    // ...", WHAT 0 nothing, 1 choose Yes, 2 choose No, 3 take the choice;
    // other keys are the page's. A key held (its repeat) never answers and
    // keeps it deaf; so does any key in its first DEAF milliseconds.
    function takeQuestionKeys(dialog, row, rule, answer) {
        const [deaf, ...pairs] = rule.split(" ");
        const verdicts = new Map(pairs.map((pair) => pair.split(":").map(Number)));
        const taken = new Set();
        let deafFrom = performance.now();
        const [yes, no] = row.children;
        dialog.addEventListener("keydown", (e) => {
            const now = performance.now();
            let verdict = 0;
            if (e.repeat) {
                if (!taken.has(e.keyCode)) {
                    deafFrom = now;
                }
            } else if (now - deafFrom >= Number(deaf)) {
                taken.add(e.keyCode);
                verdict = verdicts.has(e.keyCode) ? verdicts.get(e.keyCode) : 4;
            }
            if (verdict === 4) {
                return;
            }
            e.preventDefault();
            e.stopImmediatePropagation();
            if (verdict === 1 || verdict === 2) {
                (verdict === 1 ? yes : no).focus();
            } else if (verdict === 3) {
                answer(document.activeElement !== no);
            }
        }, true);
        dialog.addEventListener("keyup", (e) => {
            taken.delete(e.keyCode);
            // A button clicks on the release of Space: the rule answered already.
            if (e.key === " " || e.key === "Enter") {
                e.preventDefault();
            }
        }, true);
    }

    // ---- the touch pad: the four walks and the action key, held like keys ----

    const padKeys = [["Cima", 38, "up"], ["Esquerda", 37, "left"], ["Direita", 39, "right"],
                     ["Baixo", 40, "down"], ["Ação", 32, "action"]];
    const held = new Map(); // key code -> the pointers holding it

    function press(code, pointer, down) {
        const fingers = held.get(code) || new Set();
        const was = fingers.size > 0;
        down ? fingers.add(pointer) : fingers.delete(pointer);
        held.set(code, fingers);
        const is = fingers.size > 0;
        if (was !== is && page.running && !page.ended && !page.asking) {
            startSound();
            Module._pelmar_key(is ? 1 : 0, code, 0, 0, 0, 0);
        }
        const button = document.querySelector(`#pad [data-code="${code}"]`);
        if (button) {
            button.classList.toggle("held", is);
        }
    }

    // Every finger lifted at once, as the page is left or a dialog opens.
    function releaseTouches() {
        for (const [code, fingers] of held) {
            for (const pointer of [...fingers]) {
                press(code, pointer, false);
            }
        }
    }

    function buildPad() {
        const pad = document.getElementById("pad");
        pad.setAttribute("aria-label", tr("Controles de toque"));
        for (const [name, code, place] of padKeys) {
            const b = el("button", "padkey " + place,
                         document.getElementById(place === "action" ? "actionpad" : "walkpad"));
            b.type = "button";
            b.dataset.code = code;
            b.setAttribute("aria-label", tr(name));
            b.textContent = { up: "▲", left: "◀", right: "▶", down: "▼", action: "●" }[place];
            b.addEventListener("pointerdown", (e) => {
                e.preventDefault();
                b.setPointerCapture(e.pointerId);
                press(code, e.pointerId, true);
            });
            for (const type of ["pointerup", "pointercancel", "lostpointercapture"]) {
                b.addEventListener(type, (e) => press(code, e.pointerId, false));
            }
            b.addEventListener("contextmenu", (e) => e.preventDefault());
        }
        pad.hidden = !page.touch;
        document.body.classList.toggle("touch", page.touch);
    }

    // The help page in a new tab, in the player's language: Pelmar.htm in
    // English is Pelmar_en.htm.
    page.openHelp = (name) => {
        window.open(language === "pt" ? name : name.replace(/\.htm$/, "_" + language + ".htm"),
                    "_blank");
    };

    // ---- leaving the page: the game pauses, every key and finger let go ----

    function leave() {
        releaseTouches();
        if (page.running && !page.ended && !page.asking) {
            page.showPaused(Module._pelmar_leave() !== 0);
        }
    }

    // ---- what a screen reader is told: the score, level and lives ----

    page.announce = (score, level, lives) => {
        document.getElementById("status").textContent =
            `${tr("Pontos")} ${Math.floor(score)}, ${tr("Fase")} ${level}, ${tr("Vidas")} ${lives}`;
    };

    // ---- sounds (sound.js) ----

    const startSound = () => PelmarSound.start();
    page.sound = (name) => PelmarSound.play(name);

    // ---- starting and ending ----

    // The game waits, paused, behind a button over the kitchen: before the
    // first game on a touch screen, and after the last one.
    function waitForPlayer(caption) {
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

    // After the last game (the player wanted no other, or left by the menu)
    // a fresh program waits for a new game: its menu entry, F2 or a touch.
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
            const novo = Object.values(page.menus).find((m) => m.shortcut === "F2");
            waitForPlayer(novo ? novo.caption.replace("&", "") + " (F2)" : "F2");
            page.wakeIn(0);
        }, 0);
    };

    // The game asks to be woken at the next animation frame (0), after a
    // wait, or not at all (a negative wait): nothing runs while it sleeps,
    // nor while a dialog waits for the player.
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

    // All the pictures come in one file: PNGs one after the other, their
    // names and sizes in PelmarAssets. English ones replace their Portuguese
    // namesakes under English.
    function loadPictures() {
        return fetch(PelmarAssets.pictureFile).then((r) => r.arrayBuffer()).then((bytes) => {
            const shown = [];
            let at = 0;
            for (const [name, size] of PelmarAssets.pictures) {
                const own = name.startsWith("en/");
                const blob = new Blob([bytes.slice(at, at + size)], { type: "image/png" });
                at += size;
                if (own && language !== "en") {
                    continue;
                }
                const picture = new Image();
                shown.push(new Promise((resolve) => {
                    picture.onload = picture.onerror = () => resolve();
                }));
                picture.src = URL.createObjectURL(blob);
                const key = own ? name.slice(3) : name;
                if (own || !page.pictures[key] || !page.pictures[key].own) {
                    picture.own = own;
                    page.pictures[key] = picture;
                }
            }
            return Promise.all(shown);
        });
    }

    const pictures = loadPictures();
    const runtime = new Promise((resolve) => { page.runtimeReady = resolve; });
    Promise.all([pictures, runtime]).then(() => {
        // Every call into the program goes through here: while it sleeps in a
        // dialog, input, paints and timers are dropped (the dialog is modal;
        // the answer wakes the program and a frame follows).
        for (const name of Object.keys(Module)) {
            if (name.startsWith("_pelmar_") && typeof Module[name] === "function") {
                const call = Module[name];
                Module[name] = (...args) => (page.asleep ? 0 : call(...args));
            }
        }
        page.running = true;
        Module._pelmar_start();
        if (page.touch && !page.scripted) {
            waitForPlayer(tr("Toque para começar"));
        }
        page.wakeIn(0);
    });

    buildPad();
    // The files are kept for the next visit, offline too (sw.js).
    if ("serviceWorker" in navigator) {
        window.addEventListener("load", () => {
            navigator.serviceWorker.register("sw.js").catch((e) => {
                console.warn("pelmar: the page cannot be kept for offline play: " + e);
            });
        });
    }
    document.documentElement.lang = language;
    window.addEventListener("keydown", onKeyDown, true);
    window.addEventListener("keyup", onKeyUp, true);
    window.addEventListener("resize", () => page.fit());
    document.addEventListener("fullscreenchange", () => {
        page.fullScreen = document.fullscreenElement === screenElement();
        page.fit();
    });
    window.addEventListener("blur", () => {
        if (page.running && !page.ended && !page.asking) {
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

    // For tests and measurements: the game's whole state as JSON, the
    // labels' places, the file a picture comes from, and simulator commands
    // on a scripted page.
    window.pelmarState = () => (!page.running ? null
                                : page.asleep ? page.stateAsleep : textC("pelmar_state"));
    window.pelmarLabels = () => JSON.parse(textC("pelmar_labels"));
    window.pelmarPictureFile = (name) => textC("pelmar_picture_file", name);
    // While a dialog waits, a script would run inside it: refused.
    window.pelmarScript = (lines) => (page.asking ? "error: a dialog is open\n"
                                                  : textC("pelmar_script", lines));
    window.pelmarFirstFrameMs = () => page.firstFrameMs;
    window.pelmarFullScreenError = () => page.fullScreenError;
    return page;
})();

var Module = {
    onRuntimeInitialized: () => PelmarPage.runtimeReady(),
    // The program's file has its own hashed name.
    locateFile: (name) => (name.endsWith(".wasm") ? PelmarAssets.wasm : name),
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
};
