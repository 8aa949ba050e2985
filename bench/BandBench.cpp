// SPDX-License-Identifier: GPL-3.0-or-later
// The Band view over a measured load of 10 001 points, offscreen: a new
// snapshot shown and the whole view painted (chart and the table's visible
// rows), and the band computed with the case.
#include "BandView.h"
#include "WindowBenchMain.h"

#include <QPixmap>

#include <cmath>
#include <numbers>

namespace {

namespace present = merivane::present;

// 2400 .. 2500 MHz in 10 kHz steps; |G| a parabola, the phase turning 6 times
present::TCase BandCase(double loadScale)
{
    present::TCase c = present::DefaultCase();
    merivane::TMeasuredLoad load;
    load.file = "bench.s1p";
    for (int k = 0; k <= 10000; ++k) {
        const double f = 2400e6 + k * 1e4, t = (f - 2450e6) / 50e6;
        const double mag = loadScale * (0.35 + 0.25 * t * t), ph = 2 * std::numbers::pi * (f - 2400e6) / 60e6;
        load.freqHz.push_back(f);
        load.gamma.push_back(std::polar(mag, ph));
    }
    c.measured = load;
    return c;
}

void BM_BandViewRedraw(benchmark::State& state)
{
    TBandView view;
    view.resize(1200, 760);
    view.show();
    const present::TSnapshot a = present::ComputeCase(BandCase(1.0), 0), b = present::ComputeCase(BandCase(0.9), 0);
    bool flip = false;
    for (auto _ : state) {
        view.ShowSnapshot(flip ? a : b);
        flip = !flip;
        QPixmap shown = view.grab();
        benchmark::DoNotOptimize(shown);
    }
    state.counters["points"] = static_cast<double>(a.band.points.size());
}
BENCHMARK(BM_BandViewRedraw)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The same view painted again with nothing changed: what a paint costs alone.
void BM_BandViewPaintOnly(benchmark::State& state)
{
    TBandView view;
    view.resize(1200, 760);
    view.show();
    view.ShowSnapshot(present::ComputeCase(BandCase(1.0), 0));
    for (auto _ : state) {
        QPixmap shown = view.grab();
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_BandViewPaintOnly)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_CaseWithBand(benchmark::State& state)
{
    const present::TCase c = BandCase(1.0);
    for (auto _ : state) benchmark::DoNotOptimize(present::ComputeCase(c, 0));
}
BENCHMARK(BM_CaseWithBand)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv); }
