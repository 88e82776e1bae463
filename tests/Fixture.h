#pragma once

#include "Simulator.h"

#include <gtest/gtest.h>

// A game after Main, on the scripted platform: the clock moves only when a
// test moves it, and random draws can be queued.
class GameTest : public ::testing::Test {
protected:
    sim::Simulator sim;
    game::Game& g = sim.game;
    windows::Cfrm& cfrm = sim.windows.cfrm;
    windows::FigForm& fig = sim.windows.fig;
    sim::ScriptedPlatform& platform = sim.platform;

    // One timer expiry after the clock moved on by `hundredths`.
    void Tick(double hundredths = 1) {
        platform.clock += hundredths;
        sim.FireTimer();
    }
    void Ticks(int n, double hundredths = 1) {
        for (int i = 0; i < n; ++i) {
            Tick(hundredths);
        }
    }
    std::string Run(const std::string& script) {
        std::istringstream in(script);
        std::ostringstream out, err;
        sim.Run(in, out, err);
        return out.str();
    }
};
