// SPDX-License-Identifier: GPL-3.0-or-later
// The web edition in Debian's headless Chromium, driven with real key events:
//   node web_test.js URL REFERENCE_PNG
// URL serves build/web; REFERENCE_PNG is the desktop's level-start screenshot.
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const puppeteer = require("puppeteer-core");

const [url, reference] = process.argv.slice(2);
let failures = 0;

function check(ok, what) {
    console.log((ok ? "ok   " : "FAIL ") + what);
    if (!ok) {
        failures++;
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
}

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
        await new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r)));
        const canvas = document.getElementById("game");
        const actual = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height);
        const picture = new Image();
        picture.src = dataUrl;
        await picture.decode();
        const scratch = document.createElement("canvas");
        scratch.width = picture.width;
        scratch.height = picture.height;
        const ctx = scratch.getContext("2d");
        ctx.drawImage(picture, 0, 0);
        const expected = ctx.getImageData(0, 0, picture.width, picture.height);
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

(async () => {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "pelmar-web-"));
    const browser = await puppeteer.launch({
        executablePath: process.env.PELMAR_CHROMIUM || "/usr/bin/chromium",
        headless: true,
        userDataDir: profile,
        args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--mute-audio"],
    });
    try {
        const page = await browser.newPage();
        await page.setViewport({ width: 1024, height: 768 });
        page.on("pageerror", (e) => check(false, "no error in the page: " + e.message));
        const dialogs = [];
        let levelAnswer = "99";
        page.on("dialog", async (dialog) => {
            dialogs.push({ type: dialog.type(), message: dialog.message() });
            await dialog.accept(dialog.type() === "prompt" ? levelAnswer : undefined);
        });

        // ---- the page comes up with the main window at the start of level 1 ----
        await open(page, url);
        let s = await state(page);
        check(s.controls.cfrm.Visible && s.Level === 1 && s.Lives === 50,
              "the main window shows level 1 with 50 lives");
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
        check(JSON.stringify(menus) === JSON.stringify(["Opções", "Ajuda"]),
              "the menu bar has Opções and Ajuda");

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

        // ---- F2 starts a new game ----
        await page.evaluate(() => window.pelmarScript("set Lives 7\nset Level 4"));
        s = await state(page);
        check(s.Lives === 7 && s.Level === 4, "the test hook set 7 lives at level 4");
        await page.keyboard.press("F2");
        s = await until(page, "a new game after F2", (d) => d.Lives === 50);
        check(s.Level === 1 && s.Lives === 50 && s.Score === 0, "F2 starts a new game at level 1");

        // ---- Fase ... 99 in real time: over at once, no points, the question ----
        await menu(page, "o", 1);
        s = await until(page, "the play-again question", () => dialogs.length >= 2);
        check(dialogs[0].type === "prompt" &&
              dialogs[0].message === " Entre Com A Fase para iniciar o jogo:",
              "Opções > Fase ... asks for the level: " + JSON.stringify(dialogs[0]));
        check(dialogs[1].type === "confirm" && dialogs[1].message === "Deseja jogar novamente?",
              "level 99 ends and asks to play again: " + JSON.stringify(dialogs[1]));
        s = await until(page, "a new game after Yes", (d) => d.Level === 1 && d.Lives === 50 &&
                                                              d.controls.cfrm.Enabled);
        check(!s.controls.BestForm.Visible, "no high-score window for 0 points");

        // ---- level 99 on a scripted clock, with points: the name is typed and kept ----
        dialogs.length = 0;
        await open(page, url + "?scripted");
        await menu(page, "o", 1);
        s = await until(page, "level 99", (d) => d.Level === 99);
        check(dialogs.length === 1 && dialogs[0].type === "prompt", "Fase ... asked for the level");
        check(await page.evaluate(() => window.pelmarScript("set Score 1234")) === "",
              "the test hook gives the player 1234 points");
        await page.evaluate(() => window.pelmarScript("run 3000"));
        s = await until(page, "the name box", (d) => d.controls.BestForm.Visible &&
                                                      d.controls["BestForm.Text1"].Visible);
        check(s.Lives <= 0 && s.Level === 99, "level 99 ended with the high-score window up");
        const focused = await page.evaluate(() => document.activeElement.tagName);
        check(focused === "INPUT", "the name box has the focus");
        await page.keyboard.type("Zé Teste", { delay: 30 });
        s = await until(page, "the typed name", (d) => d.BestForm.BestName[0][0] === "Zé Teste");
        check(true, "the typed name reaches the table");
        await page.keyboard.press("Enter");
        s = await until(page, "a new game after Ok and Yes",
                        (d) => !d.controls.BestForm.Visible && d.controls.cfrm.Enabled &&
                               d.Level === 1);
        check(dialogs.length === 2 && dialogs[1].message === "Deseja jogar novamente?",
              "Ok saves and asks to play again");
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
        await page.keyboard.press("Enter");
        s = await until(page, "the table closed", (d) => !d.controls.BestForm.Visible);
        check(s.controls.cfrm.Enabled, "Ok closes the table and the game goes on");

        // ---- Ajuda: Sobre o Jogo... over the page, Como jogar... in a new tab ----
        await menu(page, "a", 0);
        s = await until(page, "the About window", (d) => d.controls.SobrForm.Visible);
        check(!s.controls.cfrm.Enabled, "the About window is up and the main window waits");
        await page.keyboard.press("Enter");
        s = await until(page, "the About window closed", (d) => !d.controls.SobrForm.Visible);
        check(s.controls.cfrm.Enabled, "Ok closes the About window");
        const helpTab = browser.waitForTarget((t) => t.url().endsWith("/Pelmar.htm"),
                                              { timeout: 0 });
        await menu(page, "a", 2);
        const help = await (await helpTab).page();
        const helpTitle = help ? await help.title() : "";
        check(helpTitle.length > 0, "Como jogar... opens the help page in a new tab: " + helpTitle);
        if (help) {
            await help.close();
        }
        await page.bringToFront();

        // ---- the canvas at level start equals the desktop's screenshot ----
        await open(page, url + "?scripted");
        const out = await page.evaluate(() => window.pelmarScript("run 250\nget Level"));
        s = await state(page);
        check(out === '{"Level": 1}\n' && s.Clock === 3600250,
              "250 scripted ticks at level 1: the clock at " + s.Clock);
        const result = await compareWithReference(page, fs.readFileSync(reference));

        // ---- numbers read and written in the page as on the desktop ----
        const numbers = await page.evaluate(() => [
            window.pelmarScript("set BeltSpeed 0.25\nget BeltSpeed"),
            window.pelmarScript("set BeltSpeed .3\nget BeltSpeed"),
            window.pelmarScript("set BeltSpeed -2.5e-3\nget BeltSpeed"),
            window.pelmarScript("set BeltSpeed 1e400"),
            window.pelmarScript("set BeltSpeed 1e20\nget BeltSpeed"),
        ]);
        check(JSON.stringify(numbers) === JSON.stringify([
            '{"BeltSpeed": 0.25}\n', '{"BeltSpeed": 0.29999999999999999}\n',
            '{"BeltSpeed": -0.0025000000000000001}\n', "error: line 1: set BeltSpeed 1e400",
            '{"BeltSpeed": 1e+20}\n']),
              "numbers read and write as on the desktop: " + JSON.stringify(numbers));
        check(result.differing === 0 && result.labels > 0 &&
              result.maskedPixels < result.total / 4,
              "the level-start canvas equals " + path.basename(reference) +
              " outside the labels: " + JSON.stringify(result));

        // ---- a browser that refuses its storage: the game goes on ----
        const blocked = await browser.newPage();
        blocked.on("pageerror", (e) => check(false, "no error in the page: " + e.message));
        blocked.on("dialog", async (dialog) => {
            await dialog.accept(dialog.type() === "prompt" ? "99" : undefined);
        });
        await blocked.evaluateOnNewDocument(() => {
            Object.defineProperty(window, "localStorage", {
                get() {
                    throw new DOMException("storage refused", "SecurityError");
                },
            });
        });
        await open(blocked, url + "?scripted");
        await menu(blocked, "o", 1);
        await until(blocked, "level 99", (d) => d.Level === 99);
        await blocked.evaluate(() => window.pelmarScript("set Score 500\nrun 3000"));
        await until(blocked, "the name box", (d) => d.controls["BestForm.Text1"].Visible);
        await blocked.keyboard.type("Ana");
        await blocked.keyboard.press("Enter");
        s = await until(blocked, "a new game", (d) => d.controls.cfrm.Enabled && d.Level === 1);
        await blocked.evaluate(() => window.pelmarScript("run 100"));
        s = await state(blocked);
        check(s.controls.cfrm.Visible && s.Lives === 50 && s.Clock === 3603100,
              "without storage the name is not kept, and the game plays on");
        await blocked.close();
    } finally {
        await browser.close();
        fs.rmSync(profile, { recursive: true, force: true });
    }
    console.log(failures === 0 ? "web edition: all checks passed" : `${failures} checks failed`);
    process.exit(failures === 0 ? 0 : 1);
})().catch((e) => {
    console.error(e);
    process.exit(1);
});
