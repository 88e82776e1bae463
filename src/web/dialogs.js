// SPDX-License-Identifier: GPL-3.0-or-later
// The game's modal dialogs in the page's own <dialog>: the input box and
// the Yes/No question. The program waits in them (Asyncify) and no frame
// runs, so the game's clock stands still until the player answers.
import { el, page, taking, textC, tr } from "./common.js";
import { closeMenu } from "./menus.js";
import { releaseTouches } from "./touch.js";

// The dialog's frame: its title, its text, a text box holding `field`
// (none where null) and a row for the buttons.
function build(title, prompt, field) {
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
    return { dialog, input, row };
}

// Closes the dialog and hands the program its answer; the focus goes back
// where it was.
function close(parts, before, answer, resolve) {
    parts.dialog.close();
    parts.dialog.remove();
    page.asking = false;
    if (before && before.isConnected && typeof before.focus === "function") {
        before.focus();
    }
    page.asleep = false;
    resolve(answer(parts.input ? parts.input.value : ""));
    setTimeout(() => {
        if (taking()) {
            Module._pelmar_release_all();
        }
    }, 0);
    // The game goes on from here: the time the dialog was open is
    // skipped as a stall.
    page.wakeIn(0);
}

// `buttons` are [caption, answer, key] with key "Enter" or "Escape", the
// keys of the page's own input box; the game's question takes keys by its
// own rule instead (`question`).
function addButtons(parts, buttons, question, finish) {
    const byKey = {};
    for (const [caption, answer, key] of buttons) {
        const b = el("button", "", parts.row);
        b.type = "button";
        b.textContent = caption;
        b.addEventListener("click", () => finish(answer));
        if (key) {
            byKey[key] = answer;
        }
    }
    if (question) {
        takeQuestionKeys(parts.dialog, parts.row, question,
                         (yes) => finish(buttons[yes ? 0 : 1][1]));
    }
    parts.dialog.addEventListener("keydown", (e) => {
        // Enter on a button is that button's, as on the desktop.
        const onButton = e.target.tagName === "BUTTON";
        if ((e.key === "Enter" && !onButton && "Enter" in byKey) || e.key === "Escape") {
            e.preventDefault();
            e.stopPropagation();
            finish(byKey[e.key] || (() => null));
        }
    });
    parts.dialog.addEventListener("cancel", (e) => {
        e.preventDefault();
        if (!question) {
            finish(byKey.Escape || (() => null));
        }
    });
}

// Opens a dialog and answers the game's call, which waits meanwhile.
function modal(title, prompt, field, buttons, question = null) {
    return new Promise((resolve) => {
        closeMenu();
        page.asking = true;
        // The fingers lift; the keys and walks held are let go once the
        // game has its answer (a key let go over the dialog never reaches it).
        releaseTouches();
        const before = document.activeElement;
        const parts = build(title, prompt, field);
        let done = false;
        const finish = (answer) => {
            if (!done) {
                done = true;
                close(parts, before, answer, resolve);
            }
        };
        addButtons(parts, buttons, question, finish);
        // The last call the program takes before it sleeps.
        page.stateAsleep = page.running ? textC("pelmar_state") : null;
        parts.dialog.showModal();
        if (parts.input) {
            parts.input.focus();
            parts.input.select();
        } else {
            parts.row.firstChild.focus();
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
