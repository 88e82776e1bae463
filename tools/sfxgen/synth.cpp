// SPDX-License-Identifier: GPL-3.0-or-later
#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <stdexcept>

namespace sfx {

namespace {

constexpr double kPi = std::numbers::pi;

// Rounds off the corners of a hard step so the pulse does not alias badly.
double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// Smooth 0..1 ramp.
double ease(double u) {
    u = std::clamp(u, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(kPi * u);
}

double envelope(const Note& n, double t) {
    const double attack = std::max(n.attack, kMinAttack);
    const double release = std::max(n.release, kMinRelease);
    double g = ease(t / attack) * ease((n.length - t) / release);
    if (n.decay > 0.0)
        g *= std::exp(-t / n.decay);
    if (n.tremoloDepth > 0.0)
        g *= 1.0 - n.tremoloDepth * (0.5 - 0.5 * std::cos(2.0 * kPi * n.tremoloRate * t));
    return g;
}

double frequencyAt(const Note& n, double t) {
    double f = n.freq;
    if (n.freqEnd > 0.0) {
        const double span = n.glide > 0.0 ? n.glide : n.length;
        f *= std::pow(n.freqEnd / n.freq, std::clamp(t / span, 0.0, 1.0));
    }
    if (!n.arp.empty()) {
        const auto step = static_cast<std::size_t>(t / n.arpStep) % n.arp.size();
        f *= std::exp2(n.arp[step] / 12.0);
    }
    if (n.vibratoDepth > 0.0 && t > n.vibratoDelay) {
        const double v = std::sin(2.0 * kPi * n.vibratoRate * (t - n.vibratoDelay));
        f *= std::exp2(n.vibratoDepth * v / 12.0);
    }
    return f;
}

void addNote(const Note& n, std::vector<double>& mix) {
    const auto first = static_cast<std::size_t>(std::lround(n.start * kSampleRate));
    const auto count = static_cast<std::size_t>(std::lround(n.length * kSampleRate));
    if (mix.size() < first + count)
        mix.resize(first + count, 0.0);
    double phase = 0.0;
    std::uint16_t lfsr = 0x4a3d; // fixed seed: the same file every run
    double noise = 1.0;
    double smooth = 0.0;
    const double alpha =
        n.lowpass > 0.0 ? 1.0 - std::exp(-2.0 * kPi * n.lowpass / kSampleRate) : 1.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double dt = std::min(frequencyAt(n, t) / kSampleRate, 0.5);
        double v = 0.0;
        switch (n.wave) {
        case Wave::Pulse: {
            const double duty = std::clamp(n.duty, 0.05, 0.95);
            v = phase < duty ? 1.0 : -1.0;
            v += polyBlep(phase, dt);
            v -= polyBlep(std::fmod(phase + 1.0 - duty, 1.0), dt);
            v -= 2.0 * duty - 1.0; // no offset under the wave
            break;
        }
        case Wave::Triangle:
            v = phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
            break;
        case Wave::Noise:
            v = noise;
            break;
        }
        smooth += alpha * (v - smooth);
        mix[first + i] += n.volume * envelope(n, t) * smooth;

        phase += n.wave == Wave::Noise ? frequencyAt(n, t) / kSampleRate : dt;
        while (phase >= 1.0) {
            phase -= 1.0;
            if (n.wave == Wave::Noise) {
                const unsigned bit = (lfsr ^ (lfsr >> 1)) & 1u;
                lfsr = static_cast<std::uint16_t>((lfsr >> 1) | (bit << 14));
                noise = (lfsr & 1u) ? 1.0 : -1.0;
            }
        }
    }
}

void put16(std::ofstream& out, unsigned v) {
    out.put(static_cast<char>(v & 0xff));
    out.put(static_cast<char>((v >> 8) & 0xff));
}

void put32(std::ofstream& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

} // namespace

double pitch(const std::string& name) {
    static const int steps[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G from C
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
        throw std::invalid_argument("bad note name " + name);
    int semitone = steps[name[0] - 'A'];
    std::size_t i = 1;
    if (name[i] == '#' || name[i] == 'b') {
        semitone += name[i] == '#' ? 1 : -1;
        ++i;
    }
    if (i + 1 != name.size() || name[i] < '0' || name[i] > '9')
        throw std::invalid_argument("bad note name " + name);
    const int midi = 12 * (name[i] - '0' + 1) + semitone;
    return 440.0 * std::exp2((midi - 69) / 12.0);
}

std::vector<double> render(const Sound& sound) {
    std::vector<double> mix;
    for (const Note& n : sound.notes)
        addNote(n, mix);
    double peak = 0.0;
    for (double s : mix)
        peak = std::max(peak, std::abs(s));
    if (peak > 0.0) {
        const double gain = std::pow(10.0, sound.peakDb / 20.0) / peak;
        for (double& s : mix)
            s *= gain;
    }
    return mix;
}

bool writeWav(const std::string& path, const std::vector<double>& samples) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, kSampleRate);
    put32(out, kSampleRate * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataBytes);
    for (double s : samples) {
        const long v = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
        put16(out, static_cast<unsigned>(static_cast<std::int16_t>(v)) & 0xffff);
    }
    return static_cast<bool>(out.flush());
}

} // namespace sfx
