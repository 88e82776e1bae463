// SPDX-License-Identifier: GPL-3.0-or-later
// The game's sounds through WebAudio, once the player has pressed a key.

// The sounds, fetched in one file after the first frame and decoded
// once the player has touched a key (the browser's rule for sound).
const sounds = {};
let soundBytes = null;
let audio = null;
function loadSounds() {
    fetch(PelmarAssets.soundFile).then((r) => r.arrayBuffer()).then((bytes) => {
        soundBytes = bytes;
        decodeSounds();
    }).catch(() => {});
}

// 8-bit mu-law (G.711) to a sample between -1 and 1.
function fromMuLaw(byte) {
    const u = ~byte & 255;
    const magnitude = ((((u & 15) << 3) + 132) << ((u >> 4) & 7)) - 132;
    return (u & 128 ? -magnitude : magnitude) / 32768;
}

function decodeSounds() {
    if (!audio || !soundBytes) {
        return;
    }
    const table = new Float32Array(256).map((_, i) => fromMuLaw(i));
    const bytes = new Uint8Array(soundBytes);
    let at = 0;
    for (const [name, size] of PelmarAssets.sounds) {
        const buffer = audio.createBuffer(1, size, PelmarAssets.soundRate);
        const samples = buffer.getChannelData(0);
        for (let i = 0; i < size; i++) {
            samples[i] = table[bytes[at + i]];
        }
        sounds[name] = buffer;
        at += size;
    }
    soundBytes = null;
}

function startSound() {
    if (audio || !window.AudioContext) {
        return;
    }
    try {
        audio = new AudioContext();
    } catch (e) {
        return;
    }
    decodeSounds();
}

function play(name) {
    if (!audio || !sounds[name]) {
        return;
    }
    const source = audio.createBufferSource();
    source.buffer = sounds[name];
    source.connect(audio.destination);
    source.start();
}

globalThis.PelmarSound = { load: loadSounds, start: startSound, play };
