// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qt {

// Decoded sound: signed 16-bit mono samples at `rate` per second.
struct Pcm {
    int rate = 0;
    std::vector<std::int16_t> samples;
};

// Reads a RIFF/WAVE file of 16-bit integer PCM, any rate, one or more
// channels (averaged to one). Anything else, or a file cut short or lying
// about its sizes, gives nothing.
std::optional<Pcm> ReadWav(std::span<const std::byte> bytes);

// The sound mixer: one voice per effect, all voices summed into one stream.
// Playing an effect starts it from its beginning, stopping that effect's
// earlier voice; other effects play on. The sum is clipped to 16 bits.
class SoundMixer {
public:
    // Returns the effect's number for Play.
    std::size_t Add(std::vector<std::int16_t> samples);
    // An unknown number is ignored.
    void Play(std::size_t effect);
    // Fills `out` with the next samples of the stream; silence where no
    // voice plays.
    void Mix(std::span<std::int16_t> out);
    // How many voices are still playing.
    std::size_t Playing() const;

private:
    struct Voice {
        std::vector<std::int16_t> samples;
        std::size_t at = 0; // == samples.size() when silent
    };
    std::vector<Voice> voices_;
    std::vector<std::int32_t> sum_;
};

} // namespace qt
