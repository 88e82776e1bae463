// SPDX-License-Identifier: GPL-3.0-or-later
// The touch pad: the four walks and the action key, held like keys, several
// fingers at once. The program gives each its key.
import { callC, el, page, taking, tr } from "./common.js";

const padKeys = [["Cima", "WalkUp", "up"], ["Esquerda", "WalkLeft", "left"],
                 ["Direita", "WalkRight", "right"], ["Baixo", "WalkDown", "down"],
                 ["Ação", "ActionKey", "action"]];
const signs = { up: "▲", left: "◀", right: "▶", down: "▼", action: "●" };
const held = new Map(); // action -> the pointers holding its key

function press(action, pointer, down) {
    const fingers = held.get(action) || new Set();
    const was = fingers.size > 0;
    down ? fingers.add(pointer) : fingers.delete(pointer);
    held.set(action, fingers);
    const is = fingers.size > 0;
    if (was !== is && taking()) {
        PelmarSound.start();
        callC("pelmar_pad", is ? 1 : 0, action);
    }
    const button = document.querySelector(`#pad [data-action="${action}"]`);
    if (button) {
        button.classList.toggle("held", is);
    }
}

// Every finger lifted at once, as the page is left or a dialog opens.
export function releaseTouches() {
    for (const [action, fingers] of held) {
        for (const pointer of [...fingers]) {
            press(action, pointer, false);
        }
    }
}

function addKey(name, action, place) {
    const b = el("button", "padkey " + place,
                 document.getElementById(place === "action" ? "actionpad" : "walkpad"));
    b.type = "button";
    b.dataset.action = action;
    b.setAttribute("aria-label", tr(name));
    b.textContent = signs[place];
    b.addEventListener("pointerdown", (e) => {
        e.preventDefault();
        b.setPointerCapture(e.pointerId);
        press(action, e.pointerId, true);
    });
    for (const type of ["pointerup", "pointercancel", "lostpointercapture"]) {
        b.addEventListener(type, (e) => press(action, e.pointerId, false));
    }
    b.addEventListener("contextmenu", (e) => e.preventDefault());
}

export function buildPad() {
    const pad = document.getElementById("pad");
    pad.setAttribute("aria-label", tr("Controles de toque"));
    for (const [name, action, place] of padKeys) {
        addKey(name, action, place);
    }
    pad.hidden = !page.touch;
    document.body.classList.toggle("touch", page.touch);
}
