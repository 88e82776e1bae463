// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the web edition in headless Chromium:
//   node web_measure.js URL WEB_FOLDER
// - the whole download: every file served (all of which the service worker
//   keeps), plain and gzip-compressed;
// - the first frame: from navigation to the main window's first painted
//   frame, uncached (each in a new browser context) and cached (reloads);
// - the main thread's processor time, from its thread ticks (DevTools'
//   ThreadTime), over the wall-clock time: while playing (the arrow keys
//   walking the cook back and forth), paused, and with another tab in front.
"use strict";
const fs = require("fs");
const path = require("path");
const zlib = require("zlib");
const puppeteer = require("puppeteer-core");

const [url, folder] = process.argv.slice(2);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const runs = 5;

async function firstFrame(page, address) {
    await page.goto(address);
    await page.waitForFunction(() => window.pelmarFirstFrameMs && window.pelmarFirstFrameMs() > 0,
                               { timeout: 0 });
    return page.evaluate(() => window.pelmarFirstFrameMs());
}

// The main thread's processor seconds over `seconds` of wall-clock time
// while `during` runs (or nothing).
async function mainThread(cdp, seconds, during) {
    const threadTime = async () => (await cdp.send("Performance.getMetrics")).metrics
                                       .find((m) => m.name === "ThreadTime").value;
    const before = await threadTime();
    const wallStart = Date.now();
    await Promise.all([during ? during() : null, sleep(seconds * 1000)]);
    const busy = await threadTime() - before;
    const wall = (Date.now() - wallStart) / 1000;
    return { busy, wall, share: 100 * busy / wall };
}

(async () => {
    let plain = 0, packed = 0;
    for (const file of fs.readdirSync(folder).sort()) {
        const bytes = fs.readFileSync(path.join(folder, file));
        const gzipped = zlib.gzipSync(bytes, { level: 9 }).length;
        plain += bytes.length;
        packed += gzipped;
        console.log(`  ${file}: ${bytes.length} bytes, ${gzipped} gzip-compressed`);
    }
    console.log(`whole download: ${(plain / 1024).toFixed(1)} KiB, ` +
                `${(packed / 1024).toFixed(1)} KiB gzip-compressed`);

    const browser = await puppeteer.launch({
        executablePath: process.env.PELMAR_CHROMIUM || "/usr/bin/chromium",
        headless: true,
        args: ["--no-sandbox", "--disable-gpu", "--mute-audio", "--no-first-run"],
    });
    const viewport = { width: 1024, height: 768 };
    const uncached = [];
    for (let i = 0; i < runs; i++) {
        const context = await browser.createBrowserContext();
        const page = await context.newPage();
        await page.setViewport(viewport);
        uncached.push(await firstFrame(page, url + "?lang=pt"));
        await context.close();
    }
    const page = await browser.newPage();
    await page.setViewport(viewport);
    await firstFrame(page, url + "?lang=pt");
    await page.evaluate(() => navigator.serviceWorker.ready);
    const cached = [];
    for (let i = 0; i < runs; i++) {
        cached.push(await firstFrame(page, url + "?lang=pt"));
    }
    const list = (values) => values.map((t) => t.toFixed(0)).join(", ");
    console.log(`first frame uncached: median ${median(uncached).toFixed(0)} ms ` +
                `(${list(uncached)})`);
    console.log(`first frame cached: median ${median(cached).toFixed(0)} ms (${list(cached)})`);

    const cdp = await page.createCDPSession();
    await cdp.send("Performance.enable", { timeDomain: "threadTicks" });
    const report = (what, m) => console.log(
        `${what}: main thread ${m.busy.toFixed(3)} s of ${m.wall.toFixed(1)} s = ` +
        `${m.share.toFixed(2)} % of a core`);
    // Playing, once the first key has started the sound (a one-time cost):
    // walking left and right with a throw now and then. A 10-second share
    // varies by about a point from run to run here, so three are taken and
    // the median reported.
    await page.keyboard.press("Space");
    await sleep(1000);
    const playing = [];
    for (let run = 0; run < 3; run++) {
        playing.push(await mainThread(cdp, 10, async () => {
            for (let i = 0; i < 10; i++) {
                await page.keyboard.down(i % 2 ? "ArrowRight" : "ArrowLeft");
                await sleep(600);
                await page.keyboard.up(i % 2 ? "ArrowRight" : "ArrowLeft");
                await page.keyboard.press("Space");
                await sleep(300);
            }
        }));
    }
    const lives = await page.evaluate(() => JSON.parse(window.pelmarState()).Lives);
    console.log(`lives left after playing: ${lives}`);
    const middle = [...playing].sort((a, b) => a.share - b.share)[1];
    console.log(`playing, each 10 s: ${playing.map((m) => m.share.toFixed(2)).join(", ")} % of a core`);
    report("playing (median)", middle);
    await page.keyboard.press("p");
    await page.waitForFunction(() => JSON.parse(window.pelmarState()).Paused, { timeout: 0 });
    report("paused", await mainThread(cdp, 10));
    await page.keyboard.press("p");
    const front = await browser.newPage();
    await front.bringToFront();
    report("in a background tab", await mainThread(cdp, 10));
    await browser.close();
})().catch((e) => {
    console.error(e);
    process.exit(1);
});
