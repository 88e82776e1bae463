// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/SoundMixer.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace qt {

namespace {

std::uint32_t Little(std::span<const std::byte> bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) {
        value = (value << 8) | std::to_integer<std::uint32_t>(bytes[at + i]);
    }
    return value;
}

bool Named(std::span<const std::byte> bytes, std::size_t at, std::string_view name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (std::to_integer<char>(bytes[at + i]) != name[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<Pcm> ReadWav(std::span<const std::byte> bytes) {
    if (bytes.size() < 12 || !Named(bytes, 0, "RIFF") || !Named(bytes, 8, "WAVE")) {
        return std::nullopt;
    }
    std::optional<std::uint32_t> channels;
    std::uint32_t rate = 0;
    std::span<const std::byte> data;
    bool haveData = false;
    // Chunks are word-aligned: an odd size is followed by a pad byte.
    for (std::size_t at = 12; bytes.size() - at >= 8;) {
        const std::size_t size = Little(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (size > bytes.size() - body) {
            return std::nullopt;
        }
        if (Named(bytes, at, "fmt ")) {
            if (size < 16 || Little(bytes, body, 2) != 1 || Little(bytes, body + 14, 2) != 16) {
                return std::nullopt; // not 16-bit integer PCM
            }
            channels = Little(bytes, body + 2, 2);
            rate = Little(bytes, body + 4, 4);
        } else if (Named(bytes, at, "data")) {
            data = bytes.subspan(body, size);
            haveData = true;
        }
        at = body + size + (size & 1);
        if (at > bytes.size()) {
            break;
        }
    }
    if (!channels || *channels == 0 || rate == 0 ||
        rate > static_cast<std::uint32_t>(std::numeric_limits<int>::max()) || !haveData) {
        return std::nullopt;
    }
    const std::size_t frameBytes = 2 * std::size_t{*channels};
    Pcm pcm;
    pcm.rate = static_cast<int>(rate);
    pcm.samples.reserve(data.size() / frameBytes);
    for (std::size_t at = 0; data.size() - at >= frameBytes; at += frameBytes) {
        std::int32_t sum = 0;
        for (std::size_t c = 0; c < *channels; ++c) {
            sum += static_cast<std::int16_t>(Little(data, at + 2 * c, 2));
        }
        pcm.samples.push_back(
            static_cast<std::int16_t>(sum / static_cast<std::int32_t>(*channels)));
    }
    return pcm;
}

std::size_t SoundMixer::Add(std::vector<std::int16_t> samples) {
    const std::size_t end = samples.size();
    voices_.push_back({std::move(samples), end});
    return voices_.size() - 1;
}

void SoundMixer::Play(std::size_t effect) {
    if (effect < voices_.size()) {
        voices_[effect].at = 0;
    }
}

void SoundMixer::Mix(std::span<std::int16_t> out) {
    sum_.assign(out.size(), 0);
    for (Voice& voice : voices_) {
        const std::size_t count = std::min(out.size(), voice.samples.size() - voice.at);
        for (std::size_t i = 0; i < count; ++i) {
            sum_[i] += voice.samples[voice.at + i];
        }
        voice.at += count;
    }
    std::transform(sum_.begin(), sum_.end(), out.begin(), [](std::int32_t s) {
        return static_cast<std::int16_t>(std::clamp<std::int32_t>(
            s, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
    });
}

std::size_t SoundMixer::Playing() const {
    return static_cast<std::size_t>(std::count_if(
        voices_.begin(), voices_.end(), [](const Voice& v) { return v.at < v.samples.size(); }));
}

} // namespace qt
