// SPDX-License-Identifier: GPL-3.0-or-later
// The magnetron and the measurement without a window: the long-line
// solutions per case, and each of the small computations.
#include "BenchCase.h"
#include "Isolator.h"
#include "LongLine.h"
#include "Magnetron.h"
#include "Transmission.h"
#include "Uncertainty.h"
#include "WaterLoad.h"

#include <benchmark/benchmark.h>

using namespace merivane;

namespace {

TModel Computed() { return merivane::bench::DefaultComputed(); }

// The next load phase, so that successive cases differ.
double NextPhase(double pha) { return pha >= 180.0 ? -179.3 : pha + 0.7; }

// SWR 2 on WR340 at 2450 MHz, PF 10 MHz (L_crit 0.935 m), at the given
// multiple of the critical length; 3 m at SWR 3 for the arg 0.
void BM_LongLineFrequencies(benchmark::State& state)
{
    TSweepInputs line;
    const double qext = QextFromPulling(2450.0, 10.0);
    double mag = 1.0 / 3.0;
    line.LengthM = static_cast<double>(state.range(0)) * CriticalLengthM(2450.0, qext, mag, GroupVelocity(line, 2450.0));
    if (state.range(0) == 0) {
        mag = 0.5;
        line.LengthM = 3.0;
    }
    double pha = -180.0;
    std::size_t found = 0;
    for (auto _ : state) {
        const TLongLineSolutions s = LongLineFrequencies(line, qext, mag, pha);
        found += s.FrequenciesMHz.size();
        benchmark::DoNotOptimize(s);
        pha = NextPhase(pha);
    }
    state.counters["solutions"] = benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_LongLineFrequencies)->Arg(0)->Arg(1)->Arg(5)->Arg(20)->Unit(benchmark::kMicrosecond);

void BM_PullingShift(benchmark::State& state)
{
    const double qext = QextFromPulling(2450.0, 10.0);
    double pha = -180.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PullingShiftMHz(2450.0, qext, 0.5, pha));
        pha = NextPhase(pha);
    }
}
BENCHMARK(BM_PullingShift);

// Everything but the long line: Qext, shift, range and critical length.
void BM_CalcMagnetronWithoutLength(benchmark::State& state)
{
    TSweepInputs line;
    TRefl load;
    load.Mag = 0.5;
    load.Pha = -180.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalcMagnetron(load, line, {10.0, 0.0}));
        load.Pha = NextPhase(load.Pha);
    }
}
BENCHMARK(BM_CalcMagnetronWithoutLength);

void BM_CalcIsolator(benchmark::State& state)
{
    const TModel m = Computed();
    double db = 10.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalcIsolator(m, {db, 3000.0}));
        db = db >= 30.0 ? 10.0 : db + 0.1;
    }
}
BENCHMARK(BM_CalcIsolator);

void BM_CalcUncertainty(benchmark::State& state)
{
    const TModel m = Computed();
    int model = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalcUncertainty(m, {static_cast<LeakPhaseModel>(model), 1.0, 0.5}));
        model = (model + 1) % 3;
    }
}
BENCHMARK(BM_CalcUncertainty);

void BM_CalcTripLevels(benchmark::State& state)
{
    double pct = 10.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalcTripLevels(pct, 0.056234));
        pct = pct >= 30.0 ? 1.0 : pct + 0.1;
    }
}
BENCHMARK(BM_CalcTripLevels);

void BM_CalcCalorimetry(benchmark::State& state)
{
    double rise = 20.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalcCalorimetry(10.0, rise, 7574.26));
        rise = rise >= 40.0 ? 1.0 : rise + 0.1;
    }
}
BENCHMARK(BM_CalcCalorimetry);

}  // namespace
