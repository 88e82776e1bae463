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

page.textAdvance = (font, spacing, text) => Math.round(advance(measurer, font, spacing,
                                                               tr(text)));
page.fontHeight = (font) => fontMetrics(font).height;

// One line of text in the middle of a box, its letters `spacing` pixels apart.
page.centredText = (id, x, y, w, h, font, spacing, colour, text) => {
    text = tr(text);
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

// Order lines lay their ticks on a grid: a blank is 4 pixels, any other
// character sits centred in 8.
function gridText(ctx, x, baseline, text) {
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
}

page.text = (id, x, y, w, h, align, grid, font, colour, text) => {
    text = tr(text);
    const ctx = page.forms[id].ctx;
    ctx.font = font;
    ctx.fillStyle = colour;
    ctx.textBaseline = "alphabetic";
    const baseline = y + ascentOf(ctx, font);
    if (grid) {
        gridText(ctx, x, baseline, text);
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
