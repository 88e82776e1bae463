// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a record played back the way the window
// plays one, frame by frame. Playing never crashes, never hangs a frame, and
// never reads or writes a file: the table is the one the record carries.
#include "host/Host.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class FuzzFrontEnd : public host::FrontEnd {
public:
    // Each look at the clock moves it a millisecond, so a frame's work is
    // cut after a few looks however much a line asks for.
    std::int64_t Nanoseconds() override { return now += 1'000'000; }
    void WakeIn(int) override {}
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return "";
    }
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    void OpenHelp(const std::string&) override {}
    ui::ScreenSize Screen() override { return {1024 * 15, 768 * 15}; }
    void EndProgram() override {}
    void PlaySound(std::string_view) override {}
    // A record played back touches no file.
    std::string ReadFile(const std::string&) override { std::abort(); }
    bool ReplaceFile(const std::string&, const std::string&) override { std::abort(); }
    bool UpdateFile(const std::string&, const FileChange&) override { std::abort(); }
    void KeepRecord(std::optional<double>, const std::string&) override { std::abort(); }

    std::int64_t now = 1;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzFrontEnd frontEnd;
    host::Host host(frontEnd);
    if (!host.Replay(std::string(reinterpret_cast<const char*>(data), size))) {
        return 0;
    }
    // A few seconds of frames, 33 ms apart.
    for (int frame = 0; frame < 100 && !host.Ended() && !host.replayDone(); ++frame) {
        frontEnd.now += 33'000'000;
        host.Wake();
    }
    return 0;
}
