// SPDX-License-Identifier: GPL-3.0-or-later
// The web edition in Debian's headless Chromium, driven with real key events:
//   node web_test.js URL REFERENCE_PNG PAUSED_PNG
// URL serves build/web; REFERENCE_PNG is the desktop's level-start screenshot.
// PAUSED_PNG the same paused, at 2x.
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const puppeteer = require("puppeteer-core");
const keeping = require("./keeping.js");

const [url, reference, pausedReference] = process.argv.slice(2);
const failures = [];

function check(ok, what) {
    console.log((ok ? "ok   " : "FAIL ") + what);
    if (!ok) {
        failures.push(what);
    }
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function state(page) {
    return JSON.parse(await page.evaluate(() => window.pelmarState()));
}

// Waits, with no limit of its own, until `test` holds for the page's state;
// ctest's timeout ends a test that never gets there.
async function until(page, what, test) {
    for (let tries = 0;; tries++) {
        const s = await state(page);
        if (test(s)) {
            return s;
        }
        if (tries % 50 === 49) {
            console.log("  still waiting: " + what);
        }
        await sleep(100);
    }
}

async function open(page, address) {
    await page.goto(address);
    await page.waitForFunction(() => typeof window.pelmarState === "function" &&
                                     window.pelmarState() !== null, { timeout: 0 });
    // In the page, for the comparisons: the canvas's pixels after the next
    // frame has been drawn, and those of a picture (a data: address). The
    // page runs the program's frames at most 30 a second, so the next one
    // may come a few display frames on: it is waited for, up to 30 of them
    // (a program with nothing to paint asks for none).
    await page.evaluate(() => {
        window.pelmarCanvasAndPicture = async (dataUrl) => {
            const frames = PelmarPage.frames;
            for (let i = 0; i < 30 && PelmarPage.frames === frames; i++) {
                await new Promise((r) => requestAnimationFrame(r));
            }
            await new Promise((r) => requestAnimationFrame(r));
            const canvas = document.getElementById("game");
            const shown = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height);
            const picture = new Image();
            picture.src = dataUrl;
            await picture.decode();
            const scratch = document.createElement("canvas");
            scratch.width = picture.width;
            scratch.height = picture.height;
            const ctx = scratch.getContext("2d");
            ctx.drawImage(picture, 0, 0);
            return { shown, picture: ctx.getImageData(0, 0, picture.width, picture.height) };
        };
    });
}

// A new tab whose browser speaks `locale` (navigator.language), its browser dialogs
// counted in `browserDialogs` (the page has none of its own to raise).
async function newPage(browser, locale, viewport) {
    const page = await browser.newPage();
    const cdp = await page.createCDPSession();
    await page.evaluateOnNewDocument((locale) => {
        Object.defineProperty(navigator, "language", { get: () => locale });
        Object.defineProperty(navigator, "languages", { get: () => [locale] });
    }, locale);
    await page.setViewport(viewport);
    page.on("pageerror", (e) => check(false, "no error in the page: " + e.message));
    page.browserDialogs = [];
    page.on("dialog", async (dialog) => {
        page.browserDialogs.push(dialog.type() + ": " + dialog.message());
        await dialog.dismiss();
    });
    page.cdp = cdp;
    return page;
}

// The page's own dialog once it is open: its title, text, buttons, the
// element with the focus and the text box's answer, if any. (Looked for at
// intervals: twice a wait polled at animation frames never returned.)
async function openDialog(page) {
    await page.waitForFunction(() => document.querySelector("dialog[open]") !== null,
                               { timeout: 0, polling: 100 });
    return page.evaluate(() => {
        const d = document.querySelector("dialog[open]");
        const input = d.querySelector("input");
        return { title: d.querySelector(".title").textContent,
                 prompt: d.querySelector(".prompt").textContent,
                 buttons: [...d.querySelectorAll("button")].map((b) => b.textContent),
                 answer: input ? input.value : null, focus: document.activeElement.tagName,
                 modal: d.matches(":modal") };
    });
}

// Answers it: types `typed` over the answer shown (unless null), then presses
// `key`, and waits until that dialog has gone (the answer may open the next).
// KEYS are pressed until the dialog closes: the play-again question takes
// no key in its first moments, and a player whose key went unheard presses
// again. REFLEXES, if given, runs as the dialog comes up.
async function answerDialog(page, typed, keys, reflexes = null) {
    const shown = await openDialog(page);
    const dialog = await page.$("dialog[open]");
    if (reflexes) {
        await reflexes(dialog);
    }
    if (typed !== null) {
        await page.keyboard.type(typed);
    }
    for (let closed = false; !closed;) {
        for (const key of [keys].flat()) {
            await page.keyboard.press(key);
        }
        closed = await page.waitForFunction((d) => !d.isConnected || !d.open,
                                            { timeout: 500, polling: 100 }, dialog)
            .then(() => true, () => false);
    }
    await dialog.dispose();
    return shown;
}

// What keeping.js's checks use of these.
const helpers = { check, state, until, open, newPage, answerDialog };
const axeClean = (page, what) => keeping.axeClean(helpers, page, what);

async function menu(page, accessKey, downs) {
    await page.keyboard.down("Alt");
    await page.keyboard.press(accessKey);
    await page.keyboard.up("Alt");
    for (let i = 0; i < downs; i++) {
        await page.keyboard.press("ArrowDown");
    }
    await page.keyboard.press("Enter");
}

// Counts the canvas pixels that differ from the reference picture outside
// the labels, whose font may differ from the desktop's.
async function compareWithReference(page, png) {
    const dataUrl = "data:image/png;base64," + png.toString("base64");
    return page.evaluate(async (dataUrl) => {
        const { shown: actual, picture: expected } = await window.pelmarCanvasAndPicture(dataUrl);
        if (expected.width !== actual.width || expected.height !== actual.height) {
            return { sizes: [actual.width, actual.height, expected.width, expected.height] };
        }
        const labels = window.pelmarLabels();
        const masked = (x, y) => labels.some((l) => x >= l.x && x < l.right && y >= l.y &&
                                                    y < l.bottom);
        let differing = 0, maskedPixels = 0, firstDifference = null;
        for (let y = 0; y < actual.height; y++) {
            for (let x = 0; x < actual.width; x++) {
                if (masked(x, y)) {
                    maskedPixels++;
                    continue;
                }
                const i = (y * actual.width + x) * 4;
                if (actual.data[i] !== expected.data[i] ||
                    actual.data[i + 1] !== expected.data[i + 1] ||
                    actual.data[i + 2] !== expected.data[i + 2]) {
                    differing++;
                    firstDifference = firstDifference || [x, y];
                }
            }
        }
        return { differing, maskedPixels, total: actual.width * actual.height, labels: labels.length,
                 firstDifference };
    }, dataUrl);
}

// The pause sign on the canvas beside the desktop's picture of level start,
// paused at 2x (PNG bytes), taken pixel by pixel at 1x: where each shows its
// yellow frame, the pixels that differ outside the labels and the word, and
// the word's white pixels in both.
async function compareSign(page, png) {
    const dataUrl = "data:image/png;base64," + png.toString("base64");
    return page.evaluate(async (dataUrl) => {
        const { shown, picture: doubled } = await window.pelmarCanvasAndPicture(dataUrl);
        const width = shown.width;
        const height = shown.height;
        if (doubled.width !== width * 2 || doubled.height !== height * 2) {
            return { sizes: [width, height, doubled.width, doubled.height] };
        }
        const at = (image, step, x, y) => {
            const i = (y * step * image.width + x * step) * 4;
            return [image.data[i], image.data[i + 1], image.data[i + 2]];
        };
        const pixel = {
            shown: (x, y) => at(shown, 1, x, y),
            expected: (x, y) => at(doubled, 2, x, y),
        };
        const boxOf = (get, test, area) => {
            let box = null;
            let count = 0;
            for (let y = area[1]; y <= area[3]; y++) {
                for (let x = area[0]; x <= area[2]; x++) {
                    if (test(get(x, y))) {
                        count++;
                        box = box ? [Math.min(box[0], x), Math.min(box[1], y), Math.max(box[2], x),
                                     Math.max(box[3], y)]
                                  : [x, y, x, y];
                    }
                }
            }
            return { box, count };
        };
        const yellow = (c) => c[0] === 255 && c[1] === 220 && c[2] === 64;
        const white = (c) => c[0] > 200 && c[1] > 200 && c[2] > 200;
        const whole = [0, 0, width - 1, height - 1];
        const frame = boxOf(pixel.expected, yellow, whole).box;
        const shownFrame = boxOf(pixel.shown, yellow, whole).box;
        if (!frame) {
            return { frame, shownFrame };
        }
        // The sign reaches a pixel past its frame on the right and below; the
        // word lies 18 pixels in from its sides and 7 from its top and bottom.
        const sign = [frame[0], frame[1], frame[2] + 1, frame[3] + 1];
        const word = [sign[0] + 16, sign[1] + 5, sign[2] - 16, sign[3] - 5];
        const inWord = (x, y) => x >= word[0] && x <= word[2] && y >= word[1] && y <= word[3];
        const labels = window.pelmarLabels();
        const inLabel = (x, y) => labels.some((l) => x >= l.x && x < l.right && y >= l.y &&
                                                     y < l.bottom);
        let differing = 0, firstDifference = null;
        for (let y = 0; y < height; y++) {
            for (let x = 0; x < width; x++) {
                if (inWord(x, y) || inLabel(x, y)) {
                    continue;
                }
                const a = pixel.shown(x, y);
                const b = pixel.expected(x, y);
                if (a[0] !== b[0] || a[1] !== b[1] || a[2] !== b[2]) {
                    differing++;
                    firstDifference = firstDifference || [x, y, a, b];
                }
            }
        }
        return { frame, shownFrame, differing, firstDifference,
                 words: { shown: boxOf(pixel.shown, white, word),
                          expected: boxOf(pixel.expected, white, word) } };
    }, dataUrl);
}

// The word on the sign shows as on the desktop: about as many white pixels,
// over the same place give or take a pixel.
function wordLooksRight(words) {
    const { shown, expected } = words;
    return shown.box !== null && expected.box !== null && expected.count > 100 &&
           Math.abs(shown.count - expected.count) <= expected.count * 0.15 &&
           shown.box.every((v, i) => Math.abs(v - expected.box[i]) <= 1);
}

// The main canvas's own pixels and the size it shows at, in CSS pixels.
async function canvasSize(page) {
    return page.evaluate(() => {
        const c = document.getElementById("game");
        const r = c.getBoundingClientRect();
        return { width: c.width, height: c.height, shownWidth: r.width, shownHeight: r.height };
    });
}

// The whole factor the canvas shows at, or NaN where it is none.
function factorOf(size) {
    const k = size.shownWidth / size.width;
    return Number.isInteger(k) && size.shownHeight === size.height * k ? k : NaN;
}

// The visible entries of the "Exibir" menu (or another) as the page shows them.
async function viewEntries(page, menuTitle = "Exibir") {
    return page.evaluate((menuTitle) => {
        const title = [...document.querySelectorAll(".menutitle")]
                          .find((m) => m.textContent === menuTitle);
        const list = title.nextElementSibling;
        return {
            open: !list.hidden,
            underlined: (title.querySelector("u") || {}).textContent,
            entries: [...list.querySelectorAll(".menuitem")].filter((r) => !r.hidden).map((r) => ({
                label: r.querySelector(".label").textContent,
                key: (r.querySelector(".label u") || {}).textContent || "",
                shortcut: r.querySelector(".shortcut").textContent,
                checked: r.getAttribute("aria-checked") === "true",
                mark: r.querySelector(".check").textContent,
                enabled: !r.classList.contains("disabled"),
            })),
        };
    }, menuTitle);
}

function entry(view, label) {
    return view.entries.find((e) => e.label === label) || {};
}

async function canvasPicture(page) {
    return page.evaluate(() => document.getElementById("game").toDataURL());
}

// Opens Exibir and chooses the entry with this access key.
async function viewMenu(page, accessKey) {
    await page.keyboard.down("Alt");
    await page.keyboard.press("e");
    await page.keyboard.up("Alt");
    await page.keyboard.press(accessKey);
}

// Until what the page does after a menu closes and a resize has been done
// and painted.
async function settle(page) {
    await page.evaluate(() => new Promise((r) => setTimeout(
        () => requestAnimationFrame(() => requestAnimationFrame(r)), 0)));
}

// The page of a tab once its document has loaded: a new tab is found as soon
// as it opens, before its title is read.
async function loadedTab(target) {
    const tab = await (await target).page();
    if (tab) {
        await tab.waitForFunction(() => document.readyState === "complete", { timeout: 0 });
    }
    return tab;
}

async function withCtrl(page, key) {
    await page.keyboard.down("Control");
    await page.keyboard.press(key);
    await page.keyboard.up("Control");
}

// Starts `watch` in the page, where it samples the canvas at each display
// frame by itself, and waits, with no limit of its own, for what it reports.
async function watchInPage(page, what, watch, ...args) {
    await startWatch(page, watch, ...args);
    return watched(page, what);
}

async function startWatch(page, watch, ...args) {
    await page.evaluate(() => { window.pelmarWatch = undefined; });
    await page.evaluate(watch, ...args);
}

async function watched(page, what) {
    for (let tries = 0;; tries++) {
        const found = await page.evaluate(() => window.pelmarWatch);
        if (found !== undefined && found !== null) {
            return found;
        }
        if (tries % 50 === 49) {
            console.log("  still waiting: " + what);
        }
        await sleep(100);
    }
}

// In the page: waits for the first splash the state reports, then, at each
// display frame for 1.5 s, whether the canvas shows its picture where the
// state puts it. `all` is the share of the picture's pixels shown, `marks`
// the share of those not of its background colour (the broken item itself).
function watchSplash() {
    const frame = () => new Promise((resolve) => requestAnimationFrame(resolve));
    const state = () => JSON.parse(window.pelmarState());
    const same = (a, b) => a.Container === b.Container && a.Picture === b.Picture &&
                           a.Left === b.Left && a.Top === b.Top;
    (async () => {
        let before = null; // the last frame with no splash
        let t = await frame();
        let s = state();
        while (s.Effects.Splashes.length === 0) {
            before = t;
            t = await frame();
            s = state();
        }
        const splash = s.Effects.Splashes[0];
        const file = window.pelmarPictureFile(splash.Picture);
        const picture = PelmarPage.pictures[file];
        const scratch = document.createElement("canvas");
        scratch.width = picture.width;
        scratch.height = picture.height;
        const scratchContext = scratch.getContext("2d");
        scratchContext.drawImage(picture, 0, 0);
        const expected = scratchContext.getImageData(0, 0, scratch.width, scratch.height).data;
        const key = (d, i) => (d[i] << 16) | (d[i + 1] << 8) | d[i + 2];
        const counts = new Map();
        for (let i = 0; i < expected.length; i += 4) {
            counts.set(key(expected, i), (counts.get(key(expected, i)) || 0) + 1);
        }
        const background = [...counts.entries()].sort((a, b) => b[1] - a[1])[0][0];
        // The rooms that splash lie on the window itself, so their own
        // place is their place in the window; the picture shows only there.
        const px = (twips) => Math.floor(twips / 15);
        const room = s.controls[splash.Container];
        const atX = px(room.Left) + px(splash.Left);
        const atY = px(room.Top) + px(splash.Top);
        const canvas = document.getElementById("game");
        const context = canvas.getContext("2d");
        const left = Math.max(atX, px(room.Left), 0);
        const top = Math.max(atY, px(room.Top), 0);
        const right = Math.min(atX + scratch.width, Math.ceil((room.Left + room.Width) / 15),
                               canvas.width);
        const bottom = Math.min(atY + scratch.height, Math.ceil((room.Top + room.Height) / 15),
                                canvas.height);
        const look = () => {
            const shown = context.getImageData(left, top, right - left, bottom - top).data;
            let all = 0, total = 0, marks = 0, markTotal = 0;
            for (let y = top; y < bottom; y++) {
                for (let x = left; x < right; x++) {
                    const i = ((y - top) * (right - left) + (x - left)) * 4;
                    const j = ((y - atY) * scratch.width + (x - atX)) * 4;
                    const equal = key(shown, i) === key(expected, j);
                    total++;
                    all += equal ? 1 : 0;
                    if (key(expected, j) !== background) {
                        markTotal++;
                        marks += equal ? 1 : 0;
                    }
                }
            }
            return { all: all / total, marks: marks / markTotal };
        };
        // Another splash over this one's place, which the absence check leaves out.
        const near = (o) => !same(o, splash) && o.Container === splash.Container &&
                            Math.abs(px(o.Left) - px(splash.Left)) < scratch.width &&
                            Math.abs(px(o.Top) - px(splash.Top)) < scratch.height;
        const first = t;
        const samples = [{ t, reported: true, covered: false, ...look() }];
        while (t - first < 1500) {
            t = await frame();
            s = state();
            samples.push({ t, reported: s.Effects.Splashes.some((o) => same(o, splash)),
                           covered: s.Effects.Splashes.some(near), ...look() });
        }
        return { splash, file, box: [left, top, right, bottom], before, samples };
    })().then((found) => { window.pelmarWatch = found; },
              (e) => { window.pelmarWatch = { error: String(e) }; });
}

// In the page: once the state reports `line` blinking, the colour of its
// background on the canvas for 1.5 s: at each display frame (`samples`), and
// just after each frame the page draws, with the time it drew it (`drawn`).
// The page draws at most 30 frames a second and may draw late; the times of
// its own frames bound when each colour began and ended.
function watchBlink(line) {
    const frame = () => new Promise((resolve) => requestAnimationFrame(resolve));
    (async () => {
        let s = JSON.parse(window.pelmarState());
        while (!s.Effects.Blink || s.Effects.Blink.Line !== line) {
            await frame();
            s = JSON.parse(window.pelmarState());
        }
        const label = window.pelmarLabels().find((l) => l.name === line);
        const rgb = (bgr) => ((bgr & 255) << 16) | (bgr & 0xff00) | ((bgr >> 16) & 255);
        const strong = rgb(s.Effects.Blink.Strong);
        const pale = rgb(s.Effects.Blink.Pale);
        const context = document.getElementById("game").getContext("2d");
        const colour = () => {
            const d = context.getImageData(label.x, label.y, label.right - label.x,
                                           label.bottom - label.y).data;
            let strongs = 0, pales = 0;
            for (let i = 0; i < d.length; i += 4) {
                const c = (d[i] << 16) | (d[i + 1] << 8) | d[i + 2];
                strongs += c === strong ? 1 : 0;
                pales += c === pale ? 1 : 0;
            }
            const half = d.length / 8;
            return strongs > half ? "strong" : pales > half ? "pale" :
                                                 `other (${strongs} strong, ${pales} pale)`;
        };
        const samples = [];
        const drawn = [];
        const draw = Module._pelmar_frame;
        Module._pelmar_frame = (...args) => {
            const result = draw(...args);
            drawn.push({ t: performance.now(), colour: colour() });
            return result;
        };
        try {
            const first = await frame();
            for (let t = first; t - first < 1500; t = await frame()) {
                samples.push({ t, colour: colour() });
            }
        } finally {
            Module._pelmar_frame = draw;
        }
        return { label, samples, drawn };
    })().then((found) => { window.pelmarWatch = found; },
              (e) => { window.pelmarWatch = { error: String(e) }; });
}

// The runs of one colour in the samples, each with the bounds of how long it
// showed: at least from its first sample to its last, at most from the sample
// before it to the one after. The first and last runs are cut by the
// sampling; a run next to a frame late by 100 ms or more may hide another.
function colourRuns(samples) {
    const runs = [];
    for (let i = 0; i < samples.length;) {
        let j = i;
        while (j + 1 < samples.length && samples[j + 1].colour === samples[i].colour) {
            j++;
        }
        let steady = true;
        for (let k = Math.max(i - 1, 0); k < Math.min(j + 1, samples.length - 1); k++) {
            steady = steady && samples[k + 1].t - samples[k].t < 100;
        }
        runs.push({ colour: samples[i].colour, least: samples[j].t - samples[i].t,
                    most: i > 0 && j + 1 < samples.length ? samples[j + 1].t - samples[i - 1].t
                                                          : Infinity,
                    whole: i > 0 && j + 1 < samples.length && steady });
        i = j + 1;
    }
    return runs;
}

(async () => {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "pelmar-web-"));
    const browser = await puppeteer.launch({
        executablePath: process.env.PELMAR_CHROMIUM || "/usr/bin/chromium",
        headless: true,
        userDataDir: profile,
        args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--mute-audio"],
    });
    try {
        const page = await newPage(browser, "pt-BR", { width: 1024, height: 768 });

        // ---- the page comes up with the main window at the start of level 1 ----
        await open(page, url);
        let s = await state(page);
        check(s.controls.cfrm.Visible && s.Level === 1 && s.Lives === 50,
              "the main window shows level 1 with 50 lives");
        // Built and painted over several tasks, the windows show once whole.
        check(await page.evaluate(() => getComputedStyle(document.getElementById("game"))
                                           .visibility === "visible"),
              "the windows show once the first picture is painted");
        await axeClean(page, "the start screen");
        const shownSize = await page.evaluate(() => {
            const c = document.getElementById("game");
            return [c.width, c.height, c.clientWidth, c.clientHeight,
                    getComputedStyle(c).imageRendering];
        });
        check(shownSize[0] === 380 && shownSize[1] === 326 && shownSize[2] % 380 === 0 &&
              shownSize[2] / 380 === shownSize[3] / 326 && shownSize[4] === "pixelated",
              "the canvas is the window's 380 x 326 pixels, scaled by a whole factor, crisp: " +
              shownSize.join(" "));
        const menus = await page.evaluate(() => [...document.querySelectorAll(".menutitle")]
                                                    .map((m) => m.textContent));
        check(JSON.stringify(menus) === JSON.stringify(["Opções", "Exibir", "Ajuda"]),
              "the menu bar has Opções, Exibir and Ajuda: " + menus.join(", "));
        // What assistive technology hears: actions, check boxes only where a
        // check mark shows, the marks themselves left out of the names.
        const roles = await page.evaluate(() => Object.fromEntries(
            [...document.querySelectorAll(".menulist .menuitem")].map((r) => [
                r.querySelector(".label").textContent,
                [r.getAttribute("role"), r.getAttribute("aria-checked"),
                 r.querySelector(".check").getAttribute("aria-hidden")]])));
        check(JSON.stringify([roles["Jogo Novo"], roles["Fase ..."], roles.Som, roles.Pausa,
                              roles["Tamanho 2x"]]) === JSON.stringify([
            ["menuitem", null, "true"], ["menuitem", null, "true"],
            ["menuitemcheckbox", "true", "true"], ["menuitemcheckbox", "false", "true"],
            ["menuitemradio", "true", "true"]]),
              "menu entries: actions, check boxes and a group: " + JSON.stringify(roles));
        // Beside each entry the key the program binds to it, as the desktop shows them.
        await page.keyboard.down("Alt");
        await page.keyboard.press("a");
        await page.keyboard.up("Alt");
        const helpMenu = await viewEntries(page, "Ajuda");
        await page.keyboard.press("Escape");
        await page.keyboard.down("Alt");
        await page.keyboard.press("o");
        await page.keyboard.up("Alt");
        const options = await viewEntries(page, "Opções");
        await page.keyboard.press("Escape");
        check(helpMenu.open && entry(helpMenu, "Como jogar...").shortcut === "F1" && options.open &&
              entry(options, "Sair").shortcut === "Ctrl+Q" &&
              entry(options, "Jogo Novo").shortcut === "F2" &&
              entry(options, "Fase ...").shortcut === "",
              "Ajuda shows F1 beside Como jogar..., Opções Ctrl+Q beside Sair and F2 beside " +
              "Jogo Novo: " + JSON.stringify([helpMenu.entries, options.entries].map(
                  (entries) => entries.map((e) => [e.label, e.shortcut]))));
        const status = await page.evaluate(() => {
            const live = document.querySelector("[aria-live]");
            window.statusChanges = 0;
            new MutationObserver(() => window.statusChanges++)
                .observe(live, { childList: true, characterData: true, subtree: true });
            return [live.getAttribute("role"), live.textContent];
        });
        check(JSON.stringify(status) === JSON.stringify(["status", "Pontos 0, Fase 1, Vidas 50"]),
              "a live region tells the score, level and lives: " + JSON.stringify(status));

        // ---- an arrow key held walks the cook, and the page does not scroll ----
        await page.evaluate(() => {
            window.keptFromScrolling = [];
            window.addEventListener("keydown", (e) => window.keptFromScrolling.push(
                e.code + ":" + e.defaultPrevented));
        });
        const before = s.controls["cfrm.pelmar"].Left;
        await page.keyboard.down("ArrowLeft");
        await sleep(700);
        await page.keyboard.up("ArrowLeft");
        s = await state(page);
        check(s.controls["cfrm.pelmar"].Left < before - 300,
              `holding Left walks the cook left: ${before} -> ${s.controls["cfrm.pelmar"].Left}`);
        const top = s.controls["cfrm.pelmar"].Top;
        await page.keyboard.down("ArrowDown");
        await sleep(500);
        await page.keyboard.up("ArrowDown");
        await page.keyboard.press("Space");
        s = await state(page);
        check(s.controls["cfrm.pelmar"].Top > top,
              `holding Down walks the cook down: ${top} -> ${s.controls["cfrm.pelmar"].Top}`);
        const kept = await page.evaluate(() => window.keptFromScrolling);
        check(kept.includes("ArrowLeft:true") && kept.includes("ArrowDown:true") &&
              kept.includes("Space:true") && !kept.some((k) => k.endsWith(":false")),
              "arrows and Space do not scroll the page: " + [...new Set(kept)].join(" "));

        // ---- the Exibir menu: the factors that fit, zoom, full screen, pause ----
        // At 1024 x 768 the 380 x 326 window fits at 2x, not at 3x.
        await page.keyboard.down("Alt");
        await page.keyboard.press("e");
        await page.keyboard.up("Alt");
        let view = await viewEntries(page);
        const focus = await page.evaluate(() => [document.activeElement.classList.contains("current"),
                                                 document.activeElement.getAttribute("role")]);
        check(view.open && view.underlined === "E" && focus[0] && focus[1] === "menuitemradio",
              "Alt+E opens Exibir, the focus on its first entry: " + JSON.stringify(focus));
        await axeClean(page, "an open menu");
        const short = await page.evaluate(() => [...document.querySelectorAll(
            ".menutitle, .menuitem")].filter((e) => e.offsetParent && e.offsetHeight < 24).length);
        check(short === 0, `every menu title and row is at least 24 px tall (${short} are not)`);
        const shownEntries = view.entries.map((e) => [e.label, e.key, e.shortcut]);
        check(JSON.stringify(shownEntries) === JSON.stringify([
            ["Tamanho 1x", "1", ""], ["Tamanho 2x", "2", ""], ["Ajustar à janela", "j", ""],
            ["Ampliar", "m", "Ctrl++"],
            ["Reduzir", "R", "Ctrl+-"], ["Tela cheia", "c", "F11"], ["Pausa", "P", "P"]]),
              "Exibir lists the sizes that fit, the size that follows the window, Ampliar, " +
              "Reduzir, Tela cheia and Pausa, with " +
              "their access keys and shortcuts: " + JSON.stringify(shownEntries));
        check(entry(view, "Tamanho 2x").checked && entry(view, "Tamanho 2x").mark === "•" &&
              entry(view, "Ajustar à janela").checked && !entry(view, "Tamanho 1x").checked &&
              !entry(view, "Pausa").checked && !entry(view, "Tela cheia").checked,
              "the 2x size shown is marked, and that it follows the window, and nothing else");
        await page.keyboard.press("Escape");
        view = await viewEntries(page);
        check(!view.open && await page.evaluate(() => !document.activeElement.closest(".menubar")),
              "Escape closes it, and the focus leaves it");

        // ---- the zoom keys: whole factors that fit, kept from the browser ----
        await page.evaluate(() => {
            window.keptFromZooming = [];
            window.addEventListener("keydown", (e) => {
                if (e.ctrlKey && e.key !== "Control") {
                    window.keptFromZooming.push(e.key + ":" + e.defaultPrevented);
                }
            });
        });
        // Every key goes to the program, which says what it asks for: the page
        // does the zoom and the full screen it is told of (kept here, but the
        // keys that are only the game's).
        await page.evaluate(() => {
            window.keyActions = [];
            window.tellKey = Module._pelmar_key;
            Module._pelmar_key = (...args) => {
                const answer = window.tellKey(...args);
                const action = Module.UTF8ToString(answer);
                if (args[0] === 1 && action !== "None") {
                    window.keyActions.push(action);
                }
                return answer;
            };
        });
        let size = await canvasSize(page);
        check(factorOf(size) === 2, `the canvas shows at 2x: ${JSON.stringify(size)}`);
        await withCtrl(page, "Minus");
        size = await canvasSize(page);
        check(factorOf(size) === 1 && size.width === 380,
              `Ctrl+- shows it at 1x: ${JSON.stringify(size)}`);
        await withCtrl(page, "+");
        size = await canvasSize(page);
        check(factorOf(size) === 2, `Ctrl++ shows it at 2x again: ${JSON.stringify(size)}`);
        await withCtrl(page, "Equal");
        size = await canvasSize(page);
        check(factorOf(size) === 2, `Ctrl+= goes no further than 2x, as 3x would not fit: ` +
              JSON.stringify(size));
        const zoomActions = await page.evaluate(() => window.keyActions.splice(0));
        check(JSON.stringify(zoomActions) === JSON.stringify(["ZoomOut", "ZoomIn", "ZoomIn"]),
              "Ctrl+-, Ctrl++ and Ctrl+= zoom as the program's actions: " +
              JSON.stringify(zoomActions));
        const keptZoom = await page.evaluate(() => window.keptFromZooming);
        check(JSON.stringify(keptZoom) === JSON.stringify(["-:true", "+:true", "=:false"]),
              "the page's factors are kept from the browser, but Ctrl+= at the largest is " +
              "the browser's: " + keptZoom.join(" "));
        // A larger browser window: 3x fits, and the player's 2x stays until asked.
        await page.setViewport({ width: 1280, height: 1024 });
        await settle(page);
        size = await canvasSize(page);
        await page.keyboard.down("Alt");
        await page.keyboard.press("e");
        await page.keyboard.up("Alt");
        view = await viewEntries(page);
        await page.keyboard.press("Escape");
        check(factorOf(size) === 2 && entry(view, "Tamanho 3x").label === "Tamanho 3x" &&
              entry(view, "Tamanho 2x").checked && !entry(view, "Tamanho 4x").label,
              `at 1280 x 1024 the chosen 2x stays and 3x is offered: ${JSON.stringify(size)} ` +
              view.entries.map((e) => e.label).join(", "));
        await withCtrl(page, "Equal");
        size = await canvasSize(page);
        check(factorOf(size) === 3 && size.shownWidth === 1140,
              `then Ctrl+= shows it at 3x: ${JSON.stringify(size)}`);
        await withCtrl(page, "Minus");
        size = await canvasSize(page);
        view = await viewEntries(page);
        check(factorOf(size) === 2 && !entry(view, "Ajustar à janela").checked,
              `and Ctrl+- at 2x again, a size of the player's: ${JSON.stringify(size)}`);
        // Ajustar à janela: the largest factor that fits, as the window changes.
        await viewMenu(page, "j");
        await settle(page);
        const fitted = [factorOf(await canvasSize(page))];
        await page.setViewport({ width: 1024, height: 768 });
        await settle(page);
        fitted.push(factorOf(await canvasSize(page)));
        view = await viewEntries(page);
        check(JSON.stringify(fitted) === JSON.stringify([3, 2]) &&
              entry(view, "Ajustar à janela").checked,
              "Exibir > Ajustar à janela shows the largest factor that fits, and follows the " +
              "window: " + JSON.stringify(fitted));
        await viewMenu(page, "1");
        await settle(page);
        size = await canvasSize(page);
        view = await viewEntries(page);
        check(factorOf(size) === 1 && entry(view, "Tamanho 1x").checked &&
              !entry(view, "Tamanho 2x").checked,
              `Exibir > Tamanho 1x shows it at 1x and marks it: ${JSON.stringify(size)}`);
        await viewMenu(page, "2");
        await settle(page);
        size = await canvasSize(page);
        check(factorOf(size) === 2, `its access key 2 shows it at 2x: ${JSON.stringify(size)}`);

        // ---- P pauses: the state, the check mark, a still picture, the sign ----
        const walkedTo = (d) => d.controls["cfrm.pelmar"].Left;
        await page.keyboard.press("p");
        s = await until(page, "the pause", (d) => d.Paused);
        view = await viewEntries(page);
        check(s.Paused && entry(view, "Pausa").checked && entry(view, "Pausa").mark === "✓",
              "P pauses the game, and Exibir > Pausa shows its check mark");
        const pausedAt = walkedTo(s);
        await page.keyboard.down("ArrowRight");
        await sleep(500);
        await page.keyboard.up("ArrowRight");
        s = await state(page);
        check(s.Paused && walkedTo(s) === pausedAt,
              `the cook stands while Right is held: ${pausedAt} -> ${walkedTo(s)}`);
        const still = [await canvasPicture(page)];
        await sleep(500);
        still.push(await canvasPicture(page));
        check(still[0] === still[1], "two pictures of the canvas 0.5 s apart are the same");
        const liveSign = await compareSign(page, fs.readFileSync(pausedReference));
        check(liveSign.frame && JSON.stringify(liveSign.shownFrame) ===
                                JSON.stringify(liveSign.frame) && wordLooksRight(liveSign.words),
              "the PAUSA sign shows with its frame where the desktop puts it, and the word: " +
              JSON.stringify(liveSign));
        await page.keyboard.press("p");
        s = await until(page, "the end of the pause", (d) => !d.Paused);
        view = await viewEntries(page);
        const moving = [await canvasPicture(page)];
        await sleep(500);
        moving.push(await canvasPicture(page));
        check(!entry(view, "Pausa").checked && moving[0] !== moving[1],
              "P again lets the game go on: the check mark goes and the picture changes");
        await page.keyboard.down("ArrowRight");
        await sleep(500);
        await page.keyboard.up("ArrowRight");
        s = await state(page);
        check(walkedTo(s) > pausedAt + 150,
              `then holding Right walks the cook: ${pausedAt} -> ${walkedTo(s)}`);
        await page.keyboard.press("Pause");
        s = await until(page, "the pause by the Pause key", (d) => d.Paused);
        view = await viewEntries(page);
        check(entry(view, "Pausa").checked, "the Pause key pauses too, with the check mark");
        await viewMenu(page, "p");
        s = await until(page, "the end of the pause by the menu", (d) => !d.Paused);
        view = await viewEntries(page);
        check(!view.open && !entry(view, "Pausa").checked,
              "Exibir > Pausa lets the game go on, and the mark goes");
        // The game ends the pause by itself on a new game: the mark follows.
        await page.keyboard.press("p");
        await until(page, "the pause before F2", (d) => d.Paused);

        // ---- full screen, where the browser allows it ----
        await withCtrl(page, "Minus");
        await page.keyboard.press("F11");
        const fullScreen = await page.evaluate(async () => {
            for (;;) {
                if (document.fullscreenElement || window.pelmarFullScreenError()) {
                    return { element: document.fullscreenElement ? document.fullscreenElement.id
                                                                 : null,
                             refused: window.pelmarFullScreenError() };
                }
                await new Promise((r) => requestAnimationFrame(r));
            }
        });
        const fullScreenActions = await page.evaluate(() => {
            Module._pelmar_key = window.tellKey;
            return window.keyActions.splice(0);
        });
        check(JSON.stringify(fullScreenActions.slice(-2)) ===
              JSON.stringify(["ZoomOut", "FullScreen"]),
              "Ctrl+- and F11 are the program's ZoomOut and FullScreen, which the page does: " +
              JSON.stringify(fullScreenActions));
        if (fullScreen.element === null) {
            console.log("note: this Chromium refuses full screen: " + fullScreen.refused);
            view = await viewEntries(page);
            size = await canvasSize(page);
            check(!entry(view, "Tela cheia").checked && factorOf(size) === 1,
                  "refused, the page stays as it was, without the check mark");
        } else {
            await settle(page);
            const filled = await page.evaluate(() => {
                const main = document.querySelector(".window.main").getBoundingClientRect();
                const bar = document.querySelector(".menubar").getBoundingClientRect();
                return { width: window.innerWidth, height: window.innerHeight,
                         background: getComputedStyle(document.getElementById("screen"))
                                         .backgroundColor,
                         main: [main.left, main.top, main.right, main.bottom],
                         bar: [bar.top, bar.height] };
            });
            size = await canvasSize(page);
            const k = factorOf(size);
            const chrome = [filled.main[2] - filled.main[0] - size.shownWidth,
                            filled.main[3] - filled.main[1] - size.shownHeight];
            view = await viewEntries(page);
            check(fullScreen.element === "screen" && entry(view, "Tela cheia").checked &&
                  !entry(view, "Tamanho 1x").enabled,
                  "F11 fills the screen with the game; Tela cheia is marked, the sizes wait");
            const fits = (factor) => factor * size.width + chrome[0] <= filled.width &&
                                     factor * size.height + chrome[1] <= filled.height;
            check(k >= 1 && fits(k) && !fits(k + 1),
                  `full screen shows the largest whole factor that fits: ${k}x in ` +
                  `${filled.width} x ${filled.height}`);
            check(filled.background === "rgb(0, 0, 0)" &&
                  Math.abs(filled.main[0] - (filled.width - filled.main[2])) <= 1 &&
                  Math.abs(filled.main[1] - (filled.height - filled.main[3])) <= 1 &&
                  filled.bar[0] >= 0 && filled.bar[1] > 0,
                  "centred on black, with its menu bar: " + JSON.stringify(filled));
            await withCtrl(page, "Minus");
            check(factorOf(await canvasSize(page)) === k, "Ctrl+- waits in full screen");
            await page.keyboard.press("F11");
            await page.waitForFunction(() => document.fullscreenElement === null,
                                       { timeout: 0 });
            await settle(page);
            size = await canvasSize(page);
            view = await viewEntries(page);
            check(factorOf(size) === 1 && !entry(view, "Tela cheia").checked,
                  `F11 again gives back the 1x chosen before: ${JSON.stringify(size)}`);
            await viewMenu(page, "c");
            await page.waitForFunction(() => document.fullscreenElement !== null,
                                       { timeout: 0 });
            await settle(page);
            const byMenu = [factorOf(await canvasSize(page)),
                            entry(await viewEntries(page), "Tela cheia").checked];
            await viewMenu(page, "c");
            await page.waitForFunction(() => document.fullscreenElement === null,
                                       { timeout: 0 });
            await settle(page);
            byMenu.push(factorOf(await canvasSize(page)),
                        entry(await viewEntries(page), "Tela cheia").checked);
            check(JSON.stringify(byMenu) === JSON.stringify([k, true, 1, false]),
                  "Exibir > Tela cheia enters full screen and leaves it: " +
                  JSON.stringify(byMenu));
        }
        await withCtrl(page, "Equal");
        check(factorOf(await canvasSize(page)) === 2, "back at 2x");

        // ---- F2 starts a new game ----
        await page.evaluate(() => window.pelmarScript("set Lives 7\nset Level 4"));
        s = await state(page);
        check(s.Lives === 7 && s.Level === 4, "the test hook set 7 lives at level 4");
        const told = await page.evaluate(async () => {
            const before = window.statusChanges;
            await new Promise((r) => setTimeout(r, 300));
            return [before, window.statusChanges,
                    document.querySelector("[aria-live]").textContent];
        });
        check(told[0] > 0 && told[1] === told[0] && told[2] === "Pontos 0, Fase 4, Vidas 7",
              "the live region tells the change once, not at each frame: " +
              JSON.stringify(told));
        await page.keyboard.press("F2");
        s = await until(page, "a new game after F2", (d) => d.Lives === 50);
        check(s.Level === 1 && s.Lives === 50 && s.Score === 0, "F2 starts a new game at level 1");
        view = await viewEntries(page);
        check(!s.Paused && !entry(view, "Pausa").checked,
              "the new game ends the pause, and Pausa loses its check mark");

        // ---- Fase ... 99 in real time: over at once, no points, the question ----
        // The page's own dialog, modal, with the game's texts and buttons;
        // the game's clock stands still while it is open.
        await menu(page, "o", 1);
        const asked = await openDialog(page);
        check(JSON.stringify(asked) === JSON.stringify({
            title: "Fase:", prompt: " Entre Com A Fase para iniciar o jogo:",
            buttons: ["Ok", "Cancelar"], answer: "1", focus: "INPUT", modal: true }),
              "Opções > Fase ... asks for the level in the page's own dialog: " +
              JSON.stringify(asked));
        await axeClean(page, "the level question");
        const openedAt = (await state(page)).Clock;
        await sleep(10000);
        const openFor = (await state(page)).Clock - openedAt;
        check(openFor < 10, `open for 10 s, the game's clock moved ${openFor} hundredths`);
        await answerDialog(page, "99", "Enter");
        // The action key and Return as the question comes up, and the action
        // key held with its repeat, leave it open: a player still steering.
        const again = await answerDialog(page, null, "Enter", async (question) => {
            await page.keyboard.press("Space");
            await page.keyboard.press("Enter");
            for (let i = 0; i < 40; i++) {
                await page.keyboard.down("Space");
                await sleep(30);
            }
            await page.keyboard.up("Space");
            check(await question.evaluate((d) => d.isConnected && d.open),
                  "Space and Return, pressed and held as the question comes up, leave it open");
        });
        check(JSON.stringify(again) === JSON.stringify({
            title: "Fim do Jogo.", prompt: "Deseja jogar novamente?", buttons: ["Sim", "Não"],
            answer: null, focus: "BUTTON", modal: true }),
              "level 99 ends and asks to play again: " + JSON.stringify(again));
        s = await until(page, "a new game after Yes", (d) => d.Level === 1 && d.Lives === 50 &&
                                                              d.controls.cfrm.Enabled);
        check(!s.controls.BestForm.Visible, "no high-score window for 0 points");
        s = await until(page, "the new game going on", (d) => d.Clock > s.Clock);
        check(!s.Paused && page.browserDialogs.length === 0,
              "Enter is Sim: the new game goes on, and the browser raised no dialog of its own: " +
              JSON.stringify(page.browserDialogs));

        // ---- level 99 on a scripted clock, with points: the name is typed and kept ----
        await open(page, url + "?scripted");
        await menu(page, "o", 1);
        await answerDialog(page, "99", "Enter");
        s = await until(page, "level 99", (d) => d.Level === 99);
        check(await page.evaluate(() => window.pelmarScript("set Score 1234")) === "",
              "the test hook gives the player 1234 points");
        await page.evaluate(() => window.pelmarScript("run 3000"));
        s = await until(page, "the name box", (d) => d.controls.BestForm.Visible &&
                                                      d.controls["BestForm.Text1"].Visible);
        check(s.Lives <= 0 && s.Level === 99, "level 99 ended with the high-score window up");
        const focused = await page.evaluate(() => [document.activeElement.tagName,
                                                   document.activeElement.ariaLabel]);
        check(focused[0] === "INPUT" && focused[1] === "NOME",
              "the name box has the focus, and its label: " + focused.join(" "));
        await axeClean(page, "the name box");
        // A refused character leaves "Vencedor" selected: the name typed next replaces it.
        await page.keyboard.type("Ω");
        const refused = await page.evaluate(() => {
            const box = document.activeElement;
            return [box.value, box.selectionStart, box.selectionEnd,
                    parseFloat(getComputedStyle(box).fontSize) >= 16];
        });
        check(JSON.stringify(refused) === JSON.stringify(["Vencedor", 0, 8, true]),
              "Ω is refused, the box keeps its text selected, in a font of 16 px or more: " +
              JSON.stringify(refused));
        await page.keyboard.type("Zé Teste", { delay: 30 });
        // Each key's input event reaches the game as it is typed.
        s = await state(page);
        check(s.BestForm.BestName[0][0] === "Zé Teste" &&
              await page.evaluate(() => document.activeElement.value) === "Zé Teste",
              "the typed name shows in the box and reaches the table: " +
              JSON.stringify(s.BestForm.BestName[0][0]));
        await page.keyboard.press("Enter");
        // Right then Return is Não: a page that waits for a new game, not a dead end.
        const saved = await answerDialog(page, null, ["ArrowRight", "Enter"]);
        check(saved.prompt === "Deseja jogar novamente?", "Ok saves and asks to play again");
        s = await until(page, "the page after Não", (d) => d.controls.cfrm.Visible && d.Paused);
        const waiting = await page.evaluate(() => {
            const start = document.querySelector(".start");
            const entries = [...document.querySelectorAll(".menuitem")].map((r) => r.textContent);
            return { start: start && !start.hidden ? start.textContent : null,
                     newGame: entries.some((e) => e.includes("Jogo Novo") && e.endsWith("F2")) };
        });
        check(waiting.start === "Jogo Novo (F2)" && waiting.newGame && s.controls.cfrm.Enabled,
              "Não leaves the game waiting, with Jogo Novo (F2) shown: " +
              JSON.stringify(waiting));
        await page.keyboard.press("F2");
        s = await until(page, "a new game after F2", (d) => !d.Paused);
        await page.evaluate(() => window.pelmarScript("run 100"));
        s = await state(page);
        check(s.Level === 1 && s.Lives === 50 && s.controls.cfrm.Enabled && !s.Paused &&
              page.browserDialogs.length === 0 &&
              await page.evaluate(() => document.querySelector(".start").hidden),
              "then F2 starts a game that goes on");
        // The file's bytes, one character each: lines ended by CR LF, every
        // other byte flipped to 256 - c, names in Windows-1252.
        const stored = await page.evaluate(() => window.localStorage.getItem("pelmar.Dat"));
        const lines = (stored || "").split("\r\n").filter((l) => l.length > 0).map(
            (l) => [...l].map((c) => String.fromCharCode((256 - c.charCodeAt(0)) & 255)).join(""));
        check(stored !== null && [...stored].every((c) => c.charCodeAt(0) < 256) &&
              stored.endsWith("\r\n") && lines.length === 1 && lines[0].includes("Z\xe9 Teste") &&
              lines[0].includes("1234"),
              "localStorage keeps pelmar.Dat, byte for byte: " + JSON.stringify(lines));

        // ---- after a reload, Ajuda > Os Melhores... shows the name ----
        await open(page, url);
        await menu(page, "a", 1);
        s = await until(page, "the table", (d) => d.controls.BestForm.Visible);
        check(s.controls["BestForm.Nome(0)"].Caption.startsWith("Zé Teste") &&
              s.controls["BestForm.Pontos(0)"].Caption.includes("1234"),
              "after a reload the table shows " +
              JSON.stringify(s.controls["BestForm.Nome(0)"].Caption) + " with " +
              JSON.stringify(s.controls["BestForm.Pontos(0)"].Caption));
        const tableShown = await page.evaluate(() => {
            const dialog = document.querySelector("#dialogs .window:not([hidden])");
            return dialog ? [dialog.querySelector("canvas").width,
                             [...dialog.querySelectorAll(".widget:not([hidden])")]
                                 .map((w) => w.tagName + ":" + (w.value || w.textContent))] : null;
        });
        check(tableShown && tableShown[1].includes("BUTTON:Ok"),
              "the table is drawn over the page with its Ok button: " + JSON.stringify(tableShown));
        const heard = await keeping.heard(page);
        check(heard.some((line) => /Zé Teste.*1234/.test(line)),
              "a screen reader finds the table's row: " + JSON.stringify(heard));
        await axeClean(page, "the high-score table");
        await page.keyboard.press("Enter");
        s = await until(page, "the table closed", (d) => !d.controls.BestForm.Visible);
        check(s.controls.cfrm.Enabled, "Ok closes the table and the game goes on");

        // ---- Ajuda: Sobre o Jogo... over the page, Como jogar... in a new tab ----
        await menu(page, "a", 0);
        s = await until(page, "the About window", (d) => d.controls.SobrForm.Visible);
        check(!s.controls.cfrm.Enabled, "the About window is up and the main window waits");
        const about = await keeping.heard(page);
        check(about.includes("Vulcro Pelmar") && about.some((l) => /^Versão \d/.test(l)),
              "a screen reader finds the About text: " + JSON.stringify(about));
        await axeClean(page, "the About window");
        await page.keyboard.press("Enter");
        s = await until(page, "the About window closed", (d) => !d.controls.SobrForm.Visible);
        check(s.controls.cfrm.Enabled, "Ok closes the About window");
        const helpTab = browser.waitForTarget((t) => t.url().endsWith("/Pelmar.htm"),
                                              { timeout: 0 });
        await menu(page, "a", 2);
        const help = await loadedTab(helpTab);
        const helpTitle = help ? await help.title() : "";
        check(helpTitle.length > 0, "Como jogar... opens the help page in a new tab: " + helpTitle);
        // Readable on a phone: the page's own width, and what the browser keeps told.
        const helpFits = help && await help.evaluate(() => [
            document.querySelector("meta[name=viewport]") !== null,
            /painel/.test(document.body.textContent) && /não guarda/.test(document.body.textContent)]);
        check(JSON.stringify(helpFits) === "[true,true]",
              "the help page fits a phone and tells of the pad and what is kept: " + helpFits);
        if (help) {
            await help.close();
        }
        await page.bringToFront();

        // ---- the canvas at level start equals the desktop's screenshot ----
        await open(page, url + "?scripted");
        // get reads every top-level name of the state, as the simulator's does.
        const out = await page.evaluate(() => window.pelmarScript("run 250\nget Level\nget Clock"));
        check(out === '{"Level": 1}\n{"Clock": 3600250}\n',
              "250 scripted ticks at level 1: " + JSON.stringify(out));
        const result = await compareWithReference(page, fs.readFileSync(reference));

        // ---- numbers read and written in the page as on the desktop ----
        const numbers = await page.evaluate(() => [
            window.pelmarScript("set BeltSpeed 0.25\nget BeltSpeed"),
            window.pelmarScript("set BeltSpeed .3\nget BeltSpeed"),
            window.pelmarScript("set BeltSpeed 2.5e-3\nget BeltSpeed"),
            window.pelmarScript("set BeltSpeed 1e400"),
            window.pelmarScript("set BeltSpeed 1e20\nget BeltSpeed"),
        ]);
        check(JSON.stringify(numbers) === JSON.stringify([
            '{"BeltSpeed": 0.25}\n', '{"BeltSpeed": 0.29999999999999999}\n',
            '{"BeltSpeed": 0.0025000000000000001}\n',
            "error: line 1: cannot set 'BeltSpeed' to '1e400'\n", '{"BeltSpeed": 1e+20}\n']),
              "numbers read and write as on the desktop: " + JSON.stringify(numbers));
        check(result.differing === 0 && result.labels > 0 &&
              result.maskedPixels < result.total / 4,
              "the level-start canvas equals " + path.basename(reference) +
              " outside the labels: " + JSON.stringify(result));

        // ---- paused there, the sign is the desktop's ----
        await page.keyboard.press("p");
        await until(page, "the pause", (d) => d.Paused);
        const sign = await compareSign(page, fs.readFileSync(pausedReference));
        check(sign.frame && sign.differing === 0 && wordLooksRight(sign.words),
              "paused, the canvas equals " + path.basename(pausedReference) + " taken at 1x " +
              "outside the labels and the word, and the word is there: " + JSON.stringify(sign));

        // ---- the count-down at the end of a level takes the simulator's game time ----
        await page.keyboard.press("p");
        await until(page, "the game going on", (d) => !d.Paused);
        const countDown = (play) => {
            const get = (name) => JSON.parse(window.pelmarScript("get " + name))[name];
            window.pelmarScript("set Lives 20\nset RoundPhase -1");
            const start = get("Clock");
            if (play) {
                for (let i = 0; i < 20000 && get("RoundPhase") !== 0; i++) {
                    window.pelmarScript("play 0.1");
                }
                return get("Clock") - start;
            }
            // In real time the end is seen at the first look after it, and
            // came after the last look that still saw the count-down: those
            // two bound it, however late a frame comes.
            return new Promise((resolve) => {
                let before = 0;
                const look = () => {
                    const clock = get("Clock") - start;
                    if (get("RoundPhase") === 0) {
                        resolve([before, clock]);
                    } else {
                        before = clock;
                        requestAnimationFrame(look);
                    }
                };
                requestAnimationFrame(look);
            });
        };
        const played = await page.evaluate(countDown, true);
        await open(page, url);
        const [lastSeen, shown] = await page.evaluate(countDown, false);
        check(played > 300 && lastSeen <= played * 1.01 && shown >= played * 0.99,
              `the count-down of 20 lives ends between ${lastSeen.toFixed(1)} and ` +
              `${shown.toFixed(1)} hundredths of game time, play's ${played.toFixed(1)}`);

        // ---- played on by script to a splash, the canvas is the desktop's picture ----
        await open(page, url + "?scripted");
        await page.evaluate(() => window.pelmarScript(
            "run 250\nkeydown 39\nplay 600\nkeyup 39\nplay 450"));
        const splashed = await compareWithReference(page, fs.readFileSync(
            path.join(path.dirname(reference), "played_to_a_splash.png")));
        check(splashed.differing === 0 && splashed.labels > 0 &&
              splashed.maskedPixels < splashed.total / 4,
              "played by the same script lines to a broken item, the canvas equals the " +
              "desktop's picture outside the labels: " + JSON.stringify(splashed));

        // ---- in real time: a loss shows broken where it happened, a moment ----
        await open(page, url);
        await startWatch(page, watchSplash);
        // An ingredient a few twips short of the belt, thrown just now: it
        // breaks there within a few ticks, whatever the cook has caught.
        await page.evaluate(() => {
            const clock = JSON.parse(window.pelmarState()).Clock;
            window.pelmarScript("set ItemState 1\nset ItemKind 3\nset ItemLeft 1000\n" +
                                `set ItemClock ${clock}`);
        });
        const loss = await watched(page, "an item lost on the belt");
        if (loss.error) {
            check(false, "the splash could be watched: " + loss.error);
        } else {
            const where = `${loss.file} at ${loss.box.join(",")} (${loss.splash.Container})`;
            const shown = loss.samples.filter((x) => x.all === 1 && !x.covered);
            const wrongWhileReported = loss.samples.filter((x) => x.reported && x.all !== 1);
            const leftOver = loss.samples.filter((x) => !x.reported && !x.covered &&
                                                        x.marks >= 0.5);
            const gone = loss.samples.filter((x) => !x.reported && !x.covered && x.marks < 0.5);
            check(loss.samples[0].all === 1 && wrongWhileReported.length === 0,
                  `the broken picture shows on the canvas where the state puts it, ${where}, ` +
                  `in all ${loss.samples.length - gone.length - leftOver.length} frames ` +
                  `while it is reported: ` + JSON.stringify(wrongWhileReported.slice(0, 3)));
            check(gone.length > 0 && leftOver.length === 0,
                  `once the state drops it, it is gone from the canvas: ${gone.length} frames ` +
                  `without it, ${leftOver.length} still showing it`);
            // How long it showed, within what the frames' spacing can tell.
            const firstGone = gone.length > 0 ? gone[0].t : Infinity;
            const least = shown.length > 0 ? shown[shown.length - 1].t - shown[0].t : NaN;
            const most = firstGone - (loss.before !== null ? loss.before : -Infinity);
            check(shown.length > 0 && least <= 600 && most >= 300,
                  `it shows for about 0.4 s: at least ${least.toFixed(0)} ms, ` +
                  `at most ${most.toFixed(0)} ms`);
        }

        // ---- in real time: the carried order's line blinks at its own pace ----
        // As when the cook lifts a sandwich an order of line 2 wants, for
        // oven 3: the game blinks the line at each tick, the page every 180 ms,
        // under three flashes a second.
        check(await page.evaluate(() => window.pelmarScript(
                  "set BlinkLine(2) 3\nset BlinkLine(1) 2")) === "",
              "the test hook makes line 2 the carried order's line");
        const blink = await watchInPage(page, "the line to blink", watchBlink, "cfrm.selec(1)");
        s = await state(page);
        if (blink.error) {
            check(false, "the blink could be watched: " + blink.error);
        } else {
            const colours = new Set(blink.samples.map((x) => x.colour));
            const runs = colourRuns(blink.drawn);
            const whole = runs.filter((r) => r.whole);
            const offPace = whole.filter((r) => r.least > 205 || r.most < 155);
            check(s.Effects.Blink !== null && s.Effects.Blink.Line === "cfrm.selec(1)",
                  "the line blinked all through the sampling");
            check(colours.size === 2 && colours.has("strong") && colours.has("pale"),
                  `the line's background shows the strong and the pale colour, nothing else, ` +
                  `in ${blink.samples.length} frames: ` + [...colours].join(", "));
            check(whole.length >= 4 && offPace.length === 0,
                  `each colour shows for 155-205 ms at a time, never changing a drawn frame ` +
                  `later: ${whole.length} runs measured in ${blink.drawn.length} frames the ` +
                  `page drew, ${offPace.length} off pace; runs ` +
                  "(least-most ms): " + runs.slice(0, 16).map(
                      (r) => `${r.least.toFixed(0)}-${r.most.toFixed(0)}`).join(" "));
        }

        // ---- paused, the line stands still on its strong colour ----
        await page.keyboard.press("p");
        await until(page, "the pause", (d) => d.Paused);
        const pausedLine = await watchInPage(page, "the paused line", watchBlink, "cfrm.selec(1)");
        if (pausedLine.error) {
            check(false, "the paused line could be watched: " + pausedLine.error);
        } else {
            // The frame that draws the pause may come after the watch began:
            // from the frames after it, or from the start when it came before.
            const drawn = pausedLine.drawn;
            const from = drawn.length > 0 ? drawn[0].t : -Infinity;
            const shown = pausedLine.samples.filter((x) => x.t > from);
            const colours = new Set([...shown, ...drawn].map((x) => x.colour));
            check(shown.length > 0 && colours.size === 1 && colours.has("strong"),
                  `paused, the line keeps its strong colour in all ${shown.length} frames ` +
                  `after the page drew the pause, ${drawn.length} drawn while watched: ` +
                  [...colours].join(", "));
        }
        await page.keyboard.press("p");
        await until(page, "the game going on", (d) => !d.Paused);

        // ---- a browser that refuses its storage: the game goes on ----
        const blocked = await newPage(browser, "pt-BR", { width: 1024, height: 768 });
        await blocked.evaluateOnNewDocument(() => {
            Object.defineProperty(window, "localStorage", {
                get() {
                    throw new DOMException("storage refused", "SecurityError");
                },
            });
        });
        await open(blocked, url + "?scripted");
        await menu(blocked, "o", 1);
        await answerDialog(blocked, "99", "Enter");
        await until(blocked, "level 99", (d) => d.Level === 99);
        await blocked.evaluate(() => window.pelmarScript("set Score 500\nrun 3000"));
        await until(blocked, "the name box", (d) => d.controls["BestForm.Text1"].Visible);
        await blocked.keyboard.type("Ana");
        await blocked.keyboard.press("Enter");
        await answerDialog(blocked, null, "Enter");
        s = await until(blocked, "a new game", (d) => d.controls.cfrm.Enabled && d.Level === 1);
        await blocked.evaluate(() => window.pelmarScript("run 100"));
        s = await state(blocked);
        const blockedNotice = await blocked.evaluate(() => document.getElementById("notice")
                                                                   .textContent);
        check(s.controls.cfrm.Visible && s.Lives === 50 && s.Clock === 3603100 &&
              blockedNotice.includes("o navegador não deixa o jogo guardar nada"),
              "without storage the name is not kept, the page says so, and the game plays " +
              "on: " + blockedNotice);
        await blocked.close();

        // ---- what the page keeps: the table saved by two tabs together and in a full
        // storage, the player's size and sound ----
        await keeping.twoTabsKeepBothRows(helpers, browser, url);
        await keeping.fullStorageTold(helpers, browser, url);
        await keeping.settingsKept(helpers, browser, url);

        // ---- a phone, 390 x 844 with touch: the pad, the first touch, the page left ----
        const phone = await newPage(browser, "pt-BR",
                                    { width: 390, height: 844, hasTouch: true, isMobile: true });
        await open(phone, url);
        const touchLayout = () => phone.evaluate(() => {
            const box = (e) => {
                const r = e.getBoundingClientRect();
                return [r.left, r.top, r.right, r.bottom];
            };
            const canvas = box(document.getElementById("game"));
            const keys = [...document.querySelectorAll("#pad .padkey")].map(box);
            const root = document.documentElement;
            return {
                keys: keys.length,
                overKitchen: keys.filter((k) => k[0] < canvas[2] && k[2] > canvas[0] &&
                                                k[1] < canvas[3] && k[3] > canvas[1]).length,
                outside: [canvas, ...keys].filter((k) => k[0] < 0 || k[1] < 0 ||
                                                         k[2] > innerWidth ||
                                                         k[3] > innerHeight).length,
                scrolls: root.scrollWidth > innerWidth || root.scrollHeight > innerHeight,
            };
        });
        const portrait = await touchLayout();
        check(JSON.stringify(portrait) === JSON.stringify({ keys: 5, overKitchen: 0, outside: 0,
                                                            scrolls: false }),
              "in portrait the pad's four walks and action key lie beside the kitchen, all " +
              "on the page, which does not scroll: " + JSON.stringify(portrait));
        const first = await state(phone);
        // Behind the sign the kitchen is laid out as its first tick leaves it.
        const plates = [1, 2, 3, 4, 5, 6, 7].map((i) => first.controls[`cfrm.Sandest(${i})`].Top);
        check(new Set(plates).size === 7,
              "before the first touch the belt's plates lie in their places, not in a heap: " +
              plates);
        const startButton = await phone.evaluate(() => {
            const b = document.querySelector(".start");
            const r = b.getBoundingClientRect();
            return { text: b.hidden ? null : b.textContent, x: r.left + r.width / 2,
                     y: r.top + r.height / 2 };
        });
        await sleep(10000);
        s = await state(phone);
        check(startButton.text === "Toque para começar" && s.Paused && s.Lives === first.Lives &&
              s.Clock === first.Clock,
              `before the first touch the game waits: ${JSON.stringify(startButton.text)}, ` +
              `after 10 s ${s.Lives} lives and the clock at ${s.Clock - first.Clock}`);
        await phone.touchscreen.tap(startButton.x, startButton.y);
        s = await until(phone, "the game going on after the touch", (d) => !d.Paused);
        check(await phone.evaluate(() => document.querySelector(".start").hidden),
              "a touch starts the game");
        // Fingers on the pad, as the touch screen reports them.
        const padKey = (name) => phone.evaluate((name) => {
            const r = document.querySelector(`#pad .padkey.${name}`).getBoundingClientRect();
            return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
        }, name);
        const fingers = async (type, keys) => phone.cdp.send("Input.dispatchTouchEvent", {
            type, touchPoints: await Promise.all(keys.map(async (name, id) => ({
                ...(await padKey(name)), id })))
        });
        const cook = (d) => [d.controls["cfrm.pelmar"].Left, d.controls["cfrm.pelmar"].Top];
        let at = cook(await state(phone));
        await fingers("touchStart", ["left"]);
        await sleep(1000);
        await fingers("touchEnd", []);
        let now = cook(await state(phone));
        check(now[0] < at[0] - 300, `holding the pad's left arrow 1 s walks the cook left: ` +
              `${at[0]} -> ${now[0]}`);
        at = now;
        await fingers("touchStart", ["right", "down"]);
        await sleep(600);
        await fingers("touchEnd", []);
        // Once a tick has run after the fingers lifted: that one ends the walk.
        const lifted = (await state(phone)).Clock;
        now = cook(await until(phone, "a tick after the lift", (d) => d.Clock >= lifted + 10));
        await sleep(400);
        const after = cook(await state(phone));
        check(now[0] > at[0] && now[1] > at[1] && JSON.stringify(after) === JSON.stringify(now),
              `two fingers on right and down walk him both ways, and he stops when they ` +
              `lift: ${at} -> ${now} -> ${after}`);

        // The page left for 20 s with a finger on the pad and an arrow key down.
        const lives = (await state(phone)).Lives;
        await fingers("touchStart", ["left"]);
        await phone.keyboard.down("ArrowUp");
        const elsewhere = await browser.newPage();
        await elsewhere.bringToFront();
        await sleep(20000);
        await phone.bringToFront();
        s = await state(phone);
        await elsewhere.close();
        check(s.Paused && s.Lives === lives && s.KeyStart.every((k) => k === 0) &&
              s.ActionKey === 0,
              `20 s in another tab: paused, ${s.Lives} lives as before, no walk held: ` +
              JSON.stringify([s.KeyStart, s.ActionKey]));
        await fingers("touchEnd", []);
        await phone.keyboard.up("ArrowUp");
        const bare = await phone.evaluate(() => {
            const b = document.querySelector(".start");
            return b.hidden ? null : b.getAttribute("aria-label");
        });
        await phone.touchscreen.tap(startButton.x, startButton.y);
        s = await until(phone, "the game going on after the pause", (d) => !d.Paused);
        at = cook(s);
        await sleep(500);
        now = cook(await state(phone));
        check(bare === "Pausa" && JSON.stringify(at) === JSON.stringify(now),
              `a touch on the paused kitchen goes on, and the cook stands: ${at} -> ${now}`);
        await phone.setViewport({ width: 844, height: 390, hasTouch: true, isMobile: true });
        await settle(phone);
        const landscape = await touchLayout();
        check(JSON.stringify(landscape) === JSON.stringify({ keys: 5, overKitchen: 0, outside: 0,
                                                             scrolls: false }),
              "in landscape too: " + JSON.stringify(landscape));
        check(phone.browserDialogs.length === 0, "the phone raised no browser dialog");
        await phone.close();

        // ---- English, at 1536 x 730 with the display scaled to 125 % ----
        const english = await newPage(browser, "en-US",
                                      { width: 1536, height: 730, deviceScaleFactor: 1.25 });
        await open(english, url);
        const scaled = await english.evaluate(() => {
            const c = document.getElementById("game");
            const r = c.getBoundingClientRect();
            const ratio = window.devicePixelRatio;
            return { ratio, perPixel: [r.width * ratio / c.width, r.height * ratio / c.height],
                     at: [r.left * ratio, r.top * ratio] };
        });
        // Within the layout's own rounding (1/64 of a CSS pixel).
        const whole = (v) => Math.abs(v - Math.round(v)) < 0.02;
        check(scaled.ratio === 1.25 && scaled.perPixel.every((k) => k >= 1 && whole(k)) &&
              Math.round(scaled.perPixel[0]) === Math.round(scaled.perPixel[1]) &&
              scaled.at.every(whole),
              "each game pixel is a whole number of device pixels, from a whole device pixel: " +
              JSON.stringify(scaled));
        const titles = await english.evaluate(() => [...document.querySelectorAll(".menutitle")]
                                                        .map((m) => m.textContent));
        check(JSON.stringify(titles) === JSON.stringify(["Options", "View", "Help"]),
              "under English the menu titles are English: " + titles.join(", "));
        const englishPictures = await english.evaluate(() => {
            const own = PelmarAssets.pictures.map(([name]) => name)
                            .filter((name) => name.startsWith("en/")).map((n) => n.slice(3));
            return { own, drawn: own.filter((name) => PelmarPage.pictures[name].own) };
        });
        check(englishPictures.own.length > 0 &&
              englishPictures.drawn.length === englishPictures.own.length,
              "the pictures with English words are drawn from their English versions: " +
              JSON.stringify(englishPictures));
        const englishHelp = browser.waitForTarget((t) => t.url().endsWith("/Pelmar_en.htm"),
                                                  { timeout: 0 });
        await menu(english, "h", 2);
        const helpEn = await loadedTab(englishHelp);
        check(helpEn !== null && (await helpEn.evaluate(() => document.documentElement.lang ||
                                                               document.title)).length > 0,
              "and Help opens the English help page: " + (helpEn ? helpEn.url() : "none"));
        if (helpEn) {
            await helpEn.close();
        }
        await english.bringToFront();

        // ---- installable, and a second visit plays offline ----
        await english.evaluate(() => navigator.serviceWorker.ready);
        const installability = await english.cdp.send("Page.getInstallabilityErrors");
        check(installability.installabilityErrors.length === 0,
              "the browser finds nothing against installing the page: " +
              JSON.stringify(installability.installabilityErrors));
        await english.setOfflineMode(true);
        await open(english, url);
        s = await state(english);
        await english.setOfflineMode(false);
        check(s.controls.cfrm.Visible && s.Level === 1 && s.Lives === 50,
              "with the network off a reload starts the game");
        await english.close();
    } finally {
        await browser.close();
        fs.rmSync(profile, { recursive: true, force: true });
    }
    // The failures again at the end, where a shortened log still shows them.
    for (const what of failures) {
        console.log("FAIL " + what);
    }
    console.log(failures.length === 0 ? "web edition: all checks passed"
                                      : `${failures.length} checks failed`);
    process.exit(failures.length === 0 ? 0 : 1);
})().catch((e) => {
    console.error(e);
    process.exit(1);
});
