// SPDX-License-Identifier: GPL-3.0-or-later
// One play tick of the game with the kitchen running.
#include "Simulator.h"

#include <benchmark/benchmark.h>

static void BM_PlayTick(benchmark::State& state) {
    sim::Simulator sim;
    // Into the level: orders drawn, the belt moving, an item in flight.
    for (int i = 0; i < 300; ++i) {
        sim.Step(1);
    }
    for (auto _ : state) {
        sim.platform.MoveClock(0.1);
        sim.game.GameTick();
        if (sim.game.RoundPhase != 0 || sim.game.Lives <= 0) {
            state.PauseTiming();
            sim.game.NewGame();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_PlayTick);

BENCHMARK_MAIN();
