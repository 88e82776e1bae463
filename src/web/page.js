// SPDX-License-Identifier: GPL-3.0-or-later
// The page as the game's window system: canvases painted on the game's
// orders, HTML text boxes and buttons, the menu bar, the keyboard, the play
// timer's frames and the sounds. The game itself is pelmar.wasm.
"use strict";

const PelmarPage = (() => {
    const query = new URLSearchParams(window.location.search);
    const page = {
        scripted: query.has("scripted"),
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
            form.restore.textContent = "Vulcro Pelmar (minimizado): clique para voltar ao jogo";
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
                document.title = caption;
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
            w.addEventListener("input", () => {
                Module.ccall("pelmar_typed", null, ["number", "number", "string"],
                             [formId, number, w.value]);
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
            w.textContent = text;
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

    function placeWidget(w) {
        if (!w.box) {
            return;
        }
        const k = page.scale;
        w.style.left = w.box.x * k + "px";
        w.style.top = w.box.y * k + "px";
        w.style.width = w.box.width * k + "px";
        w.style.height = w.box.height * k + "px";
        w.style.font = w.fontCss;
        w.style.fontSize = parseInt(w.fontCss.match(/(\d+)px/)[1], 10) * k + "px";
    }

    // Whole-factor scaling: the player's factor where it fits, else the largest
    // that lets the main window fit the page; in full screen the largest that
    // fits the screen, around the window's frame alone.
    page.fit = () => {
        const main = mainForm();
        if (!main) {
            return;
        }
        const menuHeight = main.menubar.offsetHeight || 24;
        const margin = page.fullScreen ? 4 : 16;
        page.fitting = Math.max(1, Math.min(Math.floor((window.innerWidth - margin) / main.width),
                                            Math.floor((window.innerHeight - menuHeight - margin) /
                                                       main.height)));
        const k = page.fullScreen || page.zoom === 0 ? page.fitting
                                                     : Math.min(page.zoom, page.fitting);
        page.scale = k;
        for (const form of Object.values(page.forms)) {
            form.canvas.style.width = form.width * k + "px";
            form.canvas.style.height = form.height * k + "px";
            form.client.style.width = form.width * k + "px";
            form.client.style.height = form.height * k + "px";
            Object.values(form.widgets).forEach(placeWidget);
        }
        syncViewMenu();
    };

    page.paintEvent = (id) => Module._pelmar_paint_event(id);
    // A change outside a wake-up is painted at the next animation frame.
    page.schedulePaint = () => page.wakeIn(0);

    // ---- painting, in the canvas's own pixels ----

    page.clip = (id, x, y, w, h) => {
        const form = page.forms[id];
        const ctx = form.ctx;
        if (form.clipped) {
            ctx.restore();
        }
        ctx.save();
        form.clipped = true;
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

    page.textAdvance = (font, spacing, text) => Math.round(advance(measurer, font, spacing, text));
    page.fontHeight = (font) => fontMetrics(font).height;

    // One line of text in the middle of a box, its letters `spacing` pixels apart.
    page.centredText = (id, x, y, w, h, font, spacing, colour, text) => {
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
        menu.list = el("div", "menulist");
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

    // An entry of the menu `top`, before its entry `before` or last; `role`
    // tells a check mark of its own from one of a group's.
    function addRow(top, item, role, before) {
        item.row = el("div", item.separator ? "separator" : "menuitem");
        top.list.insertBefore(item.row, before ? before.row : null);
        if (!item.separator) {
            item.row.setAttribute("role", role);
            el("span", "check", item.row);
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
            const mark = menu.row.getAttribute("role") === "menuitemradio" ? "•" : "✓";
            menu.row.querySelector(".check").textContent = menu.checked ? mark : "";
            menu.row.setAttribute("aria-checked", menu.checked ? "true" : "false");
            menu.row.classList.toggle("disabled", !menu.enabled);
            menu.row.hidden = !menu.visible;
        }
    }

    page.addMenu = (number, parent, caption, separator, shortcut) => {
        const menu = { number, parent, caption, separator, shortcut, items: [], enabled: true,
                       visible: true, checked: false };
        if (parent < 0) {
            addTitle(menu, null);
        } else {
            addRow(page.menus[parent], menu, "menuitemcheckbox", null);
        }
        page.menus[number] = menu;
    };

    page.syncMenu = (number, caption, checked, enabled, visible) => {
        const menu = page.menus[number];
        Object.assign(menu, { caption, checked, enabled, visible });
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
        closeMenu();
        page.openMenu = menu;
        menu.list.hidden = false;
        menu.list.style.left = menu.button.offsetLeft + "px";
        menu.button.classList.add("open");
        highlight(menu, menu.items.find(usable) || null);
    }

    function closeMenu() {
        if (page.openMenu) {
            page.openMenu.list.hidden = true;
            page.openMenu.button.classList.remove("open");
            page.openMenu = null;
        }
    }

    function usable(item) {
        return !item.separator && item.visible && item.enabled;
    }

    function highlight(top, item) {
        top.current = item;
        for (const i of top.items) {
            if (i.row) {
                i.row.classList.toggle("current", i === item);
            }
        }
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
        const top = { caption: "&Exibir", visible: true };
        // Between the game's own menus, before "Ajuda".
        addTitle(top, page.topMenus[page.topMenus.length - 1] || null);
        const entry = (caption, shortcut, keys, action, role) => {
            const item = { caption, shortcut, keys, action, separator: false, enabled: true,
                           visible: true, checked: false };
            addRow(top, item, role, null);
            return item;
        };
        const separator = () => {
            const item = { separator: true, visible: true };
            addRow(top, item, "separator", null);
            return item;
        };
        const view = { top, factors: [] };
        // The factors that fit come before it, added as the window grows.
        view.sizesEnd = separator();
        view.entries = [
            entry("A&mpliar", "Ctrl++", (e) => ctrl(e) && (e.key === "+" || e.key === "=" ||
                                                            e.code === "NumpadAdd"),
                  () => zoomTo(page.scale + 1), "menuitem"),
            entry("&Reduzir", "Ctrl+-", (e) => ctrl(e) && (e.key === "-" ||
                                                            e.code === "NumpadSubtract"),
                  () => zoomTo(page.scale - 1), "menuitem"),
        ];
        separator();
        view.fullScreen = entry("Tela &cheia", "F11", (e) => plain(e) && e.key === "F11",
                                () => setFullScreen(!page.fullScreen), "menuitemcheckbox");
        separator();
        view.pause = entry("&Pausa", "P", (e) => plain(e) && (e.key.toLowerCase() === "p" ||
                                                              e.key === "Pause"),
                           () => page.showPaused(Module._pelmar_pause(page.paused ? 0 : 1) !== 0),
                           "menuitemcheckbox");
        view.entries.push(view.fullScreen, view.pause);
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
            const item = { caption: `Tamanho &${factor}x`, shortcut: "", separator: false,
                           action: () => zoomTo(factor) };
            addRow(view.top, item, "menuitemradio", view.sizesEnd);
            view.factors.push(item);
        }
        view.factors.forEach((item, i) => {
            Object.assign(item, { visible: i + 1 <= page.fitting, enabled: !page.fullScreen,
                                  checked: i + 1 === page.scale && !page.fullScreen });
            showMenu(item);
        });
        view.fullScreen.checked = page.fullScreen;
        view.fullScreen.enabled = fullScreenAllowed();
        view.pause.checked = page.paused;
        view.entries.forEach(showMenu);
    }

    // The check mark follows the game, which ends the pause by itself.
    page.showPaused = (paused) => {
        page.paused = paused;
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
        if (page.ended || !page.running) {
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
        if (page.ended || !page.running) {
            return;
        }
        if (!page.openMenu && !frontDialog() && Module._pelmar_key(0, keyCode(e), 0, 0, 0, 0)) {
            if (arrowsAndSpace.has(e.code)) {
                e.preventDefault();
            }
        }
    }

    // ---- sounds, through WebAudio once the player has pressed a key ----

    const sounds = {};
    let audio = null;
    function startSound() {
        if (audio || !window.AudioContext) {
            return;
        }
        try {
            audio = new AudioContext();
        } catch (e) {
            return;
        }
        for (const name of PelmarAssets.sounds) {
            fetch("sounds/" + name + ".wav")
                .then((r) => r.arrayBuffer())
                .then((bytes) => audio.decodeAudioData(bytes))
                .then((buffer) => { sounds[name] = buffer; })
                .catch(() => {});
        }
    }

    page.sound = (name) => {
        if (!audio || !sounds[name]) {
            return;
        }
        const source = audio.createBufferSource();
        source.buffer = sounds[name];
        source.connect(audio.destination);
        source.start();
    };

    // ---- starting and ending ----

    page.end = () => {
        page.ended = true;
        closeMenu();
        for (const form of Object.values(page.forms)) {
            form.root.hidden = true;
            if (form.restore) {
                form.restore.hidden = true;
            }
        }
        document.getElementById("dialogs").hidden = true;
        document.getElementById("ended").hidden = false;
    };

    // The game asks to be woken at the next animation frame (0), after a
    // wait, or not at all (a negative wait): nothing runs while it sleeps.
    let frameRequest = 0;
    let wakeTimer = 0;
    function frame() {
        frameRequest = 0;
        if (page.ended) {
            return;
        }
        page.frames++;
        Module._pelmar_frame();
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
                frameRequest = requestAnimationFrame(frame);
            }
        } else if (!frameRequest) {
            wakeTimer = setTimeout(() => {
                wakeTimer = 0;
                frame();
            }, ms);
        }
    };

    function loadPictures() {
        return Promise.all(PelmarAssets.pictures.map((name) => new Promise((resolve) => {
            const picture = new Image();
            picture.onload = picture.onerror = () => resolve();
            picture.src = "pictures/" + name;
            page.pictures[name] = picture;
        })));
    }

    const pictures = loadPictures();
    const runtime = new Promise((resolve) => { page.runtimeReady = resolve; });
    Promise.all([pictures, runtime]).then(() => {
        page.running = true;
        Module._pelmar_start();
        page.wakeIn(0);
    });

    window.addEventListener("keydown", onKeyDown, true);
    window.addEventListener("keyup", onKeyUp, true);
    window.addEventListener("resize", () => page.fit());
    document.addEventListener("fullscreenchange", () => {
        page.fullScreen = document.fullscreenElement === screenElement();
        page.fit();
    });
    window.addEventListener("blur", () => {
        if (page.running && !page.ended) {
            Module._pelmar_lost_focus();
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
    window.pelmarState = () => (page.running ? Module.ccall("pelmar_state", "string", [], [])
                                             : null);
    window.pelmarLabels = () => JSON.parse(Module.ccall("pelmar_labels", "string", [], []));
    window.pelmarPictureFile = (name) => Module.ccall("pelmar_picture_file", "string",
                                                      ["string"], [name]);
    window.pelmarScript = (lines) => Module.ccall("pelmar_script", "string", ["string"], [lines]);
    window.pelmarFirstFrameMs = () => page.firstFrameMs;
    window.pelmarFullScreenError = () => page.fullScreenError;
    return page;
})();

var Module = {
    onRuntimeInitialized: () => PelmarPage.runtimeReady(),
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
};
