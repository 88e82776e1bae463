// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the web edition in headless Chromium:
//   node web_measure.js URL WEB_FOLDER
// the size of pelmar.wasm and pelmar.js (plain and gzip-compressed), the
// time from navigation to the first painted frame of the main window, and
// the main thread's busy time while playing (DevTools' TaskDuration over the
// wall-clock time), with the arrow keys walking the cook back and forth.
"use strict";
const fs = require("fs");
const path = require("path");
const zlib = require("zlib");
const puppeteer = require("puppeteer-core");

const [url, folder] = process.argv.slice(2);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

(async () => {
    let plain = 0, packed = 0;
    for (const file of ["pelmar.wasm", "pelmar.js"]) {
        const bytes = fs.readFileSync(path.join(folder, file));
        plain += bytes.length;
        packed += zlib.gzipSync(bytes, { level: 9 }).length;
        console.log(`${file}: ${bytes.length} bytes, ${zlib.gzipSync(bytes, { level: 9 }).length} gzip-compressed`);
    }
    console.log(`wasm + js: ${(plain / 1024).toFixed(1)} KiB, ${(packed / 1024).toFixed(1)} KiB gzip-compressed`);

    const browser = await puppeteer.launch({
        executablePath: process.env.PELMAR_CHROMIUM || "/usr/bin/chromium",
        headless: true,
        args: ["--no-sandbox", "--disable-gpu", "--mute-audio"],
    });
    const page = await browser.newPage();
    await page.setViewport({ width: 1024, height: 768 });
    const firsts = [];
    for (let i = 0; i < 5; i++) {
        await page.goto(url + (i === 0 ? "" : "?again=" + i));
        await page.waitForFunction(() => window.pelmarFirstFrameMs && window.pelmarFirstFrameMs() > 0,
                                   { timeout: 0 });
        firsts.push(await page.evaluate(() => window.pelmarFirstFrameMs()));
    }
    firsts.sort((a, b) => a - b);
    console.log(`first frame after navigation: median ${firsts[2].toFixed(0)} ms ` +
                `(of ${firsts.map((t) => t.toFixed(0)).join(", ")}; the first load is uncached)`);

    // Playing: ten seconds walking left and right with a throw now and then.
    const start = await page.metrics();
    const wallStart = Date.now();
    const framesStart = await page.evaluate(() => window.pelmarState && JSON.parse(window.pelmarState()).Paints);
    for (let i = 0; i < 10; i++) {
        await page.keyboard.down(i % 2 ? "ArrowRight" : "ArrowLeft");
        await sleep(700);
        await page.keyboard.up(i % 2 ? "ArrowRight" : "ArrowLeft");
        await page.keyboard.press("Space");
        await sleep(300);
    }
    const end = await page.metrics();
    const wall = (Date.now() - wallStart) / 1000;
    const paints = JSON.parse(await page.evaluate(() => window.pelmarState())).Paints - framesStart;
    const busy = end.TaskDuration - start.TaskDuration;
    console.log(`playing: main thread busy ${busy.toFixed(2)} s of ${wall.toFixed(2)} s = ` +
                `${(100 * busy / wall).toFixed(1)} % of a core; ${(paints / wall).toFixed(0)} paints a second`);
    await browser.close();
})().catch((e) => {
    console.error(e);
    process.exit(1);
});
