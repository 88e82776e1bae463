// SPDX-License-Identifier: GPL-3.0-or-later
// A tiny chip-tune synthesiser: pulse, triangle and noise voices with glides,
// arpeggios, vibrato and smooth envelopes, mixed into one mono buffer.
#pragma once

#include <string>
#include <vector>

namespace sfx {

constexpr int kSampleRate = 22050;

enum class Wave { Pulse, Triangle, Noise };

// One voice playing for a while. Times are in seconds, pitches in hertz; for
// noise the pitch is how often the noise generator steps.
struct Note {
    double start = 0.0;
    double length = 0.1;
    Wave wave = Wave::Pulse;
    double freq = 440.0;
    double freqEnd = 0.0; // glide target, reached after `glide` seconds; 0 keeps the pitch
    double glide = 0.0;   // 0 glides over the whole note
    double duty = 0.5;    // pulse width, 0..1
    double volume = 1.0;
    double attack = 0.004;  // at least kMinAttack
    double release = 0.02;  // at least kMinRelease
    double decay = 0.0;     // time constant of an exponential fade; 0 holds the level
    std::vector<int> arp{}; // semitone steps cycled every arpStep seconds
    double arpStep = 0.03;
    double vibratoDepth = 0.0; // semitones
    double vibratoRate = 6.0;  // hertz
    double vibratoDelay = 0.0;
    double tremoloDepth = 0.0; // 0..1
    double tremoloRate = 10.0;
    double lowpass = 0.0; // one-pole cut-off in hertz; 0 leaves the voice bright
};

constexpr double kMinAttack = 0.002;
constexpr double kMinRelease = 0.005;

struct Sound {
    std::string name;
    double peakDb = -4.0; // the loudest sample, in dB below full scale
    std::vector<Note> notes;
};

// Pitch of a note name such as "C5", "F#4" or "Bb3" (A4 = 440 Hz).
double pitch(const std::string& name);

// Renders the sound, scaled so its loudest sample sits at peakDb.
std::vector<double> render(const Sound& sound);

// Writes 16-bit mono PCM at kSampleRate; false if the file cannot be written.
bool writeWav(const std::string& path, const std::vector<double>& samples);

std::vector<Sound> gameSounds();

} // namespace sfx
