// SPDX-License-Identifier: GPL-3.0-or-later
// The sound effects in assets/sounds, read back byte by byte: each must be a
// 16-bit mono PCM WAV at a common rate, short, audible, never clipped, and
// must start and end quietly so it does not click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <numbers>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kSounds = {"catch",   "kick",  "put",     "lift", "throw",
                                          "deliver", "miss",  "drop",    "belt", "bonus",
                                          "tally",   "level", "gameover"};

std::string soundPath(const std::string& name) {
    return std::string(PELMAR_SOUNDS) + "/" + name + ".wav";
}

struct Wav {
    unsigned format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<std::int16_t> samples;
};

std::uint32_t le(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

// Reads the fmt and data chunks of a RIFF/WAVE file, skipping any other chunk.
// Returns what is wrong with the file's structure, or an empty string.
std::string readWav(const std::string& path, Wav& wav) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "missing";
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return "not a RIFF/WAVE file";
    bool haveFormat = false, haveData = false;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::size_t size = le(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (body + size > bytes.size())
            return "chunk '" + id + "' runs past the end of the file";
        if (id == "fmt ") {
            if (size < 16)
                return "fmt chunk too short";
            wav.format = le(bytes, body, 2);
            wav.channels = le(bytes, body + 2, 2);
            wav.rate = le(bytes, body + 4, 4);
            wav.bits = le(bytes, body + 14, 2);
            haveFormat = true;
        } else if (id == "data") {
            wav.samples.resize(size / 2);
            for (std::size_t i = 0; i < wav.samples.size(); ++i)
                wav.samples[i] = static_cast<std::int16_t>(le(bytes, body + 2 * i, 2));
            haveData = true;
        }
        at = body + size + (size & 1); // chunks are padded to an even length
    }
    if (!haveFormat)
        return "no fmt chunk";
    if (!haveData)
        return "no data chunk";
    return {};
}

// Everything wrong with a sound effect file; empty when it is fine.
std::vector<std::string> soundProblems(const std::string& path, double maxSeconds) {
    Wav wav;
    if (std::string bad = readWav(path, wav); !bad.empty())
        return {bad};
    std::vector<std::string> problems;
    if (wav.format != 1 || wav.bits != 16 || wav.channels != 1)
        problems.push_back("not 16-bit mono PCM");
    if (wav.rate != 22050 && wav.rate != 44100 && wav.rate != 48000)
        problems.push_back("uncommon sample rate " + std::to_string(wav.rate));
    if (!problems.empty())
        return problems;
    const auto& s = wav.samples;
    if (s.empty())
        return {"no samples"};
    const double seconds = static_cast<double>(s.size()) / wav.rate;
    if (seconds >= maxSeconds)
        problems.push_back("too long: " + std::to_string(seconds) + " s");

    auto peakOf = [&](std::size_t from, std::size_t to) {
        int peak = 0;
        for (std::size_t i = from; i < to; ++i)
            peak = std::max(peak, std::abs(static_cast<int>(s[i])));
        return peak;
    };
    const int peak = peakOf(0, s.size());
    double sum = 0.0;
    for (std::int16_t v : s)
        sum += static_cast<double>(v) * v;
    const double rms = std::sqrt(sum / s.size()) / 32768.0;
    if (rms < 0.02) // about -34 dBFS
        problems.push_back("silent: RMS " + std::to_string(rms));
    if (peak > 0.97 * 32768.0)
        problems.push_back("clipped: peak " + std::to_string(peak));

    // A click is a sound that jumps in at full strength: the first and last
    // samples sit at zero and the first and last millisecond stay soft.
    const std::size_t edge = std::min<std::size_t>(wav.rate / 1000, s.size());
    const bool hardEdge = std::abs(s.front()) > 328 || std::abs(s.back()) > 328 ||
                          peakOf(0, edge) * 3 > peak ||
                          peakOf(s.size() - edge, s.size()) * 3 > peak;
    if (hardEdge)
        problems.push_back("clicks at the start or end");
    return problems;
}

std::string joined(const std::vector<std::string>& problems) {
    std::string all;
    for (const auto& p : problems)
        all += p + "; ";
    return all;
}

class SoundFile : public testing::TestWithParam<std::string> {};

TEST_P(SoundFile, IsAShortCleanMonoClip) {
    // The tally blip repeats every 100 ms and must end before the next one.
    const double maxSeconds = GetParam() == "tally" ? 0.08 : 1.0;
    const auto problems = soundProblems(soundPath(GetParam()), maxSeconds);
    EXPECT_TRUE(problems.empty()) << GetParam() << ".wav: " << joined(problems);
}

INSTANTIATE_TEST_SUITE_P(AllSounds, SoundFile, testing::ValuesIn(kSounds),
                         [](const auto& info) { return info.param; });

TEST(SoundFiles, NoTwoEventsShareASound) {
    std::map<std::vector<std::int16_t>, std::string> seen;
    for (const auto& name : kSounds) {
        Wav wav;
        ASSERT_EQ(readWav(soundPath(name), wav), "") << name;
        const auto [it, fresh] = seen.emplace(wav.samples, name);
        EXPECT_TRUE(fresh) << name << " is the same as " << it->second;
    }
}

// A hand-made square-wave WAV with an extra chunk, so the checks can be seen to turn faults away.
struct TestClip {
    unsigned channels = 1, rate = 22050, bits = 16;
    double seconds = 0.3, amplitude = 0.5, fade = 0.01;
};

std::string writeClip(const std::string& folder, const TestClip& c) {
    const auto n = static_cast<std::size_t>(c.seconds * c.rate);
    std::string data;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / c.rate;
        const double edge = std::min({1.0, t / c.fade, (c.seconds - t) / c.fade});
        const double v =
            c.amplitude * edge * (std::sin(2 * std::numbers::pi * 440 * t) > 0 ? 1.0 : -1.0);
        const auto q =
            static_cast<std::int16_t>(std::clamp(std::lround(v * 32768), -32768L, 32767L));
        for (unsigned ch = 0; ch < c.channels; ++ch)
            data += std::string{static_cast<char>(q & 0xff), static_cast<char>((q >> 8) & 0xff)};
    }
    auto u32 = [](std::uint32_t v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8),
                           static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
    };
    auto u16 = [](unsigned v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8)};
    };
    std::string body = "WAVEfmt " + u32(16) + u16(1) + u16(c.channels) + u32(c.rate) +
                       u32(c.rate * c.channels * c.bits / 8) + u16(c.channels * c.bits / 8) +
                       u16(c.bits);
    body += "LIST" + u32(5) + "INFO!" + std::string(1, '\0'); // odd-sized, padded: skipped
    body += "data" + u32(static_cast<std::uint32_t>(data.size())) + data;
    const std::string path = folder + "/clip.wav";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "RIFF" << u32(static_cast<std::uint32_t>(body.size())) << body;
    out.close();
    if (!out) {
        ADD_FAILURE() << "cannot write " << path;
    }
    return path;
}

TEST(SoundChecks, AcceptACleanClipAndTurnAwayBrokenOnes) {
    std::string folder = (std::filesystem::temp_directory_path() / "pelmar-sound-XXXXXX").string();
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    EXPECT_EQ(joined(soundProblems(writeClip(folder, {}), 1.0)), "");

    struct Fault {
        TestClip clip;
        std::string complaint;
    };
    const Fault faults[] = {
        {{.amplitude = 1.0}, "clipped"},          {{.fade = 1e-9}, "clicks"},
        {{.seconds = 1.2}, "too long"},           {{.amplitude = 0.01}, "silent"},
        {{.channels = 2}, "not 16-bit mono PCM"}, {{.rate = 11025}, "uncommon sample rate"},
    };
    for (const Fault& f : faults) {
        const std::string problems = joined(soundProblems(writeClip(folder, f.clip), 1.0));
        EXPECT_NE(problems.find(f.complaint), std::string::npos)
            << "wanted '" << f.complaint << "', got '" << problems << "'";
    }
    EXPECT_EQ(joined(soundProblems(folder + "/no_such_sound.wav", 1.0)), "missing; ");
    std::filesystem::remove_all(folder);
}

} // namespace
