// SPDX-License-Identifier: GPL-3.0-or-later
// The line sweep without a window: 720 steps, the advice, the spread and the
// statistics.
#include "LineSweep.h"
#include "Transmission.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CalcLineSweep(benchmark::State& state)
{
    merivane::TSweepCase c;
    c.M.Va = 4000;
    c.M.Ia = 3;
    c.M.Eff = 0.85;
    c.M.SrcRfl.Mag = 0.2;
    c.M.LoaRfl.Mag = 0.5;
    c.M.LoaRfl.Pha = 90;
    c.M.CplDirDb = 20;
    merivane::CalcTransmission(c.M, false);
    c.In.LengthM = 3;
    c.In.SpanMHz = 5;
    for (auto _ : state) benchmark::DoNotOptimize(merivane::CalcLineSweep(c));
}
BENCHMARK(BM_CalcLineSweep)->Unit(benchmark::kMicrosecond);

}  // namespace
