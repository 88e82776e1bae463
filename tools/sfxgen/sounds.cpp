// SPDX-License-Identifier: GPL-3.0-or-later
// The recipe of every sound the game plays. All are short and bright, built
// from the same few voices so they sound like one family.
#include "synth.h"

namespace sfx {

namespace {

using W = Wave;

// An item lands in the cook's hands: a quick upward chirp.
Sound catchSound() {
    return {"catch",
            -5.0,
            {{.start = 0.0,
              .length = 0.09,
              .freq = 620,
              .freqEnd = 1240,
              .glide = 0.05,
              .duty = 0.25,
              .release = 0.03},
             {.start = 0.0,
              .length = 0.09,
              .wave = W::Triangle,
              .freq = 310,
              .freqEnd = 620,
              .glide = 0.05,
              .volume = 0.6,
              .release = 0.03}}};
}

// An item kicked back across the room: a thump and a springy rise.
Sound kickSound() {
    return {"kick",
            -4.0,
            {{.start = 0.0,
              .length = 0.07,
              .wave = W::Triangle,
              .freq = 320,
              .freqEnd = 70,
              .volume = 1.0,
              .release = 0.02},
             {.start = 0.0,
              .length = 0.03,
              .wave = W::Noise,
              .freq = 9000,
              .volume = 0.35,
              .release = 0.015},
             {.start = 0.04,
              .length = 0.11,
              .freq = 300,
              .freqEnd = 900,
              .duty = 0.5,
              .volume = 0.45,
              .release = 0.04}}};
}

// An ingredient set down on a sandwich: a soft two-step plop downwards.
Sound putSound() {
    return {"put",
            -6.0,
            {{.start = 0.0,
              .length = 0.05,
              .freq = 988,
              .freqEnd = 660,
              .duty = 0.5,
              .volume = 0.8,
              .release = 0.02},
             {.start = 0.045,
              .length = 0.06,
              .freq = 740,
              .freqEnd = 494,
              .duty = 0.5,
              .volume = 0.7,
              .release = 0.03},
             {.start = 0.0,
              .length = 0.1,
              .wave = W::Triangle,
              .freq = 247,
              .freqEnd = 165,
              .volume = 0.7,
              .release = 0.04}}};
}

// A sandwich lifted from the belt: a steady rising glide.
Sound liftSound() {
    return {"lift",
            -5.0,
            {{.start = 0.0,
              .length = 0.22,
              .freq = 220,
              .freqEnd = 660,
              .duty = 0.25,
              .volume = 0.7,
              .release = 0.05},
             {.start = 0.0,
              .length = 0.22,
              .wave = W::Triangle,
              .freq = 110,
              .freqEnd = 330,
              .volume = 0.8,
              .release = 0.05}}};
}

// The sandwich thrown from the counter: a whoosh falling away.
Sound throwSound() {
    return {"throw",
            -5.0,
            {{.start = 0.0,
              .length = 0.24,
              .wave = W::Noise,
              .freq = 16000,
              .freqEnd = 2500,
              .volume = 0.5,
              .attack = 0.03,
              .release = 0.1,
              .lowpass = 4000},
             {.start = 0.0,
              .length = 0.2,
              .freq = 1400,
              .freqEnd = 350,
              .duty = 0.125,
              .volume = 0.45,
              .attack = 0.01,
              .release = 0.06}}};
}

// A sandwich lands in the right oven: a happy rising arpeggio and a held top note.
Sound deliverSound() {
    Sound s{"deliver", -4.0, {}};
    const char* steps[] = {"C5", "E5", "G5"};
    for (int i = 0; i < 3; ++i)
        s.notes.push_back({.start = 0.07 * i,
                           .length = 0.075,
                           .freq = pitch(steps[i]),
                           .duty = 0.5,
                           .volume = 0.6,
                           .release = 0.015});
    s.notes.push_back({.start = 0.21,
                       .length = 0.32,
                       .freq = pitch("C6"),
                       .duty = 0.25,
                       .volume = 0.6,
                       .release = 0.12,
                       .decay = 0.4,
                       .vibratoDepth = 0.25,
                       .vibratoRate = 7.0,
                       .vibratoDelay = 0.08});
    s.notes.push_back({.start = 0.0,
                       .length = 0.53,
                       .wave = W::Triangle,
                       .freq = pitch("C4"),
                       .volume = 0.6,
                       .release = 0.12,
                       .arp = {0, 4, 7, 12},
                       .arpStep = 0.07});
    return s;
}

// A throw that misses: a sad slide down with a wobble.
Sound missSound() {
    return {"miss",
            -5.0,
            {{.start = 0.0,
              .length = 0.42,
              .freq = pitch("G4"),
              .freqEnd = pitch("C4"),
              .duty = 0.5,
              .volume = 0.6,
              .release = 0.12,
              .vibratoDepth = 0.4,
              .vibratoRate = 9.0,
              .vibratoDelay = 0.06},
             {.start = 0.0,
              .length = 0.42,
              .wave = W::Triangle,
              .freq = pitch("G3"),
              .freqEnd = pitch("C3"),
              .volume = 0.7,
              .release = 0.12}}};
}

// An item smashed on the floor or on the cook, a life lost: a noisy crash.
Sound dropSound() {
    return {"drop",
            -3.5,
            {{.start = 0.0,
              .length = 0.55,
              .wave = W::Noise,
              .freq = 12000,
              .freqEnd = 3000,
              .volume = 1.0,
              .attack = 0.003,
              .release = 0.15,
              .decay = 0.14},
             {.start = 0.0,
              .length = 0.2,
              .wave = W::Triangle,
              .freq = 180,
              .freqEnd = 45,
              .volume = 1.0,
              .release = 0.06},
             {.start = 0.02,
              .length = 0.3,
              .freq = 520,
              .freqEnd = 130,
              .duty = 0.125,
              .volume = 0.3,
              .release = 0.1,
              .decay = 0.15}}};
}

// An unfinished sandwich rides off the belt: a low, throbbing buzz.
Sound beltSound() {
    return {"belt",
            -6.0,
            {{.start = 0.0,
              .length = 0.45,
              .freq = 82,
              .freqEnd = 73,
              .duty = 0.25,
              .volume = 0.7,
              .attack = 0.01,
              .release = 0.08,
              .tremoloDepth = 0.6,
              .tremoloRate = 14.0,
              .lowpass = 1800},
             {.start = 0.0,
              .length = 0.45,
              .freq = 83,
              .freqEnd = 74,
              .duty = 0.5,
              .volume = 0.5,
              .attack = 0.01,
              .release = 0.08,
              .lowpass = 1200}}};
}

// Ten lives won: a sparkling run up three octaves and a shimmering chord.
Sound bonusSound() {
    Sound s{"bonus", -4.0, {}};
    const char* run[] = {"C5", "E5", "G5", "C6", "E6", "G6"};
    for (int i = 0; i < 6; ++i)
        s.notes.push_back({.start = 0.045 * i,
                           .length = 0.05,
                           .freq = pitch(run[i]),
                           .duty = 0.25,
                           .volume = 0.55,
                           .release = 0.01});
    s.notes.push_back({.start = 0.27,
                       .length = 0.6,
                       .freq = pitch("C6"),
                       .duty = 0.125,
                       .volume = 0.5,
                       .release = 0.2,
                       .arp = {0, 4, 7, 12},
                       .arpStep = 0.025});
    s.notes.push_back({.start = 0.27,
                       .length = 0.6,
                       .wave = W::Triangle,
                       .freq = pitch("C4"),
                       .volume = 0.6,
                       .release = 0.2,
                       .vibratoDepth = 0.15,
                       .vibratoRate = 6.0});
    for (int i = 0; i < 5; ++i)
        s.notes.push_back({.start = 0.3 + 0.1 * i,
                           .length = 0.04,
                           .wave = W::Triangle,
                           .freq = pitch("C8"),
                           .freqEnd = pitch("G7"),
                           .volume = 0.35,
                           .release = 0.02});
    return s;
}

// One step of the end-of-level count: a tiny high blip, repeated every 100 ms.
Sound tallySound() {
    return {"tally",
            -9.0,
            {{.start = 0.0,
              .length = 0.045,
              .freq = pitch("A6"),
              .duty = 0.5,
              .volume = 1.0,
              .release = 0.02,
              .decay = 0.04}}};
}

// A new level begins: a short march call, three pick-ups and a bright landing.
Sound levelSound() {
    Sound s{"level", -4.0, {}};
    const char* lead[] = {"G4", "G4", "C5"};
    const double at[] = {0.0, 0.11, 0.22};
    const double len[] = {0.09, 0.09, 0.5};
    for (int i = 0; i < 3; ++i)
        s.notes.push_back({.start = at[i],
                           .length = len[i],
                           .freq = pitch(lead[i]),
                           .duty = 0.25,
                           .volume = 0.6,
                           .release = i < 2 ? 0.02 : 0.15,
                           .vibratoDepth = i < 2 ? 0.0 : 0.2,
                           .vibratoRate = 6.5,
                           .vibratoDelay = 0.1});
    s.notes.push_back({.start = 0.22,
                       .length = 0.5,
                       .freq = pitch("E5"),
                       .duty = 0.5,
                       .volume = 0.35,
                       .release = 0.15});
    s.notes.push_back({.start = 0.0,
                       .length = 0.2,
                       .wave = W::Triangle,
                       .freq = pitch("G3"),
                       .volume = 0.6,
                       .release = 0.02});
    s.notes.push_back({.start = 0.22,
                       .length = 0.5,
                       .wave = W::Triangle,
                       .freq = pitch("C3"),
                       .volume = 0.7,
                       .release = 0.15});
    return s;
}

// The game is over: a slow phrase stepping down to a low, sinking last note.
Sound gameOverSound() {
    Sound s{"gameover", -4.0, {}};
    const char* lead[] = {"C5", "G4", "E4"};
    for (int i = 0; i < 3; ++i)
        s.notes.push_back({.start = 0.19 * i,
                           .length = 0.18,
                           .freq = pitch(lead[i]),
                           .duty = 0.5,
                           .volume = 0.6,
                           .release = 0.04});
    s.notes.push_back({.start = 0.57,
                       .length = 0.38,
                       .freq = pitch("C4"),
                       .freqEnd = pitch("A3"),
                       .glide = 0.35,
                       .duty = 0.5,
                       .volume = 0.6,
                       .release = 0.15,
                       .vibratoDepth = 0.3,
                       .vibratoRate = 5.0,
                       .vibratoDelay = 0.05});
    const char* bass[] = {"C3", "G2", "E2", "C2"};
    for (int i = 0; i < 4; ++i)
        s.notes.push_back({.start = 0.19 * i,
                           .length = i < 3 ? 0.18 : 0.38,
                           .wave = W::Triangle,
                           .freq = pitch(bass[i]),
                           .volume = 0.7,
                           .release = i < 3 ? 0.04 : 0.15});
    return s;
}

} // namespace

std::vector<Sound> gameSounds() {
    return {catchSound(),   kickSound(),  putSound(),     liftSound(), throwSound(),
            deliverSound(), missSound(),  dropSound(),    beltSound(), bonusSound(),
            tallySound(),   levelSound(), gameOverSound()};
}

} // namespace sfx
