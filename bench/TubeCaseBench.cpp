// SPDX-License-Identifier: GPL-3.0-or-later
// The magnetron and the measurement in the case: all of the tube's results
// of one snapshot, the pulled frequency along the Line Sweep's curve, and
// the batch row's cells.
#include "BenchCase.h"
#include "CaseModel.h"
#include "MagnetronExport.h"

#include <benchmark/benchmark.h>

using namespace merivane;
using namespace merivane::present;

namespace {

TTubeCase EveryInput()
{
    TTubeCase t;
    t.magnetron = {10, 0, 20, 3000};
    t.measurement = {LeakPhaseModel::Rayleigh, 1, 0.5, 10, 10, 20};
    return t;
}

double NextPhase(double pha) { return pha >= 180.0 ? -179.3 : pha + 0.7; }

// Every result but the long line's (a line of length 0).
void BM_ComputeTube(benchmark::State& state)
{
    TModel m = bench::DefaultComputed();
    const TSweepInputs line;
    const TTubeCase t = EveryInput();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeTube(m, line, t));
        m.LoaRfl.Pha = NextPhase(m.LoaRfl.Pha);
    }
}
BENCHMARK(BM_ComputeTube);

// The same on a line of 3 m: the long-line solutions are searched.
void BM_ComputeTubeLongLine(benchmark::State& state)
{
    TModel m = bench::DefaultComputed();
    TSweepInputs line;
    line.LengthM = 3.0;
    const TTubeCase t = EveryInput();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeTube(m, line, t));
        m.LoaRfl.Pha = NextPhase(m.LoaRfl.Pha);
    }
}
BENCHMARK(BM_ComputeTubeLongLine)->Unit(benchmark::kMicrosecond);

// One point of the pulled frequency over the added length.
void BM_PulledFrequencyAtPhase(benchmark::State& state)
{
    TRefl seen;
    seen.Mag = 0.5;
    seen.Pha = 90;
    const double qext = QextFromPulling(2450.0, 10.0);
    double phase = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PulledFrequencyAtPhaseMHz(seen, 2450.0, qext, phase));
        phase = NextPhase(phase);
    }
}
BENCHMARK(BM_PulledFrequencyAtPhase);

// The whole curve of the Line Sweep page (721 points).
void BM_PulledFrequencyCurve(benchmark::State& state)
{
    TCase c = DefaultCase();
    c.tube = EveryInput();
    const TSnapshot s = ComputeCase(c);
    for (auto _ : state) benchmark::DoNotOptimize(PulledFrequencyCurve(s.tube, s.c.line, s.sweep));
}
BENCHMARK(BM_PulledFrequencyCurve)->Unit(benchmark::kMicrosecond);

// The batch row's cells of the tube.
void BM_AppendTubeCsv(benchmark::State& state)
{
    const TTubeResult r = ComputeTube(bench::DefaultComputed(), TSweepInputs{}, EveryInput());
    std::string out;
    for (auto _ : state) {
        out.clear();
        AppendTubeCsv(out, r);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_AppendTubeCsv);

}  // namespace
