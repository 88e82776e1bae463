// SPDX-License-Identifier: GPL-3.0-or-later
// Checks of web_test.js on what the page keeps: the high-score table saved
// by two tabs at once and in a full storage, the player's sound and size
// across a reload; and axe-core's rules on the page's windows.
"use strict";
const fs = require("fs");

// The stored table's lines, each byte flipped back (256 - c), as text.
async function storedLines(page) {
    const stored = await page.evaluate(() => window.localStorage.getItem("pelmar.Dat"));
    return (stored || "").split("\r\n").filter((l) => l.length > 0).map(
        (l) => [...l].map((c) => String.fromCharCode((256 - c.charCodeAt(0)) & 255)).join(""));
}

// A game on a scripted page ended with `score`: the name box is up. (A tab
// behind another is paused, and has no frames to paint the end with.)
async function toNameBox(t, page, score) {
    await page.evaluate((n) => window.pelmarScript(
        `resume\nset Score ${n}\nset Lives 0\nrun 3000\npaint`), score);
    await t.until(page, "the name box", (d) => d.controls.BestForm.Visible &&
                                                d.controls["BestForm.Text1"].Visible);
}

// The name typed in one go, as a paste would put it.
async function typeName(page, name) {
    await page.evaluate((name) => {
        const box = document.querySelector("input.widget:not([hidden])");
        box.value = name;
        box.dispatchEvent(new Event("input"));
    }, name);
}

const clickOk = (page) => page.evaluate(() => document.querySelector(
    "#dialogs .window:not([hidden]) button.widget:not([hidden])").click());

// Two tabs press Ok at the same moment, twenty times: both rows are kept
// each time, as the lock lets one save after the other.
async function twoTabsKeepBothRows(t, browser, url) {
    const tabs = [];
    for (let i = 0; i < 2; i++) {
        tabs.push(await t.newPage(browser, "pt-BR", { width: 1024, height: 768 }));
        await t.open(tabs[i], url + "?scripted");
    }
    let kept = 0;
    const trials = 20;
    for (let trial = 0; trial < trials; trial++) {
        const names = ["Aba A " + trial, "Aba B " + trial];
        for (let i = 0; i < 2; i++) {
            await toNameBox(t, tabs[i], 20000 + 10 * trial + i);
            await typeName(tabs[i], names[i]);
        }
        await Promise.all(tabs.map(clickOk));
        for (const tab of tabs) {
            await t.answerDialog(tab, null, "Enter");
            await t.until(tab, "a new game", (d) => d.controls.cfrm.Enabled && d.Level === 1);
        }
        const lines = await storedLines(tabs[0]);
        kept += names.every((n) => lines.some((l) => l.includes(n))) ? 1 : 0;
    }
    t.check(kept === trials, `two tabs pressing Ok together kept both rows in ${kept} of ` +
                             `${trials} trials`);
    // Inside the lock the table is read from IndexedDB, which each tab sees
    // at once: its copy is the table localStorage holds.
    const copy = await tabs[1].evaluate(() => new Promise((resolve) => {
        const request = indexedDB.open("pelmar", 1);
        request.onsuccess = () => {
            try {
                const files = request.result.transaction("files").objectStore("files");
                const get = files.get("pelmar.Dat");
                get.onsuccess = () => resolve(get.result ===
                                              window.localStorage.getItem("pelmar.Dat"));
                get.onerror = () => resolve(false);
            } catch (e) {
                resolve(false);
            }
        };
        request.onerror = () => resolve(false);
    }));
    t.check(copy, "IndexedDB's copy of the table is the one localStorage holds");
    for (const tab of tabs) {
        await tab.close();
    }
}

// Storage filled to the last character: the score is not saved, the page
// says so in the desktop's words, and the old table stays as it was.
async function fullStorageTold(t, browser, url) {
    const page = await t.newPage(browser, "pt-BR", { width: 1024, height: 768 });
    await t.open(page, url + "?scripted");
    // A table of one row, which the new score would make longer.
    const [whole, before] = await page.evaluate(() => {
        const stored = window.localStorage.getItem("pelmar.Dat");
        window.localStorage.setItem("pelmar.Dat", stored.slice(0, stored.indexOf("\r\n") + 2));
        return [stored, window.localStorage.getItem("pelmar.Dat")];
    });
    const fillers = await page.evaluate(() => {
        let count = 0;
        for (let size = 1 << 22; size >= 1;) {
            try {
                window.localStorage.setItem("filler" + count, "x".repeat(size));
                count++;
            } catch (e) {
                size >>= 1;
            }
        }
        return count;
    });
    await toNameBox(t, page, 99999);
    await typeName(page, "Cheio");
    await clickOk(page);
    const asked = await t.answerDialog(page, null, "Enter");
    const notice = await page.evaluate(() => {
        const box = document.getElementById("notice");
        return box && !box.hidden ? [box.getAttribute("role"), box.querySelector("p").textContent]
                                  : null;
    });
    const after = await page.evaluate(() => window.localStorage.getItem("pelmar.Dat"));
    t.check(before.length > 0 && after === before && asked.prompt === "Deseja jogar novamente?" &&
            JSON.stringify(notice) === JSON.stringify(["alert",
                "O recorde não pôde ser guardado em localStorage: o espaço que o navegador dá " +
                "ao jogo está cheio. A tabela antiga ficou como estava."]),
            "a full storage keeps the old table, tells the player and asks to play again: " +
            JSON.stringify(notice));
    await page.evaluate((n, whole) => {
        for (let i = 0; i < n; i++) {
            window.localStorage.removeItem("filler" + i);
        }
        window.localStorage.setItem("pelmar.Dat", whole);
    }, fillers, whole);
    await page.close();
}

// The player's size (Ctrl+-) and sound switch (M) come back after a reload,
// either way.
async function settingsKept(t, browser, url) {
    const page = await t.newPage(browser, "pt-BR", { width: 1024, height: 768 });
    const shown = async () => {
        const s = await t.state(page);
        const width = await page.evaluate(() => document.getElementById("game").clientWidth);
        return [width / 380, s.controls["cfrm.MenuSom"].Checked];
    };
    const seen = [];
    await t.open(page, url);
    seen.push(await shown());
    for (const key of ["-", "+"]) {
        await page.keyboard.down("Control");
        await page.keyboard.press(key);
        await page.keyboard.up("Control");
        await page.keyboard.press("m");
        await t.until(page, "the sound switched", (d) => d.controls["cfrm.MenuSom"].Checked !==
                                                           seen[seen.length - 1][1]);
        await t.open(page, url);
        seen.push(await shown());
    }
    t.check(JSON.stringify(seen) === JSON.stringify([[2, true], [1, false], [2, true]]),
            "the size and the sound chosen come back after a reload: " + JSON.stringify(seen));
    await page.close();
}

// The lines a screen reader finds in the dialog in front, once it has been painted.
async function heard(page) {
    const lines = "#dialogs .window:not([hidden]) .unseen p";
    await page.waitForFunction((lines) => document.querySelector(lines) !== null,
                               { timeout: 0, polling: 100 }, lines);
    return page.evaluate((lines) => [...document.querySelectorAll(lines)].map(
        (p) => p.textContent), lines);
}

// axe-core's rules on the page as it is: none may fail.
async function axeClean(t, page, what) {
    if (!(await page.evaluate(() => typeof window.axe === "object"))) {
        await page.evaluate(fs.readFileSync(require.resolve("axe-core/axe.min.js"), "utf8"));
    }
    const found = await page.evaluate(async () => {
        const result = await window.axe.run(document);
        return result.violations.map((v) => v.id + ": " + v.nodes.map((n) => n.target).join(" "));
    });
    t.check(found.length === 0, `axe-core finds nothing against ${what}: ` +
                                JSON.stringify(found));
}

module.exports = { twoTabsKeepBothRows, fullStorageTold, settingsKept, axeClean, heard };
