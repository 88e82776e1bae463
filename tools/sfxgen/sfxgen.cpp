// SPDX-License-Identifier: GPL-3.0-or-later
// sfxgen OUTDIR -- synthesises every sound effect of the game and writes each
// as a 16-bit mono WAV file into OUTDIR.
#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: sfxgen OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    int failures = 0;
    for (const sfx::Sound& sound : sfx::gameSounds()) {
        const std::vector<double> samples = sfx::render(sound);
        const double seconds = static_cast<double>(samples.size()) / sfx::kSampleRate;
        if (seconds >= 1.0) {
            std::fprintf(stderr, "sfxgen: %s lasts %.3f s, more than a second\n",
                         sound.name.c_str(), seconds);
            ++failures;
            continue;
        }
        const std::string path = dir + "/" + sound.name + ".wav";
        if (!sfx::writeWav(path, samples)) {
            std::fprintf(stderr, "sfxgen: cannot write %s\n", path.c_str());
            ++failures;
            continue;
        }
        double peak = 0.0;
        for (double s : samples)
            peak = std::max(peak, std::abs(s));
        std::printf("%-9s %4.0f ms  peak %5.1f dBFS\n", sound.name.c_str(), seconds * 1000.0,
                    20.0 * std::log10(peak));
    }
    return failures == 0 ? 0 : 1;
}
