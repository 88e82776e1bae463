// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Simulator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <utility>
#include <vector>

// A fresh directory for one test, made by mkdtemp so no other run or user
// can have it already, removed afterwards.
class TempDir {
public:
    // Memory-backed where the machine has it: saves sync to disk.
    TempDir() {
        const char* tmpdir = std::getenv("TMPDIR");
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                               ? std::filesystem::path("/dev/shm")
                                           : tmpdir && *tmpdir ? std::filesystem::path(tmpdir)
                                                               : std::filesystem::path("/tmp");
        std::string name = (base / "pelmar-test-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr) {
            throw std::runtime_error("cannot make a folder in " + base.string());
        }
        path_ = name;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A game after Main, on the scripted platform: the clock moves only when a
// test moves it, and random draws can be queued.
class GameTest : public ::testing::Test {
protected:
    TempDir dir;
    sim::Simulator sim;
    game::Game& g = sim.game;
    windows::Cfrm& cfrm = sim.windows.cfrm;
    windows::FigForm& fig = sim.windows.fig;
    host::Host& platform = sim.platform;

    // The high-score file lives in the test's own directory.
    void SetUp() override { sim.frontEnd.UseFolders({dir.path(), (dir.path() / "data").string()}); }

    // The sounds the game asked for since the last call, in order.
    std::vector<std::string> Heard() { return std::exchange(platform.scripted().sounds, {}); }
    // One timer expiry after the clock moved on by `hundredths`.
    void Tick(double hundredths = 1) { platform.Step(hundredths); }
    void Ticks(int n, double hundredths = 1) {
        for (int i = 0; i < n; ++i) {
            Tick(hundredths);
        }
    }
    // An item of `kind` in flight, its picture at (left, top).
    void Flying(int kind, int left, int top) {
        g.ItemState = 1;
        g.ItemKind = static_cast<game::Integer>(kind);
        cfrm.eleme->SetPicture(fig.Picture1[kind]->Picture());
        cfrm.eleme->Move(left, top);
    }
    // The cook at the counter, his lowest place, carrying `filling`.
    void Carrying(int filling, int left) {
        g.LowerRoom = game::True;
        g.ItemState = 3;
        g.CarriedFilling = static_cast<game::Integer>(filling);
        g.CookLoad = 1;
        g.CookPose = 12;
        g.ShowCookFrame();
        cfrm.pelmar->Move(left, 358);
        g.BeltOldest = 5;
    }
    // The action key in the lower room: the carried sandwich leaves the counter.
    void ThrowFromTheCounter() {
        g.ActionKey = game::True;
        g.StepSandwichDrop();
        g.ActionKey = game::False;
    }
    std::string Run(const std::string& script) {
        std::istringstream in(script);
        std::ostringstream out, err;
        sim.Run(in, out, err);
        return out.str();
    }
};
