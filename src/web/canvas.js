// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' canvases painted on the program's orders, in the canvas's
// own pixels (the Painter of the program calls these through PelmarPage).
import { page, tr } from "./common.js";

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
    if (picture) {
        page.forms[id].ctx.drawImage(picture, x, y);
    }
};

// A font's whole pixels above and below the baseline, as the desktop
// rounds them, and text widths with letters `spacing` pixels further apart.
const measurer = document.createElement("canvas").getContext("2d");
// Measuring asks the browser to lay the text out: what was measured is
// kept (the page's fonts are the system's, so a measure does not change),
// up to a bound, as a score's digits make new texts all game long.
const measured = new Map();
function remembered(key, measure) {
    let value = measured.get(key);
    if (value === undefined) {
        if (measured.size >= 4096) {
            measured.clear();
        }
        value = measure();
        measured.set(key, value);
    }
    return value;
}

function fontMetrics(font) {
    return remembered("\u0001" + font, () => {
        measurer.font = font;
        const m = measurer.measureText("ÁÇgj");
        const ascent = Math.round(m.fontBoundingBoxAscent || m.actualBoundingBoxAscent || 9);
        const descent = Math.round(m.fontBoundingBoxDescent || m.actualBoundingBoxDescent || 3);
        return { ascent, height: ascent + descent };
    });
}

function advance(ctx, font, spacing, text) {
    ctx.font = font;
    ctx.letterSpacing = spacing + "px";
    const width = ctx.measureText(text).width;
    ctx.letterSpacing = "0px";
    return width;
}

page.textAdvance = (font, spacing, text) => {
    text = tr(text);
    return remembered(font + "\u0001" + spacing + "\u0001" + text,
                      () => Math.round(advance(measurer, font, spacing, text)));
};
page.fontHeight = (font) => fontMetrics(font).height;

// One line of text in its box: from the box's top edge, or in its middle
// when `middle`; at the box's left, right or middle as `align` says (0, 1,
// 2); its letters `spacing` pixels further apart.
page.text = (id, x, y, w, h, align, middle, font, spacing, colour, text) => {
    text = tr(text);
    const ctx = page.forms[id].ctx;
    const metrics = fontMetrics(font);
    ctx.font = font;
    ctx.letterSpacing = spacing + "px";
    ctx.fillStyle = colour;
    ctx.textBaseline = "alphabetic";
    ctx.textAlign = align === 2 ? "center" : align === 1 ? "right" : "left";
    const at = align === 2 ? x + w / 2 : align === 1 ? x + w : x;
    ctx.fillText(text, at, middle ? y + (h - metrics.height) / 2 + metrics.ascent
                                  : y + metrics.ascent);
    ctx.letterSpacing = "0px";
};

page.done = (id) => {
    const form = page.forms[id];
    if (form.clipped) {
        form.ctx.restore();
        form.clipped = false;
    }
};
