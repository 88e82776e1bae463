// SPDX-License-Identifier: GPL-3.0-or-later
// The page's own "Exibir" menu, as the desktop's: the whole factors that
// fit, zoom, full screen and the player's pause. The keys beside its entries
// are the program's, which also says when one was pressed (act).
import { mainForm, page, tr } from "./common.js";
import { addRow, addTitle, showMenu } from "./menus.js";

function screenElement() {
    return document.getElementById("screen");
}

export function isFullScreen() {
    return document.fullscreenElement === screenElement();
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
                console.warn("pelmar: the browser refused full screen: " + page.fullScreenError);
                syncViewMenu();
            });
    } else if (!on && document.fullscreenElement) {
        document.exitFullscreen().catch(() => {});
    }
}

const zoomSteps = { ZoomIn: 1, ZoomOut: -1 };

// At the largest factor (or the smallest) the browser zooms the page.
function browserZooms(step) {
    return !page.fullScreen && (step > 0 ? page.scale >= page.fitting : page.scale <= 1);
}

// Does what the program says a key pressed in the main window asks of the
// page; true when it was the page's (zoom, full screen), whether or not it
// is kept from the browser.
export function act(action, e) {
    const step = zoomSteps[action];
    if (step === undefined && action !== "FullScreen") {
        return false;
    }
    if (step !== undefined && browserZooms(step)) {
        return true;
    }
    // Also kept from the browser, whose Ctrl++ and Ctrl+- would zoom the page.
    e.preventDefault();
    if (!e.repeat) {
        step !== undefined ? zoomTo(page.scale + step) : setFullScreen(!page.fullScreen);
    }
    return true;
}

function togglePause() {
    page.showPaused(Module._pelmar_pause(page.paused ? 0 : 1) !== 0);
}

// The menu's entries below its sizes, each with the keys the program binds
// to its action (`keys`, by action).
function addEntries(view, keys) {
    const entry = (caption, shortcut, action, role) => {
        const item = { caption: tr(caption), shortcut, action, separator: false,
                       enabled: true, visible: true, checked: false };
        addRow(view.top, item, role, null);
        return item;
    };
    const separator = () => addRow(view.top, { separator: true, visible: true }, "separator", null);
    // The factors that fit come before it, added as the window grows: the
    // largest that fits, following the window, until the player picks one.
    view.fitWindow = entry("A&justar à janela", "", () => {
        page.zoom = 0;
        page.fit();
    }, "menuitemcheckbox");
    separator();
    view.entries = [entry("A&mpliar", keys.ZoomIn, () => zoomTo(page.scale + 1), "menuitem"),
                    entry("&Reduzir", keys.ZoomOut, () => zoomTo(page.scale - 1), "menuitem")];
    separator();
    view.fullScreen = entry("Tela &cheia", keys.FullScreen, () => setFullScreen(!page.fullScreen),
                            "menuitemcheckbox");
    separator();
    view.pause = entry("&Pausa", keys.Pause, togglePause, "menuitemcheckbox");
    view.entries.push(view.fitWindow, view.fullScreen, view.pause);
}

page.addViewMenu = (keys) => {
    const top = { caption: tr("&Exibir"), visible: true };
    // Between the game's own menus, before "Ajuda".
    addTitle(top, page.topMenus[page.topMenus.length - 1] || null);
    const view = { top, factors: [] };
    addEntries(view, keys);
    page.view = view;
    showMenu(top);
    syncViewMenu();
};

// A size entry for each whole factor that fits, added as the window grows.
function addFactors(view) {
    for (let factor = view.factors.length + 1; factor <= page.fitting; factor++) {
        const item = { caption: tr("Tamanho &%1x").replace("%1", factor), shortcut: "",
                       separator: false, action: () => zoomTo(factor) };
        addRow(view.top, item, "menuitemradio", view.fitWindow);
        view.factors.push(item);
    }
}

export function syncViewMenu() {
    const view = page.view;
    if (!view) {
        return;
    }
    addFactors(view);
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
