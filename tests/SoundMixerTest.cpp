// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's sound mixer and its WAV reader, without an audio device.
#include "qt/SoundMixer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Samples = std::vector<std::int16_t>;

Samples Mixed(qt::SoundMixer& mixer, std::size_t count) {
    Samples out(count, 12345);
    mixer.Mix(out);
    return out;
}

TEST(SoundMixerTest, VoicesAddUpClipAndEndWhileARepeatStartsItsEffectOver) {
    qt::SoundMixer mixer;
    const std::size_t loud = mixer.Add({30000, 32760, -30000, 1000});
    const std::size_t soft = mixer.Add({10, 20});
    mixer.Add({});
    EXPECT_EQ(Mixed(mixer, 3), Samples(3, 0)) << "silence before any request";

    mixer.Play(loud);
    mixer.Play(soft);
    mixer.Play(2);  // an empty effect plays nothing
    mixer.Play(99); // nor does an unknown one
    EXPECT_EQ(mixer.Playing(), 2U);
    EXPECT_EQ(Mixed(mixer, 1), (Samples{30010}));
    mixer.Play(soft); // starts over; the other voice goes on
    EXPECT_EQ(Mixed(mixer, 2), (Samples{32767, -29980})) << "summed, clipped at the top";
    EXPECT_EQ(mixer.Playing(), 1U);
    // Its end falls inside a buffer: the rest is silence, and it stays ended.
    EXPECT_EQ(Mixed(mixer, 3), (Samples{1000, 0, 0}));
    EXPECT_EQ(mixer.Playing(), 0U);

    mixer.Play(mixer.Add({-30000, -30000}));
    mixer.Play(mixer.Add({-5000}));
    EXPECT_EQ(Mixed(mixer, 3), (Samples{-32768, -30000, 0})) << "clipped at the bottom";
    mixer.Play(loud);
    mixer.Play(loud); // many repeats before a buffer: one voice, from the start
    EXPECT_EQ(Mixed(mixer, 1), (Samples{30000}));
}

std::vector<std::byte> Bytes(const std::string& text) {
    std::vector<std::byte> bytes;
    for (const char c : text) {
        bytes.push_back(static_cast<std::byte>(c));
    }
    return bytes;
}

std::string Le(std::uint32_t value, int size) {
    std::string out;
    for (int i = 0; i < size; ++i, value >>= 8) {
        out += static_cast<char>(value & 0xFF);
    }
    return out;
}

std::string Wav(int format, int channels, int bits, const std::string& data,
                const std::string& extra = "") {
    const std::string fmt = "fmt " + Le(16, 4) + Le(format, 2) + Le(channels, 2) + Le(22050, 4) +
                            Le(22050 * channels * 2, 4) + Le(channels * 2, 2) + Le(bits, 2);
    const std::string body =
        "WAVE" + extra + fmt + "data" + Le(static_cast<std::uint32_t>(data.size()), 4) + data;
    return "RIFF" + Le(static_cast<std::uint32_t>(body.size()), 4) + body;
}

TEST(SoundMixerTest, TheWavReaderTakesSixteenBitPcmAndRefusesAnythingElseWithoutReadingPastIt) {
    const std::string samples = Le(1000, 2) + Le(static_cast<std::uint16_t>(-2000), 2);
    const auto mono = qt::ReadWav(Bytes(Wav(1, 1, 16, samples + "x", "LIST" + Le(1, 4) + "a_")));
    ASSERT_TRUE(mono) << "an odd chunk is padded; a half sample at the end is left";
    EXPECT_EQ(mono->rate, 22050);
    EXPECT_EQ(mono->samples, (Samples{1000, -2000}));
    const auto stereo = qt::ReadWav(Bytes(Wav(1, 2, 16, samples + samples)));
    ASSERT_TRUE(stereo);
    EXPECT_EQ(stereo->samples, (Samples{-500, -500}));

    const std::string good = Wav(1, 1, 16, samples);
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        const std::string shorter = good.substr(0, cut);
        EXPECT_FALSE(qt::ReadWav(Bytes(shorter))) << "cut at " << cut;
    }
    EXPECT_FALSE(qt::ReadWav(Bytes(Wav(3, 1, 16, samples)))) << "floating point";
    EXPECT_FALSE(qt::ReadWav(Bytes(Wav(1, 1, 8, samples)))) << "8 bits";
    EXPECT_FALSE(qt::ReadWav(Bytes(Wav(1, 0, 16, samples)))) << "no channel";
    std::string huge = good;
    huge.replace(huge.find("data") + 4, 4, Le(0xFFFFFFFF, 4));
    EXPECT_FALSE(qt::ReadWav(Bytes(huge))) << "a data chunk longer than the file";
}

} // namespace
