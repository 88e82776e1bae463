// SPDX-License-Identifier: GPL-3.0-or-later
// One full paint of the main window at 1x and at 2x, with the kitchen in play.
#include "Simulator.h"
#include "qt/FormPainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

// The kitchen in play: three seconds of ticks a hundredth apart.
static void PlayThreeSeconds(sim::Simulator& sim) {
    for (int i = 0; i < 300; ++i) {
        sim.Step(1);
    }
}

static void BM_PaintMainWindow(benchmark::State& state) {
    sim::Simulator sim;
    PlayThreeSeconds(sim);
    const ui::Form& form = sim.windows.cfrm;
    QImage image(form.clientWidth / 15, form.clientHeight / 15, QImage::Format_RGB32);
    qt::PictureCache pictures;
    for (auto _ : state) {
        QPainter painter(&image);
        qt::PaintForm(painter, pictures, form);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintMainWindow)->Unit(benchmark::kMicrosecond);

// The same at 2x, as the window paints it: the 1x picture, every pixel a square.
static void BM_PaintMainWindowAt2x(benchmark::State& state) {
    sim::Simulator sim;
    PlayThreeSeconds(sim);
    const ui::Form& form = sim.windows.cfrm;
    QImage single(form.clientWidth / 15, form.clientHeight / 15, QImage::Format_RGB32);
    QImage image(single.size() * 2, QImage::Format_RGB32);
    qt::PictureCache pictures;
    for (auto _ : state) {
        QPainter painter(&single);
        qt::PaintForm(painter, pictures, form);
        painter.end();
        qt::ScaleUp(single, single.rect(), 2, image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintMainWindowAt2x)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
